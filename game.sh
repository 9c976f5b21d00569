#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game in the game folder given
# (default: the current folder). Extra arguments go to the game (a stage or replay file).
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
folder="${1:-$PWD}"
[ $# -gt 0 ] && shift
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cd "$folder"
exec "$root/build/game" "$@"
