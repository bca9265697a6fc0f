# The project's commands: see README.md.
BUILD_DIR ?= build
PACKAGES := build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libqt6printsupport6 \
	libgl-dev qt6-translations-l10n fonts-ipafont-gothic fonts-ipafont-mincho fonts-noto-cjk libgtest-dev libgmock-dev libbenchmark-dev \
	libxml2-dev glabels-data \
	libzip-dev libxlsxwriter-dev libicu-dev python3-openpyxl python3-odf \
	libqrencode-dev libharfbuzz-dev zbar-tools poppler-utils libbz2-dev libfontconfig-dev unicode-data \
	qt6-svg-dev desktop-file-utils appstream groff-base dpkg-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench fuzz release-builds install uninstall package clean

all: build

# Installs those of the Debian packages $(1) that are missing.
define install_missing
@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
if [ -n "$$missing" ]; then \
  echo "Installing:" $$missing; \
  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing || \
  { $(SUDO) apt-get update && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; }; \
fi
endef

deps:
	$(call install_missing,$(PACKAGES))

# Warnings are errors where developers build: the test and bench targets set WERROR=ON, which the
# build folder then keeps; `make run` and `make build` of a fresh folder leave it off.
configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) $(if $(WERROR),-DZULNAME_WERROR=$(WERROR))

build: configure
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/app/zulname

test bench: WERROR ?= ON

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

# Installs into $(DESTDIR)$(PREFIX); the program finds its files relative to where it lands.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	sed 's|^|$(DESTDIR)|' $(BUILD_DIR)/install_manifest.txt > $(BUILD_DIR)/installed_files.txt

# Removes what the last `make install` of this build folder installed (CMake's manifest leaves
# out DESTDIR, so the install keeps a copy with it).
uninstall:
	@test -f $(BUILD_DIR)/installed_files.txt || { echo "nothing was installed from $(BUILD_DIR)"; exit 1; }
	xargs -r -d '\n' rm -f < $(BUILD_DIR)/installed_files.txt
	-find "$(DESTDIR)$(PREFIX)/share/zulname" -depth -type d -empty -delete 2>/dev/null
	rm -f $(BUILD_DIR)/installed_files.txt

# A Debian package of everything `make install` installs, built with CPack.
package: build
	cmake --build $(BUILD_DIR) --target package

bench: build
	$(call install_missing,time)
	$(BUILD_DIR)/bench/profile_bench
	$(BUILD_DIR)/bench/render_bench
	$(BUILD_DIR)/bench/sheets_bench
	$(BUILD_DIR)/bench/cards_bench
	$(BUILD_DIR)/bench/roster_bench
	bench/export_bench.sh $(BUILD_DIR)
	bench/proof_bench.sh $(BUILD_DIR)
	bench/list_bench.sh $(BUILD_DIR)
	bench/rules_bench.sh $(BUILD_DIR)

# The whole tree built in Release with GCC and with clang, warnings as errors: what a packager's
# build meets, checked in CI. Nothing is run.
release-builds: deps
	$(call install_missing,clang)
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZULNAME_WERROR=ON
	cmake --build build-release
	cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ -DZULNAME_WERROR=ON
	cmake --build build-clang

# The fuzzers, built with clang, each run for FUZZ_SECONDS on a corpus kept in FUZZ_DIR and seeded
# from its folder of seeds in tests/fuzz. Inputs that fail are written to FUZZ_DIR.
# The list reader mutates inside zip entries too, and any allocation past 512 MB is a failure:
# a list's budget keeps every one far below. Inputs that fill the budget free 256 MB each, so
# the sanitizer holds less of it in quarantine and gives it back soon, within the 2 GB limit.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZERS := profile_parser bitmap list_reader recorded_sheet exact_text design_file category_rules

# $(1) fuzzer, $(2) folder of seeds, $(3) more options, $(4) its environment.
define run_fuzzer
	mkdir -p $(FUZZ_DIR)/corpus/$(1)
	cp tests/fuzz/$(2)/* $(FUZZ_DIR)/corpus/$(1)/
	$(4) $(FUZZ_DIR)/tests/$(1)_fuzz -max_total_time=$(FUZZ_SECONDS) $(3) -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus/$(1)
endef

fuzz: deps
	$(call install_missing,clang libclang-rt-14-dev)
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DZULNAME_FUZZ=ON -DZULNAME_WERROR=ON
	cmake --build $(FUZZ_DIR) --target $(addsuffix _fuzz,$(FUZZERS))
	$(call run_fuzzer,profile_parser,seeds,)
	$(call run_fuzzer,bitmap,bitmap-seeds,-malloc_limit_mb=128)
	$(call run_fuzzer,list_reader,list-seeds,-malloc_limit_mb=512,ASAN_OPTIONS=quarantine_size_mb=32:allocator_release_to_os_interval_ms=100)
	$(call run_fuzzer,recorded_sheet,sheet-seeds,)
	$(call run_fuzzer,exact_text,exact-text-seeds,-timeout=10)
	$(call run_fuzzer,design_file,design-seeds,-malloc_limit_mb=256)
	$(call run_fuzzer,category_rules,rules-seeds,-malloc_limit_mb=256)

clean:
	rm -rf $(BUILD_DIR) build-*
