# Quick entry points; the real build is CMake (see CMakePresets.json).
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
ASAN_DIR := build/asan

.PHONY: deps build run test check-sanitizers bench format clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)

run: build
	./$(RELEASE_DIR)/bin/spinalyst $(ARGS)

test: build
	ctest --preset release -j $(JOBS)

check-sanitizers: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: build
	./$(RELEASE_DIR)/bin/spinalyst-bench

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
