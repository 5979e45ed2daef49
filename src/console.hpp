// One interactive run: the prompt, the two numbers, the answer line.
#pragma once

#include <iosfwd>

// Writes the prompt to `output`, reads a and n from `input` and writes the
// answer line, flushed so that it comes before anything written after it.
void run_console(std::istream& input, std::ostream& output);
