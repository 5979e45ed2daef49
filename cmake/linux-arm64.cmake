# 64-bit ARM: servers and boards. char is unsigned.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(cross_triple aarch64-linux-gnu)
set(qemu_architecture aarch64)
set(debian_architecture arm64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
