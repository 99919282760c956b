#!/usr/bin/env bash
# What the program wrote for its user in the build tree (where make run started it before it had
# a program folder of its own, and where a developer may still start build/bin/fenolda), moved
# into the program folder before make run or make clean, so that neither loses it.
#   scripts/move-household-files.sh OLD_FOLDER PROGRAM_FOLDER
#
# - The database moves with its companions (-journal, -wal, -shm) as one entry: a hot journal or
#   a write-ahead log holds part of it, and the database is damaged without them.
# - An entry that the program folder holds already goes whole into one folder
#   PROGRAM_FOLDER/from-build-<date>/, so that both copies are kept and nothing blocks.
# - A folder that holds no file is nothing to keep, on either side.
# - Each file is copied to a temporary name beside its target, compared with its source, synced
#   and renamed, and only then is the source removed: a full disk or another file system never
#   leaves half a file in the program folder. A failed move stops the script with the file and
#   the reason, the source whole, and the caller then deletes nothing.
set -euo pipefail

old=$1
program=$2
[ -d "$old" ] || exit 0
if [ -d "$program" ] && [ "$old" -ef "$program" ]; then
    exit 0
fi

# Hidden names, so that what a killed run left half copied is recognised and cleared.
temp_prefix=.fenolda-move-
pending=()
aside=
cleanup() {
    [ ${#pending[@]} -eq 0 ] || rm -rf -- "${pending[@]}"
    [ -z "$aside" ] || rmdir -- "$aside" 2>/dev/null || true
}
trap cleanup EXIT

shopt -s nullglob
for leftover in "$program/$temp_prefix"* "$program"/from-build-*/"$temp_prefix"*; do
    rm -rf -- "$leftover"
done

present() {
    [ -e "$1" ] || [ -L "$1" ]
}

# A folder (not a link to one) in which no file, link or other non-folder lies at any depth.
holds_no_file() {
    [ -d "$1" ] && [ ! -L "$1" ] && [ -z "$(find "$1" -mindepth 1 ! -type d -print -quit)" ]
}

fail() {
    echo "Could not move $1 into $2/: $3." >&2
    echo "$1 is kept whole where it is, and nothing was deleted." >&2
    exit 1
}

# The program folder's folder for the copies it already holds, made at its first use in a run.
set_aside_folder() {
    if [ -z "$aside" ]; then
        local base
        base="$program/from-build-$(date +%F)"
        local candidate=$base n=2
        while present "$candidate"; do
            candidate=$base-$n
            n=$((n + 1))
        done
        mkdir -p -- "$candidate" 2>/dev/null || fail "$old/$entry" "$candidate" "the folder cannot be made"
        aside=$candidate
    fi
}

# Copies "$old/$1" to a temporary name in folder $2, whole and on disk, and adds it to pending.
copy_beside() {
    local from=$old/$1 target=$2
    local temp
    temp=$(mktemp -u -- "$target/$temp_prefix$1.XXXXXX")
    pending+=("$temp")
    local error status=0
    error=$(cp -a -- "$from" "$temp" 2>&1) || status=$?
    if [ $status -ne 0 ]; then
        # cp says why on its last line ("...: No space left on device").
        local reason=${error##*$'\n'}
        reason=${reason##*: }
        if [ $status -gt 128 ]; then
            reason="cp was stopped by SIG$(kill -l $((status - 128)))"
        fi
        [ -n "$reason" ] || reason="cp stopped with status $status"
        fail "$from" "$target" "$reason"
    fi
    if ! diff -r --no-dereference -q -- "$from" "$temp" >/dev/null 2>&1; then
        fail "$from" "$target" "the copy differs from the file"
    fi
    if ! find "$temp" -type f -exec sync -- {} + 2>/dev/null; then
        fail "$from" "$target" "the copy could not be written to the disk"
    fi
}

# Moves the files named after $1 from the old folder into folder $1, as one entry.
move_entry() {
    local target=$1
    shift
    mkdir -p -- "$target" 2>/dev/null || fail "$old/$1" "$target" "the folder cannot be made"
    pending=()
    local name
    for name in "$@"; do
        copy_beside "$name" "$target"
    done
    # The database before its companions ("$@" lists it first): a companion alone in the
    # program folder would be taken for the journal of the next database put there.
    local names=("$@") i
    for i in "${!names[@]}"; do
        name=${names[$i]}
        # A folder that holds no file gives way to the one that does.
        if holds_no_file "$target/$name"; then
            rm -r -- "${target:?}/$name"
        fi
        mv -T -- "${pending[$i]}" "$target/$name" 2>/dev/null ||
            fail "$old/$name" "$target" "its copy could not be renamed"
    done
    pending=()
    sync -- "$target" 2>/dev/null || true
    for name in "$@"; do
        rm -rf -- "${old:?}/$name"
    done
}

into_program=()
into_aside=()
for entry in recipes.db3 fenolda.ini fenolda.log save backup; do
    set_members=("$entry")
    [ "$entry" != recipes.db3 ] || set_members+=(recipes.db3-journal recipes.db3-wal recipes.db3-shm)
    names=()
    for name in "${set_members[@]}"; do
        if present "$old/$name" && ! holds_no_file "$old/$name"; then
            names+=("$name")
        fi
    done
    [ ${#names[@]} -gt 0 ] || continue

    target=$program
    for name in "${set_members[@]}"; do
        if present "$program/$name" && ! holds_no_file "$program/$name"; then
            set_aside_folder
            target=$aside
            break
        fi
    done
    move_entry "$target" "${names[@]}"
    if [ "$target" = "$program" ]; then
        into_program+=("${names[@]}")
    else
        into_aside+=("${names[@]}")
    fi
done

# One line says what went where.
list() {
    local IFS=,
    echo "$*" | sed 's/,/, /g'
}
line=
[ ${#into_program[@]} -eq 0 ] || line="$(list "${into_program[@]}") into $program/"
if [ ${#into_aside[@]} -gt 0 ]; then
    [ -z "$line" ] || line+="; "
    line+="$(list "${into_aside[@]}") into $aside/, since $program/ has its own"
fi
[ -z "$line" ] || echo "Moved out of $old: $line."
