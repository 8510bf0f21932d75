# Formulon Zizi: `make run` and `make test` are all a newcomer needs.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The window program comes later; until then `make run` shows the core at work
# through the command-line tool.
SAMPLE ?= sin(x)^2+2*x
run: build
	@echo "The window program is not built yet; running formulon-cli on the sample formula $(SAMPLE):"
	@echo "+ formulon-cli text '$(SAMPLE)'"
	@$(BUILD_DIR)/formulon-cli text '$(SAMPLE)'
	@echo "+ formulon-cli eval '$(SAMPLE)' 0 0.5 1 2"
	@$(BUILD_DIR)/formulon-cli eval '$(SAMPLE)' 0 0.5 1 2
	@echo "+ formulon-cli encode '$(SAMPLE)'"
	@$(BUILD_DIR)/formulon-cli encode '$(SAMPLE)'

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD_DIR)/bench/core_bench

clean:
	@rm -rf $(BUILD_DIR)
