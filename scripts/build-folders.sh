#!/usr/bin/env bash
# The build folders against everything else.
#   scripts/build-folders.sh check BUILD_FOLDER...
#       (every make target that configures, builds or runs, before it installs a package) stops
#       with one line when a build folder is not this tree's own: the root folder, a folder that
#       holds the source tree, a folder of the tree that holds its sources, or a build of another
#       tree. The other two actions check the same first.
#   scripts/build-folders.sh clean PROGRAM_FOLDER BUILD_FOLDER...
#       (make clean) removes from each build folder what the build made: in bin/ the files Ninja
#       lists as outputs of that folder's build.ninja, and everything beside bin/. Any other
#       entry of bin/ stays where it is, untouched, and one line names it.
#   scripts/build-folders.sh install PROGRAM_FOLDER BUILD_FOLDER...
#       (make program, before it installs) the same guards, and a line when the first build
#       folder's bin/ holds a database of its own.
#
# A program started from bin/ makes that folder its own: its database and journals, settings,
# log, save/ and backup/ (empty ones included: its save dialog opens there), the menus and
# backups its user saved under any name, and the temporary files of a write under way. None of
# these has a name the script could know, so bin/ is cleaned by the build's own list and what
# the list does not name is the user's. Nothing here opens, copies, renames or moves such a
# file: a running program keeps working on it, and a database never leaves its journal. Links
# are removed as links and never followed, and only when the list names them.
set -euo pipefail

action=$1
shift

present() {
    [ -e "$1" ] || [ -L "$1" ]
}

# A real folder, not a link to one.
folder() {
    [ -d "$1" ] && [ ! -L "$1" ]
}

# Trailing slashes would make the last name resolve through a link.
trimmed() {
    local path=$1
    while [ "${#path}" -gt 1 ] && [ "${path%/}" != "$path" ]; do
        path=${path%/}
    done
    # find, rm and ninja would take a leading "-" for an option.
    case $path in -*) path=./$path ;; esac
    echo "$path"
}

# Whether real path $1 is real path $2 or lies inside it.
inside() {
    case $2 in /) return 0 ;; esac
    case $1 in "$2" | "$2"/*) return 0 ;; esac
    return 1
}

# Anything in folder $1 beside bin/; a folder find cannot read stops the script.
beside_bin() {
    local found
    found=$(find -P "$1" -mindepth 1 -maxdepth 1 ! -name bin -print -quit) || exit 1
    [ -n "$found" ]
}

# The source tree that the CMakeCache.txt of folder $1 names, as a real path; empty when it
# names none.
cache_home() {
    local home=
    if [ -f "$1/CMakeCache.txt" ]; then
        home=$(sed -n '/^CMAKE_HOME_DIRECTORY:INTERNAL=/{s///p;q}' -- "$1/CMakeCache.txt")
    fi
    [ -z "$home" ] || realpath -m -- "$home"
}

# The files the build makes in bin/, as paths inside bin/, into $outputs: every output of the
# folder's build.ninja, built yet or not, but for phony names, which are no files. Fails with the
# reason in $reason when the folder gives no such list. Ninja's tools read the manifest and
# never build or regenerate anything.
list_outputs() {
    local dir=$1 listing line path physical
    outputs=()
    if [ ! -f "$dir/build.ninja" ]; then
        reason="no build.ninja"
        return 1
    fi
    if ! command -v ninja >/dev/null; then
        reason="no ninja to read build.ninja"
        return 1
    fi
    if ! listing=$(ninja -C "$dir" -t targets all 2>/dev/null); then
        reason="ninja cannot read it: $(ninja -C "$dir" -t targets all 2>&1 >/dev/null | head -1)"
        return 1
    fi
    # Ninja prints its paths canonical: a name in bin/ never climbs out of it. CMake names a custom
    # command's output twice, inside the folder and by its full path.
    physical=$(cd -P -- "$dir" && pwd)
    while IFS= read -r line; do
        if [ -z "$line" ] || [ "${line##*: }" = phony ]; then
            continue
        fi
        path=${line%: *}
        case $path in
        "$physical"/*) path=${path#"$physical"/} ;;
        /*) continue ;;
        esac
        case $path in bin/?*) outputs+=("${path#bin/}") ;; esac
    done <<<"$listing"
}

# The path inside bin/ reaches its last name through real folders only, bin/ included: an
# output never gets deleted through a link to somewhere else.
through_folders() {
    local at=$1 path=$2
    folder "$at" || return 1
    while [ "${path#*/}" != "$path" ]; do
        at=$at/${path%%/*}
        path=${path#*/}
        folder "$at" || return 1
    done
}

