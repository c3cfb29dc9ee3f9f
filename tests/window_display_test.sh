#!/usr/bin/env bash
# The real window's display settings on a virtual X display of 2100 x 1600 with a window manager:
# F10 and --scale switch between fitting the screen and whole-number scaling, F11 between full
# screen and a window; the choice, full screen or window and the window's place are remembered
# across runs in $XDG_CONFIG_HOME/vudizid/settings.ini, and a bad line in it is ignored alone with
# one line on standard error. Run from the build folder.
set -u
work="$(mktemp -d "${TMPDIR:-/tmp}/vz-display-XXXXXX")"
source "$(dirname "$0")/window_lib.sh"
need_tools
make_work_folder
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
settings="$XDG_CONFIG_HOME/vudizid/settings.ini"

# Options the game does not know end it at once with its usage.
for options in "--scale" "--scale big" "--bogus"; do
  # shellcheck disable=SC2086
  (cd "$work" && "$build/vudizid" $options) >/dev/null 2>"$work/usage.log"
  status=$?
  [ "$status" -eq 2 ] && grep -qi usage "$work/usage.log" || fail "vudizid $options ended with $status"
done
echo "unknown options: usage and exit code 2"

headless title 'wait 2\nshot title\n'
convert "$work/title.png" -scale 200% "$work/title2x.png"
start_display 2100x1600

# Black at a point of the screen?
black() { [ "$(convert "$work/screen.png" -crop "1x1+$1+$2" -format '%[fx:r+g+b]' info:)" = 0 ]; }
# Fitted, the 2100 x 1575 picture reaches the left edge; twice the size, 2048 x 1536, it does not.
expect_fitted() {
  for _ in $(seq 25); do
    sleep 0.2
    screen_png && ! black 5 800 && black 1000 4 && { echo "$1: fitted"; return; }
  done
  fail "$1: the picture does not fit the screen"
}
expect_whole() {
  expect_screen "$work/title2x.png" "$1: the title at twice its size" 6 3000 2048x1536+26+32
  black 5 800 || fail "$1: no black beside the picture"
}
setting() { grep -qx "$1" "$settings" || fail "settings.ini has no '$1': $(cat "$settings" 2>&1)"; }

# 1. A bad line in the settings file: one line on standard error, that line ignored (full screen,
#    the default) and the others kept (fitted).
mkdir -p "$(dirname "$settings")"
printf 'scale=fit\nfullscreen=maybe\n' >"$settings"
start_game
expect_fitted "a bad line in the settings file"
[ "$(wc -l <"$work/game.log")" -eq 1 ] && grep -q "settings.ini.*ignored" "$work/game.log" ||
  fail "not one line about the damaged settings: $(cat "$work/game.log")"
press_key F10
expect_whole "after F10"
press_key Escape
expect_clean_exit "Escape"
setting scale=whole
setting fullscreen=yes

# 2. Remembered; the command line wins for its run and is remembered in turn.
start_game
expect_whole "the next run"
press_key Escape
expect_clean_exit "Escape"
start_game --scale fit
expect_fitted "--scale fit"
press_key F11
sleep 1
geometry="$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')"
[ "$geometry" = 1024x768 ] || fail "F11 gave no 1024 x 768 window ($geometry)"
press_key Escape
expect_clean_exit "Escape in a window"
setting scale=fit
setting fullscreen=no
grep -q '^window=-\?[0-9]* -\?[0-9]* 1024 768$' "$settings" || fail "no window place kept: $(cat "$settings")"
[ ! -s "$work/game.log" ] || fail "warnings: $(cat "$work/game.log")"

# 3. The window comes back where it was left, run after run, without creeping.
start_game
sleep 1
xdotool windowmove "$window" 300 200
sleep 1
place() { xdotool getwindowgeometry "$window" | awk '/Position/ {print $2}'; }
left="$(place)"
press_key Escape
expect_clean_exit "Escape after moving the window"
for run in 1 2; do
  start_game
  sleep 1.5
  [ "$(place)" = "$left" ] || fail "run $run: the window is at $(place), it was left at $left"
  press_key Escape
  expect_clean_exit "Escape"
done
echo "the window came back to $left twice"
exit 0
