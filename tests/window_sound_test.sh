#!/usr/bin/env bash
# The real window's sound, heard through SDL's disk driver (what the device would play, written to a
# file in real time): the title's piece is not silent and near its own level; M silences it and
# brings it back; minimised the output is silent and the piece goes on afterwards; --mute starts
# silent; the volume keys' choice is kept in settings.ini. Run from the build folder.
set -u
work="$(mktemp -d "${TMPDIR:-/tmp}/vz-sound-XXXXXX")"
source "$(dirname "$0")/window_lib.sh"
need_tools python3 sox
make_work_folder
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
[ -f "$build/sounds/music_title.ogg" ] || fail "no sounds in $build/sounds (build them first)"
out="$work/out.raw"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out"
mkdir -p "$XDG_CONFIG_HOME/vudizid"
printf 'volume=100\n' >"$XDG_CONFIG_HOME/vudizid/settings.ini"  # the files' own level

# The title piece's own level (RMS in dB of full scale), as the sound tools measure the file.
own="$(sox "$build/sounds/music_title.ogg" -n stats 2>&1 | awk '/^RMS lev dB/ {print $4}')"
[ -n "$own" ] || fail "cannot measure music_title.ogg"

# level SECONDS: the peak (0..32767) and the level in dB of what the device plays over the next
# SECONDS, e.g. "peak=1234 db=-23.4" (db=-inf for silence).
level() {
  local from to
  from="$(stat -c %s "$out")"
  sleep "$1"
  to="$(stat -c %s "$out")"
  python3 - "$out" "$from" "$to" <<'PY'
import math, struct, sys
path, start, end = sys.argv[1], int(sys.argv[2]) & ~3, int(sys.argv[3]) & ~3
with open(path, "rb") as f:
    f.seek(start)
    data = f.read(end - start)
samples = struct.unpack(f"<{len(data) // 2}h", data)
peak = max((abs(s) for s in samples), default=0)
power = sum(s * s for s in samples) / max(1, len(samples))
db = 20 * math.log10(math.sqrt(power) / 32768) if power > 0 else float("-inf")
print(f"peak={peak} db={db:.1f}")
PY
}
near_own() {  # near_own "peak=.. db=..": within 6 dB of the file's own level
  local db="${1##*db=}"
  awk -v d="$db" -v o="$own" 'BEGIN { exit !(d != "-inf" && d - o < 6 && o - d < 6) }'
}
silent() { [ "${1%% *}" = "peak=0" ]; }

start_display 1024x768
headless title 'wait 2\nshot title\n'
start_game
expect_screen "$work/title.png" "the title screen"

# 1. The title's piece, past its fade-in, near the file's own level.
sleep 1.5
heard="$(level 3)"
echo "title: $heard (the file: $own dB)"
silent "$heard" && fail "the title is silent"
near_own "$heard" || fail "the title is not near its level ($heard, the file $own dB)"

# 2. M silences it, M again brings it back.
press_key m
sleep 0.5
heard="$(level 1.5)"
silent "$heard" || fail "M did not silence the game ($heard)"
echo "M: silent"
press_key m
sleep 0.5
heard="$(level 2)"
near_own "$heard" || fail "M again did not bring the sound back ($heard)"
echo "M again: $heard"

# 3. Minimised, the output is silent; back, the piece goes on.
xdotool windowminimize "$window"
sleep 1
heard="$(level 2)"
silent "$heard" || fail "the game is heard while minimised ($heard)"
echo "minimised: silent"
xdotool windowactivate "$window"
expect_screen "$work/title.png" "the title screen again"
sleep 0.5
heard="$(level 2)"
near_own "$heard" || fail "the sound did not come back after minimising ($heard)"
echo "back: $heard"

# 4. The volume key: five steps down is half the level (6 dB), clearly quieter however the
# piece's own loudness moves from one stretch to the next, and kept for the next start.
for step in 1 2 3 4 5; do press_key minus; done
sleep 0.5
heard="$(level 3)"
quieter="${heard##*db=}"
awk -v d="$quieter" -v o="$own" 'BEGIN { exit !(d != "-inf" && o - d > 3) }' ||
  fail "five steps down are not quieter ($heard, the file $own dB)"
echo "five steps down: $heard"
press_key Escape
expect_clean_exit "Escape"
grep -qx 'volume=50' "$XDG_CONFIG_HOME/vudizid/settings.ini" ||
  fail "the volume was not kept: $(cat "$XDG_CONFIG_HOME/vudizid/settings.ini")"
grep -qx 'mute=no' "$XDG_CONFIG_HOME/vudizid/settings.ini" || fail "the mute was not kept"

# 5. --mute starts silent (and changes nothing kept); M brings the sound.
start_game --mute
expect_screen "$work/title.png" "the title screen with --mute"
sleep 1.5
heard="$(level 2)"
silent "$heard" || fail "--mute is heard ($heard)"
press_key m
sleep 1.5
heard="$(level 2)"
silent "$heard" && fail "M after --mute brought no sound"
echo "--mute: silent, then M: $heard"
press_key Escape
expect_clean_exit "Escape"
grep -qx 'mute=no' "$XDG_CONFIG_HOME/vudizid/settings.ini" || fail "--mute was kept for the next start"
! grep -q '^vudizid: .*sound' "$work/game.log" || fail "the game named a sound problem: $(cat "$work/game.log")"
exit 0
