#!/usr/bin/env bash
# Shared set-up of ./play and ./check: installs what is missing, configures, builds, makes the pictures and sounds.
# Usage: tools/setup.sh [--no-build] [extra Debian packages...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build=1
if [ "${1:-}" = "--no-build" ]; then build=0; shift; fi

# The sounds are rendered at build time: scores through libfluidsynth and the FluidR3 General MIDI
# soundfont (fluid-soundfont-gm, MIT), encoded with libvorbis; the game plays them with SDL_mixer.
packages=(build-essential cmake pkg-config libsdl2-dev libsdl2-mixer-dev libpng-dev librsvg2-dev libcairo2-dev
          libfreetype-dev fonts-dejavu-core libgtest-dev googletest libbenchmark-dev
          libfluidsynth-dev fluid-soundfont-gm libvorbis-dev "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then as_root=(sudo); else
      echo "Please install as root: apt-get install ${missing[*]}" >&2; exit 1; fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

[ "$build" -eq 1 ] || exit 0
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j "$(nproc)"
