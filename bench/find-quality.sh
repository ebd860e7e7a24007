#!/usr/bin/env bash
# How well PICTAVOX finds an icon by its picture, over the icons of Wine's system32. The pictures
# are made without Pictavo: wrestool takes each icon group out as an .ico, icotool its deepest
# 32 x 32 image and its deepest 48 x 48 image, and ImageMagick lays the 32-pixel image over white,
# black and grey and scales the 48-pixel one to 32 (over white). Prints, per ground, how many
# pictures put their icon first and among the first three. Harder cases beside the goal
# ("extra-"): the 48-pixel image scaled to 32 over black, the 32-pixel image over a made-up photo,
# with a 4-pixel margin of white (a loose crop), enlarged to 64, and the 48-pixel image as it is.
#   bash bench/find-quality.sh [build/win64]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win64}
source "$root/scripts/wine-env.sh"
pictavo_prepare_prefix
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
system32=$WINEPREFIX/drive_c/windows/system32
mkdir -p "$work/src" "$work/ico" "$work/pictures"/{white,black,grey,scaled} \
  "$work/pictures"/extra-{scaled-black,photo,margin,enlarged,at-48}
find "$system32" -maxdepth 1 -type f \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.ocx' -o -iname '*.cpl' \) \
  -exec cp -L {} "$work/src/" \;

# The deepest image of one size among those icotool took out (NAME_N_WxHxBITS.png).
deepest() { ls "$1"/*_"$2"x"$2"x*.png 2>/dev/null | awk -F x '{print $NF + 0, $0}' | sort -n | tail -n 1 | cut -d' ' -f2-; }

for f in "$work"/src/*; do
  base=$(basename "$f"); index=0
  for name in $(wrestool -l --type=14 "$f" 2>/dev/null | sed -n 's/.*--name=\([^ ]*\).*/\1/p' | tr -d "'" | uniq); do
    one="$work/ico/one"; rm -rf "$one"; mkdir -p "$one"
    wrestool -x --type=14 --name="$name" "$f" >"$one/icon.ico" 2>/dev/null || true
    icotool -x -o "$one" "$one/icon.ico" 2>/dev/null || true
    picture="$base@$index.png"
    if small=$(deepest "$one" 32) && [ -n "$small" ]; then
      convert "$small" -background white -flatten -alpha off "$work/pictures/white/$picture"
      convert "$small" -background black -flatten -alpha off "$work/pictures/black/$picture"
      convert "$small" -background '#808080' -flatten -alpha off "$work/pictures/grey/$picture"
      convert -size 32x32 -seed "$index" plasma:fractal "$one/photo.png"
      convert "$one/photo.png" "$small" -composite -alpha off "$work/pictures/extra-photo/$picture"
      convert "$small" -background white -gravity center -extent 40x40 -flatten -alpha off "$work/pictures/extra-margin/$picture"
      convert "$small" -resize 64x64 -background white -flatten -alpha off "$work/pictures/extra-enlarged/$picture"
    fi
    if large=$(deepest "$one" 48) && [ -n "$large" ]; then
      convert "$large" -resize 32x32 -background white -flatten -alpha off "$work/pictures/scaled/$picture"
      convert "$large" -resize 32x32 -background black -flatten -alpha off "$work/pictures/extra-scaled-black/$picture"
      convert "$large" -background white -flatten -alpha off "$work/pictures/extra-at-48/$picture"
    fi
    index=$((index + 1))
  done
done
for ground in $(ls "$work/pictures"); do echo "$ground: $(ls "$work/pictures/$ground" | wc -l) pictures"; done

win() { printf 'Z:%s' "${1//\//\\}"; }
wine "$build/bench/pictavo_find_quality.exe" "$(win "$work/src")" "$(win "$work/pictures")" white black grey scaled \
  extra-scaled-black extra-photo extra-margin extra-enlarged extra-at-48
