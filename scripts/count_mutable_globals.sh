#!/usr/bin/env bash
# Lists and counts the mutable variables at namespace scope (globals, file
# statics, anonymous-namespace variables; class static members apart) of
# src/play, src/world, src/actors, src/player, src/app and src/scene (world/
# holds what play/ and actors/ held before it, scene/ what app/ held), as the
# compiler laid them out:
# every data or bss symbol that the objects of those folders define, less
# what the compiler and the libraries add (guards, vtables, type info,
# template statics), less function-local statics, less the constants that sit
# in writable memory only for their relocations or their start-up
# initialisation (their definition says const or constexpr).
# Usage: count_mutable_globals.sh BUILD_DIR
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
for d in play world actors player app scene; do
    find "$build/src/CMakeFiles" -path "*/$d/*" -name '*.o'
done | sort | while read -r o; do
    src="src/${o#*.dir/}"
    src="${src%.o}"
    nm --defined-only -C "$o" | awk -v f="$src" '$2 ~ /^[BbDd]$/ { $1 = ""; $2 = ""; sub(/^  /, ""); print f "\t" $0 }'
done | grep -vE $'\t(DW\\.ref|std::|guard variable|vtable for|typeinfo)' |
    sed 's/(anonymous namespace)::/{anon}::/' | grep -vE $'\t[^\t]*\\)::' |
while IFS=$'\t' read -r f sym; do
    name="${sym%\[abi:cxx11\]}"
    name="${name##*::}"
    def="$(grep -E "^[A-Za-z].*[ *&]${name}(\[[^]]*\])*( *=| *\{|;)" "$root/$f" | grep -v '^extern' | head -1 || true)"
    case "$def" in
        const\ *|constexpr\ *|*\*\ const\ *|static\ const*|static\ constexpr*) continue ;;
    esac
    case "$sym" in
        *::*::*|c[A-Z]*::*) kind="class static" ;;
        *) kind="namespace" ;;
    esac
    printf '%s\t%s\t%s\n' "$kind" "$f" "$sym"
done | sort | tee /dev/stderr | cut -f1 | sort | uniq -c
