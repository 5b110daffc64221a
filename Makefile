# Sets up the machine, builds and tests. `make test` and `make demo` are all a newcomer needs.

PACKAGES := cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libjsoncpp-dev \
            libssl-dev libcli11-dev 7zip libcpp-httplib-dev pkg-config clang libclang-rt-14-dev python3
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth \
                    fonts-wqy-microhei locales
SEVEN_ZIP_WINDOWS := build/npm/node_modules/7zip-bin/win/x64/7za.exe

.PHONY: all deps deps-windows gallery build test test-debug test-asan test-tsan test-windows tsan demo \
        bench fuzz fuzz-build fuzz-smoke faults faults-build faults-sample \
        faults-windows format clean

all: build

# Installs the Debian packages that are missing; does nothing when all are there.
deps:
	@missing=""; \
	for package in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$package 2>/dev/null | grep -q '^install ok installed' \
	    || missing="$$missing $$package"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi

# The Windows cross build and Wine to run it, a Windows 7-Zip from the npm registry, and the
# zh_CN.UTF-8 locale that gives Wine the Chinese ANSI code page (936).
deps-windows: deps
	@missing=""; \
	for package in $(WINDOWS_PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$package 2>/dev/null | grep -q '^install ok installed' \
	    || missing="$$missing $$package"; \
	done; \
	command -v npm >/dev/null || missing="$$missing npm"; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi
	@[ -f $(SEVEN_ZIP_WINDOWS) ] || npm install --prefix build/npm --no-audit --no-fund 7zip-bin@5.2.0
	@locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$$' || { \
	  $(SUDO) sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen; \
	  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $(SUDO) tee -a /etc/locale.gen; \
	  $(SUDO) locale-gen; }

build: deps
	cmake --preset debug > /dev/null
	cmake --build --preset debug

# Configures, builds and runs the whole suite in one preset.
define run-suite
	cmake --preset $(1) > /dev/null
	cmake --build --preset $(1)
	ctest --preset $(1) --parallel 2
endef

test-debug: deps
	$(call run-suite,debug)

test-asan: deps
	$(call run-suite,asan)

test-tsan: deps
	$(call run-suite,tsan)

# The whole suite, plain and under AddressSanitizer + UndefinedBehaviorSanitizer, then every
# fuzz target for a few seconds and a sampled fault sweep.
test: test-debug test-asan fuzz-smoke faults-sample

# The Windows build (mingw-w64) and its tests under Wine, one program at a time: they share
# one Wine prefix.
test-windows: deps-windows
	cmake --preset windows > /dev/null
	cmake --build --preset windows
	ctest --preset windows

# The threaded tests under ThreadSanitizer.
tsan: test-tsan

# One max-sim session (open, analyse, edit a camera, remember the settings, submit with saving
# and cleaning to the reference client) run once per system operation it makes, with that
# operation failing, under AddressSanitizer + UndefinedBehaviorSanitizer; every run must end by
# itself, lose nothing and tell the user (tests/faults/fault_sweep.py). `faults-sample` fails
# every FAULTS_EVERY-th operation only; `faults-windows` runs the Windows build under Wine.
FAULTS_EVERY ?= 2
FAULT_SWEEP := python3 tests/faults/fault_sweep.py --scene examples/scenes/studio.max
faults-build: deps
	cmake --preset asan > /dev/null
	cmake --build --preset asan --target max-sim zep_rendering farm-client

faults: faults-build
	$(FAULT_SWEEP) --build build/asan

faults-sample: faults-build
	$(FAULT_SWEEP) --build build/asan --every $(FAULTS_EVERY)

faults-windows: deps-windows
	cmake --preset windows > /dev/null
	cmake --build --preset windows --target max-sim zep_rendering
	cmake --preset debug > /dev/null
	cmake --build --preset debug --target farm-client
	xvfb-run -a -s "-screen 0 1280x1024x24" $(FAULT_SWEEP) --build build/windows \
	  --client-build build/debug --wine-runner cmake/run-under-wine.sh \
	  --wine-prefix build/windows/faults-prefix --seven-zip $(SEVEN_ZIP_WINDOWS) \
	  --every $(FAULTS_EVERY)

demo: build
	bash examples/demo.sh build/debug

# Reading and writing a large analysis against jsoncpp alone; opening the main dialog on it
# against reading it; packing a 200 MB scene against running 7-Zip directly.
bench: deps
	cmake --preset release > /dev/null
	cmake --build --preset release --target scene_bench main_dialog_bench archive_bench
	build/release/bench/scene_bench
	build/release/bench/main_dialog_bench
	build/release/bench/archive_bench

# Fuzzes the analysis reader with the job writer, the client's reply handler with the
# command-line splitter, the configuration file's reader and writer, the host override file,
# a max-sim scene file through the simulated host's analysis script (byte-order mark and ".log"
# side file included) into the plug-in's analysis run and reader, and the configuration file as
# the main dialog reads its remembered settings and a submission writes them back:
# FUZZ_SECONDS each (10 minutes by default), each target on its own corpus in build/fuzz/corpus.
FUZZ_SECONDS ?= 600
FUZZ_TARGETS := analysis_fuzz reply_fuzz profile_fuzz host_override_fuzz scene_file_fuzz \
                remembered_settings_fuzz
FUZZ_NAMES := $(FUZZ_TARGETS:_fuzz=)
FUZZ_FLAGS_analysis := -max_len=65536

# Builds the fuzz targets and gathers each one's seeds in build/fuzz/seeds/NAME: fuzz/seeds/NAME,
# generated analyses and the examples' analysis and scene files.
fuzz-build: deps
	cmake --preset fuzz > /dev/null
	cmake --build --preset fuzz --target $(FUZZ_TARGETS) make_seeds
	rm -rf build/fuzz/seeds
	mkdir -p $(addprefix build/fuzz/seeds/,$(FUZZ_NAMES)) build/fuzz/artifacts
	build/fuzz/fuzz/make_seeds build/fuzz/seeds/analysis
	cp examples/*.json build/fuzz/seeds/analysis/
	cp examples/scenes/*.max build/fuzz/seeds/scene_file/
	for name in $(FUZZ_NAMES); do \
	  if [ -d fuzz/seeds/$$name ]; then cp fuzz/seeds/$$name/* build/fuzz/seeds/$$name/; fi; \
	done

# $(call fuzzer-command,NAME,SECONDS,CORPUS): runs NAME_fuzz for SECONDS on CORPUS, where it
# keeps what it finds, and on its seeds; a crash's input goes to build/fuzz/artifacts.
fuzzer-command = build/fuzz/fuzz/$(1)_fuzz -max_total_time=$(2) $(FUZZ_FLAGS_$(1)) \
  -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/$(1)- $(3) build/fuzz/seeds/$(1)

define run-fuzzer
	$(call fuzzer-command,$(1),$(FUZZ_SECONDS),build/fuzz/corpus/$(1))

endef

fuzz: fuzz-build
	mkdir -p $(addprefix build/fuzz/corpus/,$(FUZZ_NAMES))
	$(foreach name,$(FUZZ_NAMES),$(call run-fuzzer,$(name)))

# Every fuzz target for FUZZ_SMOKE_SECONDS on its seeds alone, as part of `make test`: one line
# per target, or the fuzzer's whole output when it fails.
FUZZ_SMOKE_SECONDS ?= 5
define smoke-fuzzer
	@$(call fuzzer-command,$(1),$(FUZZ_SMOKE_SECONDS),build/fuzz/smoke/$(1)) \
	  > build/fuzz/smoke/$(1).log 2>&1 || { cat build/fuzz/smoke/$(1).log; exit 1; }
	@echo "$(1)_fuzz: $$(grep -E '^#[0-9]+[[:space:]]+DONE' build/fuzz/smoke/$(1).log)"

endef

fuzz-smoke: fuzz-build
	rm -rf build/fuzz/smoke
	mkdir -p $(addprefix build/fuzz/smoke/,$(FUZZ_NAMES))
	$(foreach name,$(FUZZ_NAMES),$(call smoke-fuzzer,$(name)))

format:
	find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | xargs clang-format -i

clean:
	rm -rf build

# The plug-in's dialogs as the Windows build shows them under Wine, one PNG each in
# build/gallery (English and Chinese, at 96, 120, 144 and 192 dpi).
gallery: deps-windows
	cmake --preset debug > /dev/null
	cmake --build --preset debug --target farm-client
	cmake --preset windows > /dev/null
	cmake --build --preset windows --target max-sim
	bash tools/gallery/make_gallery.sh build/windows build/debug build/gallery $(SEVEN_ZIP_WINDOWS)
