#include <cstdio>

#include "console.hpp"
#include "platform/platform.hpp"

int main() {
    ignore_broken_pipe();
    const int status = run_console(stdin, stdout, stderr);
    if (status == 0) {
        wait_for_key();
    }
    return status;
}
