#!/usr/bin/env bash
# What the program wrote for its user in the build tree, where make run started it before it
# had a program folder of its own: moved into the program folder, so that the next make clean
# or make run loses nothing. An entry that the program folder already holds is left in both
# places; with --clean the script then fails, so that make clean deletes neither copy.
#   scripts/move-household-files.sh [--clean] OLD_FOLDER PROGRAM_FOLDER
set -euo pipefail

clean=0
if [ "${1:-}" = "--clean" ]; then
    clean=1
    shift
fi
old=$1
program=$2

[ -d "$old" ] || exit 0
left=()
for entry in recipes.db3 fenolda.ini fenolda.log save backup; do
    if [ ! -e "$old/$entry" ] && [ ! -L "$old/$entry" ]; then
        continue
    fi
    if [ -e "$program/$entry" ] || [ -L "$program/$entry" ]; then
        left+=("$entry")
        continue
    fi
    mkdir -p "$program"
    mv "$old/$entry" "$program/$entry"
    # The rollback journal that a crash left beside the database belongs to it alone.
    if [ "$entry" = recipes.db3 ] && [ -e "$old/recipes.db3-journal" ] && [ ! -e "$program/recipes.db3-journal" ]; then
        mv "$old/recipes.db3-journal" "$program/recipes.db3-journal"
    fi
    echo "Moved $old/$entry into $program/"
done

[ ${#left[@]} -eq 0 ] && exit 0
echo "$old still holds ${left[*]}, which $program/ holds too: both copies are kept." >&2
if [ $clean -eq 1 ]; then
    echo "make clean deleted nothing. Keep the copy you want in $program/, move the other out of $old," >&2
    echo "then run make clean again." >&2
    exit 1
fi
