# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# 64-bit Windows: the same program, testable where 32-bit programs cannot run.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(cross_triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
