# Quick entry points; the real build is CMake (see CMakePresets.json).
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
ASAN_DIR := build/asan

.PHONY: deps build run test check-deps check-sanitizers bench package format clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)

run: build
	./$(RELEASE_DIR)/bin/spinalyst $(ARGS)

test: build
	ctest --preset release -j $(JOBS)

# Fails, naming the package, when the build reads a file that no listed package provides.
check-deps: build
	@bash scripts/check-deps.sh $(RELEASE_DIR)

check-sanitizers: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: build
	./$(RELEASE_DIR)/bin/spinalyst-bench

# The Debian package, in build/release: sudo apt install ./build/release/spinalyst_*.deb
package: build
	@cmake --build --preset release --target package

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
