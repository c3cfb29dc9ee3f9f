#!/usr/bin/env bash
# The player's files in a real window, played as an ordinary user (the nobody account when run as
# root, as CI does): F12 passes over links and an earlier picture planted at the next names, a save
# of root's the player may not read is named and kept aside by the next save, a FIFO or /dev/zero as
# user-dirs.dirs never freezes the game. Also: a remembered window larger than the screen fits it,
# settings.ini keeps the player's lines, a closed standard output does not end the game, and the
# start-up messages (no display, --help into a full disk, a file named as the pictures' folder, a
# working folder with someone else's .sbf pictures). Run from the build folder.
set -u
work="$(mktemp -d "${TMPDIR:-/tmp}/vz-files-XXXXXX")"
source "$(dirname "$0")/window_lib.sh"
need_tools setpriv
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
chmod 755 "$work"

# The game and its pictures copied where an ordinary user may read them (the build folder may lie
# in root's home), and the player's own folders, his.
mkdir -p "$work/bin" "$work/images" "$work/home"
cp "$build/vudizid" "$work/bin/"
cp -rL "$build/images/." "$work/images/"
rm -f "$work/images/outro.sbf"
ln -s "$work/images" "$work/bin/images"  # an unpacked copy: its pictures beside the program
chmod -R a+rX "$work/bin" "$work/images"
chmod a-w "$work/images"  # not the player's to write: his save goes into his own folder
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
export XDG_PICTURES_DIR="$work/home/pictures"
mkdir -p "$XDG_CONFIG_HOME/vudizid" "$XDG_DATA_HOME/vudizid" "$XDG_PICTURES_DIR"
if [ "$(id -u)" -eq 0 ]; then
  player=65534
  chown -R "$player:$player" "$work/home"
  printf '#!/bin/sh\nexec setpriv --reuid=%s --regid=%s --clear-groups -- "%s" "$@"\n' \
    "$player" "$player" "$work/bin/vudizid" >"$work/as-player"
else
  player="$(id -u)"
  printf '#!/bin/sh\nexec "%s" "$@"\n' "$work/bin/vudizid" >"$work/as-player"
fi
chmod 755 "$work/as-player"
game_program="$work/as-player"
# Root's file where the player cannot read it; an ordinary user running the test closes his own.
out_of_reach() { if [ "$(id -u)" -eq 0 ]; then chmod 600 "$1"; else chmod 000 "$1"; fi; }
as_player() { if [ "$(id -u)" -eq 0 ]; then setpriv --reuid="$player" --regid="$player" --clear-groups -- "$@"; else "$@"; fi; }
settings="$XDG_CONFIG_HOME/vudizid/settings.ini"

