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

# On Linux, hardened the way Debian builds its own programs (dpkg-buildflags
# with hardening=+all), wherever nothing is instrumented: position-independent,
# the stack guarded against overflow and clashes, the C library's checked
# calls where the code is optimised, control-flow protection on x86, and
# relocations bound at start and then read-only.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT (SERIES_SANITIZE OR SERIES_COVERAGE OR SERIES_FUZZ))
  target_compile_options(series_flags INTERFACE -fPIE -fstack-protector-strong -fstack-clash-protection)
  target_compile_definitions(series_flags INTERFACE
                             $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i[3-6]86)$")
    target_compile_options(series_flags INTERFACE -fcf-protection)
  endif()
  target_link_options(series_flags INTERFACE LINKER:-z,relro LINKER:-z,now)
  if(NOT SERIES_STATIC)
    target_link_options(series_flags INTERFACE -pie)
  else()
    # Self-contained: position-independent where the C library has a static
    # start for it (on Debian 12, glibc does on amd64, arm64 and i386 alone),
    # else at a fixed address.
    include(CheckLinkerFlag)
    check_linker_flag(CXX -static-pie SERIES_STATIC_PIE)
    if(SERIES_STATIC_PIE)
      target_link_options(series_flags INTERFACE -static-pie)
    else()
      target_link_options(series_flags INTERFACE -static)
    endif()
  endif()
endif()

# clang-tidy reads a GCC cross build's compile commands as clang would, which
# needs the target named and the cross compiler's own include folders given.
if(CMAKE_CXX_CLANG_TIDY AND CMAKE_CROSSCOMPILING AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(CMAKE_CXX_CLANG_TIDY ${CMAKE_CXX_CLANG_TIDY} --extra-arg=--target=${cross_triple})
  foreach(folder IN LISTS CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES)
    list(APPEND CMAKE_CXX_CLANG_TIDY --extra-arg=-isystem${folder})
  endforeach()
endif()
