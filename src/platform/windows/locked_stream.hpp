// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// Taking a read's characters one by one. msvcrt.dll exports no unlocked getc
// (MinGW's _getc_nolock reaches into the DLL's FILE), and its getc already
// reads faster than its own scanf: each character takes the lock, as scanf's
// do, and there is no lock to hold for the whole read.
#pragma once

#include <cstdio>

namespace series::platform {

inline void lock_stream(std::FILE* /*stream*/) {}
inline void unlock_stream(std::FILE* /*stream*/) {}
inline int take_char(std::FILE* stream) { return std::getc(stream); }

}  // namespace series::platform
