#!/usr/bin/env bash
# Runs the Windows writer sample under Wine into a temporary folder, then checks its files with
# readers that share no code with Pictavo: icoutils' icotool and ImageMagick's identify.
#   check-writer-files.sh WINE-RUN WRITER-SAMPLE.EXE
set -euo pipefail
wine_run=$1
sample=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$wine_run" "$sample" "Z:${out//\//\\}"

fail() { echo "FAIL: $*" >&2; exit 1; }

ico=$(icotool -l "$out/SAMPLE.ICO")
echo "icotool: $ico"
[ "$(printf '%s\n' "$ico" | wc -l)" -eq 1 ] || fail "SAMPLE.ICO should hold one image"
printf '%s\n' "$ico" | grep -q -- '--width=32 --height=32 --bit-depth=4 --palette-size=16' \
  || fail "SAMPLE.ICO is not one 32x32 4-bit image"
large=$(icotool -l "$out/LARGE.ICO")
echo "icotool: $large"
printf '%s\n' "$large" | grep -q -- '--width=48 --height=48 --bit-depth=4 --palette-size=16' \
  || fail "LARGE.ICO is not one 48x48 4-bit image"
# icotool takes the image apart again: the mask makes the corner transparent, the centre opaque.
icotool -x -o "$out/extracted.png" "$out/SAMPLE.ICO" || fail "icotool cannot extract SAMPLE.ICO"
alpha=$(convert "$out/extracted.png" -format '%[fx:p{0,0}.a] %[fx:p{16,16}.a]' info:)
echo "icon alpha at corner and centre: $alpha"
[ "$alpha" = "0 1" ] || fail "SAMPLE.ICO's mask is wrong: $alpha"

# 4150 bytes: Wine on Xvfb has a 32-bit display.
bmp=$(identify "$out/SAMPLE.BMP")
echo "identify: $bmp"
printf '%s\n' "$bmp" | grep -Eq 'BMP3? 32x32 .* 4150B' || fail "SAMPLE.BMP is not a 32x32 BMP of 4150 bytes"
# The transparent corner is white, the opaque centre is not.
corner=$(convert "$out/SAMPLE.BMP" -format '%[pixel:p{0,0}]' info:)
centre=$(convert "$out/SAMPLE.BMP" -format '%[pixel:p{16,16}]' info:)
echo "corner $corner, centre $centre"
case "$corner" in white|"srgb(255,255,255)"|"srgba(255,255,255,1)") ;; *) fail "corner is $corner, not white" ;; esac
case "$centre" in white|"srgb(255,255,255)"|"srgba(255,255,255,1)") fail "centre is white" ;; esac
# Each image's PNG shows what icotool takes out of the whole icon (laid over one colour, so that
# transparent pixels count by their transparency alone); the scaled one is 24 pixels with alpha.
icotool -x -o "$out" "$out/WHOLE.ICO" || fail "icotool cannot extract WHOLE.ICO"
for i in 0 1 2 3; do
  theirs=$(ls "$out"/WHOLE_$((i + 1))_*.png)
  for f in "$theirs" "$out/IMAGE$i.PNG"; do convert "$f" -background magenta -flatten "$f.flat.png"; done
  differing=$(compare -metric AE "$theirs.flat.png" "$out/IMAGE$i.PNG.flat.png" null: 2>&1 || true)
  echo "IMAGE$i.PNG: $(identify -format '%wx%h %[channels]' "$out/IMAGE$i.PNG"), $differing pixels differ from $(basename "$theirs")"
  [ "$differing" = "0" ] || fail "IMAGE$i.PNG differs from icotool's $(basename "$theirs")"
done
scaled=$(identify -format '%wx%h %[channels]' "$out/SCALED.PNG")
echo "SCALED.PNG: $scaled"
case "$scaled" in "24x24 srgba"*) ;; *) fail "SCALED.PNG is $scaled, not 24x24 with alpha" ;; esac
# Colour-mask bitmaps: red wherever the image is (never its masks read as pixels), and a 48 x 32
# image at 16 pixels is a 16 x 16 square whose top rows are transparent.
masked=$(convert "$out/MASKED32.PNG" -format '%wx%h %[pixel:p{0,15}] %[fx:p{0,15}.a] %[pixel:p{15,0}]' info:)
echo "MASKED32.PNG: $masked"
case "$masked" in "16x16 "*"(255,0,0"*" 1 "*"(255,0,0"*|"16x16 red 1 red") ;; *) fail "MASKED32.PNG is $masked, not opaque red" ;; esac
wide=$(convert "$out/WIDE565.PNG" -format '%wx%h %[fx:p{8,0}.a] %[fx:p{8,8}.a] %[fx:p{8,8}.r] %[fx:p{8,8}.g]' info:)
echo "WIDE565.PNG: $wide"
[ "$wide" = "16x16 0 1 1 0" ] || fail "WIDE565.PNG is $wide, not 16x16, transparent on top, red in the middle"
echo "writer files read back correctly"
