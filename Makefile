# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
BUILD   ?= build
JOBS    ?= $(shell nproc)
PACKAGES = cmake g++ make qt6-base-dev qt6-translations-l10n libgl-dev libfontconfig-dev \
           fonts-arphic-uming fonts-noto-cjk fonts-dejavu-core xvfb xauth xdotool x11-utils \
           libbenchmark-dev poppler-utils time cups-daemon clang libclang-rt-14-dev \
           desktop-file-utils appstream fontconfig libxml2-utils \
           pkg-config libqrencode-dev zbar-tools

# Only for `make bench`: strace (to check that listing the card folder opens no card), Xlib (for the
# start-up probe) and enough font families (about 130) for the main window's font list to be measured
# as on a typical desktop.
BENCH_BUILD ?= build-bench
BENCH_PACKAGES = strace libx11-dev fonts-lmodern fonts-texgyre fonts-liberation2 fonts-croscore \
                 fonts-crosextra-carlito fonts-crosextra-caladea fonts-freefont-ttf fonts-linuxlibertine \
                 fonts-open-sans fonts-cantarell fonts-stix

# Only for `make package`: dpkg-shlibdeps (dpkg-dev) computes the package's dependencies, lintian checks it.
PACKAGE_BUILD ?= build-package
PACKAGE_PACKAGES = dpkg-dev lintian


# The sanitizer build (`make test-asan`): the whole suite with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, any finding fatal. tests/lsan.supp names the few leaks inside system libraries.
ASAN_BUILD ?= build-asan
ASAN_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
ASAN_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
           UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
           LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

# Fuzzing (`make fuzz`): the fuzz/ targets built with clang and libFuzzer, each run FUZZ_SECONDS.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 300
FUZZ_TARGETS = settings gbk picture design


.PHONY: deps build run test test-asan fuzz bench assets package clean format check-format

# Installs whichever of the listed Debian packages are missing.
define install_missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./velnor

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELNOR_FUZZ_TESTS=OFF \
	      -DCMAKE_CXX_FLAGS="$(ASAN_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(ASAN_FLAGS)" >/dev/null
	$(ASAN_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(ASAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

fuzz: deps
	fuzz/run.sh build $(FUZZ_BUILD)
	@for t in $(FUZZ_TARGETS); do fuzz/run.sh run $(FUZZ_BUILD) $$t $(FUZZ_SECONDS) || exit 1; done

# Release build of the program and the benchmarks in its own directory, then one table of every figure.
bench: deps
	$(call install_missing,$(BENCH_PACKAGES))
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVELNOR_BENCH=ON -DVELNOR_TESTS=OFF >/dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	bench/run-all.sh $(BENCH_BUILD)

# The Debian package velnor_<version>-<revision>_<arch>.deb, built as Debian builds its own packages (the
# compiler and linker flags of dpkg-buildflags with every hardening option, no build type's own flags,
# prefix /usr), in its own build directory; a copy is left here, then lintian checks it (errors fail).
package: deps
	$(call install_missing,$(PACKAGE_PACKAGES))
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DVELNOR_TESTS=OFF \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	rm -f $(PACKAGE_BUILD)/velnor_*.deb velnor_*.deb
	cd $(PACKAGE_BUILD) && cpack -G DEB
	cp $(PACKAGE_BUILD)/velnor_*.deb .
	lintian --info --fail-on error $(PACKAGE_BUILD)/velnor_*.deb
	@echo "Package: $$(ls velnor_*.deb)  (install it with: sudo apt install ./$$(ls velnor_*.deb))"

# Regenerates the committed pictures in assets/ (run by hand after changing tools/).
assets: deps
	cmake -S . -B $(BUILD) -DVELNOR_TOOLS=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target velnor-assetgen
	$(BUILD)/velnor-assetgen assets

# The code is kept in the repository's .clang-format by the tool itself (clang-format 14, Debian's).
FORMAT_FILES = git ls-files '*.cpp' '*.h'
format:
	$(call install_missing,clang-format)
	$(FORMAT_FILES) | xargs clang-format -i

check-format:
	$(call install_missing,clang-format)
	$(FORMAT_FILES) | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(PACKAGE_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) velnor_*.deb
