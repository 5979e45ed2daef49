# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Every test is declared with series_add_test, which takes add_test's
# arguments after the name. Under Wine, a cross build's tests need the build's
# own Wine prefix, made once before any of them starts, and where the machine
# cannot run Wine they exit 77 and count as skipped: declared here, that holds
# for every test, wherever it is.
set(wine_tests OFF)
if(WIN32 AND CMAKE_CROSSCOMPILING_EMULATOR)
  set(wine_tests ON)
  add_test(NAME wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300 SKIP_RETURN_CODE 77)
endif()

function(series_add_test name)
  add_test(NAME ${name} ${ARGN})
  if(wine_tests)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix SKIP_RETURN_CODE 77)
  endif()
endfunction()
