#!/usr/bin/env bash
# Builds Pictavo for Windows and starts it under Wine with a Japanese locale.
#   scripts/run.sh          needs an X display (DISPLAY)
#   scripts/run.sh --xvfb   runs it on a virtual display instead
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

use_xvfb=0
[ "${1:-}" = "--xvfb" ] && use_xvfb=1

bash scripts/setup-debian.sh
source scripts/wine-env.sh

cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/win64 --target Pictavo -j"$(nproc)"
pictavo_prepare_prefix

exe=build/win64/app/PICTAVO.exe
if [ "$use_xvfb" = 1 ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$exe"
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "Pictavo needs an X display: set DISPLAY, or run 'scripts/run.sh --xvfb' for a virtual one." >&2
  exit 2
fi
exec wine "$exe"
