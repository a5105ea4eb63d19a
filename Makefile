# Tavrel: build, run and test the Winelib program.
BUILD ?= build
JOBS ?= $(shell nproc)
BUILD_TYPE ?= RelWithDebInfo

export WINEPREFIX := $(abspath $(BUILD))/wineprefix
export WINEDEBUG ?= -all
# Without these overrides Wine offers to download Mono and Gecko and waits forever.
export WINEDLLOVERRIDES ?= mscoree,mshtml,winemenubuilder.exe=
export ALSA_CONFIG_PATH := $(CURDIR)/scripts/alsa-null.conf

.PHONY: all setup configure build prefix run test bench asan fuzz clean
all: build

setup:
	@scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/winelib-toolchain.cmake \
	  -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS) -- --no-print-directory

prefix: build
	@scripts/wine-prefix

run: prefix
	@scripts/run $(BUILD)

test: prefix
	@scripts/with-xvfb ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The image library's tests (its tables of bad input among them) again under AddressSanitizer, in a
# build of their own. The runtime must come first in the process, before Wine's loader: it is
# preloaded for the test run only. (The window tests are left out: the sanitizer's allocator and
# Wine's memory layout disagree there.)
asan:
	@$(MAKE) --no-print-directory configure BUILD=build-asan BUILD_TYPE=Debug CMAKE_ARGS=-DTAVREL_ASAN=ON
	@cmake --build build-asan --target image_tests -j$(JOBS) -- --no-print-directory
	@WINEPREFIX=$(abspath build-asan)/wineprefix scripts/wine-prefix
	@WINEPREFIX=$(abspath build-asan)/wineprefix scripts/with-xvfb scripts/asan-tests build-asan "^image_tests$$"

# The image library's decoders fed mutated files under AddressSanitizer, MINUTES per family
# (FAMILY=bmp, gif, jpeg, png, tiff, tga, wmf, jpeg2000, or all side by side); see scripts/fuzz.
MINUTES ?= 10
FAMILY ?= all
fuzz:
	@$(MAKE) --no-print-directory configure BUILD=build-fuzz BUILD_TYPE=Debug CMAKE_ARGS=-DTAVREL_ASAN=ON
	@cmake --build build-fuzz --target image_fuzz -j$(JOBS) -- --no-print-directory
	@WINEPREFIX=$(abspath build-fuzz)/wineprefix scripts/wine-prefix
	@WINEPREFIX=$(abspath build-fuzz)/wineprefix scripts/with-xvfb scripts/fuzz build-fuzz $(MINUTES) $(FAMILY)

bench: prefix
	@scripts/with-xvfb scripts/bench $(BUILD)

clean:
	rm -rf $(BUILD)
