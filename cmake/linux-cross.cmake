# Cross build for Linux on the architecture SERIES_ARCHITECTURE (Debian's
# name, a line of linux-architectures.txt), with Debian's cross compiler for
# its triple. Programs run under qemu-user, named on every run: nothing
# relies on the kernel handing foreign programs to it (binfmt_misc).
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SERIES_ARCHITECTURE)
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/linux-architectures.txt architecture
     REGEX "^${SERIES_ARCHITECTURE} ")
string(REGEX REPLACE " +" ";" architecture "${architecture}")
list(LENGTH architecture fields)
if(NOT SERIES_ARCHITECTURE OR NOT fields EQUAL 4)
  message(FATAL_ERROR "SERIES_ARCHITECTURE '${SERIES_ARCHITECTURE}' is none of linux-architectures.txt")
endif()
list(GET architecture 1 cross_triple)
list(GET architecture 2 qemu_architecture)
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