# ---- Start-up, without a display ----
run_bare() { (cd "${2:-$work}" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$work/as-player" $1) >"$work/bare.log" 2>&1; }
run_bare ""
[ $? -eq 1 ] && [ "$(grep -c 'DDraw Fehler: CreateEx()' "$work/bare.log")" -eq 1 ] &&
  grep -q 'no display could be opened' "$work/bare.log" && grep -q 'DISPLAY' "$work/bare.log" ||
  fail "without a display: $(cat "$work/bare.log")"
echo "no display: the game's notice, and in plain words what to do"
run_bare "--data /etc/passwd"
[ $? -eq 1 ] && grep -q '/etc/passwd (a file, not a folder)' "$work/bare.log" || fail "--data /etc/passwd: $(cat "$work/bare.log")"
run_bare "-- --window"
[ $? -eq 2 ] && grep -q "unexpected argument '--window'" "$work/bare.log" || fail "-- --window: $(cat "$work/bare.log")"
for option in --help --version; do
  "$work/bin/vudizid" "$option" >/dev/full 2>"$work/bare.log"
  [ $? -eq 1 ] && grep -q 'No space left on device' "$work/bare.log" || fail "$option into a full disk ended with 0"
  "$work/bin/vudizid" "$option" >&- 2>/dev/null && fail "$option into a closed output ended with 0"
done
echo "--data naming a file, -- ending the options, --help and --version that cannot be written: said so"
# A working folder whose images/ holds someone's own .sbf picture and none of the game's is passed
# over for the pictures next to the program: start-up gets as far as the display.
mkdir -p "$work/holiday/images"
cp "$work/images/text.sbf" "$work/holiday/images/holiday.sbf"
chmod -R a+rX "$work/holiday"
run_bare "" "$work/holiday"
[ $? -eq 1 ] && grep -q 'DDraw Fehler: CreateEx()' "$work/bare.log" || fail "images/holiday.sbf: $(cat "$work/bare.log")"
echo "a working folder with another .sbf picture: passed over"

headless title 'wait 2\nshot title\n'
start_display 1024x768
notice_child() {
  notice=""
  for _ in $(seq 50); do
    notice="$(pgrep -P "$game_pid" | head -n 1)"
    [ -n "$notice" ] && return 0
    sleep 0.1
  done
  fail "no notice: $(cat "$work/game.log")"
}
# Answers the notice on screen with Enter, then gives the game its focus back.
answer_notice() {
  sleep 0.5
  xdotool key Return
  for _ in $(seq 50); do kill -0 "$notice" 2>/dev/null || break; sleep 0.1; done
  ! kill -0 "$notice" 2>/dev/null || fail "the notice did not go on Enter"
  sleep 0.3
  xdotool windowactivate "$window" 2>/dev/null
  sleep 0.5
}
click() { xdotool mousedown 1; sleep 0.2; xdotool mouseup 1; sleep 0.3; }

# ---- 1. Screenshots: links planted at the next names, an earlier picture the player cannot read ----
shots="$XDG_PICTURES_DIR/Vudizid Ozazi"
mkdir -p "$shots" "$work/outside"
now="$(date +%s)"
for s in $(seq 0 90); do
  stamp="$(date -d "@$((now + s))" '+%Y-%m-%d %H-%M-%S')"
  ln -s "$work/outside/$s.png" "$shots/Vudizid Ozazi $stamp.png"
  printf 'mine' >"$shots/Vudizid Ozazi $stamp 2.png"
  chmod 200 "$shots/Vudizid Ozazi $stamp 2.png"
done
chown -R "$player" "$XDG_PICTURES_DIR" "$work/outside" 2>/dev/null
start_game
expect_screen "$work/title.png" "the title screen"
press_key F12
shot=""
for _ in $(seq 25); do
  shot="$(ls "$shots/"*' 3.png' 2>/dev/null | head -n 1)"
  [ -n "$shot" ] && identify "$shot" >/dev/null 2>&1 && break  # whole once the game has written it
  sleep 0.2
done
[ -n "$shot" ] || fail "F12 wrote no screenshot past the planted names: $(cat "$work/game.log"; ls "$shots" | tail -3)"
[ "$(identify -format '%wx%h' "$shot")" = 1024x768 ] || fail "the screenshot is no picture"
[ -z "$(ls -A "$work/outside")" ] || fail "F12 wrote through a link: $(ls "$work/outside")"
for f in "$shots/"*' 2.png'; do [ "$(cat "$f")" = mine ] || fail "F12 overwrote $f"; done
press_key Escape
expect_clean_exit "Escape"
echo "F12 as an ordinary user: $(basename "$shot"), nothing written through a link or over a picture"

# ---- 6. user-dirs.dirs as a FIFO, then as a link to /dev/zero: F12 neither freezes nor grows ----
for kind in fifo zero; do
  rm -f "$XDG_CONFIG_HOME/user-dirs.dirs"
  if [ "$kind" = fifo ]; then mkfifo "$XDG_CONFIG_HOME/user-dirs.dirs"; else ln -s /dev/zero "$XDG_CONFIG_HOME/user-dirs.dirs"; fi
  chown -h "$player" "$XDG_CONFIG_HOME/user-dirs.dirs" 2>/dev/null
  unset XDG_PICTURES_DIR
  start_game
  export XDG_PICTURES_DIR="$work/home/pictures"
  expect_screen "$work/title.png" "the title screen ($kind)"
  rm -f "$XDG_DATA_HOME/vudizid/"*.png
  press_key F12
  for _ in $(seq 25); do ls "$XDG_DATA_HOME/vudizid/"*.png >/dev/null 2>&1 && break; sleep 0.2; done
  ls "$XDG_DATA_HOME/vudizid/"*.png >/dev/null 2>&1 || fail "F12 with user-dirs.dirs as $kind: $(cat "$work/game.log")"
  rss="$(awk '/VmRSS/ {print $2}' "/proc/$game_pid/status")"
  [ "$rss" -lt 300000 ] || fail "user-dirs.dirs as $kind: $rss kB resident"
  press_key Escape
  expect_clean_exit "Escape with user-dirs.dirs as $kind"
  echo "user-dirs.dirs as $kind: F12 wrote into the data folder at once, $rss kB resident, Escape ended it"
done
rm -f "$XDG_CONFIG_HOME/user-dirs.dirs"

# ---- 3. A saved game of root's the player may not read: named, then kept aside by saving ----
save="$XDG_DATA_HOME/vudizid/outro.sbf"
head -c 420 /dev/urandom >"$work/record"
cp "$work/record" "$save"
out_of_reach "$save"
start_game
expect_screen "$work/title.png" "the title screen"
xdotool mousemove_relative -- 112 230  # onto the load button
sleep 0.3
click
notice_child
grep -q "outro.sbf cannot be read: Permission denied" "$work/game.log" || fail "no reason for the unreadable save: $(cat "$work/game.log")"
answer_notice
xdotool mousemove_relative -- 0 -700  # the top edge: the inventory
sleep 0.5
xdotool mousemove_relative -- -222 583  # its save button
sleep 0.3
click
notice_child
answer_notice
press_key Escape
expect_clean_exit "Escape after saving"
grep -q "kept as $save.unreadable" "$work/game.log" || fail "the move aside was not named: $(cat "$work/game.log")"
cmp -s "$save.unreadable" "$work/record" || fail "the unreadable save was not kept whole"
[ "$(stat -c %u "$save.unreadable")" = "$(id -u)" ] || fail "the kept save changed owner"
[ "$(stat -c '%s %u' "$save")" = "420 $player" ] || fail "no new save of the player's: $(ls -l "$XDG_DATA_HOME/vudizid")"
echo "a save of root's: named with its reason, kept as outro.sbf.unreadable, the new save beside it"

# ---- 7 and 2. A remembered window far larger than the screen fits it; the player's lines stay ----
printf '# my own\nlanguage=de\nfullscreen=no\nwindow=0 0 16384 16384\n' >"$settings"
chown "$player" "$settings" 2>/dev/null
start_game --window
sleep 1.5
geometry="$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')"
w="${geometry%x*}" h="${geometry#*x}"
[ "$w" -le 1024 ] && [ "$h" -le 740 ] && [ "$w" -ge 900 ] || fail "a 16384 x 16384 window opened as $geometry"
rss="$(awk '/VmRSS/ {print $2}' "/proc/$game_pid/status")"
[ "$rss" -lt 300000 ] || fail "a 16384 x 16384 window: $rss kB resident"
press_key Escape
expect_clean_exit "Escape in the fitted window"
grep -q '^window=[0-9-]* [0-9-]* [0-9]* [0-9]*$' "$settings" && ! grep -q 16384 "$settings" &&
  [ "$(head -n 2 "$settings")" = "$(printf '# my own\nlanguage=de')" ] || fail "settings.ini: $(cat "$settings")"
echo "a 16384 x 16384 window opened as $geometry ($rss kB resident); settings.ini kept the player's lines"

# ---- 8. A closed standard output and error: F10 and F12 do not end the game, its settings are kept ----
(cd "$work" && exec env --default-signal=INT,TERM,HUP "$game_program" --window) > >(true) 2>&1 &
game_pid=$!
sleep 2
window="$(xdotool search --name 'Vudizid Ozazi' 2>/dev/null | head -n 1)"
[ -n "$window" ] || fail "no window with a closed output"
xdotool windowactivate "$window"
sleep 0.5
press_key F10
press_key F12
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "the game ended when writing to a closed output"
press_key Escape
expect_clean_exit "Escape with a closed output"
grep -qx 'scale=whole' "$settings" || fail "F10 was not kept: $(cat "$settings")"
echo "a closed standard output: the game went on, its settings were kept"
exit 0
