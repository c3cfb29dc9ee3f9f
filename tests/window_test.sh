#!/usr/bin/env bash
# The game in a real window: on a virtual X display it must show the same title screen as the
# headless game, follow the pointer, end with exit code 0 on Escape or on the window's close button,
# ignore keys while another window has the focus, end by the signal itself on SIGTERM, SIGINT and
# SIGHUP (also while a notice is up), and without any display end with a notice and exit code 1,
# for an images folder without the game's pictures as well, never waiting on a FIFO among them.
# Run from the build folder.
# Needs Xvfb (skipped without it), xwd, xdotool, xclock, pgrep and ImageMagick's compare.
set -u
build="$(pwd)"
# In a sanitizer build, leak reports are left to the other tests: the display's own libraries
# (X11 and what SDL loads for it) keep memory the game cannot free.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "Xvfb is not installed: skipped"
  exit 77
fi
for tool in xwd xdotool xclock compare convert pgrep; do
  command -v "$tool" >/dev/null 2>&1 || { echo "missing tool: $tool" >&2; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/vz-window-XXXXXX")"
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
# Starting the game, comparing screens and waiting for its end come from the shared helpers; this
# test keeps its own display, without a window manager, and its own cleaning up.
# shellcheck source=window_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/window_lib.sh"
trap cleanup EXIT

# The player's folders (settings, screenshots) inside the test's own folder, never the real ones.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_PICTURES_DIR="$work/pictures"

# A working folder whose images/ links to the built pictures, without any saved game.
mkdir "$work/images"
for f in "$build"/images/*; do
  [ "$(basename "$f")" = outro.sbf ] || ln -s "$f" "$work/images/"
done

# The headless title screen, pointer where the game puts it at start-up, and with the pointer
# moved onto the start button.
printf 'wait 2\nshot title\nmove 500 430\nwait 1\nshot start\n' >"$work/title.txt"
(cd "$work" && "$build/vudizid-replay" --shots "$work" title.txt) || fail "vudizid-replay"
[ -s "$work/title.png" ] && [ -s "$work/start.png" ] || fail "no headless title pictures"

# Without any display the game says which step failed, once, and ends with exit code 1.
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$build/vudizid") >"$work/nodisplay.log" 2>&1
status=$?
[ "$status" -eq 1 ] || fail "without a display the game ended with $status: $(cat "$work/nodisplay.log")"
[ "$(grep -c 'DDraw Fehler: CreateEx()' "$work/nodisplay.log")" -eq 1 ] ||
  fail "without a display the notice was not given once: $(cat "$work/nodisplay.log")"
echo "without a display: one notice and exit code 1"

# Without a display either: a folder of pictures holding none of the game's is named, once, before
# any window, and the game ends with exit code 1. (Named with --data: from the working directory
# the game would go on to the pictures next to the program.)
mkdir -p "$work/empty/images"
(cd "$work/empty" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$build/vudizid" --data "$work/empty/images") \
  >"$work/empty.log" 2>&1
status=$?
[ "$status" -eq 1 ] || fail "with an empty images folder the game ended with $status: $(cat "$work/empty.log")"
[ "$(grep -c "holds none of the game's pictures" "$work/empty.log")" -eq 1 ] &&
  grep -q "$work/empty" "$work/empty.log" || fail "the empty images folder was not named: $(cat "$work/empty.log")"
echo "an empty images folder: named, exit code 1"

# A FIFO in place of a picture and of the saved game is no picture and no save: start-up goes on
# to the display without waiting for anyone to write into them.
mkdir -p "$work/fifo/images"
for f in "$work"/images/*; do ln -s "$(readlink "$f")" "$work/fifo/images/"; done
rm "$work/fifo/images/text.sbf"
mkfifo "$work/fifo/images/text.sbf" "$work/fifo/images/outro.sbf"
(cd "$work/fifo" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$build/vudizid") >"$work/fifo.log" 2>&1
status=$?
[ "$status" -eq 1 ] && grep -q 'DDraw Fehler: CreateEx()' "$work/fifo.log" ||
  fail "with FIFOs for pictures start-up did not get to the display ($status): $(cat "$work/fifo.log")"
echo "FIFOs in images/: start-up does not wait for them"

# A display without a window manager: the X server itself moves the focus.
start_xvfb 1024x768



focus_game() {
  for w in $(xdotool search --name 'Vudizid Ozazi' 2>/dev/null); do
    xdotool windowfocus "$w" >/dev/null 2>&1 && break
  done
}



# 1. The title screen, then Escape.
start_game
expect_screen "$work/title.png" "the title screen"
focus_game
press_key Escape
expect_clean_exit "Escape"

# 2. Another window takes the focus: keys pressed there do not reach the game. Back in front, the
#    pointer follows the mouse from where it was, nothing is stuck, and Escape works again.
start_game
expect_screen "$work/title.png" "the title screen"
focus_other_window
press_key Escape
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "Escape pressed in another window ended the game"
kill "$clock_pid" 2>/dev/null
wait "$clock_pid" 2>/dev/null
focus_game
sleep 0.5
xdotool mousemove_relative -- 100 130
expect_screen "$work/start.png" "the start button under the pointer"
press_key Escape
expect_clean_exit "Escape after the focus came back"
echo "focus lost and regained: no key leaked, the pointer follows the mouse"

# 3. The window's close button (what a window manager sends) ends the game like Escape.
start_game
expect_screen "$work/title.png" "the title screen"
"$build/xclose" "Vudizid Ozazi" || fail "could not ask the window to close"
expect_clean_exit "the close button"
[ ! -s "$work/game.log" ] || ! grep -qi fehler "$work/game.log" || fail "a notice on closing: $(cat "$work/game.log")"

# 4. A quit signal ends the game, and with that signal: at the title screen, and while a notice is
#    on screen (the message box runs in a child process, which must go with the game), leaving the
#    saved game as it was.
start_game
expect_screen "$work/title.png" "the title screen"
kill -TERM "$game_pid"
expect_clean_exit "SIGTERM at the title screen" 143

printf 'damaged' >"$work/images/outro.sbf"
for signal in TERM:15 INT:2 HUP:1; do
  start_game
  expect_screen "$work/title.png" "the title screen"
  focus_game
  xdotool mousemove_relative -- 112 230  # onto the load button
  sleep 0.3
  xdotool mousedown 1  # held for a few frames: the game looks at the button once a frame
  sleep 0.2
  xdotool mouseup 1
  notice=""
  for _ in $(seq 50); do
    notice="$(pgrep -P "$game_pid" | head -n 1)"
    [ -n "$notice" ] && break
    sleep 0.1
  done
  [ -n "$notice" ] || fail "no notice for the damaged save: $(cat "$work/game.log")"
  sleep 0.5
  kill -0 "$notice" 2>/dev/null || fail "the notice did not stay up"
  kill "-${signal%%:*}" "$game_pid"
  expect_clean_exit "SIG${signal%%:*} during a notice" $((128 + ${signal##*:}))
  for _ in $(seq 20); do kill -0 "$notice" 2>/dev/null || break; sleep 0.1; done
  ! kill -0 "$notice" 2>/dev/null || fail "the notice outlived the game"
  [ "$(cat "$work/images/outro.sbf")" = damaged ] || fail "the damaged save was changed"
done
rm "$work/images/outro.sbf"
