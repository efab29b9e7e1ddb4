# SPDX-License-Identifier: GPL-3.0-or-later
# Translations, with Qt's tools: res/translations/coilix_<language>.ts holds
# every text of one language, by id (lupdate writes the English source from
# the code's "//%" comments; lrelease -idbased builds them into the program
# under :/i18n). Each file there is a language the program speaks, English,
# the source, among them. The same files translate the desktop entry, the
# metainfo and the saved-game file type, so a translator needs nothing but Qt
# Linguist.
#
#   cmake --build build --target update_translations   # lupdate: new and changed texts
#   cmake -B build -DCOILIX_NEW_LANGUAGE=pl && cmake --build build --target update_translations
#                                                        # starts coilix_pl.ts

set(COILIX_NEW_LANGUAGE "" CACHE STRING
    "A language to add (pl, pt_BR): update_translations starts res/translations/coilix_<it>.ts")
if(COILIX_NEW_LANGUAGE)
  set(_new_ts ${PROJECT_SOURCE_DIR}/res/translations/coilix_${COILIX_NEW_LANGUAGE}.ts)
  if(NOT EXISTS ${_new_ts})
    # Empty until update_translations fills it; until then the game shows
    # this language in English.
    file(WRITE ${_new_ts} "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
         "<TS version=\"2.1\" language=\"${COILIX_NEW_LANGUAGE}\" sourcelanguage=\"en\">\n</TS>\n")
  endif()
endif()
file(GLOB COILIX_TS_FILES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/res/translations/coilix_*.ts)

# The desktop entry, the metainfo and the file type are written in English;
# their texts go to lupdate through a generated file, and the translations
# come back into the installed copies.
add_executable(coilix-desktop-l10n tools/desktop_l10n/main.cpp)
coilix_warnings(coilix-desktop-l10n)
target_link_libraries(coilix-desktop-l10n PRIVATE Qt6::Core)

set(_desktop_in ${PROJECT_SOURCE_DIR}/res/desktop/${COILIX_APP_ID}.desktop)
set(_metainfo_in ${PROJECT_SOURCE_DIR}/res/desktop/${COILIX_APP_ID}.metainfo.xml)
set(_mime_in ${PROJECT_SOURCE_DIR}/res/desktop/${COILIX_APP_ID}.mime.xml)
set(COILIX_DESKTOP_TEXTS ${CMAKE_BINARY_DIR}/generated/l10n/desktop_texts.cpp)
set(COILIX_DESKTOP_DIR ${CMAKE_BINARY_DIR}/desktop)
set(COILIX_DESKTOP_FILE ${COILIX_DESKTOP_DIR}/${COILIX_APP_ID}.desktop)
set(COILIX_METAINFO_FILE ${COILIX_DESKTOP_DIR}/${COILIX_APP_ID}.metainfo.xml)
set(COILIX_MIME_FILE ${COILIX_DESKTOP_DIR}/${COILIX_APP_ID}.mime.xml)
add_custom_command(OUTPUT ${COILIX_DESKTOP_TEXTS}
  COMMAND coilix-desktop-l10n texts ${_desktop_in} ${_metainfo_in} ${_mime_in}
          ${COILIX_DESKTOP_TEXTS}
  DEPENDS coilix-desktop-l10n ${_desktop_in} ${_metainfo_in} ${_mime_in}
  VERBATIM)
add_custom_command(OUTPUT ${COILIX_DESKTOP_FILE} ${COILIX_METAINFO_FILE} ${COILIX_MIME_FILE}
  COMMAND coilix-desktop-l10n merge ${_desktop_in} ${_metainfo_in} ${_mime_in}
          ${COILIX_DESKTOP_DIR} ${COILIX_TS_FILES}
  DEPENDS coilix-desktop-l10n ${_desktop_in} ${_metainfo_in} ${_mime_in} ${COILIX_TS_FILES}
  VERBATIM)
add_custom_target(coilix_desktop_files ALL
  DEPENDS ${COILIX_DESKTOP_FILE} ${COILIX_METAINFO_FILE} ${COILIX_MIME_FILE}
          ${COILIX_DESKTOP_TEXTS})

# lupdate reads the program's texts from the application's sources, the
# desktop texts from the generated file; no line numbers, so that the files
# change only when the texts do.
set(COILIX_LUPDATE_SOURCES ${COILIX_APP_SOURCES} ${COILIX_DESKTOP_TEXTS})
list(TRANSFORM COILIX_LUPDATE_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/ REGEX "^app/")
set(COILIX_LUPDATE_OPTIONS -locations none -no-obsolete -source-language en)
qt_add_translations(coilix_app
  TS_FILES ${COILIX_TS_FILES}
  SOURCES ${COILIX_LUPDATE_SOURCES}
  LUPDATE_OPTIONS ${COILIX_LUPDATE_OPTIONS}
  LRELEASE_OPTIONS -idbased -silent
  QM_FILES_OUTPUT_VARIABLE COILIX_QM_FILES)
# Stored uncompressed: a translation is then read in place from the program's
# own pages, with no copy and no decompressor brought in at start.
qt_add_resources(coilix_app coilix_app_translations
  PREFIX /i18n
  BASE ${CMAKE_CURRENT_BINARY_DIR}
  FILES ${COILIX_QM_FILES}
  OPTIONS --no-compress)
add_dependencies(coilix_app_lupdate coilix_desktop_files)