# The entries of folder $1 (paths inside bin/ $2), sorted; a folder the build made is named by
# what it still holds.
kept_in() {
    local at=$1 prefix=$2 name names
    # A failure inside a process substitution is lost unless waited for.
    mapfile -t -d '' names < <(find -P "$at" -mindepth 1 -maxdepth 1 -printf '%f\0' | LC_ALL=C sort -z)
    wait $!
    for name in ${names[@]+"${names[@]}"}; do
        if [ -n "${made_folders[$prefix$name]:-}" ] && folder "$at/$name" && [ -n "$(ls -A -- "$at/$name")" ]; then
            kept_in "$at/$name" "$prefix$name/"
        else
            kept+=("$prefix$name")
        fi
    done
}

clean_folder() {
    local dir=$1 bin=$1/bin path name other listed=yes had_build='' real_dir
    if [ -L "$dir" ]; then
        echo "$dir is a link to $(readlink -- "$dir"): make clean does not follow it and deleted nothing there; name the folder itself to clean it."
        return
    fi
    present "$dir" || return 0
    if ! folder "$dir"; then
        echo "$dir is not a folder: make clean left it as it is."
        return
    fi
    # Only CMake's cache tells a build of this tree (checked before any folder was touched):
    # without one, what lies beside bin/ is not known to be the build's.
    if present "$dir/CMakeCache.txt"; then
        had_build=yes
    elif beside_bin "$dir"; then
        echo "$dir holds no CMakeCache.txt, so nothing shows what a build made there: make clean deleted nothing in it."
        return
    fi
    list_outputs "$dir" || listed=

    declare -A made_folders=()
    for path in ${outputs[@]+"${outputs[@]}"}; do
        name=$path
        while [ "${name%/*}" != "$name" ]; do
            name=${name%/*}
            made_folders[$name]=1
        done
        # A folder, a device or a FIFO at an output's name is not what the build makes.
        if through_folders "$bin" "$path" && { [ -L "$bin/$path" ] || [ -f "$bin/$path" ]; }; then
            rm -f -- "$bin/$path"
        fi
    done

    # Beside bin/: all of it, but for a folder that holds another build folder of this clean,
    # cleaned already, whose bin/ keeps what it kept.
    real_dir=$(realpath -m -- "$dir")
    while IFS= read -r -d '' path; do
        if folder "$path"; then
            for other in "${real_folders[@]}"; do
                if [ "$other" != "$real_dir" ] && inside "$other" "$real_dir/${path##*/}"; then
                    continue 2
                fi
            done
        fi
        rm -rf -- "$path"
    done < <(find -P "$dir" -mindepth 1 -maxdepth 1 ! -name bin -print0)
    wait $!

    # The folders the build made for its outputs, deepest first, when nothing else is in them.
    for path in "${!made_folders[@]}"; do
        printf '%s\0' "$path"
    done | LC_ALL=C sort -rz | while IFS= read -r -d '' path; do
        ! through_folders "$bin" "$path/x" || rmdir -- "$bin/$path" 2>/dev/null || true
    done

    if folder "$bin" && rmdir -- "$bin" 2>/dev/null; then :; fi
    rmdir -- "$dir" 2>/dev/null && return

    if ! folder "$bin"; then
        ! present "$bin" || echo "Kept in $dir: bin (a link or a file where the build makes a folder, left as it is; make run uses $program/)."
        return 0
    fi
    if [ -z "$listed" ] && [ -n "$had_build" ]; then
        echo "$dir gives no list of what the build made in bin/ ($reason): nothing in $bin was deleted."
    fi
    local kept=() line=
    kept_in "$bin" ""
    for name in ${kept[@]+"${kept[@]}"}; do
        line+=${line:+, }$name
    done
    [ -z "$line" ] || echo "Kept in $bin: $line (not made by the build, left as they are; make run uses $program/)."
}

