#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game in the game folder given.
# With no folder, plays the sample game: written into build/sample_game by the
# generator (again only when the generator was rebuilt). Extra arguments go to
# the game (a stage or replay file).
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/setup.sh"
if [ $# -gt 0 ]; then
  folder="$1"
  shift
  "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo --target game >/dev/null
else
  "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo --target game make_sample_game >/dev/null
  folder="$root/build/sample_game"
  stamp="$folder/.generated"
  if [ ! -f "$stamp" ] || [ "$root/build/make_sample_game" -nt "$stamp" ]; then
    rm -rf "$folder"
    "$root/build/make_sample_game" "$folder" >/dev/null
    touch "$stamp"
  fi
fi
cd "$folder"
exec "$root/build/game" "$@"
