# Thin wrapper over CMake.  `make run` and `make test` are the two set-up
# commands: both install what a fresh Debian 12 machine lacks, configure,
# build, and then start the program or run the tests.  `make install
# PREFIX=...` installs the programs and their desktop files; `make package`
# builds the Debian package ostrevin_*.deb in the build folder.

BUILD    ?= build
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE    ?= cmake
BUILDTYPE ?= RelWithDebInfo
PREFIX   ?= /usr/local

# Debian packages the build, the tests and the desktop program need.
PACKAGES := cmake make g++ pkg-config \
            qt6-base-dev qt6-charts-dev qt6-svg-dev qt6-qpa-plugins \
            libgtest-dev libgmock-dev googletest libbenchmark-dev \
            fonts-noto-cjk fonts-ipafont-gothic poppler-utils xvfb xauth \
            qt6-translations-l10n dpkg-dev desktop-file-utils

.PHONY: all deps configure build test run install package bench fuzz clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = "0" ]; then \
	    echo "Installing:$$missing"; \
	    DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	    DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	  else \
	    echo "Missing Debian packages. Install them with:"; \
	    echo "  sudo apt-get update && sudo apt-get install -y$$missing"; \
	    exit 1; \
	  fi; \
	fi

$(BUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILDTYPE)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	$(CMAKE) --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The desktop program needs a display; without one (a server, a plain
# terminal) the command-line calculator shows the examples instead.
run: build
	@if [ -x $(BUILD)/app/Wyndlor ] && \
	   { [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; }; then \
	  $(BUILD)/app/Wyndlor; \
	else \
	  if [ -x $(BUILD)/app/Wyndlor ]; then \
	    echo "Wyndlor is a desktop program and needs a display: run it in a desktop session,"; \
	    echo "or under a virtual one with: xvfb-run make run"; \
	    echo "Meanwhile the command-line calculator on the examples:"; \
	    echo; \
	  fi; \
	  $(BUILD)/cli/wyndlor-calc examples/*.wyd; \
	fi

install: build
	$(CMAKE) --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && cpack -G DEB
	dpkg-deb --contents $(BUILD)/ostrevin_*.deb

bench: build
	$(BUILD)/bench/wyndlor-bench --benchmark_min_time=0.5

fuzz:
	$(CMAKE) -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DWYNDLOR_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	$(CMAKE) --build build-fuzz --target fuzz_project_file -j $(JOBS)
	mkdir -p build-fuzz/corpus
	build-fuzz/tests/fuzz/fuzz_project_file -max_total_time=$${FUZZ_SECONDS:-60} -max_len=8192 build-fuzz/corpus tests/fuzz/corpus

clean:
	rm -rf $(BUILD) build-fuzz
