# The project's commands: see README.md.
BUILD_DIR ?= build
PACKAGES := build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libqt6printsupport6 \
	libgl-dev fonts-ipafont-gothic fonts-ipafont-mincho libgtest-dev libgmock-dev libbenchmark-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing || \
	  { $(SUDO) apt-get update && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; }; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/app/zulname

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

bench: build
	$(BUILD_DIR)/bench/profile_bench

clean:
	rm -rf $(BUILD_DIR) build-*
