// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// Taking a read's characters one by one from a stream locked once for the
// whole read: POSIX's unlocked getc skips the lock that getc takes for each
// character, which is most of its cost.
#pragma once

#include <cstdio>

namespace series::platform {

inline void lock_stream(std::FILE* stream) { flockfile(stream); }
inline void unlock_stream(std::FILE* stream) { funlockfile(stream); }
inline int take_char(std::FILE* stream) { return getc_unlocked(stream); }

}  // namespace series::platform
