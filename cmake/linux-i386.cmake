# 32-bit PCs. long is 32 bits. qemu-i386 runs it on any machine, one without
# a kernel that runs 32-bit programs included.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(cross_triple i686-linux-gnu)
set(qemu_architecture i386)
set(debian_architecture i386)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
