#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game in the game folder given.
# With no folder, plays the sample game: written into build/sample_game by the
# generator (again only when the generator was rebuilt). Extra arguments go to
# the game (a stage or replay file).
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
if [ $# -gt 0 ] && [ ! -d "$1" ]; then
  echo "game.sh: there is no folder \"$1\"; give the folder a game lies in (the one holding its data and bmp folders), or nothing for the sample game" >&2
  exit 1
fi
"$root/scripts/setup.sh"
# Builds what changed. Ninja's steps are shown, after a line saying what is
# built, only when there is something to build; the first build compiles
# everything and takes minutes.
build_game() {
  local note=""
  [ -f "$root/build/build.ninja" ] || note=" (the first build takes several minutes)"
  "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo --target "$@" 2>&1 |
    awk -v banner="game.sh: building $*$note" '
      /^\[[0-9]+\/[0-9]+\] Re-checking globbed directories/ || /^ninja: no work to do/ { next }
      !said { print banner; said = 1 }
      { print; fflush() }'
}
if [ $# -gt 0 ]; then
  folder="$1"
  shift
  build_game game
else
  build_game game make_sample_game
  folder="$root/build/sample_game"
  stamp="$folder/.generated"
  if [ ! -f "$stamp" ] || [ "$root/build/make_sample_game" -nt "$stamp" ]; then
    rm -rf "$folder"
    echo "game.sh: writing the sample game into $folder"
    "$root/build/make_sample_game" "$folder" >/dev/null
    touch "$stamp"
  fi
fi
cd "$folder"
exec "$root/build/game" "$@"
