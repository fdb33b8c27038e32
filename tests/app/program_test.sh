#!/usr/bin/env bash
# The program as a user starts it: korvalen opens its window on the display, titled
# "Simulation d'un bateau" with the application's title "Korvalen", maximized over the
# screen (no window manager needed), and keeps running until it is closed.
# Usage: program_test.sh PATH/TO/korvalen   (needs DISPLAY)
set -euo pipefail
program=$1
[ -n "${DISPLAY:-}" ] || { echo "program_test: DISPLAY is not set" >&2; exit 1; }

"$program" >/dev/null 2>&1 &
pid=$!
cleanup() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
trap cleanup EXIT

title="Simulation d'un bateau — Korvalen"
screen=$(xdpyinfo | awk '/dimensions:/ && !s {print $2; s = 1}')
line=""
for _ in $(seq 100); do
  line=$(xwininfo -root -tree | grep -F "\"$title\"" || true)
  [ -n "$line" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "program_test: korvalen ended at start-up" >&2; exit 1; }
  sleep 0.1
done
[ -n "$line" ] || { echo "program_test: no window titled \"$title\"" >&2; exit 1; }
echo "window: $line"
# Without a window manager (Xvfb, CI) nothing else places the window: it must fill the
# screen by itself. (Under a window manager, its panels and frames take their share.)
if xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "not found"; then
  case "$line" in
    *" ${screen}+0+0 "*) ;;
    *) echo "program_test: the window does not fill the screen ($screen)" >&2; exit 1 ;;
  esac
fi

sleep 2
kill -0 "$pid" 2>/dev/null || { echo "program_test: korvalen ended by itself" >&2; exit 1; }
echo "program_test: ok"
