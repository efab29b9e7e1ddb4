# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on its staging folder before it builds a package; it changes
# only Debian packages. Debian puts games in /usr/games, keeps manual pages and
# changelogs compressed with `gzip -9n` and wants the copyright file and the
# changelog in /usr/share/doc/<package>.

if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT EXISTS "${root}/bin/coilix")
  message(FATAL_ERROR "DebLayout: ${root}/bin/coilix was not installed")
endif()

set(file_mode OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(dir_mode OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

file(MAKE_DIRECTORY "${root}/games")
file(RENAME "${root}/bin/coilix" "${root}/games/coilix")
# CPack has stripped the program; drop the sections Debian's own strip step
# drops as well.
execute_process(COMMAND "${CPACK_COILIX_STRIP}" --remove-section=.comment --remove-section=.note
                        "${root}/games/coilix" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "DebLayout: ${CPACK_COILIX_STRIP} failed: ${rc}")
endif()
file(GLOB left "${root}/bin/*")
if(NOT left)
  file(REMOVE_RECURSE "${root}/bin")
endif()

# gzip -9n: the highest compression, and no name or time stamp in the header.
function(deb_gzip from to)
  execute_process(COMMAND gzip -9n -c "${from}" OUTPUT_FILE "${to}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "DebLayout: gzip ${from} failed: ${rc}")
  endif()
  file(CHMOD "${to}" PERMISSIONS ${file_mode})
endfunction()

file(GLOB man_pages "${root}/share/man/man*/*.[1-9]")
foreach(page IN LISTS man_pages)
  deb_gzip("${page}" "${page}.gz")
  file(REMOVE "${page}")
endforeach()

set(doc "${root}/share/doc/${CPACK_PACKAGE_NAME}")
file(MAKE_DIRECTORY "${doc}")
file(COPY_FILE "${CPACK_COILIX_DEB_DIR}/copyright" "${doc}/copyright")
file(CHMOD "${doc}/copyright" PERMISSIONS ${file_mode})
deb_gzip("${CPACK_COILIX_DEB_DIR}/changelog" "${doc}/changelog.gz")
file(CHMOD "${root}/games" "${root}/share/doc" "${doc}" PERMISSIONS ${dir_mode})
