#!/usr/bin/env bash
# make clean removes what the build made and nothing else: in a build folder's bin/ the outputs
# its build.ninja lists, beside bin/ everything. Every other entry of bin/, whatever its name,
# stays exactly where it is, byte for byte, even while a program or another writer still has it
# open; make program leaves it as it is too; neither touches anything outside the folders it is
# given. Runs in a scratch copy of the source tree, so that it never cleans the folders of the
# tree it runs from. Each case runs on its own; a case that loses or changes something fails with
# its name, and the others still run.
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
mkdir -p "$kept"
shopt -s dotglob nullglob
# The source tree without its builds, program folder or git data, into folder $1.
copy_tree() {
    local entry
    mkdir -p "$1"
    for entry in "$source"/*; do
        case ${entry##*/} in
        .git | build* | program) ;;
        *) cp -a "$entry" "$1/" ;;
        esac
    done
}
# A git work tree of its own, as a clone is: make tells the tree's files by what git tracks.
git_tree() {
    copy_tree "$1"
    git -C "$1" init -q
    git -C "$1" add -A
}
git_tree "$tree"
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
# Each path given is as it was kept; all that are not are named at once.
same() {
    local p lost=()
    for p in "$@"; do
        diff -r --no-dereference -q "$kept$p" "$p" >/dev/null 2>&1 || lost+=("${p#"$scratch"/}")
    done
    [ ${#lost[@]} -eq 0 ] || fail "missing or changed: $(printf '%s, ' "${lost[@]}" | sed 's/, $//')"
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
# What a build of source tree $2 (the scratch tree by default) leaves in folder $1: CMake's
# files, a build.ninja that lists the programs and shipped copies of bin/ as its outputs (a test
# program among them not built yet), objects, libraries and a test's leftovers; enough objects
# that a clean takes a while.
fake_build() {
    mkdir -p "$1/CMakeFiles/fenolda.dir" "$1/ui" "$1/Testing/Temporary" "$1/bin/sql" "$1/bin/html"
    printf '%s\n' "CMAKE_HOME_DIRECTORY:INTERNAL=${2:-$tree}" "CMAKE_GENERATOR:INTERNAL=Ninja" >"$1/CMakeCache.txt"
    # shellcheck disable=SC2016 # $out is ninja's.
    printf '%s\n' 'rule copy' '  command = touch $out' 'build all: phony bin/fenolda' \
        'build bin/fenolda bin/test_core bin/test_ui bin/recipes-base.db3 bin/sql/update-1.sql bin/html/header.tpl bin/html/footer.tpl: copy' \
        >"$1/build.ninja"
    touch "$1/ui/libfenolda_ui.a" "$1/Testing/Temporary/LastTest.log" "$1/bin/fenolda" \
        "$1/bin/test_core" "$1/bin/recipes-base.db3" "$1/bin/sql/update-1.sql" "$1/bin/html/header.tpl" \
        "$1/bin/html/footer.tpl"
    (cd "$1/CMakeFiles/fenolda.dir" && seq -f 'unit%g.cpp.o' 3000 | xargs touch)
}
# The outputs the generator lists in build folder $1's bin/, as paths inside bin/.
bin_outputs() {
    ninja -C "$1" -t targets all | grep -v ': phony$' | sed -n -e 's/: [^ ]*$//' -e 's|^bin/||p'
}
# Nothing is left in build folder $1, beside bin/ or in it, but the paths inside bin/ that match
# the patterns given and the folders on their way.
only_in_bin() {
    local build=$1 pattern left args=()
    shift
    for pattern in "$@"; do
        while :; do
            args+=(! -path "./bin/$pattern")
            [ "${pattern%/*}" != "$pattern" ] || break
            pattern=${pattern%/*}
        done
    done
    left=$(cd "$build" && find -P . -mindepth 1 ! -path ./bin "${args[@]}")
    [ -z "$left" ] || fail "make clean left in ${build#"$scratch"/}:"$'\n'"$left"
}
# The one line of make clean that names what stayed in bin/ $1 names exactly the entries given.
kept_line() {
    local bin=$1 line name expected=
    shift
    for name in "$@"; do
        expected+=${expected:+, }$name
    done
    line=$(grep -F "Kept in $bin: " "$dir/make.log" | tail -1)
    line=${line#"Kept in $bin: "}
    [ "${line% (*}" = "$expected" ] || fail "make clean named as kept in ${bin#"$scratch"/}: ${line:-nothing}, not: $expected"
}

# make in the scratch tree with every folder named on the command line, so that a folder of the
# environment is never cleaned; the folders lie in $dir, the case's own.
case_make() {
    make -C "$tree" BUILD_DIR="$dir/build" PROGRAM_DIR="$dir/program" SANITIZE_DIR="$dir/build-sanitize" \
        FUZZ_DIR="$dir/build-fuzz" CMAKE_FLAGS= "$@" >>"$dir/make.log" 2>&1
}
make_log() {
    tail -20 "$dir/make.log"
}
new_dir() {
    dir=$scratch/cases/$1
    mkdir -p "$dir"
}
# Stand-ins for the commands given, found first on a PATH that starts with $dir/stubs: each notes
# its call in $dir/calls and fails.
stand_ins() {
    local cmd
    mkdir -p "$dir/stubs"
    for cmd in "$@"; do
        printf '#!/bin/sh\necho "%s $*" >>"%s"\nexit 1\n' "$cmd" "$dir/calls" >"$dir/stubs/$cmd"
        chmod +x "$dir/stubs/$cmd"
    done
    : >"$dir/calls"
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

# build/bin/fenolda started where it lies and still running through make clean, beside what its
# user saved there under any name and the build's programs, a test program among them.
case_running_program() {
    dir=$tree
    [ -x build/bin/fenolda ] || fail "no build/bin/fenolda to start"
    # A test program beside it: ctest runs it as fuzz_json.
    cmake --build build --target fuzz_replay_json >>"$dir/make.log" 2>&1 || fail "no test program was built: $(make_log)"
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
    # Its save dialog opens in them, empty as they are.
    [ -d build/bin/save ] && [ -d build/bin/backup ] || fail "build/bin/fenolda made no save/ and backup/ folders"
    # What its user saved there, some of it under names like the build's, and a write under way.
    local saved=("build/bin/mon menu.txt" build/bin/sauvegarde.db3 build/bin/test_menus build/bin/sql/update-0.sql
        "build/bin/menus/2024/semaine 1.txt" "build/bin/menus/semaine 2.txt.Xa81Qz")
    for f in "${saved[@]}"; do
        plant "$tree/$f"
    done
    local outputs
    outputs=$(bin_outputs build) || fail "ninja gives no list of build/'s outputs"
    for f in fenolda fuzz_replay_json recipes-base.db3 sql/update-1.sql html/header.tpl; do
        grep -qxF "$f" <<<"$outputs" && [ -e "build/bin/$f" ] || fail "build/bin/$f is not an output the build made"
    done
    for f in "${saved[@]}"; do
        ! grep -qxF "${f#build/bin/}" <<<"$outputs" || fail "$f is an output of the build"
    done
    local files=()
    for f in build/bin/recipes.db3* build/bin/fenolda.ini build/bin/fenolda.log build/bin/QtProject.conf \
        build/bin/save build/bin/backup; do
        [ ! -e "$f" ] || files+=("$tree/$f")
    done
    keep "${files[@]}"
    case_make clean || fail "make clean failed: $(make_log)"
    kill -0 "$pid" 2>/dev/null || fail "the program stopped during make clean: $(cat "$scratch/fenolda.out")"
    open=$(find -P "/proc/$pid/fd" -lname "*recipes.db3*" -printf '%l\n')
    grep -qxF "$db" <<<"$open" && ! grep -q deleted <<<"$open" ||
        fail "the running program's database files are now: ${open:-none}"
    local whole=()
    for f in "${files[@]}" "${saved[@]/#/$tree/}"; do
        [ "${f##*/}" = fenolda.log ] || whole+=("$f")
    done
    same "${whole[@]}"
    [ ! -e build/bin/fenolda.log ] || same_start "$tree/build/bin/fenolda.log"
    while IFS= read -r f; do
        gone "build/bin/$f"
    done <<<"$outputs"
    gone build/CMakeCache.txt build/bin/fenolda build/bin/fuzz_replay_json build/bin/recipes-base.db3 \
        build/bin/sql/update-1.sql build/bin/html
    [ -z "$(find build -name '*.o' -print -quit)" ] || fail "objects are left in build/"
    only_in_bin build 'recipes.db3*' 'fenolda.ini*' 'fenolda.log*' 'QtProject.conf*' save backup 'mon menu.txt' \
        sauvegarde.db3 test_menus sql/update-0.sql 'menus/*'
    local kept=()
    while IFS= read -r -d '' f; do
        [ "$f" != sql ] || f=sql/update-0.sql
        kept+=("$f")
    done < <(find -P build/bin -mindepth 1 -maxdepth 1 -printf '%f\0' | LC_ALL=C sort -z)
    kept_line "$tree/build/bin" "${kept[@]}"
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
    only_in_bin "$dir/build" 'recipes.db3*'
}

# A database with a hot journal in build-sanitize/bin, beside an empty save/ (the program's as
# much as a full one) and a full backup/, while build/bin holds nothing but the build's.
case_hot_journal() {
    new_dir journal
    fake_build "$dir/build"
    fake_build "$dir/build-sanitize"
    local bin=$dir/build-sanitize/bin
    interrupted_db "$bin/recipes.db3"
    mkdir -p "$bin/save/2024" "$bin/backup"
    plant "$bin/backup/recipes-2024.db3"
    plant "$bin/html/liste.html"
    keep "$bin/recipes.db3" "$bin/recipes.db3-journal" "$bin/save"
    case_make clean || fail "make clean failed: $(make_log)"
    same "$bin/recipes.db3" "$bin/recipes.db3-journal" "$bin/save" "$bin/backup/recipes-2024.db3" "$bin/html/liste.html"
    gone "$dir/build" "$bin/fenolda" "$bin/html/header.tpl" "$bin/sql"
    only_in_bin "$dir/build-sanitize" recipes.db3 recipes.db3-journal save/2024 backup/recipes-2024.db3 html/liste.html
    kept_line "$bin" backup html/liste.html recipes.db3 recipes.db3-journal save
    committed "$bin/recipes.db3"
}

# Folder names with a blank, a program folder inside a build folder, named directly or through a
# link, and a build folder inside another.
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

    fake_build "$dir/outer"
    fake_build "$dir/outer/inner"
    plant "$dir/outer/inner/bin/mon menu.txt"
    case_make clean BUILD_DIR="$dir/outer" SANITIZE_DIR="$dir/outer/inner" || fail "make clean failed: $(make_log)"
    same "$dir/outer/inner/bin/mon menu.txt"
    only_in_bin "$dir/outer/inner" "mon menu.txt"
    gone "$dir/outer/CMakeCache.txt" "$dir/outer/bin"
}

# Links in the build folders go as links when the build made them, and stay otherwise; what they
# point to stays whole, and no output is deleted through a linked folder.
case_links() {
    new_dir links
    plant "$dir/outside/recipes.db3"
    plant "$dir/outside/notes.txt"
    plant "$dir/outside/folder/menu.txt"
    plant "$dir/outside/fenolda"
    plant "$dir/outside/sql/update-1.sql"
    fake_build "$dir/build"
    local bin=$dir/build/bin
    ln -s "$dir/outside/recipes.db3" "$bin/recipes.db3"
    ln -s "$dir/outside/notes.txt" "$bin/notes.txt"
    ln -s "$dir/outside/folder" "$bin/folder"
    rm "$bin/fenolda"
    ln -s "$dir/outside/fenolda" "$bin/fenolda"
    rm -r "$bin/sql"
    ln -s "$dir/outside/sql" "$bin/sql"
    ln -s "$dir/outside/folder" "$dir/build/CMakeFiles/folder"
    fake_build "$dir/build-fuzz"
    ln -s "$dir/outside/folder" "$dir/build-fuzz/bin/corpus"
    keep "$dir/outside" "$bin/recipes.db3" "$bin/notes.txt" "$bin/folder" "$bin/sql" "$dir/build-fuzz/bin/corpus"
    case_make clean || fail "make clean failed: $(make_log)"
    same "$dir/outside" "$bin/recipes.db3" "$bin/notes.txt" "$bin/folder" "$bin/sql" "$dir/build-fuzz/bin/corpus"
    gone "$bin/fenolda" "$dir/build/CMakeFiles"
    only_in_bin "$dir/build" recipes.db3 notes.txt folder sql
    only_in_bin "$dir/build-fuzz" corpus
}

# A build folder given with a trailing slash, that is a link to a build elsewhere: nothing it
# points to is deleted, and the link stays.
case_trailing_slash() {
    new_dir slash
    fake_build "$dir/elsewhere/sanitize"
    plant "$dir/elsewhere/sanitize/bin/recipes.db3"
    ln -s elsewhere/sanitize "$dir/build-sanitize"
    fake_build "$dir/build"
    keep "$dir/elsewhere" "$dir/build-sanitize"
    case_make clean SANITIZE_DIR="$dir/build-sanitize/" BUILD_DIR="$dir/build//" || fail "make clean failed: $(make_log)"
    same "$dir/elsewhere" "$dir/build-sanitize"
    gone "$dir/build"
    grep -qF "$dir/build-sanitize is a link" "$dir/make.log" || fail "make clean did not say that it left the link: $(make_log)"
}

# A build folder that holds the source tree, named in full, as the tree itself, relatively or
# through a link, after one that make clean would clean: nothing anywhere is deleted.
case_source_tree() {
    new_dir source
    fake_build "$dir/build"
    plant "$dir/build/bin/mon menu.txt"
    ln -s "$scratch" "$dir/up"
    : >"$dir/make.log"
    local before after bad
    before=$(find -P "$scratch" ! -path "$dir/make.log" -printf '%p %y %s %T@ %l\n' | sort)
    for bad in "$scratch" "$tree" .. "$dir/up/"; do
        ! case_make clean SANITIZE_DIR="$bad" PROGRAM_DIR=/nonexistent/program || fail "make clean went on with SANITIZE_DIR=$bad"
        grep -qF "holds the source tree" "$dir/make.log" || fail "make clean did not say why it stopped: $(make_log)"
        : >"$dir/make.log"
    done
    after=$(find -P "$scratch" ! -path "$dir/make.log" -printf '%p %y %s %T@ %l\n' | sort)
    [ "$before" = "$after" ] || fail "make clean changed:"$'\n'"$(diff <(echo "$before") <(echo "$after") | head)"
}

# Build folders that give no list of their outputs: build.ninja missing (a configure cut short,
# another generator) or one ninja cannot read; nothing in their bin/ is known to be the build's.
# A folder without CMake's cache is left whole, CMakeFiles/ or not.
case_no_list() {
    new_dir nolist
    fake_build "$dir/build"
    rm "$dir/build/build.ninja"
    fake_build "$dir/build-sanitize"
    echo 'build bin/fenolda: no_such_rule' >"$dir/build-sanitize/build.ninja"
    mkdir -p "$dir/build-fuzz/CMakeFiles"
    plant "$dir/build-fuzz/lettre.txt"
    plant "$dir/build-fuzz/bin/fenolda"
    keep "$dir/build/bin" "$dir/build-sanitize/bin"
    case_make clean || fail "make clean failed: $(make_log)"
    same "$dir/build/bin" "$dir/build-sanitize/bin" "$dir/build-fuzz/lettre.txt" "$dir/build-fuzz/bin/fenolda"
    only_in_bin "$dir/build" '*'
    only_in_bin "$dir/build-sanitize" '*'
    grep -qF "$dir/build gives no list" "$dir/make.log" && grep -qF "$dir/build-sanitize gives no list" "$dir/make.log" ||
        fail "make clean did not say that build/ and build-sanitize/ give no list: $(make_log)"
    grep -qF "$dir/build-fuzz holds no CMakeCache.txt" "$dir/make.log" || fail "make clean did not say why it left build-fuzz/: $(make_log)"
}

# The root folder as a build folder, however it is written, for every target: make stops with one
# line before it runs anything. Every command that could install, configure, build, copy, move or
# delete is a stand-in, so that a make that went on would still change nothing.
case_root() {
    new_dir root
    stand_ins rm rmdir find cmake ctest ninja cp mv ln mkdir apt-get dpkg-query sudo
    local root target folder
    for root in / // /. /.. /./..// "$(realpath --relative-to="$tree" /)"; do
        for target in configure build program run test check-sanitize fuzz bench clean; do
            case $target in
            check-sanitize) folder=SANITIZE_DIR ;;
            fuzz) folder=FUZZ_DIR ;;
            *) folder=BUILD_DIR ;;
            esac
            : >"$dir/make.log"
            ! PATH=$dir/stubs:$PATH case_make "$target" "$folder=$root" || fail "make $target went on with $folder=$root"
            [ "$(grep -c "is the root folder /" "$dir/make.log")" = 1 ] ||
                fail "make $target with $folder=$root did not say in one line why it stopped: $(make_log)"
            [ ! -s "$dir/calls" ] || fail "make $target with $folder=$root ran:"$'\n'"$(cat "$dir/calls")"
        done
    done
}

