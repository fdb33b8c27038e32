#!/usr/bin/env bash
# Installs what is missing, builds Release and runs every test through CTest.
# The window tests need a display: where none is set, a private Xvfb is started.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVALEN_BUILD_DIR:-$root/build/release}

"$root/scripts/deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release ${KORVALEN_CMAKE_ARGS:-}
cmake --build "$build"

xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

ctest --test-dir "$build" --output-on-failure -j "$(nproc)" ${KORVALEN_CTEST_ARGS:-}
