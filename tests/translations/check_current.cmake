# SPDX-License-Identifier: GPL-3.0-or-later
# The translation files hold exactly the texts of the sources: lupdate, run
# on copies with the options of the update_translations target, changes
# nothing. And every language but English (the source) is translated in full.
#
# cmake -DLUPDATE=... -DTS_FILES=a.ts|b.ts -DSOURCES=x.cpp|y.cpp -DOPTIONS=...
#       -DWORK_DIR=... -P check_current.cmake

foreach(var LUPDATE TS_FILES SOURCES OPTIONS WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_current.cmake needs -D${var}")
  endif()
  string(REPLACE "|" ";" ${var} "${${var}}")
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(copies)
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name ${ts} NAME)
  file(COPY_FILE ${ts} ${WORK_DIR}/${name})
  list(APPEND copies ${WORK_DIR}/${name})
endforeach()
execute_process(COMMAND ${LUPDATE} -silent ${OPTIONS} ${SOURCES} -ts ${copies}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${rc}):\n${out}")
endif()

set(problems)
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name ${ts} NAME)
  file(READ ${ts} before)
  file(READ ${WORK_DIR}/${name} after)
  if(NOT before STREQUAL after)
    list(APPEND problems "${name} is not up to date with the sources: run\n"
                         "    cmake --build BUILD --target update_translations\n"
                         "  (diff ${ts} ${WORK_DIR}/${name})")
  endif()
  if(NOT name MATCHES "_en\\.ts$")
    file(STRINGS ${ts} unfinished REGEX "type=\"(unfinished|vanished|obsolete)\"")
    list(LENGTH unfinished n)
    if(n GREATER 0)
      list(APPEND problems "${name}: ${n} texts are not translated (or not marked done)")
    endif()
  endif()
endforeach()
if(problems)
  list(JOIN problems "\n" text)
  message(FATAL_ERROR "${text}")
endif()
list(LENGTH TS_FILES n)
message(STATUS "the ${n} translation files are up to date and complete")
