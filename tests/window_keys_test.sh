#!/usr/bin/env bash
# The keyboard's own keys in the real window, each tapped as xdotool sends it (down and up at once,
# between two frames): Tab and Enter start the game, H three times shows the exact next action,
# Tab puts the pointer onto the ship with its label, and the text pace chosen with T is in
# settings.ini after the game has ended. Run from the build folder.
set -u
work="$(mktemp -d "${TMPDIR:-/tmp}/vz-keys-XXXXXX")"
source "$(dirname "$0")/window_lib.sh"
need_tools
make_work_folder

headless title 'wait 2\nshot title\n'
headless hint 'wait 2\nkey tab\nkey enter\nwait 3\nkey h\nkey h\nkey h\nwait 2\nshot hint\n'
headless tab 'wait 2\nkey tab\nkey enter\nwait 3\nkey h\nkey h\nkey h\nwait 2\nkey enter\nkey tab\nwait 60\nshot tab\n'
start_display 1024x768
start_game

tap() {
  xdotool key "$@"
  sleep 0.3
}
expect_screen "$work/title.png" "the title"
tap Tab
tap Return
tap h
tap h
tap h
expect_screen "$work/hint.png" "the third hint, the exact next action"
tap Return
tap Tab
expect_screen "$work/tab.png" "the ship's label where Tab put the pointer"

tap t
press_key Escape
expect_clean_exit "Escape"
grep -q '^textpace=1.5x$' "$XDG_CONFIG_HOME/vudizid/settings.ini" ||
  fail "T's pace is not kept: $(cat "$XDG_CONFIG_HOME/vudizid/settings.ini" 2>&1)"
echo "T's text pace kept in settings.ini"
