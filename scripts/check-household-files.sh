#!/usr/bin/env bash
# make clean and make program leave what a program started from a build folder wrote there for
# its user exactly where it is, byte for byte, even while that program or another writer still
# has it open, and touch nothing outside the folders they are given. Runs in a scratch copy of
# the source tree, so that it never cleans the folders of the tree it runs from. Each case runs
# on its own; a case that loses or changes something fails with its name, and the others still run.
set -euo pipefail

source=$(cd "$(dirname "$0")/.." && pwd)
# The cases make their databases with the sqlite3 shell.
bash "$source/scripts/install-deps.sh"
scratch=$(mktemp -d)
# The processes a case started, stopped at the end whatever happened.
pids=$scratch/pids
touch "$pids"
cleanup() {
    local pid
    while read -r pid; do
        kill -9 "$pid" 2>/dev/null || true
    done <"$pids"
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
    echo "check-household-files: $case_name: $*" >&2
    exit 1
}
# Copies of paths (files, folders, links as links) under $kept, to compare with afterwards.
keep() {
    local p
    for p in "$@"; do
        mkdir -p "$(dirname "$kept$p")"
        rm -rf "$kept$p"
        cp -a "$p" "$kept$p"
    done
}
same() {
    local p
    for p in "$@"; do
        diff -r --no-dereference -q "$kept$p" "$p" >/dev/null 2>&1 || fail "${p#"$scratch"/} is missing or changed"
    done
}
# The log takes lines at any time: what it held must still be its start.
same_start() {
    cmp -s -n "$(stat -c %s "$kept$1")" "$kept$1" "$1" || fail "${1#"$scratch"/} is missing or lost its start"
}
# A file of random bytes, kept.
plant() {
    mkdir -p "$(dirname "$1")"
    head -c $((1000 + RANDOM)) /dev/urandom >"$1"
    keep "$1"
}
gone() {
    local p
    for p in "$@"; do
        [ ! -e "$p" ] && [ ! -L "$p" ] || fail "${p#"$scratch"/} is still there"
    done
}
# What a build leaves in a folder: CMake's files, objects, libraries, programs, the shipped copies
# and a test's leftovers; enough objects that a clean takes a while.
fake_build() {
    mkdir -p "$1/CMakeFiles/fenolda.dir" "$1/ui" "$1/Testing/Temporary" "$1/bin/sql" "$1/bin/html"
    echo "CMAKE_GENERATOR:INTERNAL=Ninja" >"$1/CMakeCache.txt"
    touch "$1/build.ninja" "$1/ui/libfenolda_ui.a" "$1/Testing/Temporary/LastTest.log" "$1/bin/fenolda" \
        "$1/bin/test_core" "$1/bin/recipes-base.db3" "$1/bin/sql/update-1.sql" "$1/bin/html/header.tpl" \
        "$1/bin/html/footer.tpl"
    (cd "$1/CMakeFiles/fenolda.dir" && seq -f 'unit%g.cpp.o' 3000 | xargs touch)
}
# Nothing is left in build folder $1 but what a program started from its bin/ writes there.
only_household() {
    local left
    left=$(cd "$1" && find -P . -mindepth 1 ! -path ./bin ! -path './bin/recipes.db3*' ! -path './bin/fenolda.ini*' \
        ! -path './bin/fenolda.log*' ! -path './bin/QtProject.conf*' ! -path ./bin/save ! -path './bin/save/*' \
        ! -path ./bin/backup ! -path './bin/backup/*' ! -path ./bin/html ! -path './bin/html/liste.html*')
    [ -z "$left" ] || fail "make clean left in ${1#"$scratch"/}:"$'\n'"$left"
}

# make in the scratch tree with every folder named on the command line, so that a folder of the
# environment is never cleaned; the folders lie in $dir, the case's own.
case_make() {
    make -C "$tree" BUILD_DIR="$dir/build" PROGRAM_DIR="$dir/program" SANITIZE_DIR="$dir/build-sanitize" \
        FUZZ_DIR="$dir/build-fuzz" CMAKE_FLAGS=-DFENOLDA_BUILD_TESTS=OFF "$@" >>"$dir/make.log" 2>&1
}
make_log() {
    tail -20 "$dir/make.log"
}
new_dir() {
    dir=$scratch/cases/$1
    mkdir -p "$dir"
}

