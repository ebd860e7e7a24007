#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively under ASan/UBSan, the
# 64-bit Windows build's tests under Wine (GUI tests on a private Xvfb), and the 32-bit compile check;
# then, in a full run (no ctest arguments), the release zips of scripts/package.sh and their check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup-debian.sh
source scripts/wine-env.sh

jobs=$(nproc)
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPICTAVO_WINDOWS=ON >/dev/null
cmake --build build/native -j"$jobs"

# A private X server for the GUI tests, stopped again however the run ends.
display=""
for n in $(seq 90 120); do
  if [ ! -e /tmp/.X$n-lock ] && [ ! -e /tmp/.X11-unix/X$n ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" >/dev/null 2>&1 || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
pictavo_prepare_prefix

ctest --test-dir build/native --output-on-failure -j"$jobs" "$@"

# Once per full run: the release zips, checked with outside tools; the packaged 64-bit program
# runs on this script's Xvfb.
if [ $# -eq 0 ]; then
  bash scripts/package.sh
  bash tests/check-package.sh
fi
