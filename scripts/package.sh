#!/usr/bin/env bash
# Builds the release configuration (cmake/Release.cmake: optimised, no debug information,
# stripped, static) for 64-bit and 32-bit Windows and writes dist/pictavo-<version>-win64.zip and
# dist/pictavo-<version>-win32.zip, each holding PICTAVO.EXE, the console program PICTAVOX.EXE and
# README.txt. The version is the
# project VERSION of CMakeLists.txt, the same that fills the version block.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup-debian.sh

mkdir -p dist
rm -rf dist/stage dist/pictavo-*-win64.zip dist/pictavo-*-win32.zip
for bits in 64 32; do
  if [ "$bits" = 64 ]; then arch=x86_64; else arch=i686; fi
  dir=build/release-win$bits
  cmake -C cmake/Release.cmake -S . -B "$dir" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" >/dev/null
  cmake --build "$dir" --target Pictavo PictavoConsole -j"$(nproc)"
  version=$(sed -n 's/^#define PICTAVO_VERSION_TEXT "\(.*\)"$/\1/p' "$dir/resources/PictavoVersion.h")

  stage=dist/stage/win$bits
  mkdir -p "$stage"
  cp "$dir/app/PICTAVO.exe" "$stage/PICTAVO.EXE"
  cp "$dir/app/PICTAVOX.exe" "$stage/PICTAVOX.EXE"
  # README.txt for Notepad: UTF-8 with a byte order mark and CR LF line ends.
  { printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/g; s/@BITS@/$bits/g; s/\$/\r/" resources/README.txt.in; } \
    >"$stage/README.txt"
  zip="dist/pictavo-$version-win$bits.zip"
  (cd "$stage" && python3 -m zipfile -c "$root/$zip" PICTAVO.EXE PICTAVOX.EXE README.txt)
  echo "$zip: $(stat -c %s "$stage/PICTAVO.EXE") bytes PICTAVO.EXE"
done
rm -rf dist/stage
