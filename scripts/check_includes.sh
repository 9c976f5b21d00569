#!/usr/bin/env bash
# Checks the include rules of the source tree:
#  - third-party platform headers (SDL, SDL_ttf/FreeType, FluidSynth, ALSA,
#    Ogg/Vorbis, iconv, Dear ImGui) are included only in src/platform/seam/,
#    in the tests of the seam (tests/platform/seam/) and in the sample-game
#    generator's seam (tools/sample_game/seam/, its Ogg encoder);
#  - no header outside the seam names a type of those libraries (comments and
#    string literals aside);
#  - each source folder includes only the folders below it in one order of
#    layers, records at the bottom, app/ at the top (the table below), so
#    that no two folders include each other.
# Usage: check_includes.sh [ROOT]. Prints every offending line; exits 1 on any.
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root"

third_party='#[[:space:]]*include[[:space:]]*<(SDL|ft2build|freetype|fluidsynth|alsa/|vorbis/|ogg/|iconv\.h|imgui)'
library_types='\b(SDL_[A-Za-z]+|_TTF_Font|TTF_Font|fluid_[a-z_]+_t|snd_seq_t|OggVorbis_File|iconv_t|ImGui[A-Za-z]*)\b'

platform_all="platform/system platform/graphics platform/sound platform/input platform/text platform/window"
# The layers above the database, bottom first.
upper_layers="world actors player scene play app"

# A layer above the database may include the records, the platform (not its
# seam), the stage, the database, the layers below it and its own.
up_to() {
    local out="records $platform_all stage database" layer
    for layer in $upper_layers; do
        out="$out $layer"
        [ "$layer" = "$1" ] && break
    done
    echo "$out"
}

# What each folder under src/ may include (folders of src/, prefix match).
allowed_for() {
    case "$1" in
        src/records*)            echo "records" ;;
        src/platform/system*)    echo "records platform/system" ;;
        src/platform/graphics*)  echo "records platform/system platform/graphics" ;;
        src/platform/sound*)     echo "records platform/system platform/sound" ;;
        src/platform/input*)     echo "records platform/system platform/input" ;;
        src/platform/text*)      echo "records platform/system platform/graphics platform/text" ;;
        src/platform/window*)    echo "records platform/system platform/graphics platform/sound platform/input platform/text platform/window" ;;
        src/platform/seam*)      echo "records platform" ;;
        src/stage*)              echo "records stage" ;;
        src/database*)           echo "records platform/system platform/graphics platform/sound platform/input platform/text platform/window stage database" ;;
        src/world*)              up_to world ;;
        src/actors*)             up_to actors ;;
        src/player*)             up_to player ;;
        src/scene*)              up_to scene ;;
        src/play/*)              up_to play ;;
        src/app*)                up_to app ;;
        tools/sample_game*)      echo "$(up_to app) sample_game" ;;
        *)                       echo "" ;;
    esac
}

status=0
fail() { echo "check_includes: $*"; status=1; }

files=$(find $(ls -d src tests bench fuzz tools 2>/dev/null) -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
for f in $files; do
    case "$f" in
        src/platform/seam/*|tests/platform/seam/*|tools/*/seam/*) seam=1 ;;
        *) seam=0 ;;
    esac
    if [ "$seam" = 0 ]; then
        while IFS= read -r hit; do
            fail "$f:$hit: a third-party platform header outside platform/seam"
        done < <(grep -nE "$third_party" "$f" | cut -d: -f1 || true)
        case "$f" in
            *.h)
                while IFS= read -r hit; do
                    fail "$f:$hit: a third-party library type in a header outside platform/seam"
                done < <(sed -E 's#"([^"\\]|\\.)*"#""#g; s#//.*##' "$f" | grep -nE "$library_types" | cut -d: -f1 || true)
                ;;
        esac
    fi
    case "$f" in src/*|tools/*) ;; *) continue ;; esac
    allowed=$(allowed_for "$f")
    while IFS=: read -r line inc; do
        ok=0
        for a in $allowed; do
            case "$inc" in "$a"/*) ok=1; break ;; esac
        done
        [ "$ok" = 1 ] || fail "$f:$line: includes \"$inc\", which its folder may not include"
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/[^"]+"' "$f" |
             sed -E 's/^([0-9]+):.*"([^"]+)".*/\1:\2/' || true)
done

if [ "$status" = 0 ]; then
    echo "check_includes: the include rules hold"
fi
exit "$status"
