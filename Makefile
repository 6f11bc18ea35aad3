# The two commands of the README: `make run` and `make test`. Both set up a fresh machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
WINDOWS_DIR ?= build-windows
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

.PHONY: deps configure build run test test-windows bench sanitize fuzz-build fuzz fuzz-smoke clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVARNOKE_WERROR=ON >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) --parallel $(JOBS)

run: build
	$(BUILD_DIR)/bin/varnoke

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure --no-tests=error --parallel $(JOBS)

# The core, varnoke-cli and their tests cross-built for Windows with mingw-w64, statically linked,
# and run under Wine in a Wine prefix of their own, made anew each time; skipped cases print why.
WINE_ENV = WINEPREFIX=$(abspath $(WINDOWS_DIR))/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
test-windows: deps
	@cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNOKE_WERROR=ON -DVARNOKE_GUI=OFF \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WINDOWS_DIR) --parallel $(JOBS)
	@rm -rf $(WINDOWS_DIR)/wine-prefix
	@$(WINE_ENV) ctest --test-dir $(WINDOWS_DIR) --output-on-failure --no-tests=error; status=$$?; \
		grep -h -A1 ': Skipped$$' $(WINDOWS_DIR)/Testing/Temporary/LastTest.log | grep -v -e '^--$$'; \
		$(WINE_ENV) /usr/lib/wine/wineserver -k 2>/dev/null; exit $$status

bench:
	@bash scripts/install-deps.sh
	@cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNOKE_BUILD_TESTS=OFF >/dev/null
	@cmake --build build-release --parallel $(JOBS)
	@bash bench/run_benchmarks.sh build-release/bin

# Every test again on a build with AddressSanitizer and UndefinedBehaviorSanitizer: any report fails.
sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARNOKE_WERROR=ON -DVARNOKE_GUI=OFF \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" >/dev/null
	@cmake --build $(SANITIZE_DIR) --parallel $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
		UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir $(SANITIZE_DIR) --output-on-failure --no-tests=error --parallel $(JOBS)

# The libFuzzer harnesses of fuzz/, built with clang.
fuzz-build: deps
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DVARNOKE_FUZZ=ON -DVARNOKE_WERROR=ON -DVARNOKE_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) --target fuzzers --parallel $(JOBS)

# Each harness for FUZZ_SECONDS, its corpus kept in $(FUZZ_DIR)/fuzz-corpus from run to run.
fuzz: fuzz-build
	@bash scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# Each harness for a few seconds from its seeds alone, so none can rot.
fuzz-smoke: fuzz-build
	@bash scripts/run-fuzzers.sh $(FUZZ_DIR) 5 smoke

clean:
	rm -rf $(BUILD_DIR) build-release $(SANITIZE_DIR) $(FUZZ_DIR) $(WINDOWS_DIR)
