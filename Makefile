# VantixPack: `make run` builds and starts the pack, `make test` builds and runs every test.
# Both install the Debian build dependencies first when any is missing.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_GEN  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
# WERROR=ON makes every compiler warning an error (CI sets it); given, it also reconfigures a
# build folder that exists.
WERROR     ?=
WERROR_FLAG = $(if $(WERROR),-DCMAKE_COMPILE_WARNING_AS_ERROR=$(WERROR))

DEB_PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libpulse-dev \
                libgtest-dev libxcb1-dev libxcb-xinput-dev libxcb-xtest0-dev fonts-dejavu-core fonts-comic-neue xvfb xauth
# The emoji font the theme pictures are drawn from: the asset generator and its test need it, the
# pack does not.
ASSET_PACKAGES := fonts-noto-color-emoji
PACKAGES = $(DEB_PACKAGES)
test asan-test assets: PACKAGES += $(ASSET_PACKAGES)

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test asan-test asan-build soak bench assets screenshots clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -q && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi

configure: deps
	@if [ ! -f $(BUILD)/CMakeCache.txt ]; then cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release $(WERROR_FLAG); \
	elif [ -n "$(WERROR)" ]; then cmake -S . -B $(BUILD) $(WERROR_FLAG) >/dev/null; fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the pack and what it links, not the test programs and tools.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target vantixpack
	./$(BUILD)/vantixpack

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

asan-build: deps
	@if [ ! -f $(ASAN_BUILD)/CMakeCache.txt ]; then cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) \
	  -DCMAKE_BUILD_TYPE=Debug -DVPK_SANITIZE=ON $(WERROR_FLAG); \
	elif [ -n "$(WERROR)" ]; then cmake -S . -B $(ASAN_BUILD) $(WERROR_FLAG) >/dev/null; fi
	cmake --build $(ASAN_BUILD) -j $(JOBS)

asan-test: asan-build
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# Random play over every game under the sanitizers: SOAK_STEPS steps or SOAK_SECONDS.
SOAK_STEPS   ?= 200000
SOAK_SECONDS ?= 3600
soak: asan-build
	QT_QPA_PLATFORM=offscreen $(SANITIZER_ENV) ./$(ASAN_BUILD)/vpk-soak --steps $(SOAK_STEPS) --seconds $(SOAK_SECONDS)

bench: build
	./tools/bench/run.sh $(BUILD)

assets: configure
	cmake --build $(BUILD) -j $(JOBS) --target vpk-assetgen
	./$(BUILD)/vpk-assetgen assets

# One picture per game for the README, each after a few moves through the driver.
screenshots: build
	./tools/screenshots/run.sh $(BUILD) docs/screenshots

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
