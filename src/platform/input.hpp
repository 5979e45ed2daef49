// Reading a stream a character at a time, fast. getc takes the stream's lock
// for every character, which is most of its cost: a reader locks the stream
// once with lock_input, takes the characters of a whole read with next_char
// (the next one, or EOF) and take_while, and unlocks it with unlock_input.
#pragma once

#include <cstdio>

namespace series::platform {

#ifdef _WIN32
// msvcrt.dll's getc already reads faster than its own scanf, and the DLL
// exports no unlocked getc (MinGW's _getc_nolock is an emulation that reaches
// into the DLL's internals): each character takes the lock, as scanf's do.
inline void lock_input(std::FILE* /*stream*/) {}
inline void unlock_input(std::FILE* /*stream*/) {}
inline int next_char(std::FILE* stream) { return std::getc(stream); }
#else
inline void lock_input(std::FILE* stream) { flockfile(stream); }
inline void unlock_input(std::FILE* stream) { funlockfile(stream); }
inline int next_char(std::FILE* stream) { return getc_unlocked(stream); }
#endif

// take_while takes characters from the locked stream for as long as `take`
// accepts them, and returns the first one that it refuses, which is taken
// too. At the end of the input that is EOF, which `take` must refuse.
#ifdef __GLIBC__
// glibc keeps the characters buffered and not yet taken between _IO_read_ptr
// and _IO_read_end, where its getc_unlocked macro takes them one by one,
// storing the position back each time. Scanning them in place and storing the
// position once per run makes a long run of white space or digits several
// times cheaper, and cheaper than glibc's own scanf; getc_unlocked still
// refills the buffer, so that the stream is left just as it would leave it.
template <typename Take>
int take_while(std::FILE* stream, Take take) {
    for (;;) {
        char* const end = stream->_IO_read_end;
        for (char* next = stream->_IO_read_ptr; next != end; ++next) {
            const int c = static_cast<unsigned char>(*next);
            if (!take(c)) {
                stream->_IO_read_ptr = next + 1;
                return c;
            }
        }
        stream->_IO_read_ptr = end;
        if (const int c = next_char(stream); !take(c)) {
            return c;
        }
    }
}
#else
template <typename Take>
int take_while(std::FILE* stream, Take take) {
    int c = 0;
    do {
        c = next_char(stream);
    } while (take(c));
    return c;
}
#endif

}  // namespace series::platform
