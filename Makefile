# Formulon Zizi: `make run` and `make test` are all a newcomer needs.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build run test bench screenshots clean

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
