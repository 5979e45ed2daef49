# Cross build for 32-bit Windows on msvcrt.dll with the MinGW-w64 toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

# The POSIX thread model gives std::mutex and friends, which GoogleTest needs.
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

# Every executable stands alone: the C++ runtime, libgcc and winpthreads are
# linked in, leaving only the system's own DLLs to import.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Headers, libraries and packages come from the target's tree only, so that
# nothing built for the host is picked up; programs run on the host.
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
