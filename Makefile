# The project's commands: see README.md.
BUILD_DIR ?= build
PACKAGES := build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libqt6printsupport6 \
	libgl-dev qt6-translations-l10n fonts-ipafont-gothic fonts-ipafont-mincho fonts-noto-cjk libgtest-dev libgmock-dev libbenchmark-dev \
	libxml2-dev glabels-data \
	libzip-dev libxlsxwriter-dev libicu-dev python3-openpyxl python3-odf \
	libqrencode-dev libharfbuzz-dev zbar-tools libbz2-dev libfontconfig-dev unicode-data \
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

# The fuzzers of the profile parser, the bitmap reader, the list reader, design files and the
# category rules, built with clang, each run for FUZZ_SECONDS on a corpus kept in FUZZ_DIR and
# seeded from tests/fuzz/seeds, tests/fuzz/bitmap-seeds, tests/fuzz/list-seeds,
# tests/fuzz/design-seeds and tests/fuzz/rules-seeds. Inputs that fail are written to FUZZ_DIR.
# The list reader mutates inside zip entries too, and any allocation past 512 MB is a failure:
# a list's budget keeps every one far below. Inputs that fill the budget free 256 MB each, so
# the sanitizer holds less of it in quarantine and gives it back soon, within the 2 GB limit.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	$(call install_missing,clang libclang-rt-14-dev)
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DZULNAME_FUZZ=ON -DZULNAME_WERROR=ON
	cmake --build $(FUZZ_DIR) --target profile_parser_fuzz bitmap_fuzz list_reader_fuzz design_file_fuzz category_rules_fuzz
	mkdir -p $(FUZZ_DIR)/corpus/profile_parser $(FUZZ_DIR)/corpus/bitmap $(FUZZ_DIR)/corpus/list_reader \
	  $(FUZZ_DIR)/corpus/design_file $(FUZZ_DIR)/corpus/category_rules
	cp tests/fuzz/seeds/* $(FUZZ_DIR)/corpus/profile_parser/
	cp tests/fuzz/bitmap-seeds/* $(FUZZ_DIR)/corpus/bitmap/
	cp tests/fuzz/list-seeds/* $(FUZZ_DIR)/corpus/list_reader/
	cp tests/fuzz/design-seeds/* $(FUZZ_DIR)/corpus/design_file/
	cp tests/fuzz/rules-seeds/* $(FUZZ_DIR)/corpus/category_rules/
	$(FUZZ_DIR)/tests/profile_parser_fuzz -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$(FUZZ_DIR)/ \
	  $(FUZZ_DIR)/corpus/profile_parser
	$(FUZZ_DIR)/tests/bitmap_fuzz -max_total_time=$(FUZZ_SECONDS) -malloc_limit_mb=128 -artifact_prefix=$(FUZZ_DIR)/ \
	  $(FUZZ_DIR)/corpus/bitmap
	ASAN_OPTIONS=quarantine_size_mb=32:allocator_release_to_os_interval_ms=100 \
	  $(FUZZ_DIR)/tests/list_reader_fuzz -max_total_time=$(FUZZ_SECONDS) -malloc_limit_mb=512 \
	  -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus/list_reader
	$(FUZZ_DIR)/tests/design_file_fuzz -max_total_time=$(FUZZ_SECONDS) -malloc_limit_mb=256 -artifact_prefix=$(FUZZ_DIR)/ \
	  $(FUZZ_DIR)/corpus/design_file
	$(FUZZ_DIR)/tests/category_rules_fuzz -max_total_time=$(FUZZ_SECONDS) -malloc_limit_mb=256 -artifact_prefix=$(FUZZ_DIR)/ \
	  $(FUZZ_DIR)/corpus/category_rules

clean:
	rm -rf $(BUILD_DIR) build-*
