# Two entry points set everything up on a fresh Debian machine:
#   make run   - install what is missing, build, lay out build/dist/ and start Cindral
#   make test  - the same set-up, then build with ASan+UBSan and run every test headless
.PHONY: run test deps configure build build-asan bench screenshots format clean

JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

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

test: build-asan
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in build/bench/*_bench; do echo "== $$b"; $$b; done

# Pictures of the windows, rendered offscreen, in build/screenshots/.
screenshots: build
	mkdir -p build/screenshots
	for t in windows_AppWindows_test windows_Screenshots_test windows_SkinWindows_test \
	         windows_StudyWindows_test windows_DictionaryPages_test; do \
	  CINDRAL_SCREENSHOT_DIR=$(CURDIR)/build/screenshots QT_QPA_PLATFORM=offscreen build/tests/$$t || exit 1; \
	done
	@ls build/screenshots

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-asan
