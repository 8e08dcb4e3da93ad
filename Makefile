# Quick entry points; the real build is CMake (see CMakePresets.json).
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
ASAN_DIR := build/asan
FUZZ_DIR := build/fuzz
FUZZ_TARGETS := ini text_table croupier_file game_file spin_list pocket_entry journal_restore
FUZZ_SECONDS ?= 60

.PHONY: deps build run test check-deps check-sanitizers bench package fuzz docs format clean

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

# Each parser's fuzz target for FUZZ_SECONDS, one after the other, from its seed corpus in
# tests/fuzz/corpus; new inputs go to build/fuzz/corpus, crashes to build/fuzz/crashes.
fuzz:
	@bash scripts/install-deps.sh --fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
	    mkdir -p $(FUZZ_DIR)/corpus/$$t $(FUZZ_DIR)/crashes/$$t; \
	    echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	    ./$(FUZZ_DIR)/bin/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        -artifact_prefix=$(FUZZ_DIR)/crashes/$$t/ \
	        $(FUZZ_DIR)/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

# The manual's screenshots, from the program as it is now, in both languages.
docs: build
	@cmake --build --preset release -j $(JOBS) --target spinalyst-docshots
	@for l in en fr; do \
	    QT_QPA_PLATFORM=offscreen ./$(RELEASE_DIR)/bin/spinalyst-docshots \
	        docs/manual/$$l/images $$l data || exit 1; \
	done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
