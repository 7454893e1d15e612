# ZUBO.dll - top-level commands (a thin layer over CMake).
#
#   make          the library only: dist/win32 (the 32-bit product) and
#                 dist/win64, no tests, benchmarks or examples (= make dist)
#   make demo     build everything (library, tests, examples) and run the demo
#   make test     build everything and run every test (ctest)
#   make bench    run the benchmarks (native, release build)
#   make fuzz     run each fuzz target for a bounded time (clang)
#   make install PREFIX=DIR   install both builds (DIR/win32, DIR/win64) with
#                 a CMake package for find_package(zubo) (library only)
#   make package  zip files of dist/ per architecture (in dist/; library only)
#   make clean    remove build/ and dist/

BUILD  := $(CURDIR)/build
DIST   := $(CURDIR)/dist
JOBS   ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60

WIN32_DIR  := $(BUILD)/win32
WIN64_DIR  := $(BUILD)/win64
NATIVE_DIR := $(BUILD)/native
BENCH_DIR  := $(BUILD)/bench
FUZZ_DIR   := $(BUILD)/fuzz

XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"

PREFIX ?= /usr/local/zubo

# The targets share build trees (dist and win32 both build in build/win32):
# one at a time, each using every core.
.NOTPARALLEL:

# What the library-only targets build: the DLL with its mingw import
# library, and the Visual C++ import library.
LIB_TARGETS := ZUBO zubo_msvc_lib

.PHONY: all setup win32 win64 lib32 lib64 native dist demo test bench fuzz install package \
        clean

all: dist

setup:
	@sh tools/setup.sh

$(WIN32_DIR)/Makefile: | setup
	cmake -S . -B $(WIN32_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
$(WIN64_DIR)/Makefile: | setup
	cmake -S . -B $(WIN64_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
$(NATIVE_DIR)/Makefile: | setup
	cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
$(BENCH_DIR)/Makefile: | setup
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DZUBO_BENCH=ON $(CMAKE_FLAGS)
$(FUZZ_DIR)/Makefile: | setup
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZUBO_FUZZ=ON $(CMAKE_FLAGS)

win32: setup $(WIN32_DIR)/Makefile
	cmake --build $(WIN32_DIR) -j $(JOBS)
win64: setup $(WIN64_DIR)/Makefile
	cmake --build $(WIN64_DIR) -j $(JOBS)
native: setup $(NATIVE_DIR)/Makefile
	cmake --build $(NATIVE_DIR) -j $(JOBS)
lib32: setup $(WIN32_DIR)/Makefile
	cmake --build $(WIN32_DIR) -j $(JOBS) --target $(LIB_TARGETS)
lib64: setup $(WIN64_DIR)/Makefile
	cmake --build $(WIN64_DIR) -j $(JOBS) --target $(LIB_TARGETS)

dist: lib32 lib64
	rm -rf $(DIST)/win32 $(DIST)/win64
	cmake --install $(WIN32_DIR) --component dist --prefix $(DIST)/win32
	cmake --install $(WIN64_DIR) --component dist --prefix $(DIST)/win64
	@echo "dist/win32 (product) and dist/win64 (64-bit build) are ready."

demo: win32 win64 dist
	$(XVFB) sh tools/run-demo.sh

# One ctest run over the three build trees, with one X server for every
# Windows test and one wine server per architecture (win32.* tests run the
# 32-bit product under wine32, win64.* the 64-bit build under wine64).
# CTEST_ARGS narrows it, e.g. CTEST_ARGS='-R ^win32\.' for one architecture.
CTEST_ARGS ?=
test: win32 win64 dist native
	@tools/wine-prefix.sh --win64
	@if /usr/lib/wine/wine --version >/dev/null 2>&1; then tools/wine-prefix.sh --win32; \
	else echo "make test: the win32.* tests will report as skipped:" \
	  "this machine cannot run 32-bit programs under wine32"; fi
	@printf 'subdirs("%s")\nsubdirs("%s")\nsubdirs("%s")\n' \
	  "$(NATIVE_DIR)" "$(WIN32_DIR)" "$(WIN64_DIR)" > $(BUILD)/CTestTestfile.cmake
	$(XVFB) sh -c 'ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) $(CTEST_ARGS); \
	  rc=$$?; tools/wine-stop.sh; exit $$rc'

bench: win64 $(BENCH_DIR)/Makefile
	cmake --build $(BENCH_DIR) -j $(JOBS)
	sh tools/run-benchmarks.sh $(BENCH_DIR)

fuzz: setup $(FUZZ_DIR)/Makefile
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	sh tools/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

install: lib32 lib64
	cmake --install $(WIN32_DIR) --component sdk --prefix $(PREFIX)/win32
	cmake --install $(WIN64_DIR) --component sdk --prefix $(PREFIX)/win64

package: dist
	cd $(DIST) && rm -f zubo-win32.zip zubo-win64.zip && \
	  zip -qr zubo-win32.zip win32 && zip -qr zubo-win64.zip win64
	@ls -l $(DIST)/*.zip

clean:
	rm -rf $(BUILD) $(DIST)
