# SPDX-License-Identifier: GPL-3.0-or-later
# Set-up, build, run and test on a Debian machine. Missing system packages are
# installed with apt-get (directly as root, through sudo otherwise).

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
WERROR ?= OFF
CTEST_EXCLUDE ?=
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

# What building and playing the game needs (Qt's translation tools, lupdate
# and lrelease, with their CMake functions; Qt's own translations; SDL's
# headers and library, for gamepads; the PNG library's headers, for the
# program's pictures; the X client library's headers, for the display check).
RUN_PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev libpulse-dev libpng-dev libgl-dev libsdl2-dev \
                libxcb1-dev \
                qt6-tools-dev qt6-l10n-tools qt6-translations-l10n qt6-qpa-plugins \
                fonts-dejavu-core
# What the tests and checks need on top.
TEST_PACKAGES := libgtest-dev libgmock-dev libbenchmark-dev libx11-dev python3 clang libclang-rt-14-dev \
                 clang-format clang-tidy xvfb xdotool x11-utils xauth imagemagick poppler-utils \
                 openbox wmctrl qt6-gtk-platformtheme python3-pyatspi at-spi2-core dbus-x11
# The recorded sound test (tests/e2e/sound.sh) runs a sound server of its own.
TEST_PACKAGES += pulseaudio pulseaudio-utils

# What the package checks need on top (tests/package/, skipped without them).
TEST_PACKAGES += desktop-file-utils appstream shared-mime-info xdg-utils libglib2.0-bin \
                 gtk-update-icon-cache dpkg-dev file lintian man-db

.PHONY: all deps test-deps build build-tests test run replay format format-check check-layers clean

all: build

# Debian's build helper runs `make` when it finds a Makefile; this one installs
# packages, which a package build must never do. Packagers build with CMake.
ifneq ($(DEB_HOST_ARCH)$(DEB_BUILD_ARCH),)
$(error This Makefile sets up a developer machine; a package build uses CMake: dh $$@ --buildsystem=cmake (see README, Packaging))
endif

define install_missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" = 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update -q && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -q --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(RUN_PACKAGES))

# One install for both lists: one package index update on a fresh machine.
test-deps:
	$(call install_missing,$(RUN_PACKAGES) $(TEST_PACKAGES))

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCOILIX_WERROR=$(WERROR) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The game, its tests and the benchmarks (built, so that they keep building).
build-tests: test-deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCOILIX_WERROR=$(WERROR) \
	  -DBUILD_TESTING=ON -DCOILIX_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# CTEST_EXCLUDE: a regular expression of tests to leave out (CI runs some itself).
test: build-tests
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(if $(CTEST_EXCLUDE),-E '$(CTEST_EXCLUDE)')

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

check-layers:
	tools/check_layers.sh

clean:
	rm -rf $(BUILD_DIR)
