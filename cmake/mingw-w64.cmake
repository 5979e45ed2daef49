# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Cross build for Windows on msvcrt.dll with the MinGW-w64 toolchain whose
# target triple the including file sets as cross_triple.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX thread model gives std::mutex and friends, which GoogleTest needs.
set(CMAKE_C_COMPILER ${cross_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${cross_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${cross_triple}-windres)

# Every executable stands alone: the C++ runtime, libgcc and winpthreads are
# linked in, leaving only the system's own DLLs to import.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

include(${CMAKE_CURRENT_LIST_DIR}/cross-target-tree.cmake)
