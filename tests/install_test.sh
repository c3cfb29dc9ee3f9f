#!/usr/bin/env bash
# The Debian package on this machine: installed, its files validated, the game started from its menu
# entry's command line with a fresh home far from the source tree under Xvfb and a window manager;
# its title screen must be the headless one, a game saved from the panel must land in the player's
# folder and come back on Load; removing the package must leave none of its files and keep the save.
# Usage: tests/install_test.sh PACKAGE.deb, run from the build folder (for vudizid-replay and the
# pictures of the headless frames). Needs root (skipped otherwise: exit 77). VZ_SHOTS_DIR, when set,
# keeps the screenshots.
set -u
build="$(pwd)"
deb="${1:?usage: install_test.sh PACKAGE.deb}"
deb="$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")"

if [ "$(id -u)" -ne 0 ]; then
  echo "installing a package needs root: skipped"
  exit 77
fi
for tool in Xvfb openbox xwd xdotool compare convert desktop-file-validate appstreamcli dpkg; do
  command -v "$tool" >/dev/null 2>&1 || { echo "missing tool: $tool" >&2; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/vz-install-XXXXXX")"
xvfb_pid="" wm_pid="" game_pid="" installed=0
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null
  # A failed run does not leave the package behind.
  [ "$installed" -eq 1 ] && dpkg_retry -r vudizid >/dev/null 2>&1
  rm -rf "$work"
}
# Comparing screens and waiting for the game's end come from the real-window tests' helpers; the
# installed game is started here in its own way, and this test does its own cleaning up.
# shellcheck source=window_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/window_lib.sh"
trap cleanup EXIT

# dpkg refuses to run while another program holds its lock; wait for it a while.
dpkg_retry() {
  local out
  for _ in $(seq 60); do
    if out="$(dpkg "$@" 2>&1)"; then echo "$out"; return 0; fi
    grep -q 'lock' <<<"$out" || { echo "$out" >&2; return 1; }
    sleep 2
  done
  echo "$out" >&2
  return 1
}

