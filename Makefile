# Thin wrapper over CMake.  `make run` and `make test` are the two set-up
# commands: both install what a fresh Debian 12 machine lacks, configure,
# build, and then start the program or run the tests.  `make install
# PREFIX=...` installs the programs (stripped) and their desktop files;
# `make package` builds the Debian package ostrevin_*.deb in the build
# folder, from programs built apart in build-deb with Debian's hardening
# flags.

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

.PHONY: all deps configure build test run install package bench fuzz asan clean

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

# The MIME, desktop and icon caches of PREFIX/share are refreshed by the
# install itself (packaging/CMakeLists.txt).
install: build
	$(CMAKE) --install $(BUILD) --prefix $(PREFIX) --strip

# The package's programs are built as Debian builds them: dpkg-buildflags
# with every hardening feature (fortify, stack protector, relro, -z now),
# no tests; CPack strips them.
DEB_BUILD ?= build-deb
package: deps
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all; set -e; \
	$(CMAKE) -S . -B $(DEB_BUILD) -DCMAKE_BUILD_TYPE=None -DWYNDLOR_TESTS=OFF \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"; \
	$(CMAKE) --build $(DEB_BUILD) -j $(JOBS)
	mkdir -p $(BUILD)
	rm -f $(BUILD)/ostrevin_*.deb
	cd $(DEB_BUILD) && cpack -G DEB -B $(abspath $(BUILD))
	rm -rf $(BUILD)/_CPack_Packages
	dpkg-deb --contents $(BUILD)/ostrevin_*.deb

bench: build
	$(BUILD)/bench/wyndlor-bench --benchmark_min_time=0.5

# The libFuzzer targets, each for FUZZ_SECONDS (default 60) from its seed
# corpus; new inputs go to build-fuzz/corpus-<target>.  The maximum input
# length of each reaches its reader's size limit (project and format files
# 4 MiB, settings file 1 MiB; the print-file parser limits pages, lines and
# columns rather than bytes and gets 1 MiB, enough to reach each of them),
# and -len_control=0 lets inputs of any length up to it be tried from the
# start.  A finding stops `make` with the crashing input
# saved.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := project_file:corpus:4194305 calculation:corpus_calc:4194305 \
                settings_file:corpus_settings:1048577 format_report:corpus_format:4194305 \
                print_file:corpus_print:1048577

fuzz:
	$(CMAKE) -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DWYNDLOR_FUZZ=ON \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo
	$(CMAKE) --build build-fuzz -j $(JOBS) --target $(foreach t,$(FUZZ_TARGETS),fuzz_$(word 1,$(subst :, ,$(t))))
	@set -e; for t in $(FUZZ_TARGETS); do \
	  name=$${t%%:*}; rest=$${t#*:}; seeds=$${rest%%:*}; len=$${rest#*:}; \
	  mkdir -p build-fuzz/corpus-$$name build-fuzz/artifacts-$$name; \
	  echo "== fuzz_$$name for $(FUZZ_SECONDS) s"; \
	  build-fuzz/tests/fuzz/fuzz_$$name -max_total_time=$(FUZZ_SECONDS) -max_len=$$len -len_control=0 -timeout=30 \
	    -rss_limit_mb=4096 -artifact_prefix=build-fuzz/artifacts-$$name/ \
	    build-fuzz/corpus-$$name tests/fuzz/$$seeds; \
	done

# The whole test suite built out of tree with AddressSanitizer and
# UndefinedBehaviorSanitizer; any finding fails the test that reached it.
# Leak checking is off: Qt's font and plugin caches live until exit.
asan: deps
	$(CMAKE) -S . -B build-asan -DWYNDLOR_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	$(CMAKE) --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(DEB_BUILD) build-fuzz build-asan