# Folders of the source tree as build folders, in a git work tree and in a copy without git: make
# configure stops there, and so does make clean after it, with one line each; nothing in them
# changes, an edit not yet committed and the user's note included. With git, a source folder that
# holds CMake's files (of a configure run by hand) is still the tree's.
case_source_folders() {
    new_dir sources
    git_tree "$dir/git"
    fake_build "$dir/git/bench" "$dir/git"
    source_folders "$dir/git"
    copy_tree "$dir/plain"
    source_folders "$dir/plain"
}
# $1: the tree make runs in.
source_folders() {
    local tree=$1 folder
    echo '// essai' >>"$tree/bench/bench_list.cpp"
    plant "$tree/bench/notes.txt"
    keep "$tree/bench" "$tree/ui" "$tree/data"
    for folder in bench ui/ ./data/html data/../bench "$tree/bench"; do
        : >"$dir/make.log"
        ! case_make configure BUILD_DIR="$folder" || fail "make configure went on with BUILD_DIR=$folder in ${tree#"$scratch"/}"
        ! case_make clean BUILD_DIR="$folder" || fail "make clean went on with BUILD_DIR=$folder in ${tree#"$scratch"/}"
        [ "$(grep -c "source tree" "$dir/make.log")" = 2 ] ||
            fail "make did not say in one line why it stopped with BUILD_DIR=$folder in ${tree#"$scratch"/}: $(make_log)"
    done
    same "$tree/bench" "$tree/ui" "$tree/data"
}

