# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# 32-bit Windows, the program's home.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(cross_triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
