# Entry point: `make demo` and `make test` work on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test test-asan bench demo fuzz format tidy clean install package

all: build

deps:
	@scripts/deps.sh

configure:
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: deps
	@$(MAKE) --no-print-directory build
	@ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@$(MAKE) --no-print-directory build BUILD=build-asan \
		CMAKE_FLAGS="-DRAVELIN_SANITIZE=ON -DRAVELIN_BUILD_BENCH=OFF"
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir build-asan --output-on-failure -j$(JOBS)

# Each libFuzzer target for FUZZ_SECONDS (default 60), built with clang.
fuzz:
	@scripts/deps.sh packages-fuzz.txt
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DRAVELIN_FUZZ=ON -DRAVELIN_BUILD_GUI=OFF \
		-DRAVELIN_BUILD_TESTS=OFF -DRAVELIN_BUILD_BENCH=OFF >/dev/null
	@cmake --build build-fuzz -j$(JOBS)
	@fuzz/run.sh build-fuzz

bench: deps
	@$(MAKE) --no-print-directory build
	@bench/run.sh $(BUILD)

demo: deps
	@$(MAKE) --no-print-directory build
	@scripts/demo.sh $(BUILD)

.PHONY: screenshot
screenshot: deps
	@$(MAKE) --no-print-directory build
	@scripts/screenshot.sh $(BUILD)

format:
	@scripts/deps.sh packages-lint.txt
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy: deps configure
	@scripts/deps.sh packages-lint.txt
	@git ls-files '*.cpp' | grep -v -E '^(tests|bench|fuzz)/' | xargs clang-tidy -p $(BUILD) --quiet --extra-arg=-Wno-unknown-warning-option

# Installs under PREFIX (default /usr/local): programs, text library, data, menu entry, icons,
# man page.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package in build-package/, built without tests or benchmarks.
package: deps
	@cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DRAVELIN_BUILD_TESTS=OFF \
		-DRAVELIN_BUILD_BENCH=OFF >/dev/null
	@cmake --build build-package -j$(JOBS)
	@cd build-package && cpack -G DEB
	@ls build-package/*.deb

clean:
	@rm -rf $(BUILD)
