# Ovalin Registry Cleaner: the two builds and their tests.
#   make run    build everything, seed the demo entries into the private Wine prefix and
#               start OvalinRegistryCleaner.exe (no display: scan under Xvfb, screenshots)
#   make test   build everything, run the native tests and the Windows tests under Wine
#   make build  build both targets;  make clean  remove what these targets made
#   make dist   build/release/: the portable zip and the setup program (NSIS)
# Everything needed is set up on first use by scripts/bootstrap.sh.

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c

JOBS ?= 2
NATIVE_DIR := build/native
WINDOWS_DIR := build/windows
TSAN_DIR := build/tsan
DIST_DIR := build/dist/OvalinRegistryCleaner
WINE_RUN := scripts/wine-run.sh
# cmake --build runs its own make: without this it inherits our level and prints every
# directory it enters.
CMAKE_BUILD := env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL cmake --build
export OVALIN_WINEPREFIX ?= $(CURDIR)/build/wine-prefix

.PHONY: all build native windows tsan bootstrap test test-native test-wine run clean dist

all: build

bootstrap:
	@scripts/bootstrap.sh

native: bootstrap
	@cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=Debug --log-level=WARNING >/dev/null
	$(CMAKE_BUILD) $(NATIVE_DIR) -j$(JOBS)

windows: bootstrap
	@cmake -S . -B $(WINDOWS_DIR) --log-level=WARNING \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DOVALIN_DEPS_PREFIX="$$(cat build/deps-prefix)" >/dev/null
	$(CMAKE_BUILD) $(WINDOWS_DIR) -j$(JOBS)

build: native windows

# The engine's threads under ThreadSanitizer: only the engine tests are built here.
tsan: bootstrap
	@cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DOVALIN_SANITIZE=thread \
	  --log-level=WARNING >/dev/null
	$(CMAKE_BUILD) $(TSAN_DIR) -j$(JOBS) --target engine_tests

# Both test runs always happen; the target fails if either had a failure. A label
# without tests yet is not a failure.
test: build tsan
	@status=0; \
	echo "== native tests (ctest -L native)"; \
	ctest --test-dir $(NATIVE_DIR) -L native --output-on-failure -j$(JOBS) --no-tests=ignore \
	  | tee build/ctest-native.log || status=1; \
	echo "== engine tests under ThreadSanitizer (ctest -L native -R ^engine)"; \
	TSAN_OPTIONS=halt_on_error=1 ctest --test-dir $(TSAN_DIR) -L native -R '^engine\.' \
	  --output-on-failure -j$(JOBS) --no-tests=ignore | tee build/ctest-tsan.log || status=1; \
	echo "== Windows tests under Wine (ctest -L wine, prefix $$OVALIN_WINEPREFIX)"; \
	ctest --test-dir $(WINDOWS_DIR) -L wine --output-on-failure --no-tests=ignore \
	  </dev/null | tee build/ctest-wine.log || status=1; \
	WINEPREFIX="$$OVALIN_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true; \
	echo "== summary"; \
	for run in native tsan wine; do \
	  line="$$(grep -E 'tests passed|No tests were found' build/ctest-$$run.log | tail -1 || true)"; \
	  printf '%-7s %s\n' "$$run:" "$${line:-ctest did not finish}"; \
	done; \
	exit $$status

run: build
	@scripts/seed-demo.sh; \
	if [ -n "$${DISPLAY:-}" ]; then \
	  echo "== $(DIST_DIR)/OvalinRegistryCleaner.exe on $$DISPLAY (Wine prefix $$OVALIN_WINEPREFIX)"; \
	  status=0; \
	  (cd $(DIST_DIR) && ../../../$(WINE_RUN) ./OvalinRegistryCleaner.exe </dev/null) || status=$$?; \
	  WINEPREFIX="$$OVALIN_WINEPREFIX" wineserver -w >/dev/null 2>&1 || true; \
	  exit $$status; \
	else \
	  echo "== no display: a scan of the demo entries under Xvfb"; \
	  env -u DISPLAY tests/e2e/program_e2e.sh $(DIST_DIR) --demo; \
	fi

# The release files from the portable program folder: the zip and the setup program.
dist: windows
	@scripts/make-dist.sh

clean:
	rm -rf $(NATIVE_DIR) $(WINDOWS_DIR) build/dist build/wine-prefix build/wine-prefix.lock \
	  build/deps-prefix build/ctest-native.log build/ctest-wine.log \
	  $(TSAN_DIR) build/ctest-tsan.log build/release build/wine-prefix-dist build/wine-prefix-dist.lock
