#!/usr/bin/env bash
# make clean and make program (the install of make run) never lose or change what the program
# wrote for its user, and move what the build tree holds of it into the program folder whole:
# a database with its journal or write-ahead log, nothing partial on a full disk, a copy that
# the program folder holds already set aside rather than blocking. Runs in a scratch copy of the
# source tree, so that it never cleans the folders of the tree it runs from.
set -euo pipefail

source=$(cd "$(dirname "$0")/.." && pwd)
# The cases make their databases with the sqlite3 shell.
bash "$source/scripts/install-deps.sh"
scratch=$(mktemp -d)
mounts=()
cleanup() {
    for m in "${mounts[@]}"; do
        umount -l "$m" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT
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
# A file of random bytes at $1, with its copy under $kept.
plant() {
    mkdir -p "$(dirname "$1")" "$(dirname "$kept/$1")"
    head -c $((1000 + RANDOM)) /dev/urandom >"$1"
    cp "$1" "$kept/$1"
}
keep() {
    mkdir -p "$(dirname "$kept/$1")"
    cp -a "$1" "$kept/$1"
}
same() {
    for f in "$@"; do
        cmp -s "$f" "$kept/$f" || fail "$f is missing or changed ($step)"
    done
}
# The one folder matching a pattern, or a failure.
only() {
    [ $# -eq 1 ] || fail "expected one match ($step), found: ${*:-none}"
    echo "$1"
}

# ---- the move script's cases, each in a folder of its own, through make clean ----------------

rows=400
# A database of $rows committed rows whose writer was killed in the middle of a transaction that
# changed more pages than its cache holds: in rollback mode the file holds some changed pages and
# the hot journal the committed ones; in WAL mode the committed rows are in the log alone.
interrupted_db() {
    local db=$1 mode=$2
    local setup="pragma journal_mode=$mode; pragma wal_autocheckpoint=0;
        create table t(n integer primary key, pad text);
        with recursive c(n) as (select 1 union all select n + 1 from c where n < $rows)
        insert into t select n, printf('%0500d', n) from c;"
    if [ "$mode" = delete ]; then
        sqlite3 -batch "$db" "$setup" >/dev/null
        setup=
    fi
    coproc writer { exec sqlite3 -batch "$db"; }
    echo "$setup pragma cache_size = 2; begin; update t set pad = hex(randomblob(300));
        delete from t where n % 3 = 0; select 'changed';" >&"${writer[1]}"
    local line=
    until [ "$line" = changed ]; do
        read -r line <&"${writer[0]}"
    done
    kill -9 "$writer_PID"
    wait "$writer_PID" 2>/dev/null || true
    [ -e "$db-journal" ] || [ -e "$db-wal" ] || fail "the killed writer left no journal beside $db"
}
committed() {
    local out
    out=$(sqlite3 -batch "$1" "pragma integrity_check; select count(*), min(pad = printf('%0500d', n)) from t" 2>&1) || true
    [ "$out" = "ok"$'\n'"$rows|1" ] || fail "$1 does not hold its committed rows ($step): $(head -3 <<<"$out")"
}

new_case() {
    case_dir=$scratch/cases/$1
    mkdir -p "$case_dir/build/bin" "$case_dir/program"
}
case_clean() {
    make BUILD_DIR="$case_dir/build" PROGRAM_DIR="$case_dir/program" SANITIZE_DIR="$case_dir/build-sanitize" \
        FUZZ_DIR="$case_dir/build-fuzz" clean >"$case_dir/make.log" 2>&1
}

for mode in delete wal; do
    for copy in none own; do
        step="make clean after a writer was killed in build/bin, $mode journal, program copy: $copy"
        new_case "$mode-$copy"
        interrupted_db "$case_dir/build/bin/recipes.db3" "$mode"
        [ $copy = none ] || plant "$case_dir/program/recipes.db3"
        case_clean || fail "make clean failed ($step): $(tail -5 "$case_dir/make.log")"
        [ ! -e "$case_dir/build" ] || fail "make clean left build/ ($step)"
        if [ $copy = none ]; then
            committed "$case_dir/program/recipes.db3"
        else
            same "$case_dir/program/recipes.db3"
            for companion in -journal -wal -shm; do
                [ ! -e "$case_dir/program/recipes.db3$companion" ] || fail "recipes.db3$companion beside the program's own database ($step)"
            done
            aside=$(only "$case_dir"/program/from-build-*/recipes.db3)
            committed "$aside"
        fi
    done
done

step="make clean onto a full file system"
new_case full
sqlite3 -batch "$case_dir/build/bin/recipes.db3" "create table t(n integer primary key, pad text);
    with recursive c(n) as (select 1 union all select n + 1 from c where n < 2000)
    insert into t select n, printf('%0500d', n) from c;"
echo "[DATABASE]" >"$case_dir/build/bin/fenolda.ini"
keep "$case_dir/build/bin/recipes.db3"
keep "$case_dir/build/bin/fenolda.ini"
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=256k,mode=0755 tmpfs "$case_dir/program" 2>/dev/null; then
    mounts+=("$case_dir/program")
    if case_clean; then
        fail "make clean went on while recipes.db3 could not be moved"
    fi
else
    # Without a file system of its own: a file size limit cuts the copy short in the same way.
    if (ulimit -f 256 && trap '' XFSZ && case_clean); then
        fail "make clean went on while recipes.db3 could not be moved"
    fi
fi
left=$(find "$case_dir/program" -mindepth 1)
[ -z "$left" ] || fail "the program folder holds what a failed move left ($step):"$'\n'"$left"
same "$case_dir/build/bin/recipes.db3" "$case_dir/build/bin/fenolda.ini"
grep -q "build/bin/recipes.db3" "$case_dir/make.log" || fail "the failure does not name the file: $(cat "$case_dir/make.log")"
step="make clean once there is room"
for m in "${mounts[@]}"; do
    umount -l "$m"
done
mounts=()
case_clean || fail "make clean failed ($step): $(tail -5 "$case_dir/make.log")"
cmp -s "$case_dir/program/recipes.db3" "$kept/$case_dir/build/bin/recipes.db3" || fail "recipes.db3 was not moved whole ($step)"

# ---- a real build and install over the household's files ------------------------------------

# Every folder named on the command line: a folder of the environment must never be cleaned.
scratch_make() {
    make BUILD_DIR=build PROGRAM_DIR=program SANITIZE_DIR=build-sanitize FUZZ_DIR=build-fuzz \
        CMAKE_FLAGS=-DFENOLDA_BUILD_TESTS=OFF "$@" >>"$scratch/make.log" 2>&1
}
household=(program/recipes.db3 program/fenolda.ini program/save/x.txt program/backup/y.db3)

plant program/recipes.db3
plant program/fenolda.ini
plant program/save/x.txt
plant program/backup/y.db3
# What an older make run left in the build tree: a log, which the program folder lacks.
plant build/bin/fenolda.log

step="make clean"
scratch_make clean || fail "make clean failed ($step): $(tail -20 "$scratch/make.log")"
[ ! -e build ] || fail "make clean left build/"
same "${household[@]}"
cmp -s program/fenolda.log "$kept/build/bin/fenolda.log" || fail "fenolda.log was not moved ($step)"

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

# A developer starts the built program where it lies: it makes its database, settings, log and
# empty menu and backup folders in build/bin, all of which the program folder holds too.
step="make clean after build/bin/fenolda was started"
home=$scratch/home
mkdir -p "$home"
HOME=$home XDG_CONFIG_HOME=$home XDG_RUNTIME_DIR=$home QT_QPA_PLATFORM=offscreen build/bin/fenolda \
    >"$scratch/fenolda.out" 2>&1 &
started=$!
for ((i = 0; i < 300; i++)); do
    [ -s build/bin/recipes.db3 ] && [ -s build/bin/fenolda.ini ] && break
    sleep 0.1
done
sleep 1
kill "$started" 2>/dev/null || true
wait "$started" 2>/dev/null || true
[ -s build/bin/recipes.db3 ] && [ -d build/bin/save ] && [ -d build/bin/backup ] ||
    fail "build/bin/fenolda did not start: $(cat "$scratch/fenolda.out")"
started_files=()
for f in recipes.db3 fenolda.ini fenolda.log; do
    if [ -e "build/bin/$f" ]; then
        mkdir -p "$kept/started"
        cp "build/bin/$f" "$kept/started/$f"
        started_files+=("$f")
    fi
done
scratch_make clean || fail "make clean failed ($step): $(tail -20 "$scratch/make.log")"
[ ! -e build ] || fail "make clean left build/ ($step)"
same "${household[@]}"
cmp -s program/fenolda.log "$kept/build/bin/fenolda.log" || fail "program/fenolda.log changed ($step)"
aside=$(only program/from-build-*)
for f in "${started_files[@]}"; do
    cmp -s "$aside/$f" "$kept/started/$f" || fail "build/bin/$f was not set aside whole ($step)"
done
# Empty folders are nothing to keep.
[ ! -e "$aside/save" ] && [ ! -e "$aside/backup" ] || fail "empty folders were set aside ($step)"

echo "check-household-files: the household's files outlived make clean and make program (${SECONDS} s)"