# Another project built in place, among its sources, named as a build folder after one of this
# tree's: make clean fails and deletes nothing in either. A build whose cache names this tree
# through a link is this tree's.
case_other_project() {
    new_dir other
    local other=$dir/other
    fake_build "$other" "$other"
    plant "$other/CMakeLists.txt"
    plant "$other/src/main.cpp"
    plant "$other/notes.txt"
    fake_build "$dir/build"
    keep "$other" "$dir/build"
    ! case_make clean SANITIZE_DIR="$other" || fail "make clean went on with another project's build"
    same "$other" "$dir/build"
    [ "$(grep -c "is a build of .*, not of this tree" "$dir/make.log")" = 1 ] ||
        fail "make clean did not say in one line why it stopped: $(make_log)"
    ln -s "$tree" "$dir/tree"
    fake_build "$dir/linked" "$dir/tree"
    case_make clean BUILD_DIR="$dir/linked" || fail "make clean did not take a build of the tree named through a link: $(make_log)"
    gone "$dir/linked"
}

# A build folder named -b, in the tree: make configure makes ./-b, make clean cleans it but for
# what its user left in its bin/, and a make clean whose find fails on the way fails.
case_dash() {
    new_dir dash
    case_make configure BUILD_DIR=-b || fail "make configure failed: $(make_log)"
    [ -f "$tree/-b/CMakeCache.txt" ] || fail "make configure made no -b/CMakeCache.txt"
    plant "$tree/-b/bin/mon menu.txt"
    case_make clean BUILD_DIR=-b || fail "make clean failed: $(make_log)"
    gone "$tree/-b/CMakeCache.txt" "$tree/-b/CMakeFiles"
    only_in_bin "$tree/-b" "mon menu.txt"
    kept_line ./-b/bin "mon menu.txt"
    fake_build "$tree/-b"
    stand_ins find
    ! PATH=$dir/stubs:$PATH case_make clean BUILD_DIR=-b || fail "make clean ended well though find failed: $(make_log)"
}