rows=400
# A database of $rows committed rows whose writer was killed in the middle of a transaction that
# changed more pages than its cache holds: the file holds some changed pages and the hot journal
# the committed ones.
interrupted_db() {
    local db=$1
    sqlite3 -batch "$db" "create table t(n integer primary key, pad text);
        with recursive c(n) as (select 1 union all select n + 1 from c where n < $rows)
        insert into t select n, printf('%0500d', n) from c;" >/dev/null
    coproc writer { exec sqlite3 -batch "$db"; }
    echo "$writer_PID" >>"$pids"
    echo "pragma cache_size = 2; begin; update t set pad = hex(randomblob(300));
        delete from t where n % 3 = 0; select 'changed';" >&"${writer[1]}"
    local line=
    until [ "$line" = changed ]; do
        read -r line <&"${writer[0]}"
    done
    kill -9 "$writer_PID"
    wait "$writer_PID" 2>/dev/null || true
    [ -e "$db-journal" ] || fail "the killed writer left no journal beside $db"
}
committed() {
    local out
    out=$(sqlite3 -batch "$1" "pragma integrity_check; select count(*), min(pad = printf('%0500d', n)) from t" 2>&1) || true
    [ "$out" = "ok"$'\n'"$rows|1" ] || fail "${1#"$scratch"/} does not hold its committed rows: $(head -3 <<<"$out")"
}

# ---- the cases ----------------------------------------------------------------------------

# make program beside the household's files of both folders: the real build of the program,
# which the next case starts.
case_program_both_sides() {
    dir=$tree
    local household=(program/recipes.db3 program/fenolda.ini program/fenolda.log program/QtProject.conf
        program/save/x.txt program/backup/y.db3 program/from-build-2024-05-01/recipes.db3
        build/bin/recipes.db3 build/bin/recipes.db3-journal build/bin/fenolda.ini build/bin/save/m.txt
        build/bin/html/liste.html)
    local f
    for f in "${household[@]}"; do
        plant "$dir/$f"
    done
    case_make program || fail "make program failed: $(make_log)"
    for f in "${household[@]}"; do
        same "$dir/$f"
    done
    grep -q "build/bin/recipes.db3 stays" "$dir/make.log" || fail "make program did not say that build/bin/recipes.db3 stays"
    [ -x program/fenolda ] && [ -s program/recipes-base.db3 ] || fail "the program was not installed"
    local shipped=()
    for f in data/sql/*.sql data/html/*.tpl; do
        cmp -s "program/${f#data/}" "$f" || fail "program/${f#data/} was not installed"
        shipped+=("program/${f#data/}")
    done
    # Nothing else: the install ships the program and its files, never a test or a build file.
    local listed expected
    listed=$(find program ! -type d | sort)
    expected=$(printf '%s\n' "${household[@]}" program/fenolda program/recipes-base.db3 "${shipped[@]}" | grep '^program/' | sort)
    [ "$listed" = "$expected" ] || fail "the program folder holds:"$'\n'"$listed"
}

# build/bin/fenolda started where it lies and still running through make clean.
case_running_program() {
    dir=$tree
    [ -x build/bin/fenolda ] || fail "no build/bin/fenolda to start"
    rm -rf build/bin/recipes.db3* build/bin/fenolda.ini build/bin/save build/bin/html/liste.html
    local home=$scratch/home
    mkdir -m 700 "$home"
    HOME=$home XDG_CONFIG_HOME=$home XDG_RUNTIME_DIR=$home QT_QPA_PLATFORM=offscreen build/bin/fenolda \
        >"$scratch/fenolda.out" 2>&1 &
    local pid=$!
    echo "$pid" >>"$pids"
    local db=$tree/build/bin/recipes.db3 open=
    for ((i = 0; i < 300; i++)); do
        open=$(find -P "/proc/$pid/fd" -lname "$db*" -printf '%l\n' 2>/dev/null | grep -xF "$db" || true)
        [ -z "$open" ] || [ ! -s build/bin/fenolda.ini ] || break
        sleep 0.1
    done
    [ -n "$open" ] || fail "build/bin/fenolda did not open its database: $(cat "$scratch/fenolda.out")"
    # The start's last writes settle.
    sleep 1
    # It made empty save/ and backup/ folders as well, which are nothing to keep.
    [ -d build/bin/save ] && [ -d build/bin/backup ] || fail "build/bin/fenolda made no save/ and backup/ folders"
    local files=()
    for f in build/bin/recipes.db3* build/bin/fenolda.ini build/bin/fenolda.log build/bin/QtProject.conf; do
        [ ! -e "$f" ] || files+=("$tree/$f")
    done
    keep "${files[@]}"
    case_make clean || fail "make clean failed: $(make_log)"
    kill -0 "$pid" 2>/dev/null || fail "the program stopped during make clean: $(cat "$scratch/fenolda.out")"
    open=$(find -P "/proc/$pid/fd" -lname "*recipes.db3*" -printf '%l\n')
    grep -qxF "$db" <<<"$open" && ! grep -q deleted <<<"$open" ||
        fail "the running program's database files are now: ${open:-none}"
    for f in "${files[@]}"; do
        if [ "${f##*/}" = fenolda.log ]; then
            same_start "$f"
        else
            same "$f"
        fi
    done
    gone build/CMakeCache.txt build/bin/fenolda build/bin/recipes-base.db3 build/bin/sql build/bin/html/header.tpl \
        build/bin/save build/bin/backup
    [ -z "$(find build -name '*.o' -print -quit)" ] || fail "objects are left in build/"
    only_household build
    grep -qF "Kept in $tree/build/bin: recipes.db3" "$dir/make.log" || fail "make clean did not name what it kept: $(make_log)"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

