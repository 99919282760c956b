#!/usr/bin/env bash
# make clean and make program (the install of make run) never delete or change what the
# program wrote for its user, and move what an older make run left in the build tree into the
# program folder. Runs in a scratch copy of the source tree, so that it never cleans the
# folders of the tree it runs from.
set -euo pipefail

source=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
tree=$scratch/tree
kept=$scratch/kept
mkdir -p "$tree" "$kept"
shopt -s dotglob nullglob
for entry in "$source"/*; do
    case ${entry##*/} in
    .git | build* | program) ;;
    *) cp -a "$entry" "$tree/" ;;
    esac
done
cd "$tree"

fail() {
    echo "check-household-files: $*" >&2
    exit 1
}
# Every folder named on the command line: a folder of the environment must never be cleaned.
scratch_make() {
    make BUILD_DIR=build PROGRAM_DIR=program SANITIZE_DIR=build-sanitize FUZZ_DIR=build-fuzz \
        CMAKE_FLAGS=-DFENOLDA_BUILD_TESTS=OFF "$@" >>"$scratch/make.log" 2>&1
}
# A file of random bytes at $1, with its copy under $kept.
plant() {
    mkdir -p "$(dirname "$1")" "$(dirname "$kept/$1")"
    head -c $((1000 + RANDOM)) /dev/urandom >"$1"
    cp "$1" "$kept/$1"
}
same() {
    for f in "$@"; do
        cmp -s "$f" "$kept/$f" || fail "$f is missing or changed ($step)"
    done
}
household=(program/recipes.db3 program/fenolda.ini program/save/x.txt program/backup/y.db3)

plant program/recipes.db3
plant program/fenolda.ini
plant program/save/x.txt
plant program/backup/y.db3
# What an older make run left in the build tree: a log to move, and a database that the program
# folder holds too.
plant build/bin/fenolda.log
mkdir -p "$kept/build/bin"
head -c 3000 /dev/urandom >build/bin/recipes.db3
cp build/bin/recipes.db3 "$kept/build/bin/recipes.db3"

step="make clean with two databases"
if scratch_make clean; then
    fail "make clean went on while build/bin and program/ both held recipes.db3"
fi
cmp -s build/bin/recipes.db3 "$kept/build/bin/recipes.db3" || fail "build/bin/recipes.db3 changed ($step)"
same "${household[@]}"
cmp -s program/fenolda.log "$kept/build/bin/fenolda.log" || fail "fenolda.log was not moved ($step)"

step="make clean"
rm build/bin/recipes.db3
scratch_make clean || fail "make clean failed: $(tail -20 "$scratch/make.log")"
[ ! -e build ] || fail "make clean left build/"
same "${household[@]}"

step="make program"
mkdir -p build/bin
mv program/fenolda.log build/bin/fenolda.log
scratch_make program || fail "make program failed: $(tail -20 "$scratch/make.log")"
same "${household[@]}"
cmp -s program/fenolda.log "$kept/build/bin/fenolda.log" || fail "fenolda.log was not moved ($step)"
[ -x program/fenolda ] || fail "program/fenolda was not installed"
[ -s program/recipes-base.db3 ] || fail "program/recipes-base.db3 was not installed"
shipped=()
for f in data/sql/*.sql data/html/*.tpl; do
    cmp -s "program/${f#data/}" "$f" || fail "program/${f#data/} was not installed"
    shipped+=("program/${f#data/}")
done
# Nothing else: the install ships the program and its files, never a test or a build file.
listed=$(find program -type f | sort)
expected=$(printf '%s\n' "${household[@]}" program/fenolda.log program/fenolda program/recipes-base.db3 \
    "${shipped[@]}" | sort)
[ "$listed" = "$expected" ] || fail "the program folder holds:"$'\n'"$listed"

echo "check-household-files: the household's files outlived make clean and make program (${SECONDS} s)"
