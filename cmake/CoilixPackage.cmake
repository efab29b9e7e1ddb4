# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package of what `cmake --install` puts in place: `cpack -G DEB` in
# the build folder, or its `package` target. The Debian layout (the program in
# /usr/games, the manual page compressed, the copyright file and the
# changelog) is made in CPack's staging folder by DebLayout.cmake, so that a
# plain install keeps the usual layout. The version is the project's.

set(CPACK_PACKAGE_NAME coilix)
set(CPACK_PACKAGE_VENDOR Halvorn)
set(CPACK_PACKAGE_CONTACT "Halvorn <coilix@halvorn.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: steer a crawler, eat apples and coins")
set(CPACK_PACKAGE_DESCRIPTION
    "Coilix is an arcade game for one player. The arrow keys steer a crawler
across a board of square cells. Apples make it longer, coins are worth 100
to 1000 points, and walls, skulls and the crawler's own body end the game.

Every board size and speed keeps its own table of the ten best scores.
Games can be saved, opened again and printed. English, Czech and German.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: Qt's own translations (its file and print
# dialogs in the game's language), Qt's Wayland platform (a native window on
# a Wayland desktop instead of one through XWayland), SDL (loaded when a
# gamepad is plugged in, not linked), the sound server's client library
# (loaded when the first sound is wanted, not linked), and a sound server to
# hear the game through (the program talks to PulseAudio's interface, which
# PipeWire also offers).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, qt6-wayland, libsdl2-2.0-0 (>= 2.24), libpulse0")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pulseaudio | pipewire-pulse")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# The build's `package` target makes the Debian package where Debian's tools
# are (dpkg-shlibdeps works out its dependencies), a tarball elsewhere.
find_program(COILIX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(COILIX_DPKG_SHLIBDEPS)
  set(CPACK_GENERATOR DEB)
else()
  set(CPACK_GENERATOR TGZ)
endif()

set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebLayout.cmake)
# Read by DebLayout.cmake.
set(CPACK_COILIX_DEB_DIR ${CMAKE_CURRENT_LIST_DIR}/deb)
set(CPACK_COILIX_STRIP ${CMAKE_STRIP})

include(CPack)