# ---- The headless frames: the title, and the bar scene as Load brings it back after the save.
mkdir -p "$work/headless/images"
for f in "$build"/images/*; do
  [ "$(basename "$f")" = outro.sbf ] || ln -s "$f" "$work/headless/images/"
done
printf 'wait 2\nshot title\nclick 500 430\nclick 970 630\nwait 10\nmove 500 17\nwait 3\nclick 290 600\nwait 3\n' \
  >"$work/save.txt"
printf 'click 500 530\nwait 25\nshot loaded\n' >"$work/load.txt"
(cd "$work/headless" && "$build/vudizid-replay" --shots "$work" "$work/save.txt" &&
  "$build/vudizid-replay" --shots "$work" "$work/load.txt") || fail "vudizid-replay"
[ -s "$work/title.png" ] && [ -s "$work/loaded.png" ] || fail "no headless pictures"

# ---- The package itself.
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
echo "lintian: no errors or warnings"

# ---- Install, and check what was installed.
was_installed="$(dpkg-query -W -f='${Status}' vudizid 2>/dev/null || true)"
dpkg_retry -i "$deb" >"$work/dpkg.log" || fail "dpkg -i: $(cat "$work/dpkg.log")"
installed=1
version="$(dpkg-deb -f "$deb" Version)"
echo "installed vudizid $version"
[[ "$was_installed" == *"install ok installed"* ]] &&
  echo "(it was installed before this test; it is removed at the end)"

desktop="/usr/share/applications/vudizid.desktop"
metainfo="$(dpkg -L vudizid | grep '^/usr/share/metainfo/.*\.metainfo\.xml$')"
[ -f "$desktop" ] || fail "no desktop entry"
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$work/appstream.log")"
echo "desktop entry and AppStream metainfo are valid"
for size in 16 32 48 64 128 256; do
  icon="/usr/share/icons/hicolor/${size}x${size}/apps/vudizid.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size}-pixel icon"
done
[ -f /usr/share/icons/hicolor/scalable/apps/vudizid.svg ] || fail "no scalable icon"
zcat /usr/share/man/man6/vudizid.6.gz | grep -q '^\.TH VUDIZID 6' || fail "no manual page in section 6"
ls /usr/share/vudizid/images/outro.sbf* >/dev/null 2>&1 && fail "the package holds a saved game"
for sound in "$build"/sounds/*.ogg; do
  [ -e "$sound" ] || continue
  cmp -s "$sound" "/usr/share/vudizid/sounds/$(basename "$sound")" || fail "the package lacks $(basename "$sound") as built"
done

read -r -a command <<<"$(sed -n 's/^Exec=//p' "$desktop")"
[ ${#command[@]} -ge 1 ] || fail "the desktop entry has no Exec"
[ "$("${command[@]}" --version)" = "vudizid $version" ] || fail "--version does not say $version"
"${command[@]}" --no-such-option >/dev/null 2>&1
[ $? -eq 2 ] || fail "an unknown option does not end with exit code 2"

# ---- A fresh player far from the source tree, on a display with a window manager.
home="$work/home"
elsewhere="$work/elsewhere"
mkdir -p "$home" "$elsewhere"
save="$home/.local/share/vudizid/outro.sbf"

start_xvfb 1024x768
HOME="$work/wm" openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
sleep 1
kill -0 "$wm_pid" 2>/dev/null || fail "openbox did not start: $(cat "$work/openbox.log")"

# Where the game's pointer is: it starts where the game puts it, and moves only through here.
pointer_x=400 pointer_y=300
start_game() {
  pointer_x=400 pointer_y=300
  (cd "$elsewhere" && exec env -u XDG_DATA_HOME HOME="$home" "${command[@]}") >"$work/game.log" 2>&1 &
  game_pid=$!
  window=""
  for _ in $(seq 100); do
    # Found by its class, which the menu entry's StartupWMClass names.
    window="$(xdotool search --class '^vudizid$' 2>/dev/null | head -n 1)"
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended at start-up: $(cat "$work/game.log")"
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window of the class vudizid"
}


# Moves the game's pointer to (x, y) in steps small enough that no motion is lost at the screen's edge.
move_to() {
  local x="$1" y="$2" dx dy
  while [ "$pointer_x" -ne "$x" ] || [ "$pointer_y" -ne "$y" ]; do
    dx=$((x - pointer_x)) dy=$((y - pointer_y))
    ((dx > 100)) && dx=100
    ((dx < -100)) && dx=-100
    ((dy > 100)) && dy=100
    ((dy < -100)) && dy=-100
    xdotool mousemove_relative -- "$dx" "$dy"
    pointer_x=$((pointer_x + dx)) pointer_y=$((pointer_y + dy))
    sleep 0.05
  done
  sleep 0.3
}

# A click the game sees: the button held for two or three frames, shorter than the five after which
# a held button counts as a second click, then quiet frames for its cooldown.
click_at() {
  move_to "$1" "$2"
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep 0.5
}

quit_game() {
  press_key Escape
  expect_clean_exit "Escape"
}

# ---- First run: a new game, into the bar, saved with the panel's button.
start_game
expect_screen "$work/title.png" "the installed game's title screen"
click_at 500 430  # Start
click_at 970 630  # the exit to the bar
move_to 500 17    # the top edge opens the inventory
sleep 0.5
click_at 290 600  # Save
quit_game
[ -f "$save" ] || fail "no saved game at $save: $(find "$home" "$elsewhere" 2>/dev/null)"
[ "$(stat -c %s "$save")" -eq 420 ] || fail "the saved game is $(stat -c %s "$save") bytes, not 420"
[ -z "$(ls -A "$elsewhere")" ] || fail "the game wrote into its working directory: $(ls -A "$elsewhere")"
ls /usr/share/vudizid/images/outro.sbf* >/dev/null 2>&1 && fail "the game saved among the installed pictures"
echo "saved to $save (420 bytes)"

# ---- Second run: Load brings back the bar scene exactly as the headless game shows it.
start_game
expect_screen "$work/title.png" "the title screen again"
click_at 500 530  # Load
expect_screen "$work/loaded.png" "the saved game's scene after Load"
quit_game

# ---- Removal: none of the package's files stay; the player's save does.
saved_sum="$(sha256sum <"$save")"
dpkg -L vudizid >"$work/files.txt"
dpkg_retry -r vudizid >"$work/remove.log" || fail "dpkg -r: $(cat "$work/remove.log")"
installed=0
left=()
while IFS= read -r path; do
  [ -e "$path" ] || [ -L "$path" ] || continue
  # A folder may stay when something else lives in it or another package owns it too.
  if [ -d "$path" ] && [ ! -L "$path" ] && { [ -n "$(ls -A "$path")" ] || dpkg -S "$path" >/dev/null 2>&1; }; then
    continue
  fi
  left+=("$path")
done <"$work/files.txt"
[ ${#left[@]} -eq 0 ] || fail "left behind after removal: ${left[*]}"
[ "$(sha256sum <"$save")" = "$saved_sum" ] || fail "removing the package changed the player's save"
echo "removed: no installed file left, the player's save kept"
echo "install test passed"
