# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Two entry points set everything up on a fresh Debian machine:
#   make run   - install what is missing, build, lay out build/dist/ and start Cindral
#   make test  - the same set-up, then build with ASan+UBSan, run every test headless
#                and each fuzzer for 20 seconds
.PHONY: run test deps configure build build-asan build-fuzz fuzz fuzz-seeds bench screenshots deb format clean

JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60

deps:
	@sh scripts/install-deps.sh

configure: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

# Everything: program, tools, tests, benchmarks.
build: configure
	cmake --build build -j $(JOBS)

# Only what the program directory needs.
run: configure
	cmake --build build -j $(JOBS) --target dist
	cd build/dist && ./cindral

build-asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCINDRAL_SANITIZE=ON -DCINDRAL_BENCH=ON $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS)

test: build-asan build-fuzz
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)
	sh scripts/run-fuzzers.sh 20 $(JOBS)

# The fuzzers (libFuzzer, clang), a build of their own.
build-fuzz: deps
	CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja $(CMAKE_FLAGS)
	cmake --build build-fuzz -j $(JOBS)

# Each fuzzer for FUZZ_SECONDS seconds.
fuzz: build-fuzz
	sh scripts/run-fuzzers.sh $(FUZZ_SECONDS) $(JOBS)

# Writes the seed corpora in fuzz/corpus/ anew, from books the engine makes.
fuzz-seeds: build-fuzz
	build-fuzz/make_seeds fuzz/corpus

# The benchmarks, optimised and linked with Google Benchmark's optimised
# build (Debian's library is built for debugging and says so in every report).
BENCHMARK_PREFIX = $(CURDIR)/build/google-benchmark
bench: deps
	sh scripts/optimised-benchmark.sh $(BENCHMARK_PREFIX)
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -Dbenchmark_DIR=$(BENCHMARK_PREFIX)/lib/cmake/benchmark $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS)
	@for b in build/bench/*_bench; do echo "== $$b"; $$b; done

# Pictures of the windows, rendered offscreen, in build/screenshots/; those
# the documents show are copied into docs/images/ (commit what changed),
# under a name of their own where one follows a colon.
DOC_PICTURES = skin-default:main-window main-window-menu entry learning-card group-spelling \
  group-choice forgotten-review drill-speaker game-background-1 word-book-find statistics-window
screenshots: build
	mkdir -p build/screenshots
	for t in windows_AppWindows_test windows_Screenshots_test windows_SkinWindows_test \
	         windows_StudyWindows_test windows_DictionaryPages_test windows_ImportWindow_test \
	         windows_StatisticsWindow_test windows_SpeakerButtons_test windows_GameWindow_test; do \
	  CINDRAL_SCREENSHOT_DIR=$(CURDIR)/build/screenshots QT_QPA_PLATFORM=offscreen build/tests/$$t || exit 1; \
	done
	@ls build/screenshots
	mkdir -p docs/images
	for p in $(DOC_PICTURES); do \
	  cp build/screenshots/$${p%%:*}.png docs/images/$${p##*:}.png || exit 1; \
	done

# The Debian package, build/cindral_<version>_<arch>.deb (apt install ./build/cindral_*.deb).
deb: configure
	cmake --build build -j $(JOBS) --target cindral cindral-db install-files
	cd build && cpack -G DEB

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-asan build-fuzz
