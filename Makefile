# The commands of the README: `make run`, `make test`, `make install`,
# `make package`. Each installs the Debian packages it needs first
# (scripts/install-deps.sh; groups run, test and extra).

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
RUN_DIR    ?= $(CURDIR)/run
PREFIX     ?= /usr/local

.PHONY: run test deps deps-test deps-extra owner build build-tests build-asan test-normal \
	test-asan install uninstall package fuzz format check-format bench-startup clean

owner:
	@bash scripts/check-owner.sh

deps: owner
	@bash scripts/install-deps.sh run

deps-test: owner
	@bash scripts/install-deps.sh run test

deps-extra: owner
	@bash scripts/install-deps.sh run test extra

CONFIGURE = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX)

# The two programs only (and the help page they show).
build: deps
	$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS) --target notorio notorio-cli

build-tests: deps-test
	$(CONFIGURE) -DNOTORIO_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)

# Test discovery runs the test programs at build time, so the sanitizer
# options apply to the build step as well.
SAN_ENV = ASAN_OPTIONS=detect_leaks=0:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

build-asan: deps-test
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNOTORIO_SANITIZE=ON -DNOTORIO_TESTS=ON
	$(SAN_ENV) QT_QPA_PLATFORM=offscreen cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh "$(BUILD)" "$(RUN_DIR)"

test-normal: build-tests
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && $(SAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test: test-normal test-asan

# `make build` first as yourself, then `sudo make install` (DESTDIR honoured).
# Installing does not build, so that root makes no files in the checkout
# besides build/install_manifest.txt.
install:
	@test -x $(BUILD)/src/mainwindow/notorio || { echo "Build first: make build" >&2; exit 1; }
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD)

# Removes what `make install` put in place (its list is build/install_manifest.txt).
uninstall:
	@test -f $(BUILD)/install_manifest.txt || { echo "Nothing was installed from $(BUILD)" >&2; exit 1; }
	xargs -d '\n' rm -f -- < $(BUILD)/install_manifest.txt
	-command -v update-mime-database >/dev/null && update-mime-database $(DESTDIR)$(PREFIX)/share/mime
	-command -v update-desktop-database >/dev/null && update-desktop-database -q $(DESTDIR)$(PREFIX)/share/applications

# A Debian package (prefix /usr) in $(BUILD): sudo apt install ./build/notorio_*.deb
package: build
	cd $(BUILD) && cpack -G DEB

fuzz: deps-extra
	@bash scripts/fuzz.sh $(or $(SECONDS),60)

FORMATTED = find src tests fuzz bench -name '*.cpp' -o -name '*.h'

format: deps-extra
	$(FORMATTED) | xargs clang-format -i

# Fails when a source file differs from what clang-format makes of it.
check-format: deps-extra
	$(FORMATTED) | xargs clang-format --dry-run --Werror

# Start-up time and memory of the window against a minimal Qt window.
bench-startup: deps-extra build
	cmake --build $(BUILD) -j $(JOBS) --target bench_startup_minimal
	bash bench/startup.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
