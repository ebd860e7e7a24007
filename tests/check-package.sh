#!/usr/bin/env bash
# Checks the zips of scripts/package.sh with outside tools, and that the packaged 64-bit
# PICTAVO.EXE starts under Wine (on $DISPLAY), shows its main window and writes PICTAVO.INI.
set -euo pipefail
export LC_ALL=C   # the tools' own words (scripts/test.sh has set a Japanese locale for Wine)
root=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'kill ${wine_pid:-} 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

python3 "$root/resources/make_icon.py" "$tmp/drawn.ico" >/dev/null
cmp -s "$tmp/drawn.ico" "$root/resources/Pictavo.ico" || fail "resources/Pictavo.ico is not what make_icon.py draws"

for bits in 64 32; do
  zip=$(ls "$root"/dist/pictavo-*-win$bits.zip)
  version=$(basename "$zip" | sed 's/^pictavo-\(.*\)-win.*$/\1/')
  dir=$tmp/win$bits exe=$tmp/win$bits/PICTAVO.EXE
  python3 -m zipfile -e "$zip" "$dir"
  [ "$(ls "$dir" | tr '\n' ' ')" = "PICTAVO.EXE PICTAVOX.EXE README.txt " ] || fail "$zip: not PICTAVO.EXE + PICTAVOX.EXE + README.txt"
  if [ "$bits" = 64 ]; then type='PE32+ executable (GUI) x86-64' format=pei-x86-64 tools=x86_64
  else type='PE32 executable (GUI) Intel 80386' format=pei-i386 tools=i686; fi
  # (Outputs are matched whole: grep -q in a pipe would fail it under pipefail.)
  [[ "$(file -b "$exe")" == "$type"* ]] || fail "$zip: $(file -b "$exe")"
  [[ "$("$tools-w64-mingw32-objdump" -f "$exe")" == *"file format $format"$'\n'* ]] || fail "$zip: not $format"
  [[ "$("$tools-w64-mingw32-objdump" -h "$exe")" != *.debug* ]] || fail "$zip: debug sections"
  [ "$(stat -c %s "$exe")" -lt 1572864 ] || fail "$zip: PICTAVO.EXE is 1.5 MB or more"
  [[ "$(file -b "$dir/PICTAVOX.EXE")" == "${type/(GUI)/(console)}"* ]] || fail "$zip: PICTAVOX.EXE is $(file -b "$dir/PICTAVOX.EXE")"
  [ "$(stat -c %s "$dir/PICTAVOX.EXE")" -lt 1572864 ] || fail "$zip: PICTAVOX.EXE is 1.5 MB or more"
  strings=$(wrestool -x --raw -t 16 "$exe" | strings -el | paste -sd'|')
  for pair in "FileDescription|Pictavo icon" "ProductName|Pictavo" "InternalName|Pictavo" \
              "OriginalFilename|PICTAVO.EXE" "FileVersion|$version|"; do
    [[ "$strings" == *"$pair"* ]] || fail "$zip: version block lacks $pair"
  done
  wrestool -x -t 14 -n MAINICON "$exe" -o "$dir/main.ico"
  sizes=$(icotool -l "$dir/main.ico" | sed -n 's/.*--width=\([0-9]*\).*--bit-depth=32 .*/\1/p' | paste -sd' ')
  [ "$sizes" = "16 24 32 48 256" ] || fail "$zip: icon sizes (32-bit) are '$sizes'"
  kinds=$(for n in $(wrestool -l -t 3 "$exe" | sed 's/.*--name=\([0-9]*\).*/\1/'); do
    wrestool -x --raw -t 3 -n "$n" "$exe" | file -b -; done)
  [[ "$kinds" == *"PNG image data, 256 x 256, 8-bit/color RGBA"* ]] || fail "$zip: no PNG 256 icon"
done

# The 64-bit program under Wine: its main window shows, and closing it writes PICTAVO.INI.
source "$root/scripts/wine-env.sh"
pictavo_prepare_prefix
# The console program answers /? with its usage (Wine exits 0 also for a program it cannot start).
usage=$(wine "$tmp/win64/PICTAVOX.EXE" /? 2>/dev/null | iconv -f CP932 -t UTF-8) || fail "PICTAVOX.EXE /? failed"
[[ "$usage" == *"PICTAVOX ソース..."* ]] || fail "PICTAVOX.EXE printed no usage: $usage"
wine "$tmp/win64/PICTAVO.EXE" >"$tmp/wine.log" 2>&1 &
wine_pid=$!
window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Pictavo$' | head -1) ||
  fail "no main window 'Pictavo' on $DISPLAY: $(cat "$tmp/wine.log")"
wine taskkill /IM PICTAVO.EXE >/dev/null 2>&1
timeout 60 tail --pid="$wine_pid" -f /dev/null || fail "PICTAVO.EXE did not close"
[ -s "$tmp/win64/PICTAVO.INI" ] || fail "no PICTAVO.INI beside PICTAVO.EXE after closing"
echo "check-package: $(cd "$root" && ls dist/*.zip | paste -sd' ') fine; window $window shown and closed"
