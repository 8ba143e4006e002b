# VantixPack: `make run` builds and starts the pack, `make test` builds and runs every test.
# Both install the Debian build dependencies first when any is missing.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_GEN  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

DEB_PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libpulse-dev \
                libgtest-dev fonts-dejavu-core fonts-comic-neue xvfb xauth
ASSET_PACKAGES := fonts-noto-color-emoji

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build run test asan-test bench assets clean

all: build

deps:
	@missing=""; for p in $(DEB_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -q && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi

build: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/vantixpack

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

asan-test: deps
	@[ -f $(ASAN_BUILD)/CMakeCache.txt ] || cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) \
	  -DCMAKE_BUILD_TYPE=Debug -DVPK_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	./tools/bench/run.sh $(BUILD)

assets: deps
	@dpkg-query -W -f='$${Status}' $(ASSET_PACKAGES) 2>/dev/null | grep -q "ok installed" || \
	  (DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $(ASSET_PACKAGES))
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS) --target vpk-assetgen
	./$(BUILD)/vpk-assetgen assets

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
