# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts in place: the program, its desktop entry,
# AppStream metainfo, icons, the saved-game file type and the manual page.
# One application id (COILIX_APP_ID) names the desktop entry, the metainfo
# and the icons; the program gives the same name to the window system
# (main.cpp). The desktop entry, the metainfo and the file type are the
# translated copies (CoilixTranslations.cmake).

include(GNUInstallDirs)

install(TARGETS coilix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${COILIX_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${COILIX_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${COILIX_MIME_FILE}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${COILIX_APP_ID}.xml)
foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/res/icons/coilix-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${COILIX_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/res/icons/coilix.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${COILIX_APP_ID}.svg)
install(FILES ${PROJECT_SOURCE_DIR}/res/man/coilix.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
