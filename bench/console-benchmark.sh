#!/usr/bin/env bash
# Every icon of every file of Wine's system32 as whole icons: PICTAVOX under Wine (one run over a
# folder of the same files) against wrestool -x --type=14 run natively once per file, both timed
# in this run; then how many icons each side wrote and whether the bytes agree.
#   bash bench/console-benchmark.sh [build/win64]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win64}
source "$root/scripts/wine-env.sh"
pictavo_prepare_prefix
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
system32=$WINEPREFIX/drive_c/windows/system32
mkdir -p "$work/src" "$work/ours" "$work/theirs"
# The same files for both sides, copied out of the prefix (its system32 holds links Wine resolves).
find "$system32" -maxdepth 1 -type f \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.ocx' -o -iname '*.cpl' \) \
  -exec cp -L {} "$work/src/" \;
echo "files: $(ls "$work/src" | wc -l)"
wine "$build/app/PICTAVOX.exe" /? >/dev/null 2>&1  # Wine started once before the clock

start=$(date +%s.%N)
wine "$build/app/PICTAVOX.exe" "Z:${work//\//\\}\\src" /O "Z:${work//\//\\}\\ours" /ICO /Q >/dev/null 2>&1 || true
ours=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN{print b-a}')

start=$(date +%s.%N)
for f in "$work"/src/*; do
  wrestool -x --type=14 -o "$work/theirs/" "$f" 2>/dev/null || true
done
theirs=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN{print b-a}')

n_ours=$(ls "$work/ours" | wc -l)
n_theirs=$(ls "$work/theirs" | wc -l)
printf 'PICTAVOX under Wine:        %6.2f s, %d icons\n' "$ours" "$n_ours"
printf 'wrestool per file (native): %6.2f s, %d icons\n' "$theirs" "$n_theirs"
awk -v a="$ours" -v b="$theirs" 'BEGIN{printf "ratio PICTAVOX / wrestool: %.2f (target <= 1.0)\n", a/b}'

# Byte agreement: wrestool's file for a group is ours followed by the tail it leaves unfilled.
same=0 differ=0
for f in "$work"/src/*; do
  base=$(basename "$f"); stem=${base%.*}; index=0
  for name in $(wrestool -l --type=14 "$f" 2>/dev/null | sed -n 's/.*--name=\([^ ]*\).*/\1/p' | tr -d "'" | uniq); do
    mine="$work/ours/$(printf '%s%04d.ICO' "$stem" $index)"
    index=$((index + 1))
    [ -f "$mine" ] || continue
    if cmp -s -n "$(stat -c %s "$mine")" "$mine" <(wrestool -x --type=14 --name="$name" "$f" 2>/dev/null); then
      same=$((same + 1)); else differ=$((differ + 1)); echo "differs: $base group $name" >&2; fi
  done
done
echo "bytes: $same icons the same as wrestool's, $differ different"

# Finding an icon by its picture against the PNG export at 32 pixels of the same folder: both read
# every icon and decode the image chosen for 32 pixels; /FIND compares where the export encodes
# and writes.
mkdir -p "$work/png32"
start=$(date +%s.%N)
wine "$build/app/PICTAVOX.exe" "Z:${work//\//\\}\\src" /O "Z:${work//\//\\}\\png32" /PNG:32 /Q >/dev/null 2>&1 || true
png=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN{print b-a}')
picture=$(ls "$work/png32" | sort | head -n 1)
convert "$work/png32/$picture" -background white -flatten -alpha off "$work/crop.png"
start=$(date +%s.%N)
wine "$build/app/PICTAVOX.exe" "Z:${work//\//\\}\\src" /FIND "Z:${work//\//\\}\\crop.png" >"$work/found" 2>&1 || true
find=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN{print b-a}')
printf 'PICTAVOX /PNG:32:           %6.2f s, %d files\n' "$png" "$(ls "$work/png32" | wc -l)"
printf 'PICTAVOX /FIND:             %6.2f s, first: %s (the picture is %s)\n' "$find" "$(head -n 1 "$work/found" | iconv -f CP932 -t UTF-8 | tr -d '\r')" "$picture"
awk -v a="$find" -v b="$png" 'BEGIN{printf "ratio /FIND / /PNG:32: %.2f (target <= 1.0)\n", a/b}'
