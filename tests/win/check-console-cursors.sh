#!/usr/bin/env bash
# PICTAVOX /CUR under Wine, checked with icoutils: the cursor counts of Wine's own user32.dll as a
# folder search finds them, its cursors written whole, and the hotspots of the fixtures' cursors.
#   check-console-cursors.sh WINE-RUN PICTAVOX.EXE FIXTURE-FOLDER
set -euo pipefail
wine_run=$1 program=$2 fixtures=$3
: "${WINEPREFIX:?the Wine prefix the tests run in}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { printf 'Z:%s' "${1//\//\\}"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
"$wine_run" "$program" /? >/dev/null 2>&1 || true  # the prefix made, with its system32
mkdir -p "$work/system" "$work/fixtures"
cp "$WINEPREFIX/drive_c/windows/system32/user32.dll" "$WINEPREFIX/drive_c/windows/system32/comctl32.dll" "$work/system/"
cp "$fixtures"/cursors/* "$work/fixtures/"
groups() { wrestool -l --type=12 "$1" | sed -n 's/.*--name=\([^ ]*\).*/\1/p' | uniq; }

# The folder searched for cursors lists user32.dll with as many cursors as it has cursor groups.
"$wine_run" "$program" "$(win "$work/system")" /CUR /O "$(win "$work/out")" >"$work/log" 2>&1 || { cat "$work/log"; fail "user32.dll: PICTAVOX failed"; }
expected=$(groups "$work/system/user32.dll" | wc -l)
[ "$expected" -gt 0 ] || fail "wrestool lists no cursor group of user32.dll"
iconv -f CP932 -t UTF-8 "$work/log" | grep -q "user32.dll: ｱｲｺﾝ ${expected}個、${expected}個を書き出し" \
  || { cat "$work/log"; fail "user32.dll is not listed with $expected cursors"; }
echo "ok: user32.dll holds $expected cursors"

# Each .CUR is wrestool's group: the same directory and the same image bytes, except that
# wrestool lists each image at its resource's size, the hotspot's 4 bytes included, though it
# writes the image without them (icotool refuses its file for that), and leaves a tail unfilled.
field() { od -An -tu"$3" -j"$2" -N"$3" "$1" | tr -d ' '; }
index=0
for name in $(groups "$work/system/user32.dll"); do
  ours="$work/out/$(printf 'user32%04d.CUR' $index)"
  [ -f "$ours" ] || fail "$ours was not written"
  wrestool -x --type=12 --name="$name" "$work/system/user32.dll" >"$work/theirs.cur"
  images=$(field "$ours" 4 2)
  [ "$images" -gt 0 ] && [ "$(field "$work/theirs.cur" 4 2)" = "$images" ] || fail "cursor $index: $images images, not wrestool's"
  for ((i = 0; i < images; i++)); do
    at=$((6 + 16 * i))
    cmp -s <(head -c $((at + 8)) "$ours" | tail -c 8) <(head -c $((at + 8)) "$work/theirs.cur" | tail -c 8) \
      && [ "$(field "$ours" $((at + 12)) 4)" = "$(field "$work/theirs.cur" $((at + 12)) 4)" ] \
      && [ $(($(field "$ours" $((at + 8)) 4) + 4)) -eq "$(field "$work/theirs.cur" $((at + 8)) 4)" ] \
      || fail "cursor $index: entry $i differs from wrestool's"
  done
  start=$((6 + 16 * images)) size=$(stat -c %s "$ours")
  cmp -s <(tail -c +$((start + 1)) "$ours") <(tail -c +$((start + 1)) "$work/theirs.cur" | head -c $((size - start))) \
    || fail "cursor $index: the images differ from wrestool's"
  index=$((index + 1))
done
[ "$index" -eq "$expected" ] || fail "$index cursors compared, not $expected"
echo "ok: $index cursors of user32.dll as wrestool extracts them"

# The fixtures' hotspots (see the generator) as icotool reads them from the written files; the
# animated cursor is written as it is stored.
rm -rf "$work/out"
"$wine_run" "$program" "$(win "$work/fixtures")" /CUR /O "$(win "$work/out")" /Q >"$work/log" 2>&1 || { cat "$work/log"; fail "fixtures: PICTAVOX failed"; }
listed=$(cd "$work/out" && ls | tr '\n' ' ')
[ "$listed" = "ARROW0000.CUR BUSY0000.ANI CURSORS0000.CUR CURSORS0001.CUR CURSORS0002.ANI NE0000.CUR NE0001.CUR " ] \
  || fail "the fixtures wrote $listed"
hotspots() { icotool -l "$1" | sed -n 's/.*--hotspot-x=\([0-9]*\) --hotspot-y=\([0-9]*\).*/\1,\2/p' | tr '\n' ' '; }
[ "$(hotspots "$work/out/ARROW0000.CUR")" = "5,3 10,6 " ] || fail "ARROW.CUR: hotspots $(hotspots "$work/out/ARROW0000.CUR")"
for file in CURSORS NE; do
  [ "$(hotspots "$work/out/${file}0000.CUR")" = "1,2 3,4 " ] || fail "$file cursor 0: hotspots $(hotspots "$work/out/${file}0000.CUR")"
  [ "$(hotspots "$work/out/${file}0001.CUR")" = "7,9 " ] || fail "$file cursor 1: hotspots $(hotspots "$work/out/${file}0001.CUR")"
done
cmp -s "$work/out/BUSY0000.ANI" "$work/fixtures/BUSY.ANI" || fail "BUSY.ANI was not written as stored"
cmp -s "$work/out/CURSORS0002.ANI" "$work/fixtures/BUSY.ANI" || fail "CURSORS.DLL's animated cursor was not written as stored"
echo "ok: the fixtures' cursors with their hotspots"

# An animated cursor whose form claims more bytes than the file holds is refused with the reason.
cp "$work/fixtures/BUSY.ANI" "$work/long.ani"
printf '\xf0\xff\xff\x7f' | dd of="$work/long.ani" bs=1 seek=4 conv=notrunc status=none
status=0
"$wine_run" "$program" "$(win "$work/long.ani")" /CUR /O "$(win "$work/out")" >"$work/log" 2>&1 || status=$?
[ "$status" -eq 1 ] && iconv -f CP932 -t UTF-8 "$work/log" | grep -q "は壊れたアニメーションカーソルです: チャンクがファイルの終わりを越えています。" \
  || { cat "$work/log"; fail "a damaged .ani gave status $status"; }
echo "ok: a damaged animated cursor is refused with its reason"

echo "console cursors: all rows passed"
