#!/usr/bin/env bash
# The desktop's touch controls in a real window on a virtual X display with a window manager:
# fingers pushed into SDL's event queue (an X server without a touch screen has no other way) start
# the game, step the verb, hold the names, open the menu, switch to full screen and back, open the
# inventory, give way to the mouse and quit (tests/sdl/touch_window.cpp). With VZ_SHOTS_DIR set,
# the window's pictures of the controls are kept there. Run from the build folder.
set -u
work="$(mktemp -d "${TMPDIR:-/tmp}/vz-touch-XXXXXX")"
source "$(dirname "$0")/window_lib.sh"
need_tools
make_work_folder
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
start_display 1280x1024
mkdir -p "$work/shots"
(cd "$work" && "$build/tests/vudizid-touch-window" "$work/shots") || fail "the touch controls in a real window"
if [ -n "${VZ_SHOTS_DIR:-}" ]; then
  for shot in "$work"/shots/*.bmp; do convert "$shot" "$VZ_SHOTS_DIR/$(basename "$shot" .bmp).png"; done
fi
exit 0
