# Formulon Zizi: `make run` and `make test` are all a newcomer needs.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build run test bench tsan fuzz screenshots clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/formulon-zizi

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD_DIR)/bench/core_bench

# The core tests built with ThreadSanitizer; they must run clean.
TSAN_DIR ?= build-tsan
tsan: deps
	@cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="-fsanitize=thread -O1" \
	  -DFZ_BUILD_BENCH=OFF -DFZ_BUILD_GUI=OFF >/dev/null
	@cmake --build $(TSAN_DIR) -j $(JOBS) --target core_tests
	@TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" $(TSAN_DIR)/tests/core_tests --gtest_brief=1

# The project-file reader under libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang). Not part of `make test`.
FUZZ_SECONDS ?= 600
FUZZ_DIR ?= build-fuzz
fuzz: build
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined" \
	  -DFZ_BUILD_TESTS=OFF -DFZ_BUILD_BENCH=OFF -DFZ_BUILD_GUI=OFF -DFZ_BUILD_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target project_reader_fuzz
	@mkdir -p $(FUZZ_DIR)/corpus
	@$(BUILD_DIR)/formulon-cli new $(FUZZ_DIR)/corpus/seed.flx --force --expr 'x^2' --min 0 --max 2 --count 5 --apcf 1 >/dev/null
	@$(BUILD_DIR)/formulon-cli add $(FUZZ_DIR)/corpus/seed.flx 'sin(x)*x+1' >/dev/null
	@cd $(FUZZ_DIR) && ./fuzz/project_reader_fuzz -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 corpus
# Screenshots of the main window on each page and of each dialog, taken on a
# virtual display with a temporary HOME, written to $(BUILD_DIR)/screenshots.
screenshots: build
	@cmake --build $(BUILD_DIR) --target formulon-screenshots -j $(JOBS)
	@tmp=$$(mktemp -d) && rm -rf $(BUILD_DIR)/screenshots && \
	  HOME=$$tmp XDG_CONFIG_HOME=$$tmp/config XDG_DATA_HOME=$$tmp/data \
	  xvfb-run -a -s '-screen 0 1280x900x24' $(BUILD_DIR)/formulon-screenshots \
	    $(BUILD_DIR)/screenshots tools/xwd2png.py; status=$$?; rm -rf $$tmp; exit $$status

clean:
	@rm -rf $(BUILD_DIR)
