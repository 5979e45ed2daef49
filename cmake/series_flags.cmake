# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Compiler settings for the project's own targets, as one interface target
# that each of them links privately.
add_library(series_flags INTERFACE)
target_compile_features(series_flags INTERFACE cxx_std_20)

target_compile_options(series_flags INTERFACE -Wall -Wextra -Wpedantic)

if(SERIES_SANITIZE)
  set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
  target_compile_options(series_flags INTERFACE ${sanitizers} -fno-omit-frame-pointer)
  target_link_options(series_flags INTERFACE ${sanitizers})
endif()

if(SERIES_COVERAGE)
  target_compile_options(series_flags INTERFACE --coverage)
  target_link_options(series_flags INTERFACE --coverage)
endif()

if(SERIES_FUZZ)
  if(NOT (CMAKE_C_COMPILER_ID MATCHES "Clang" AND CMAKE_CXX_COMPILER_ID MATCHES "Clang"))
    message(FATAL_ERROR "SERIES_FUZZ needs clang and clang++, for libFuzzer")
  endif()
  # Coverage feedback for the fuzzer in all of the project's code; only the
  # fuzz target itself links libFuzzer's main.
  target_compile_options(series_flags INTERFACE -fsanitize=fuzzer-no-link)
  target_link_options(series_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()

# With SERIES_HARDENING, which the presets turn on, the Linux programs are
# hardened the way Debian builds its own (dpkg-buildflags with hardening=+all),
# wherever nothing is instrumented: position-independent, the stack guarded
# against overflow and clashes, the C library's checked calls where the code
# is optimised, control-flow protection on x86, and relocations bound at start
# and then read-only. Without it a build adds to the flags that it is given
# only the few that doc/release.md lists for distribution packagers.
set(series_linux_lean OFF)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT (SERIES_SANITIZE OR SERIES_COVERAGE OR SERIES_FUZZ))
  set(series_linux_lean ON)
endif()
if(SERIES_HARDENING AND series_linux_lean)
  target_compile_options(series_flags INTERFACE -fPIE -fstack-protector-strong -fstack-clash-protection)
  # The checked calls' level is left to the compiler or the flags where they
  # name one (Ubuntu's compiler and Fedora's flags name 3), never lowered.
  include(CheckCXXSourceCompiles)
  set(CMAKE_REQUIRED_FLAGS -O2)
  check_cxx_source_compiles("#include <cstdio>\n#ifndef _FORTIFY_SOURCE\n#error\n#endif\nint main() {}"
                            SERIES_FORTIFY_GIVEN)
  unset(CMAKE_REQUIRED_FLAGS)
  if(NOT SERIES_FORTIFY_GIVEN)
    target_compile_definitions(series_flags INTERFACE
                               $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
  endif()
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i[3-6]86)$")
    target_compile_options(series_flags INTERFACE -fcf-protection)
  endif()
  target_link_options(series_flags INTERFACE LINKER:-z,relro LINKER:-z,now)
  if(NOT SERIES_STATIC)
    target_link_options(series_flags INTERFACE -pie)
  endif()
endif()

# Linked statically, self-contained; hardened, also position-independent
# where the C library has a static start for it (Debian 12's glibc has on
# amd64, arm64, i386 and s390x), else at a fixed address.
if(SERIES_STATIC AND series_linux_lean)
  set(static_link -static)
  if(SERIES_HARDENING)
    include(CheckLinkerFlag)
    check_linker_flag(CXX -static-pie SERIES_STATIC_PIE)
    if(SERIES_STATIC_PIE)
      set(static_link -static-pie)
    endif()
  endif()
  target_link_options(series_flags INTERFACE ${static_link})
endif()

# clang-tidy reads a GCC cross build's compile commands as clang would, which
# needs the target named and the cross compiler's own include folders given.
if(CMAKE_CXX_CLANG_TIDY AND CMAKE_CROSSCOMPILING AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(CMAKE_CXX_CLANG_TIDY ${CMAKE_CXX_CLANG_TIDY} --extra-arg=--target=${cross_triple})
  foreach(folder IN LISTS CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES)
    list(APPEND CMAKE_CXX_CLANG_TIDY --extra-arg=-isystem${folder})
  endforeach()
endif()
