# Sets up the machine, builds and tests. `make test` and `make demo` are all a newcomer needs.

PACKAGES := cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libjsoncpp-dev \
            libssl-dev libcli11-dev 7zip libcpp-httplib-dev pkg-config clang libclang-rt-14-dev python3
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth \
                    fonts-wqy-microhei locales
SEVEN_ZIP_WINDOWS := build/npm/node_modules/7zip-bin/win/x64/7za.exe

.PHONY: all deps deps-windows gallery build test test-debug test-asan test-tsan test-windows tsan demo \
        bench fuzz format clean

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

# The whole suite, plain and under AddressSanitizer + UndefinedBehaviorSanitizer.
test: test-debug test-asan

# The Windows build (mingw-w64) and its tests under Wine, one program at a time: they share
# one Wine prefix.
test-windows: deps-windows
	cmake --preset windows > /dev/null
	cmake --build --preset windows
	ctest --preset windows

# The threaded tests under ThreadSanitizer.
tsan: test-tsan

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
# command-line splitter, the configuration file's reader and writer, and the host override
# file, FUZZ_SECONDS each (10 minutes by default).
FUZZ_SECONDS ?= 600
FUZZ_TARGETS := analysis_fuzz reply_fuzz profile_fuzz host_override_fuzz
fuzz: deps
	cmake --preset fuzz > /dev/null
	cmake --build --preset fuzz --target $(FUZZ_TARGETS) make_seeds
	mkdir -p $(addprefix build/fuzz/corpus/,analysis reply profile host_override)
	build/fuzz/fuzz/make_seeds build/fuzz/corpus/analysis
	cp examples/*.json build/fuzz/corpus/analysis/
	cp fuzz/seeds/reply/* build/fuzz/corpus/reply/
	cp fuzz/seeds/profile/* build/fuzz/corpus/profile/
	cp fuzz/seeds/host_override/* build/fuzz/corpus/host_override/
	build/fuzz/fuzz/analysis_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=65536 \
	  -print_final_stats=1 build/fuzz/corpus/analysis
	build/fuzz/fuzz/reply_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  build/fuzz/corpus/reply
	build/fuzz/fuzz/profile_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  build/fuzz/corpus/profile
	build/fuzz/fuzz/host_override_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  build/fuzz/corpus/host_override

format:
	find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | xargs clang-format -i

clean:
	rm -rf build

# The plug-in's dialogs as the Windows build shows them under Wine, one PNG each in
# build/gallery (English and Chinese, 96 and 144 dpi).
gallery: deps-windows
	cmake --preset debug > /dev/null
	cmake --build --preset debug --target farm-client
	cmake --preset windows > /dev/null
	cmake --build --preset windows --target max-sim
	bash tools/gallery/make_gallery.sh build/windows build/debug build/gallery $(SEVEN_ZIP_WINDOWS)
