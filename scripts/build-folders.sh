#!/usr/bin/env bash
# The build folders against the files a program started from them wrote for its user.
#   scripts/build-folders.sh clean PROGRAM_FOLDER BUILD_FOLDER...
#       (make clean) removes each build folder, but for what a program started from its bin/
#       wrote there for its user: that stays where it is and one line names it.
#   scripts/build-folders.sh install PROGRAM_FOLDER BUILD_FOLDER...
#       (make program, before it installs) the same guard, and a line when the first build
#       folder's bin/ holds a database of its own.
#
# Nothing here opens, copies, renames or moves a file the build did not make: a program still
# running from bin/ keeps working on its own files, and a database never leaves its journal.
# Links are removed as links and never followed. An empty save/ or backup/ goes through rmdir,
# which fails when a file appeared in it meanwhile.
set -euo pipefail

action=$1
program=$2
shift 2

# What a program started from bin/ writes for its user. The settings, the working database and
# the printable page are replaced through a temporary file beside them (fenolda.ini.tmp<pid>-<n>)
# and Qt locks its settings with QtProject.conf.lock, so every name that begins with one of
# these is spared as well: deleting it would cut a running program's write short.
household_files=(recipes.db3 recipes.db3-journal recipes.db3-wal recipes.db3-shm fenolda.ini fenolda.log QtProject.conf)
household_folders=(save backup)
page=html/liste.html

present() {
    [ -e "$1" ] || [ -L "$1" ]
}

# A real folder, not a link to one.
folder() {
    [ -d "$1" ] && [ ! -L "$1" ]
}

# save/ and backup/ are the household's unless they are real folders with no file at any depth.
household_folder() {
    present "$1" || return 1
    folder "$1" || return 0
    [ -n "$(find -P "$1" -mindepth 1 ! -type d -print -quit)" ]
}

holds_household() {
    local bin=$1 name
    folder "$bin" || return 1
    for name in "${household_files[@]}"; do
        present "$bin/$name" && return 0
    done
    for name in "${household_folders[@]}"; do
        household_folder "$bin/$name" && return 0
    done
    folder "$bin/html" && present "$bin/$page"
}

# What stayed in bin/, as paths inside it: the household's names in their usual order, then any
# other (the temporary file of a write under way).
left_in() {
    local bin=$1 name known
    local kept=()
    for name in "${household_files[@]}" "${household_folders[@]}" "$page"; do
        ! present "$bin/$name" || kept+=("$name")
    done
    local line=
    while IFS= read -r -d '' name; do
        name=${name#"$bin/"}
        for known in "${kept[@]}" html; do
            [ "$name" != "$known" ] || continue 2
        done
        kept+=("$name")
    done < <(
        {
            find -P "$bin" -mindepth 1 -maxdepth 1 -print0
            ! folder "$bin/html" || find -P "$bin/html" -mindepth 1 -maxdepth 1 -print0
        } | sort -z
    )
    for name in "${kept[@]}"; do
        line+=${line:+, }$name
    done
    echo "$line"
}

clean_folder() {
    local dir=$1 bin=$1/bin name
    # A build folder that is a link goes as a link: what it points to is not ours to empty.
    if ! folder "$dir" || ! holds_household "$bin"; then
        rm -rf -- "$dir"
        return
    fi
    find -P "$dir" -mindepth 1 -maxdepth 1 ! -name bin -exec rm -rf -- {} +
    find -P "$bin" -mindepth 1 -maxdepth 1 ! -name 'recipes.db3*' ! -name 'fenolda.ini*' ! -name 'fenolda.log*' \
        ! -name 'QtProject.conf*' ! -name save ! -name backup ! -name html -exec rm -rf -- {} +
    for name in "${household_folders[@]}"; do
        if folder "$bin/$name" && ! household_folder "$bin/$name"; then
            find -P "$bin/$name" -depth -type d -empty -delete 2>/dev/null || true
        fi
    done
    if folder "$bin/html"; then
        find -P "$bin/html" -mindepth 1 -maxdepth 1 ! -name 'liste.html*' -exec rm -rf -- {} +
        rmdir -- "$bin/html" 2>/dev/null || true
    else
        rm -f -- "$bin/html"
    fi
    echo "Kept in $bin: $(left_in "$bin") (written by the program started there; make run uses $program/)."
}

# Trailing slashes would make the last name resolve through a link.
trimmed() {
    local path=$1
    while [ "${#path}" -gt 1 ] && [ "${path%/}" != "$path" ]; do
        path=${path%/}
    done
    # find and rm would take a leading "-" for an option.
    case $path in -*) path=./$path ;; esac
    echo "$path"
}

inside() {
    case $1 in "$2" | "${2%/}"/*) return 0 ;; esac
    return 1
}

program=$(trimmed "$program")
real_program=$(realpath -m -- "$program")
real_here=$(realpath -m -- .)
case $action in
clean) stopped="nothing was deleted" ;;
install) stopped="nothing was installed" ;;
*)
    echo "build-folders.sh: unknown action $action" >&2
    exit 2
    ;;
esac

# Every folder is checked before any is touched.
folders=()
for dir in "$@"; do
    [ -n "$dir" ] || continue
    dir=$(trimmed "$dir")
    real_dir=$(realpath -m -- "$dir")
    if inside "$real_program" "$real_dir"; then
        echo "The program folder $program ($real_program) is or lies inside the build folder $dir ($real_dir), which make clean removes: choose another PROGRAM_DIR; $stopped." >&2
        exit 1
    fi
    if inside "$real_here" "$real_dir"; then
        echo "The build folder $dir ($real_dir) holds the source tree ($real_here): $stopped." >&2
        exit 1
    fi
    folders+=("$dir")
done

if [ "$action" = install ]; then
    if [ ${#folders[@]} -gt 0 ] && present "${folders[0]}/bin/recipes.db3"; then
        echo "${folders[0]}/bin/recipes.db3 stays where it is (written by the program started there); the program in $program/ uses its own."
    fi
    exit 0
fi

for dir in "${folders[@]}"; do
    clean_folder "$dir"
done
