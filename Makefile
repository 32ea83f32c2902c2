# Entry point: `make demo` and `make test` work on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test test-asan bench demo fuzz format tidy clean install package \
	windows windows-zip

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

# Windows, cross-built with mingw-w64: for 64-bit Windows the window, ravelin-cli.exe, vantlib6.dll
# and their tests in build-windows-x86_64, against a Qt built once per machine from Debian's own
# source (scripts/qt-windows.sh, kept in the user's cache); for 32-bit Windows ravelin-cli.exe,
# vantlib6.dll and their tests in build-windows-i686. The 64-bit tests run under Wine; 64-bit Wine
# runs no 32-bit program, so the 32-bit build is checked by its export table. Then the zip of the
# 64-bit build is made and run by scripts/windows-acceptance.sh.
windows: deps
	@scripts/deps.sh packages-windows.txt
	@qt=$$(scripts/qt-windows.sh $(JOBS)) && \
	cmake -S . -B build-windows-x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
		-DCMAKE_BUILD_TYPE=Release -DRAVELIN_BUILD_GUI=ON -DRAVELIN_BUILD_BENCH=OFF \
		-DRAVELIN_QT_PREFIX=$$qt -DCMAKE_PREFIX_PATH=$$qt \
		-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
	@cmake --build build-windows-x86_64 -j$(JOBS)
	@cmake -S . -B build-windows-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
		-DCMAKE_BUILD_TYPE=Release -DRAVELIN_BUILD_GUI=OFF -DRAVELIN_BUILD_BENCH=OFF >/dev/null
	@cmake --build build-windows-i686 -j$(JOBS)
	@scripts/windows-tests.sh build-windows-x86_64 $(JOBS)
	@ctest --test-dir build-windows-i686 --output-on-failure -j$(JOBS)
	@$(MAKE) --no-print-directory windows-zip
	@scripts/windows-acceptance.sh build-windows-x86_64/ravelin-*-windows-x86_64.zip \
		build-windows-x86_64/screenshots

# The zip of the 64-bit build, once `make windows` has configured and built it.
.PHONY: windows-zip
windows-zip:
	@rm -f build-windows-x86_64/ravelin-*-windows-x86_64.zip
	@cd build-windows-x86_64 && cpack -G ZIP >/dev/null
	@ls -l build-windows-x86_64/ravelin-*-windows-x86_64.zip

bench: deps
	@scripts/deps.sh packages-bench.txt
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
