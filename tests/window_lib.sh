# Shared by the real-window tests: a virtual X display with a window manager, the game started
# in it, screens compared with headless pictures, processor time read from /proc. Source it from
# the build folder after setting `work` to a fresh folder.
# Needs Xvfb, openbox, xwd, xdotool and ImageMagick's convert and compare.

build="$(pwd)"
xvfb_pid="" wm_pid="" game_pid=""
lib_cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap lib_cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

need_tools() {
  if ! command -v Xvfb >/dev/null 2>&1; then
    echo "Xvfb is not installed: skipped"
    exit 77
  fi
  for tool in openbox xwd xdotool compare convert "$@"; do
    command -v "$tool" >/dev/null 2>&1 || fail "missing tool: $tool"
  done
}

# The player's folders inside the test's folder, never the real ones, and a working folder whose
# images/ links to the built pictures, without any saved game, and whose sounds/ is the built one.
make_work_folder() {
  export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_PICTURES_DIR="$work/pictures"
  mkdir -p "$work/images"
  for f in "$build"/images/*; do
    [ "$(basename "$f")" = outro.sbf ] || ln -s "$f" "$work/images/"
  done
  # The sounds beside the pictures, as in the build folder.
  [ -d "$build/sounds" ] && ln -s "$build/sounds" "$work/sounds"
}

# Headless pictures of a replay script: headless NAME 'script lines'.
headless() {
  printf '%b' "$2" >"$work/$1.txt"
  (cd "$work" && "$build/vudizid-replay" --shots "$work" "$1.txt") || fail "vudizid-replay $1"
}

# A virtual display of the given size on a free number (no lock file, no socket) above 150, and
# DISPLAY naming it. -noreset: an X server resets when its last client leaves, and drops whoever
# connects meanwhile; between two runs of the game that would be the next game.
start_xvfb() {
  local size="$1" n display=""
  for _ in $(seq 40); do
    n=$((151 + RANDOM % 600))
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
  done
  [ -n "$display" ] || fail "no free X display"
  Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
  done
}

# The same display with a window manager that can minimise windows and move the focus.
start_display() {
  start_xvfb "$1"
  openbox >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  # Ready once it answers for the active window (before, xdotool finds no window manager).
  for _ in $(seq 50); do
    xdotool getactivewindow 2>&1 | grep -q 'not to support' || break
    kill -0 "$wm_pid" 2>/dev/null || fail "openbox did not start: $(cat "$work/openbox.log")"
    sleep 0.1
  done
}

# start_game [options...]: the game, its window in `window`, its standard error in game.log.
start_game() {
  # A background job of a script starts with some signals ignored; the game keeps what it is given.
  (cd "$work" && exec env --default-signal=INT,TERM,HUP "${game_program:-$build/vudizid}" "$@") \
    >"$work/game.out" 2>"$work/game.log" &
  game_pid=$!
  window=""
  for _ in $(seq 100); do
    window="$(xdotool search --name 'Vudizid Ozazi' 2>/dev/null | head -n 1)"
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended at start-up: $(cat "$work/game.log")"
    sleep 0.1
  done
  [ -n "$window" ] || fail "no game window"
}

screen_png() {
  xwd -root -silent >"$work/screen.xwd" 2>/dev/null && convert "xwd:$work/screen.xwd" "$work/screen.png" 2>/dev/null
}

# Pixels of the screen (or of the crop WxH+X+Y of it) that differ from a picture; colour
# conversion may differ by a level or two.
differing() {
  local picture="$1" crop="${2:-}" pixels
  if [ -n "$crop" ]; then
    convert "$work/screen.png" -crop "$crop" +repage "$work/crop.png" || return 1
    pixels="$(compare -metric AE -fuzz 6% "$work/crop.png" "$picture" null: 2>&1 >/dev/null)"
  else
    pixels="$(compare -metric AE -fuzz 6% "$work/screen.png" "$picture" null: 2>&1 >/dev/null)"
  fi
  echo "${pixels%%.*}"
}

# expect_screen PICTURE WHAT [SECONDS] [MOST] [CROP]: waits until no more than MOST pixels of the
# screen differ from the picture (3000 unless given: the pointer may differ).
expect_screen() {
  local picture="$1" what="$2" seconds="${3:-6}" most="${4:-3000}" crop="${5:-}" pixels=""
  for _ in $(seq $((seconds * 5))); do
    sleep 0.2
    screen_png || continue
    pixels="$(differing "$picture" "$crop")"
    [[ "$pixels" =~ ^[0-9]+$ ]] && [ "$pixels" -le "$most" ] && break
  done
  # Kept for looking at afterwards, when a folder for it is named.
  [ -n "${VZ_SHOTS_DIR:-}" ] && cp "$work/screen.png" "$VZ_SHOTS_DIR/$(basename "$picture" .png)-window.png"
  [[ "$pixels" =~ ^[0-9]+$ ]] && [ "$pixels" -le "$most" ] ||
    fail "the screen does not show $what ($pixels pixels differ)"
  echo "$what shown ($pixels pixels differ)"
}

# Processor time the game has used, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }

# expect_clean_exit HOW [STATUS]: the game ends on its own with STATUS (default 0).
expect_clean_exit() {
  local how="$1" want="${2:-0}" status=""
  for _ in $(seq 50); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      wait "$game_pid"
      status=$?
      break
    fi
    sleep 0.1
  done
  [ -n "$status" ] || fail "the game did not end on $how"
  game_pid=""
  [ "$status" -eq "$want" ] || fail "the game ended with exit code $status on $how: $(cat "$work/game.log")"
  echo "$how ended the game with exit code $want"
}

# Another program's window (a clock) that takes the focus; clock_pid and clock name it. Asked to
# activate a window under a full-screen one, a window manager would keep the focus where it is; the
# X server moves it at once.
focus_other_window() {
  xclock -geometry 100x100+10+10 >/dev/null 2>&1 &
  clock_pid=$!
  clock=""
  for _ in $(seq 50); do
    clock="$(xdotool search --name xclock 2>/dev/null | head -n 1)"
    [ -n "$clock" ] && break
    sleep 0.1
  done
  [ -n "$clock" ] || fail "no second window"
  xdotool windowfocus "$clock"
}

press_key() {
  xdotool keydown "$1"
  sleep 0.3
  xdotool keyup "$1"
}