# A folder of its user's at the name of a test program the build makes, not built yet: make
# clean keeps it whole and names it.
case_output_folder() {
    new_dir output
    fake_build "$dir/build"
    plant "$dir/build/bin/test_ui/mon menu.txt"
    case_make clean || fail "make clean failed: $(make_log)"
    same "$dir/build/bin/test_ui/mon menu.txt"
    only_in_bin "$dir/build" "test_ui/mon menu.txt"
    kept_line "$dir/build/bin" test_ui
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
run_case "make program with the program's files in program/ and build/bin" case_program_both_sides
run_case "make clean while build/bin/fenolda runs" case_running_program
run_case "make clean while a writer commits in WAL mode" case_wal_writer
run_case "make clean beside a hot journal in build-sanitize/bin" case_hot_journal
run_case "folder names with a blank, program folder inside a build folder" case_folder_names
run_case "links in the build folders" case_links
run_case "a linked build folder given with a trailing slash" case_trailing_slash
run_case "a build folder that holds the source tree" case_source_tree
run_case "build folders that give no list of their outputs" case_no_list
run_case "the root folder as a build folder" case_root
run_case "source folders of the tree as build folders" case_source_folders
run_case "another project's build as a build folder" case_other_project
run_case "a build folder named -b" case_dash
run_case "a folder of the user's at an output's name" case_output_folder

if [ ${#failed[@]} -gt 0 ]; then
    echo "check-household-files: failed:" >&2
    printf '  %s\n' "${failed[@]}" >&2
    exit 1
fi
echo "check-household-files: make clean removed the build's files and nothing else, make program kept every file (${SECONDS} s)"
