# condsim: `make run` builds and starts the program, `make test` builds and runs every test,
# `make package` builds the Debian package, `make install PREFIX=...` installs.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench clean test-sanitize test-tsan fuzz package install monkey mutate

all: build

deps:
	bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Only what the two programs need is installed and built; `make test` adds the rest.
run:
	bash scripts/install-deps run
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS) --target condsim condsim-batch
	bash scripts/run

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# $(BUILD_DIR)/condsim_VERSION_amd64.deb, built by dpkg-buildpackage and then checked.
package: deps
	bash scripts/make-package $(BUILD_DIR)

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The test programs of the headless layers, one per layer (CMakeLists.txt, condsim_layer_tests).
HEADLESS_TESTS = condsim_core_tests condsim_model_tests condsim_files_tests condsim_plot_tests \
  condsim_fit_tests condsim_ui_tests

# The headless layers and their tests with AddressSanitizer and UndefinedBehaviorSanitizer.
# Only the test programs are built (no Qt code is compiled); any finding fails the run.
SANITIZE_DIR ?= build-sanitize
SANITIZE_FLAGS = -O1 -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZE_TESTS = $(HEADLESS_TESTS) tests/batch/condsim_batch_tests tests/hardening/batch/condsim_hardening_batch_tests

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DCONDSIM_WITH_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)"
	cmake --build $(SANITIZE_DIR) -j $(JOBS) --target $(notdir $(SANITIZE_TESTS))
	set -e; for test in $(SANITIZE_TESTS); do \
	  ( cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ./$$test --gtest_brief=1 ); \
	done

# The headless tests with ThreadSanitizer: the sweep shares its points among threads.
# Only the headless test programs are built (no Qt code is compiled); each runs in turn, and
# any data race, lock misuse or other finding fails the run. TSAN_FILTER chooses the tests
# (all by default); a program with none of them runs nothing.
TSAN_DIR ?= build-tsan
TSAN_FLAGS = -O1 -g -fsanitize=thread -fno-omit-frame-pointer
TSAN_FILTER ?= *

test-tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DCONDSIM_WITH_BENCH=OFF -DCONDSIM_WITH_QT=OFF \
	  -DCMAKE_CXX_FLAGS="$(TSAN_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(TSAN_FLAGS)"
	cmake --build $(TSAN_DIR) -j $(JOBS) --target $(HEADLESS_TESTS)
	set -e; for test in $(HEADLESS_TESTS); do \
	  ( cd $(TSAN_DIR) && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	    ./$$test --gtest_brief=1 --gtest_filter='$(TSAN_FILTER)' ); \
	done

# Fuzz targets (libFuzzer with clang), each run for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) bash scripts/fuzz

# The random-input driver (scripts/monkey) on the desktop program built with
# AddressSanitizer and UndefinedBehaviorSanitizer, on a private Xvfb display. Not part of CI.
MONKEY_DIR ?= build-monkey
MONKEY_SEEDS ?= 1,2,3,4,5
MONKEY_EVENTS ?= 2000
monkey: deps
	cmake -S . -B $(MONKEY_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCONDSIM_WITH_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)"
	cmake --build $(MONKEY_DIR) -j $(JOBS) --target condsim
	/usr/bin/python3 scripts/monkey --program $(MONKEY_DIR)/condsim --seeds $(MONKEY_SEEDS) --events $(MONKEY_EVENTS)

bench: build
	bash scripts/bench

clean:
	rm -rf $(BUILD_DIR)

# The mutation check (scripts/mutate): each small fault of tests/mutants/ put into the source
# alone, rebuilt in build-mutate and tested; prints killed or SURVIVED per fault and the kill
# rate. Takes tens of minutes; not part of make test.
mutate: deps
	JOBS=$(JOBS) bash scripts/mutate
