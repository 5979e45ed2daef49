#include <iostream>

#include "console.hpp"
#include "platform/platform.hpp"

int main() {
    ignore_broken_pipe();
    run_console(std::cin, std::cout);
    wait_for_key();
    return 0;
}
