# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Cross build for Linux on the architecture SERIES_ARCHITECTURE (Debian's
# name, a line of linux-architectures.txt), with Debian's cross compiler for
# its triple. Programs run under qemu-user, named on every run: nothing
# relies on the kernel handing foreign programs to it (binfmt_misc).
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SERIES_ARCHITECTURE SERIES_MULTIARCH_LIBC)
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/linux-architectures.txt architecture
     REGEX "^${SERIES_ARCHITECTURE} ")
string(REGEX REPLACE " +" ";" architecture "${architecture}")
list(LENGTH architecture fields)
if(NOT SERIES_ARCHITECTURE OR NOT fields EQUAL 4)
  message(FATAL_ERROR "SERIES_ARCHITECTURE '${SERIES_ARCHITECTURE}' is none of linux-architectures.txt")
endif()
list(GET architecture 1 cross_triple)
list(GET architecture 2 qemu_architecture)
list(GET architecture 3 released)
set(debian_architecture ${SERIES_ARCHITECTURE})

set(CMAKE_SYSTEM_NAME Linux)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${cross_triple})
set(CMAKE_C_COMPILER ${cross_triple}-gcc)
set(CMAKE_CXX_COMPILER ${cross_triple}-g++)
# The loader under -L is the cross toolchain's, and so must be the libraries:
# the machine's own cache would hand it the C library of the architecture's
# libc6 wherever that is installed too, another build of it, which the loader
# does not fit (on ppc64el every sigaction then fails, "stack smashing").
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${qemu_architecture} -L /usr/${cross_triple}
                                  -E LD_LIBRARY_PATH=/usr/${cross_triple}/lib)
include(${CMAKE_CURRENT_LIST_DIR}/cross-target-tree.cmake)

# A release links the architecture's C library from Debian's multiarch
# libc6-dev:ARCH, the same glibc source as the machine's own, which the release
# ships beside its programs: the cross toolchain's copy comes from a source
# package that the archive no longer serves.
if(SERIES_MULTIARCH_LIBC)
  execute_process(COMMAND dpkg-architecture -a ${SERIES_ARCHITECTURE} -qDEB_HOST_MULTIARCH
                  OUTPUT_VARIABLE multiarch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  set(multiarch_libraries /usr/lib/${multiarch})
  if(NOT released STREQUAL "yes" OR NOT EXISTS ${multiarch_libraries}/libc.a)
    message(FATAL_ERROR "SERIES_MULTIARCH_LIBC needs libc6-dev:${SERIES_ARCHITECTURE}, which is not installed"
                        " (Debian 12 has none for riscv64)")
  endif()
  string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -B${multiarch_libraries}/ -L${multiarch_libraries}")
endif()
