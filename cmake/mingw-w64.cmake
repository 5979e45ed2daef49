# Cross build for Windows on msvcrt.dll with the MinGW-w64 toolchain whose
# target triple the including file sets as mingw_w64_triple.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX thread model gives std::mutex and friends, which GoogleTest needs.
set(CMAKE_C_COMPILER ${mingw_w64_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_w64_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_w64_triple}-windres)

# Every executable stands alone: the C++ runtime, libgcc and winpthreads are
# linked in, leaving only the system's own DLLs to import.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Headers, libraries and packages come from the target's tree only, so that
# nothing built for the host is picked up; programs run on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_w64_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
