#!/usr/bin/env bash
# Builds and runs the window benchmark: the real main window, maximized, for 60 s (or
# the number of seconds given as the first argument). Where no display is set, it
# starts a private Xvfb of 1920 x 1080 at 24 bits and runs the window there.
#
#   bench/app/run-window-bench.sh [seconds]
#
# The build directory is $KORVALEN_BUILD_DIR, by default build/release (Release).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${KORVALEN_BUILD_DIR:-$root/build/release}

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --target bench_window

xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  display=""
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  [ -n "$display" ] || { echo "run-window-bench: no free X display number in :90 to :120" >&2; exit 1; }
  Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

"$build/bench/app/bench_window" "$@"
