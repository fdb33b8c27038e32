#!/usr/bin/env bash
# The README's run command: on a fresh Debian 12 machine, installs what is missing,
# builds a Release and starts Korvalen on the user's display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/release

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target korvalen

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display (DISPLAY and WAYLAND_DISPLAY are unset); to run under Xvfb: xvfb-run -s \"-screen 0 1920x1080x24\" scripts/run.sh" >&2
  exit 1
fi
exec "$build/app/korvalen"
