#!/usr/bin/env bash
# The game in a real window: on a virtual X display it must show the same title screen as the
# headless game, and Escape must end it with exit code 0. Run from the build folder.
# Needs Xvfb (skipped without it), xwd, xdotool and ImageMagick's compare.
set -u
build="$(pwd)"
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "Xvfb is not installed: skipped"
  exit 77
fi
for tool in xwd xdotool compare convert; do
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
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A working folder whose images/ links to the built pictures, without any saved game.
mkdir "$work/images"
for f in "$build"/images/*; do
  [ "$(basename "$f")" = outro.sbf ] || ln -s "$f" "$work/images/"
done

# The headless title screen, pointer where the game puts it at start-up.
printf 'wait 2\nshot title\n' >"$work/title.txt"
(cd "$work" && "$build/vudizid-replay" --shots "$work" title.txt) || fail "vudizid-replay"
[ -s "$work/title.png" ] || fail "no headless title picture"

# A free display number: no lock file and no socket.
display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || fail "no free X display"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  sleep 0.1
done

(cd "$work" && exec "$build/vudizid") >"$work/game.log" 2>&1 &
game_pid=$!

# Wait for the window, then for the title screen to match the headless picture.
window=""
for _ in $(seq 100); do
  window="$(xdotool search --name 'Vudizid Ozazi' 2>/dev/null | head -n 1)"
  [ -n "$window" ] && break
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended at start-up: $(cat "$work/game.log")"
  sleep 0.1
done
[ -n "$window" ] || fail "no game window"

# Colour conversion may differ by a level or two; a few pixels (the pointer) may differ more.
pixels=1000000
for _ in $(seq 30); do
  sleep 0.2
  xwd -root -silent -display "$display" >"$work/screen.xwd" 2>/dev/null || continue
  convert "xwd:$work/screen.xwd" "$work/screen.png" 2>/dev/null || continue
  pixels="$(compare -metric AE -fuzz 6% "$work/screen.png" "$work/title.png" null: 2>&1 >/dev/null)"
  pixels="${pixels%%.*}"
  [[ "$pixels" =~ ^[0-9]+$ ]] && [ "$pixels" -lt 3000 ] && break
done
[[ "$pixels" =~ ^[0-9]+$ ]] && [ "$pixels" -lt 3000 ] ||
  fail "the screen does not show the title screen ($pixels pixels differ)"
echo "title screen shown ($pixels of 786432 pixels differ)"

# Escape, held for a few frames so that a frame sees it.
for w in $(xdotool search --name 'Vudizid Ozazi' 2>/dev/null); do
  xdotool windowfocus "$w" >/dev/null 2>&1 && break
done
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
status=""
for _ in $(seq 50); do
  if ! kill -0 "$game_pid" 2>/dev/null; then
    wait "$game_pid"
    status=$?
    break
  fi
  sleep 0.1
done
[ -n "$status" ] || fail "the game did not end on Escape"
game_pid=""
[ "$status" -eq 0 ] || fail "the game ended with exit code $status: $(cat "$work/game.log")"
echo "Escape ended the game with exit code 0"
