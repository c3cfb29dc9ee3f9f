#!/usr/bin/env bash
# The real game in a virtual X display: processor time it uses over SECONDS, as a share of one core,
# and its peak resident memory. On its title screen with the pointer still or moving, or walking: the
# hero walking along the ship's beach. Prints one line:
#   cpu_percent=N.N peak_kb=N
# Usage: tools/bench/window_load.sh BUILD_DIR [SECONDS] [SCREEN, e.g. 1024x768] [still|moving|walking]
# The game is given the options in VZ_GAME_OPTIONS (e.g. --mute); its sound goes where SDL_AUDIODRIVER
# says (the disk driver writing to /dev/null mixes as a sound card would have it).
set -euo pipefail
build="$(cd "$1" && pwd)"
seconds="${2:-10}"
screen="${3:-1024x768}"
pointer="${4:-still}"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "window_load.sh: $tool is not installed" >&2; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/vz-load-XXXXXX")"
xvfb_pid="" game_pid="" mover_pid=""
cleanup() {
  for p in $mover_pid $game_pid $xvfb_pid; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# The player's folders inside the run's own folder, never the real ones.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_PICTURES_DIR="$work/pictures"
mkdir "$work/images"
for f in "$build"/images/*; do
  [ "$(basename "$f")" = outro.sbf ] || ln -s "$f" "$work/images/"
done

display=""
for n in $(seq 150 199); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "window_load.sh: no free X display" >&2; exit 1; }
# -noreset: an X server resets when its last client leaves, and drops whoever connects meanwhile;
# between two runs of the game that would be the next game.
Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

[ -d "$build/sounds" ] && ln -s "$build/sounds" "$work/sounds"
# shellcheck disable=SC2086
(cd "$work" && exec "$build/vudizid" ${VZ_GAME_OPTIONS:-}) >"$work/game.log" 2>&1 &
game_pid=$!
for _ in $(seq 100); do
  xdotool search --name 'Vudizid Ozazi' >/dev/null 2>&1 && break
  kill -0 "$game_pid" 2>/dev/null || { echo "the game ended at start-up: $(cat "$work/game.log")" >&2; exit 1; }
  sleep 0.1
done
# The game pauses while its window has no focus, which without a window manager it only has when
# given; a player's game has it.
xdotool search --name 'Vudizid Ozazi' 2>/dev/null | while read -r w; do xdotool windowfocus "$w" 2>/dev/null; done
sleep 1  # past start-up: only the title screen's own frames are measured
if [ "$pointer" = walking ]; then
  # Start (the pointer starts at 400, 300), then far along the beach: a walk of some 20 s.
  xdotool mousemove_relative -- 100 130; sleep 0.3; xdotool click 1; sleep 1.5
  xdotool mousemove_relative -- 400 190; sleep 0.3; xdotool click 1; sleep 1.5
fi
if [ "$pointer" = moving ]; then
  (while true; do xdotool mousemove_relative -- 3 2 >/dev/null 2>&1; sleep 0.02;
                  xdotool mousemove_relative -- -3 -2 >/dev/null 2>&1; sleep 0.02; done) &
  mover_pid=$!
fi

ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
hz="$(getconf CLK_TCK)"
before="$(ticks)"
start="$(date +%s%N)"
sleep "$seconds"
after="$(ticks)"
end="$(date +%s%N)"
peak="$(awk '/VmHWM/ {print $2}' "/proc/$game_pid/status")"
awk -v t=$((after - before)) -v hz="$hz" -v ns=$((end - start)) -v peak="$peak" \
  'BEGIN { printf "cpu_percent=%.1f peak_kb=%d\n", 100 * (t / hz) / (ns / 1e9), peak }'
