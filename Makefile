# The two commands of the README: `make run` and `make test`. Both set up a fresh machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SAMPLE := $(BUILD_DIR)/bin/Runtime/Geometries/Mannikin/mannikin.phi

.PHONY: deps configure build run test bench clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVARNOKE_WERROR=ON >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) --parallel $(JOBS)

run: build
	$(BUILD_DIR)/bin/varnoke-cli check $(SAMPLE)

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure --no-tests=error --parallel $(JOBS)

bench:
	@bash scripts/install-deps.sh
	@cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNOKE_BUILD_TESTS=OFF >/dev/null
	@cmake --build build-release --parallel $(JOBS)
	@bash bench/run_benchmarks.sh build-release/bin

clean:
	rm -rf $(BUILD_DIR) build-release