case $action in
check) stopped="nothing was installed, configured or built" ;;
clean) stopped="nothing was deleted" ;;
install) stopped="nothing was installed" ;;
*)
    echo "build-folders.sh: unknown action $action" >&2
    exit 2
    ;;
esac
if [ "$action" != check ]; then
    program=$(trimmed "$1")
    real_program=$(realpath -m -- "$program")
    shift
fi
real_here=$(realpath -m -- .)
# In a git work tree of its own, git tells the tree's files. A tree without git (or inside
# another project's work tree) only takes as a build folder inside it one that does not exist
# yet, holds nothing beside bin/ (what make clean keeps), or is a build of this tree.
git=
if top=$(git -C "$real_here" rev-parse --show-toplevel 2>/dev/null) && [ "$(realpath -m -- "$top")" = "$real_here" ]; then
    git=yes
fi

# Every folder is checked before any is touched.
folders=()
real_folders=()
for dir in "$@"; do
    [ -n "$dir" ] || continue
    dir=$(trimmed "$dir")
    real_dir=$(realpath -m -- "$dir")
    if [ "$real_dir" = / ]; then
        echo "The build folder $dir is the root folder /: $stopped." >&2
        exit 1
    fi
    if [ "$action" != check ] && inside "$real_program" "$real_dir"; then
        echo "The program folder $program ($real_program) is or lies inside the build folder $dir ($real_dir), which make clean removes: choose another PROGRAM_DIR; $stopped." >&2
        exit 1
    fi
    if inside "$real_here" "$real_dir"; then
        echo "The build folder $dir ($real_dir) holds the source tree ($real_here): $stopped." >&2
        exit 1
    fi
    home=$(cache_home "$real_dir")
    if inside "$real_dir" "$real_here"; then
        if [ -n "$git" ]; then
            rel=${real_dir#"$real_here"/}
            case $rel in
            .git | .git/*) files=.git ;;
            *) files=$(git --literal-pathspecs -C "$real_here" ls-files -- "$rel") ;;
            esac
            if [ -n "$files" ]; then
                echo "The build folder $dir ($real_dir) holds files of the source tree (what git tracks, or git's own): $stopped." >&2
                exit 1
            fi
        elif present "$real_dir" && [ "$home" != "$real_here" ] && { ! folder "$real_dir" || beside_bin "$real_dir"; }; then
            echo "The build folder $dir ($real_dir) lies in the source tree, which has no git to tell its files, and is neither new, nor empty but for bin/, nor a build of this tree: $stopped." >&2
            exit 1
        fi
    fi
    if present "$real_dir/CMakeCache.txt" && [ "$home" != "$real_here" ]; then
        echo "The build folder $dir ($real_dir) is a build of ${home:-an unknown source tree} (by its CMakeCache.txt), not of this tree ($real_here): $stopped." >&2
        exit 1
    fi
    folders+=("$dir")
    real_folders+=("$real_dir")
done

case $action in
check) exit 0 ;;
install)
    if [ ${#folders[@]} -gt 0 ] && present "${folders[0]}/bin/recipes.db3"; then
        echo "${folders[0]}/bin/recipes.db3 stays where it is (written by the program started there); the program in $program/ uses its own."
    fi
    exit 0
    ;;
esac

# In the order given, but a build folder that holds others after them, so that it sees what
# they kept.
mapfile -t -d '' order < <(
    for i in "${!folders[@]}"; do
        holds=0
        for other in "${real_folders[@]}"; do
            [ "$other" = "${real_folders[i]}" ] || ! inside "$other" "${real_folders[i]}" || holds=$((holds + 1))
        done
        printf '%s\t%s\0' "$holds" "${folders[i]}"
    done | LC_ALL=C sort -z -t $'\t' -k1,1n -s
)
wait $!
for dir in ${order[@]+"${order[@]}"}; do
    clean_folder "${dir#*$'\t'}"
done
