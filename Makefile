# The two commands of the README: `make run` and `make test`.
# Both install missing Debian packages first (scripts/install-deps.sh).

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
RUN_DIR    ?= $(CURDIR)/run

.PHONY: run test deps build build-asan test-normal test-asan fuzz format check-format clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# Test discovery runs the test programs at build time, so the sanitizer
# options apply to the build step as well.
SAN_ENV = ASAN_OPTIONS=detect_leaks=0:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNOTORIO_SANITIZE=ON
	$(SAN_ENV) QT_QPA_PLATFORM=offscreen cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh "$(BUILD)" "$(RUN_DIR)"

test-normal: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && $(SAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test: test-normal test-asan

fuzz: deps
	@bash scripts/fuzz.sh $(or $(SECONDS),60)

FORMATTED = find src tests fuzz bench -name '*.cpp' -o -name '*.h'

format:
	$(FORMATTED) | xargs clang-format -i

# Fails when a source file differs from what clang-format makes of it.
check-format: deps
	$(FORMATTED) | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
