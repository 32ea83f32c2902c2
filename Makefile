# Entry point: `make demo` and `make test` work on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test bench demo format tidy clean

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

bench: deps
	@$(MAKE) --no-print-directory build
	@bench/run.sh $(BUILD)

demo: deps
	@$(MAKE) --no-print-directory build
	@scripts/demo.sh $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy: configure
	@git ls-files '*.cpp' | grep -v -E '^(tests|bench|fuzz)/' | xargs clang-tidy -p $(BUILD) --quiet

clean:
	@rm -rf $(BUILD)
