# Cross build for Linux on another architecture, with Debian's cross compiler
# for the target triple that the including file sets as cross_triple.
# Programs run under qemu-user, named on every run: nothing relies on the
# kernel handing foreign programs to it (binfmt_misc).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${cross_triple}-gcc)
set(CMAKE_CXX_COMPILER ${cross_triple}-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${qemu_architecture} -L /usr/${cross_triple})
include(${CMAKE_CURRENT_LIST_DIR}/cross-target-tree.cmake)
