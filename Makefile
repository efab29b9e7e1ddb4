# Set-up, build, run and test on a Debian machine. Missing system packages are
# installed with apt-get (directly as root, through sudo otherwise).

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
WERROR ?= OFF
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

PACKAGES := cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-base-dev qt6-multimedia-dev libgl-dev python3 clang libclang-rt-14-dev \
            clang-format xvfb xdotool x11-utils xauth imagemagick \
            qt6-translations-l10n qt6-qpa-plugins poppler-utils fonts-dejavu-core

.PHONY: all deps build test run replay format format-check clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" = 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update -q && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -q --no-install-recommends $$missing; \
	fi

$(BUILD_DIR)/build.ninja: CMakeLists.txt | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCOILIX_WERROR=$(WERROR) $(CMAKE_FLAGS)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

run: build
	$(BUILD_DIR)/coilix

# Plays a short scripted game with the headless driver and prints what the
# window would be told.
replay: build
	$(BUILD_DIR)/coilix-replay --seed 7 --events 'L....U....R....D....'

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

format-check:
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR)
