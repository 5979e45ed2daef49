# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The time that a release's files carry, in seconds since 1970, as
# SOURCE_DATE_EPOCH: the environment's SOURCE_DATE_EPOCH when it is set, else
# the time of the commit, which git asks in a clone, and which a source
# archive carries in cmake/commit-time (git archive fills it in). Empty where
# there is none of these. Run as a script (cmake -P), it prints the time.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/commit-time SOURCE_DATE_EPOCH LIMIT_COUNT 1)
  if(NOT SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    find_package(Git QUIET)
    set(SOURCE_DATE_EPOCH "")
    if(Git_FOUND)
      execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                      WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR}
                      OUTPUT_VARIABLE SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
  endif()
endif()
if(NOT SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(STATUS "No commit time: no packages can be made")
  set(SOURCE_DATE_EPOCH "")
endif()
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${SOURCE_DATE_EPOCH}")
endif()