# A writer committing to build/bin/recipes.db3 in write-ahead-log mode all through make clean.
case_wal_writer() {
    new_dir wal
    fake_build "$dir/build"
    local db=$dir/build/bin/recipes.db3
    sqlite3 -batch "$db" "pragma journal_mode=wal; create table t(n integer primary key, pad text);" >/dev/null
    coproc writer { exec sqlite3 -batch "$db"; }
    echo "$writer_PID" >>"$pids"
    local n=0
    # Each row is counted once the writer reads it back: its insert has committed.
    commit() {
        local line
        n=$((n + 1))
        echo "insert into t values($n, hex(randomblob(400))); select n from t where n = $n;" >&"${writer[1]}"
        read -r -t 10 line <&"${writer[0]}" && [ "$line" = "$n" ] || fail "the writer could not commit row $n"
    }
    for ((i = 0; i < 100; i++)); do
        commit
    done
    case_make clean &
    local make_pid=$! before=$n
    while kill -0 "$make_pid" 2>/dev/null; do
        commit
    done
    local during=$((n - before))
    wait "$make_pid" || fail "make clean failed: $(make_log)"
    [ "$during" -gt 0 ] || fail "make clean ended before the writer could commit"
    # Another program opening the database now sees every row: the log beside it is whole.
    local out
    out=$(sqlite3 -batch "$db" "select count(*) from t" 2>&1) || true
    [ "$out" = "$n" ] || fail "a second reader of build/bin/recipes.db3 sees ${out:-nothing} of the $n committed rows"
    for ((i = 0; i < 100; i++)); do
        commit
    done
    echo ".quit" >&"${writer[1]}"
    wait "$writer_PID" 2>/dev/null || true
    out=$(sqlite3 -batch "$db" "pragma integrity_check; select count(*), max(n) from t" 2>&1) || true
    [ "$out" = "ok"$'\n'"$n|$n" ] || fail "build/bin/recipes.db3 lost rows ($n committed, $during during make clean): $(head -3 <<<"$out")"
    gone "$dir/build/CMakeCache.txt" "$dir/build/bin/fenolda"
    only_household "$dir/build"
}

