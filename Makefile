# The commands of the README: `make run` and `make test`, and for developers
# `make check-sanitize`, `make fuzz` and `make bench`. Each installs what is missing, configures
# and builds first.

BUILD_DIR ?= build
# The program folder: the program, its shipped files and everything it writes for its user.
# No target ever deletes it; make clean and make program refuse one inside a build folder.
PROGRAM_DIR ?= program
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all build-folders deps configure build program program-folder run test check-sanitize fuzz bench clean

all: build

# Before anything is installed, configured or built: a build folder that is not this tree's own
# (the root folder, one that holds the tree, one of the tree's source folders, a build of another
# tree) stops every target.
build-folders:
	bash scripts/build-folders.sh check '$(BUILD_DIR)' '$(SANITIZE_DIR)' '$(FUZZ_DIR)'

deps: build-folders
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B '$(BUILD_DIR)' -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build '$(BUILD_DIR)' -j $(JOBS)

# The program and the files it ships alone (the data target comes with it), built in the folder
# that make test uses, so that a later make test builds only the tests on top, then installed
# into the program folder. The files a program started from the build tree wrote there stay
# there: the program folder keeps its own.
program: program-folder configure
	cmake --build '$(BUILD_DIR)' -j $(JOBS) --target fenolda
	cmake --install '$(BUILD_DIR)' --prefix '$(PROGRAM_DIR)'

# Before anything is installed: a program folder that make clean would remove stops it.
program-folder:
	bash scripts/build-folders.sh install '$(PROGRAM_DIR)' '$(BUILD_DIR)' '$(SANITIZE_DIR)' '$(FUZZ_DIR)'

run: program
	cd '$(PROGRAM_DIR)' && ./fenolda

test: build
	cd '$(BUILD_DIR)' && ctest --output-on-failure -j $(JOBS)

# The whole suite again (both window runs) in a build of its own under AddressSanitizer and
# UndefinedBehaviorSanitizer; any finding, a leak outside the D-Bus library included, fails.
SANITIZE_DIR ?= build-sanitize
SANITIZE_FLAGS = -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

check-sanitize: deps
	cmake -S . -B '$(SANITIZE_DIR)' -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" $(CMAKE_FLAGS)
	cmake --build '$(SANITIZE_DIR)' -j $(JOBS)
	cd '$(SANITIZE_DIR)' && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

# Each libFuzzer program for FUZZ_SECONDS, in a clang build of its own; what a fuzzer finds is
# written to $(FUZZ_DIR)/findings: a harness stops at its first finding, the others still run,
# and the target fails at the end.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_HARNESSES = json commatext decode version convert settings script menu

# Every command takes a folder whose name begins with "-" for an option: it gets ./-name.
dashless = $(if $(filter -%,$(firstword $(1))),./)$(1)
override BUILD_DIR := $(call dashless,$(BUILD_DIR))
override PROGRAM_DIR := $(call dashless,$(PROGRAM_DIR))
override SANITIZE_DIR := $(call dashless,$(SANITIZE_DIR))
override FUZZ_DIR := $(call dashless,$(FUZZ_DIR))

fuzz: build-folders
	bash scripts/install-deps.sh --fuzz
	CC=clang CXX=clang++ cmake -S . -B '$(FUZZ_DIR)' -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFENOLDA_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build '$(FUZZ_DIR)' -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_HARNESSES))
	mkdir -p '$(FUZZ_DIR)/findings'
	status=0; for h in $(FUZZ_HARNESSES); do \
		mkdir -p '$(FUZZ_DIR)'/corpus/$$h; \
		echo "== fuzz_$$h for $(FUZZ_SECONDS) s"; \
		if ! $(SANITIZE_ENV) '$(FUZZ_DIR)'/bin/fuzz_$$h -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=4096 \
			-print_final_stats=1 -artifact_prefix='$(FUZZ_DIR)'/findings/$$h- \
			'$(FUZZ_DIR)'/corpus/$$h tests/fuzz/corpus/$$h $$(test -d tests/fuzz/reproducers/$$h && echo tests/fuzz/reproducers/$$h) \
			> '$(FUZZ_DIR)'/fuzz_$$h.log 2>&1; then \
			status=1; echo "   FINDING: see '$(FUZZ_DIR)'/fuzz_$$h.log and '$(FUZZ_DIR)'/findings"; \
		fi; \
		grep -E "^stat::number_of_executed_units|^stat::new_units_added|^SUMMARY|property broken" '$(FUZZ_DIR)'/fuzz_$$h.log || true; \
	done; exit $$status

bench: deps
	cmake -S . -B '$(BUILD_DIR)' -G Ninja -DFENOLDA_BUILD_BENCH=ON $(CMAKE_FLAGS)
	cmake --build '$(BUILD_DIR)' -j $(JOBS)
	cd '$(BUILD_DIR)/bin' && for b in ./bench_*; do $$b; done

# What the builds made: in each build folder's bin/ the outputs its build.ninja lists, and all
# beside bin/. Any other entry of bin/ is what a program started there or its user wrote, and
# stays in place untouched (a running program keeps working on it).
clean:
	bash scripts/build-folders.sh clean '$(PROGRAM_DIR)' '$(BUILD_DIR)' '$(SANITIZE_DIR)' '$(FUZZ_DIR)'
