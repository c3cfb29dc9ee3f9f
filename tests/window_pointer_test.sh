#!/usr/bin/env bash
# The real window's pointer and keys on a virtual X display of 1280 x 1024 with openbox: in a
# window the game's pointer is where the system's pointer is, on the very pixel it points at,
# scaled or not; one that started apart from the game's reaches the start button and, moved up out
# of the window, leaves the game's on the top row so the inventory opens; and five instant Escape
# taps (press and release at once) end five games. Run from the build folder.
set -u
work="$(mktemp -d "${TMPDIR:-/tmp}/vz-pointer-XXXXXX")"
source "$(dirname "$0")/window_lib.sh"
need_tools
make_work_folder
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

headless title 'wait 2\nshot title\n'
headless ship 'wait 2\nclick 512 430\nwait 3\nshot ship\n'
headless inventory 'wait 2\nclick 512 430\nwait 3\nmove 512 17\nwait 2\nshot inventory\n'
start_display 1280x1024

# The window's client area on the screen, as "WxH+X+Y" for a crop. Where the window is, xdotool
# only knows rightly by moving the pointer to it (its getwindowgeometry counts the frame's title
# bar in): this moves the pointer to the window's top left corner.
client() {
  local size X Y
  size="$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')"
  xdotool mousemove --window "$window" 0 0
  sleep 0.1
  eval "$(xdotool getmouselocation --shell)"
  echo "$size+$X+$Y"
}

# The game pixel under point (px, py) of a window of w x h points showing the picture fitted: the
# pixel the scaler shows there (centre sampling), stopped at the pointer's frame.
game_pixel() {
  awk -v px="$1" -v py="$2" -v w="$3" -v h="$4" 'function fl(a) { return a < 0 && a != int(a) ? int(a) - 1 : int(a) }
    function clamp(v, lo, hi) { return v < lo ? lo : v > hi ? hi : v }
    BEGIN { pw = w; ph = int(pw * 768 / 1024); if (ph > h) { ph = h; pw = int(ph * 1024 / 768) }
            x0 = int((w - pw) / 2); y0 = int((h - ph) / 2)
            gx = fl((2 * (px - x0) + 1) * 1024 / (2 * pw)); gy = fl((2 * (py - y0) + 1) * 768 / (2 * ph))
            print clamp(gx, 17, 1008), clamp(gy, 17, 752) }'
}

# The frame as the game's own screenshot (F12) takes it, into $work/f12.png. The game names the
# file on standard output once it is written.
f12() {
  local before after=0 path
  before="$(grep -c 'screenshot saved as' "$work/game.out")"
  xdotool key F12
  for _ in $(seq 50); do
    after="$(grep -c 'screenshot saved as' "$work/game.out")"
    [ "$after" -gt "$before" ] && break
    sleep 0.1
  done
  [ "$after" -gt "$before" ] || fail "F12 wrote no screenshot: $(cat "$work/game.log")"
  path="$(grep 'screenshot saved as' "$work/game.out" | tail -n 1 | sed 's/.*screenshot saved as //')"
  cp "$path" "$work/f12.png"
}

# 1. Exact pixels: for points of a window at its own size and of one scaled with bars, the game's
#    pointer is drawn exactly where the headless game draws it for the pixel under the point.
start_game --window
expect_screen "$work/title.png" "the title in a window" 8 3000 "$(client)"
check_points() {
  local size="$1" w h n=0 gx gy pixels
  w="${size%x*}" h="${size#*x}"
  shift
  for point in "$@"; do
    read -r gx gy < <(game_pixel "${point% *}" "${point#* }" "$w" "$h")
    headless "p$n" "wait 2\nmove $gx $gy\nwait 1\nshot p$n\n"
    # shellcheck disable=SC2086
    xdotool mousemove --window "$window" ${point}
    sleep 0.3
    f12
    pixels="$(compare -metric AE "$work/f12.png" "$work/p$n.png" null: 2>&1 >/dev/null)"
    [ "${pixels%%.*}" -eq 0 ] ||
      fail "$size window, point $point: the game's pointer is not on game pixel $gx,$gy ($pixels pixels differ)"
    echo "$size window, point $point: the game's pointer on game pixel $gx,$gy"
    n=$((n + 1))
  done
}
check_points 1024x768 "0 0" "300 200" "512 430" "1023 767" "600 10"
xdotool windowsize "$window" 1000 900
for _ in $(seq 50); do [ "$(client | cut -d+ -f1)" = 1000x900 ] && break; sleep 0.1; done
[ "$(client | cut -d+ -f1)" = 1000x900 ] || fail "the window was not made 1000 x 900"
sleep 0.5
# Picture 1000 x 750 with bars of 75 above and below.
check_points 1000x900 "0 75" "999 824" "123 456" "500 40" "777 890"
xdotool key Escape
expect_clean_exit "an instant Escape in a window"

# 2. The pointer rests 30 px below the window's top, far from the game's (400, 300). Moved onto
#    Start it starts the game; moved up in steps of 40 out over the window's top (and the
#    screen's), it leaves the game's pointer on the top row: the inventory opens.
rm -f "$XDG_CONFIG_HOME/vudizid/settings.ini"
start_game --window
geometry="$(client)"
wx="$(echo "$geometry" | cut -d+ -f2)" wy="$(echo "$geometry" | cut -d+ -f3)"
xdotool mousemove $((wx + 200)) $((wy + 30))
expect_screen "$work/title.png" "the title in a window" 8 3000 "$geometry"
xdotool mousemove_relative -- 312 400
sleep 0.3
xdotool click 1
expect_screen "$work/ship.png" "the ship after Start" 8 3000 "$geometry"
for _ in $(seq 15); do
  xdotool mousemove_relative -- 0 -40
  sleep 0.05
done
expect_screen "$work/inventory.png" "the inventory after the pointer left over the top" 8 3000 "$geometry"
xdotool key Escape
expect_clean_exit "an instant Escape in the inventory"

# 3. Five instant Escape taps on the title end five games.
for run in 1 2 3 4 5; do
  start_game --window
  expect_screen "$work/title.png" "the title, game $run" 8 3000 "$(client)"
  xdotool key Escape
  expect_clean_exit "instant Escape $run"
done
exit 0
