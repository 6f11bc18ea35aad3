# The two commands of the README: `make run` and `make test`. Both set up a fresh machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
WINDOWS_DIR ?= build-windows
PREFIX ?= /usr/local
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

.PHONY: deps configure build run test install package windows-build package-windows test-windows bench sanitize fuzz-build fuzz fuzz-smoke clean

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

# The programs, the sample figure, the desktop entry, icon, MIME type and man pages under PREFIX.
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package, in $(BUILD_DIR)/packages.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# Everything cross-built for Windows with mingw-w64: the core, varnoke-cli and the window, against
# the project's own Qt DLLs (built from Debian's sources once, into a cache outside the build
# tree, by scripts/build-windows-qt.sh). Every test runs under Wine in a Wine prefix of its own,
# made anew each time (the window's offscreen); skipped cases print why. Then the real window
# in a virtual X server, and the zip and the installer, each checked under Wine.
WINE_ENV = WINEPREFIX=$(abspath $(WINDOWS_DIR))/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINDOWS_QT = $$(VARNOKE_QT_JOBS=$(JOBS) nice -n 19 bash scripts/build-windows-qt.sh)

windows-build: deps
	@qt=$(WINDOWS_QT) && toolchain=$$qt/lib/cmake/Qt6/qt.toolchain.cmake && \
	if ! grep -qsx "CMAKE_TOOLCHAIN_FILE:[A-Z]*=$$toolchain" $(WINDOWS_DIR)/CMakeCache.txt; then \
		rm -rf $(WINDOWS_DIR)/CMakeCache.txt $(WINDOWS_DIR)/CMakeFiles; fi && \
	cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNOKE_WERROR=ON \
		-DCMAKE_TOOLCHAIN_FILE=$$toolchain -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WINDOWS_DIR) --parallel $(JOBS)

package-windows: windows-build
	@bash scripts/package-windows.sh $(WINDOWS_DIR)

test-windows: package-windows
	@rm -rf $(WINDOWS_DIR)/wine-prefix
	@$(WINE_ENV) ctest --test-dir $(WINDOWS_DIR) --output-on-failure --no-tests=error; status=$$?; \
		grep -h -A1 ': Skipped$$' $(WINDOWS_DIR)/Testing/Temporary/LastTest.log | grep -v -e '^--$$'; \
		grep -h '^SKIP   :' $(WINDOWS_DIR)/Testing/Temporary/LastTest.log; \
		$(WINE_ENV) /usr/lib/wine/wineserver -k 2>/dev/null; [ $$status -eq 0 ] && \
		$(WINE_ENV) bash scripts/windows-smoke-test.sh $(WINDOWS_DIR) && \
		$(WINE_ENV) bash scripts/check-windows-packages.sh $(WINDOWS_DIR); status=$$?; \
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
