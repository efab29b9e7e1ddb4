# SPDX-License-Identifier: GPL-3.0-or-later
# The newest release in the AppStream metainfo and in the Debian changelog is
# the project's version: raising project(VERSION) needs a note in both.
#
# usage: cmake -DVERSION=X.Y -DSOURCE_DIR=DIR -P versions.cmake

# The first match of `pattern` (one group: the version) in the file must be VERSION.
function(check_newest file pattern)
  file(READ "${SOURCE_DIR}/${file}" text)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${file} names no release")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    message(FATAL_ERROR "the newest release in ${file} is ${CMAKE_MATCH_1}, the project is ${VERSION}")
  endif()
endfunction()

check_newest(res/desktop/org.halvorn.Coilix.metainfo.xml "<release version=\"([^\"]+)\"")
check_newest(cmake/deb/changelog "^coilix \\(([^)]+)\\) ")
message(STATUS "metainfo and changelog name ${VERSION}")
