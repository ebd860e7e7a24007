#!/usr/bin/env bash
# PICTAVOX under Wine on the fixtures, checked with icoutils and ImageMagick: one row per case,
# its exit status and the files it must leave.
#   check-console.sh WINE-RUN PICTAVOX.EXE FIXTURE-FOLDER
set -euo pipefail
wine_run=$1 program=$2 fixtures=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { printf 'Z:%s' "${1//\//\\}"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
mkdir -p "$work/src/a" "$work/out" "$work/bad"
cp "$fixtures/TWELVE.DLL" "$fixtures/ONE.DLL" "$fixtures/NOTE.TXT" "$work/src/"
cp "$fixtures/shapes/UNREADABLE.DLL" "$fixtures/shapes/PNGONLY.ICO" "$work/bad/"
cp "$fixtures/TWO.DLL" "$work/src/a/"
# Two sources of one base name (2 and 12 icons), and a file whose name a best fit would reach.
mkdir -p "$work/foo"
cp "$fixtures/TWO.DLL" "$work/foo/FOO.DLL"
cp "$fixtures/TWELVE.DLL" "$work/foo/FOO.EXE"
cp "$fixtures/ONE.DLL" "$work/src/Cafe.dll"

# args | status | files under out/ afterwards (sorted, or "-" for none checked)
while IFS='|' read -r args status files; do
  rm -rf "$work/out"
  set +e
  eval "\"$wine_run\" \"$program\" $args" >"$work/log" 2>&1
  got=$?
  set -e
  [ "$got" -eq "$status" ] || { cat "$work/log"; fail "$args: status $got, not $status"; }
  listed=$(cd "$work" && { find out -type f 2>/dev/null || true; } | LC_ALL=C sort | tr '\n' ' ')
  [ "$files" = "-" ] || [ "$listed" = "$files" ] || fail "$args: wrote '$listed', not '$files'"
  echo "ok: $args -> $got"
done <<ROWS
"$(win "$work/src/TWELVE.DLL")" /O "$(win "$work/out")" /I 10-99|0|out/TWELVE0010.ICO out/TWELVE0011.ICO 
"$(win "$work/src/ONE.DLL")" -o "$(win "$work/out")" /ico:32 /BMP /PNG:32|0|out/ONE0000.BMP out/ONE0000.ICO out/ONE0000.PNG 
"$(win "$work/src")" /O "$(win "$work/out")" /S /M /I 0|0|out/TWELVE0000.ICO out/a/TWO0000.ICO 
"$(win "$work/src/NOTE.TXT")" "$(win "$work/src/ONE.DLL")" /O "$(win "$work/out")"|1|out/ONE0000.ICO 
"$(win "$work/src/GONE.DLL")"|1|-
"$(win "$work/bad/PNGONLY.ICO")" /O "$(win "$work/out")" /PNG:ALL|0|out/PNGONLY0000-48.PNG 
/X "$(win "$work/src/ONE.DLL")"|2|-
/O "$(win "$work/out")"|2|-
"$(win "$work/src/TWELVE.DLL")" /O "$(win "$work/out")" /I 50|1|
"$(win "$work/src/TWELVE.DLL")" /O "$(win "$work/out")" /I 5-5|0|out/TWELVE0005.ICO 
"$(win "$work/src/ONE.DLL")" /O "$(win "$work/out")" /PNG:32|0|out/ONE0000.PNG 
"$(win "$work/src/ONE.DLL")" /O "$(win "$work/out")" /ICO /ICO:32|2|-
"$(win "$work/src/Café.dll")" /O "$(win "$work/out")"|1|
"$(win "$work/foo/FOO.DLL")" "$(win "$work/foo/FOO.EXE")" /O "$(win "$work/out")"|1|out/FOO0000.ICO out/FOO0001.ICO 
"$(win "$work/src")" /FIND "$(win "$work/src/NOTE.TXT")"|1|-
"$(win "$work/src")" /FIND|2|-
ROWS

# /FIND: TWELVE.DLL's icon 5 laid over grey by ImageMagick, as a bitmap, is named first, with the
# same pixels; ten icons are listed (the folder holds 14), and nothing is written.
rm -rf "$work/out"
"$wine_run" "$program" "$(win "$work/src/TWELVE.DLL")" /O "$(win "$work/out")" /I 5 /PNG:32 /Q >/dev/null
convert "$work/out/TWELVE0005.PNG" -background '#808080' -flatten -alpha off "BMP3:$work/crop.bmp"
rm -rf "$work/out"
set +e
"$wine_run" "$program" "$(win "$work/src")" /FIND "$(win "$work/crop.bmp")" >"$work/log" 2>&1
got=$?
set -e
iconv -f CP932 -t UTF-8 "$work/log" | tr -d '\r' >"$work/found"
[ "$got" -eq 0 ] || { cat "$work/found"; fail "/FIND: status $got, not 0"; }
head -n 1 "$work/found" | grep -qE '^100  Z:.*\\TWELVE\.DLL,5  同一$' || { cat "$work/found"; fail "/FIND did not name TWELVE.DLL,5 first"; }
[ "$(wc -l <"$work/found")" -eq 10 ] || { cat "$work/found"; fail "/FIND listed $(wc -l <"$work/found") icons, not 10"; }
[ "$(grep -c '同一' "$work/found")" -eq 1 ] || { cat "$work/found"; fail "/FIND marked other icons the same"; }
[ ! -e "$work/out" ] || fail "/FIND wrote files"
echo "ok: /FIND of TWELVE.DLL,5 over grey names it first, the same pixels"

# Whole icons: the same bytes as wrestool extracts for each group (up to the tail it leaves unfilled).
rm -rf "$work/out"
"$wine_run" "$program" "$(win "$work/src/TWELVE.DLL")" /O "$(win "$work/out")" /Q >/dev/null
index=0
for name in $(wrestool -l --type=14 "$work/src/TWELVE.DLL" | sed -n 's/.*--name=\([^ ]*\).*/\1/p' | uniq); do
  ours="$work/out/$(printf 'TWELVE%04d.ICO' $index)"
  size=$(stat -c %s "$ours")
  cmp -n "$size" "$ours" <(wrestool -x --type=14 --name="$name" "$work/src/TWELVE.DLL") || fail "icon $index differs from wrestool's"
  index=$((index + 1))
done
[ "$index" -eq 12 ] || fail "$index groups compared, not 12"

# An existing file is kept and counted as skipped; /Y replaces it.
echo kept >"$work/out/TWELVE0000.ICO"
"$wine_run" "$program" "$(win "$work/src/TWELVE.DLL")" /O "$(win "$work/out")" /I 0 | iconv -f CP932 -t UTF-8 | grep -q '0個を書き出し、1個をスキップ' \
  || fail "the existing file was not skipped"
[ "$(cat "$work/out/TWELVE0000.ICO")" = kept ] || fail "the existing file was replaced without /Y"
"$wine_run" "$program" "$(win "$work/src/TWELVE.DLL")" /O "$(win "$work/out")" /I 0 /Y >/dev/null
cmp -s "$work/out/TWELVE0000.ICO" "$work/out/TWELVE0001.ICO" && fail "icons 0 and 1 are the same"
[ "$(icotool -l "$work/out/TWELVE0000.ICO" | wc -l)" -gt 1 ] || fail "/Y did not write the whole icon"
# FOO.EXE's names meet the files FOO.DLL wrote in this run: nothing of it is written, with /Y
# too, and the totals count only what exists.
rm -rf "$work/out"
set +e
"$wine_run" "$program" "$(win "$work/foo/FOO.DLL")" "$(win "$work/foo/FOO.EXE")" /O "$(win "$work/out")" /Y >"$work/log" 2>"$work/errors"
got=$?
set -e
[ "$got" -eq 1 ] || fail "the collision: status $got, not 1"
[ "$(iconv -f CP932 -t UTF-8 "$work/log" | tail -n 1 | tr -d '\r')" = "合計: 1個のファイル、2個を書き出し、0個をスキップ" ] \
  || { cat "$work/log"; fail "the collision's totals"; }
iconv -f CP932 -t UTF-8 "$work/errors" | grep -qF "FOO.EXE: FOO0000.ICO はこの実行で $(win "$work/foo/FOO.DLL") から" \
  || { cat "$work/errors"; fail "the collision was not reported"; }
for index in 0 1; do
  ours="$work/out/FOO000$index.ICO"
  name=$(wrestool -l --type=14 "$work/foo/FOO.DLL" | sed -n 's/.*--name=\([^ ]*\).*/\1/p' | uniq | sed -n "$((index + 1))p")
  cmp -n "$(stat -c %s "$ours")" "$ours" <(wrestool -x --type=14 --name="$name" "$work/foo/FOO.DLL") \
    || fail "FOO000$index.ICO is not FOO.DLL's icon"
done
[ "$(find "$work/out" -type f | wc -l)" -eq 2 ] || fail "the collision wrote more than FOO.DLL's files"
# An icon of none but unreadable images is one error: reported with its file and number, the
# others written, exit 1. Each PNG is a 32-pixel square, the 16-pixel image of icon 1 scaled up.
rm -rf "$work/out"
set +e
"$wine_run" "$program" "$(win "$work/bad/UNREADABLE.DLL")" /O "$(win "$work/out")" /PNG:32 >"$work/log" 2>&1
got=$?
set -e
[ "$got" -eq 1 ] || { cat "$work/log"; fail "an unreadable icon: status $got, not 1"; }
[ "$(cd "$work/out" && ls | tr '\n' ' ')" = "UNREADABLE0000.PNG UNREADABLE0001.PNG UNREADABLE0003.PNG " ] || fail "an unreadable icon: wrote $(ls "$work/out")"
iconv -f CP932 -t UTF-8 "$work/log" | grep -q 'UNREADABLE.DLL: ｱｲｺﾝ 2: 読めない画像しかありません' || { cat "$work/log"; fail "the unreadable icon was not reported"; }
for png in "$work"/out/*.PNG; do
  [ "$(identify -format '%wx%h' "$png")" = 32x32 ] || fail "$png is $(identify -format '%wx%h' "$png"), not 32x32"
done
echo "ok: an unreadable icon among sound ones -> 1"

echo "console program: all rows passed"