# A database with a hot journal in build-sanitize/bin, beside an empty save/ and a full backup/,
# while build/bin holds nothing of the household's.
case_hot_journal() {
    new_dir journal
    fake_build "$dir/build"
    fake_build "$dir/build-sanitize"
    local bin=$dir/build-sanitize/bin
    interrupted_db "$bin/recipes.db3"
    mkdir -p "$bin/save/2024" "$bin/backup"
    plant "$bin/backup/recipes-2024.db3"
    plant "$bin/html/liste.html"
    keep "$bin/recipes.db3" "$bin/recipes.db3-journal"
    case_make clean || fail "make clean failed: $(make_log)"
    same "$bin/recipes.db3" "$bin/recipes.db3-journal" "$bin/backup/recipes-2024.db3" "$bin/html/liste.html"
    gone "$dir/build" "$bin/save" "$bin/fenolda" "$bin/html/header.tpl"
    only_household "$dir/build-sanitize"
    grep -qF "Kept in $bin: recipes.db3, recipes.db3-journal, backup, html/liste.html (" "$dir/make.log" ||
        fail "make clean did not name what it kept: $(make_log)"
    committed "$bin/recipes.db3"
}

# Folder names with a blank, and a program folder inside a build folder, named directly or
# through a link.
case_folder_names() {
    new_dir names
    fake_build "$dir/my build"
    plant "$dir/my/menu.txt"
    plant "$dir/build/bin/recipes.db3"
    case_make clean BUILD_DIR="$dir/my build" || fail "make clean failed: $(make_log)"
    gone "$dir/my build"
    same "$dir/my/menu.txt" "$dir/build/bin/recipes.db3"

    fake_build "$dir/build"
    plant "$dir/build/program/recipes.db3"
    ln -s build "$dir/link"
    keep "$dir/build"
    local program
    for program in "$dir/build/program" "$dir/link/program"; do
        : >"$dir/make.log"
        ! case_make clean PROGRAM_DIR="$program" || fail "make clean went on with PROGRAM_DIR=$program"
        same "$dir/build"
        [ "$(grep -F "$program" "$dir/make.log" | grep -cF "$dir/build ")" = 1 ] ||
            fail "make clean did not name both folders in one line: $(make_log)"
        ! case_make program PROGRAM_DIR="$program" || fail "make program went on with PROGRAM_DIR=$program"
        same "$dir/build"
    done
}

# Links in bin/: one named like a kept file stays a link; any other goes as a link, and what it
# points to stays whole; a build folder that is a link goes as a link.
case_links() {
    new_dir links
    plant "$dir/outside/recipes.db3"
    plant "$dir/outside/notes.txt"
    plant "$dir/outside/folder/menu.txt"
    fake_build "$dir/outside/sanitize"
    plant "$dir/outside/sanitize/bin/recipes.db3"
    fake_build "$dir/build"
    ln -s "$dir/outside/recipes.db3" "$dir/build/bin/recipes.db3"
    ln -s "$dir/outside/notes.txt" "$dir/build/bin/notes.txt"
    ln -s "$dir/outside/folder" "$dir/build/bin/folder"
    ln -s "$dir/outside/folder" "$dir/build/CMakeFiles/folder"
    ln -s "$dir/outside/sanitize" "$dir/build-sanitize"
    fake_build "$dir/build-fuzz"
    ln -s "$dir/outside/folder" "$dir/build-fuzz/bin/corpus"
    keep "$dir/outside" "$dir/build/bin/recipes.db3"
    case_make clean || fail "make clean failed: $(make_log)"
    same "$dir/outside" "$dir/build/bin/recipes.db3"
    gone "$dir/build/bin/notes.txt" "$dir/build/bin/folder" "$dir/build-sanitize" "$dir/build-fuzz"
    only_household "$dir/build"
}

failed=()
run_case() {
    local status=0
    echo "== $1"
    set +e
    (
        set -e
        case_name=$1
        "$2"
    )
    status=$?
    set -e
    [ $status -eq 0 ] || failed+=("$1")
}
run_case "make program with the household's files in program/ and build/bin" case_program_both_sides
run_case "make clean while build/bin/fenolda runs" case_running_program
run_case "make clean while a writer commits in WAL mode" case_wal_writer
run_case "make clean beside a hot journal in build-sanitize/bin" case_hot_journal
run_case "folder names with a blank, program folder inside a build folder" case_folder_names
run_case "links in the build folders" case_links

if [ ${#failed[@]} -gt 0 ]; then
    echo "check-household-files: failed:" >&2
    printf '  %s\n' "${failed[@]}" >&2
    exit 1
fi
echo "check-household-files: the household's files outlived make clean and make program (${SECONDS} s)"
