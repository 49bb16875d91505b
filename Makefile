# The two commands of the README: `make demo` and `make test`. Both install
# what is missing (Debian packages), configure and build incrementally.

CMAKE_FLAGS ?=
JOBS ?= 2
FUZZ_SECONDS ?= 60
SOAK_RUNS ?= 50
# A compiler cache, where the machine has one, makes rebuilds in several
# build folders cheap; nothing depends on it.
CCACHE := $(shell command -v ccache 2>/dev/null)
LAUNCHER := $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))

.PHONY: all deps build demo test test-asan test-tsan test-windows bench package test-package fuzz soak clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS)

# The tool with COM1 wired to a simulated VQ22 (unit 0) on a pseudo-terminal.
demo: build
	scripts/demo.sh build

test: build
	cd build && ctest --output-on-failure -j $(JOBS) --timeout 900

# Unit, end-to-end and window tests under AddressSanitizer + UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVQ2X_SANITIZER=address $(LAUNCHER)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS) --timeout 1800 -LE bench

# The serial stack's tests under ThreadSanitizer (no Qt in this build).
test-tsan: deps
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVQ2X_GUI=OFF -DVQ2X_SANITIZER=thread $(LAUNCHER)
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && ctest --output-on-failure -j $(JOBS) --timeout 1800 -L 'comm|model'

# The std-only libraries and their tests, cross-compiled for Windows with
# mingw-w64 and run under wine (build-windows/).
test-windows:
	@scripts/install-deps.sh windows
	CCACHE=$(CCACHE) JOBS=$(JOBS) scripts/test-windows.sh

bench: build
	scripts/bench.sh build

# The Debian package (build/vq2x_VERSION_ARCH.deb). Configuring again
# refreshes the build date the programs show.
package: build
	@scripts/install-deps.sh package
	cmake -S . -B build
	cmake --build build -j $(JOBS) --target package

# The package as a technician gets it, unpacked and run, and lintian's view.
test-package: package
	scripts/test-package.sh build

# Whole-device reads and writes against vq2x-sim with random line faults:
# SOAK_RUNS of each; every value checked against the simulator's state.
soak: build
	build/bin/transfer_soak --runs $(SOAK_RUNS)
	build/bin/transfer_soak --runs $(SOAK_RUNS) --fast 1

# Every reader of outside bytes under libFuzzer (clang, ASan+UBSan, build-fuzz/),
# FUZZ_SECONDS each.
fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) scripts/fuzz.sh

clean:
	rm -rf build build-asan build-tsan build-fuzz build-windows
