# 32-bit ARM with hardware floating point: boards. char is unsigned and long
# is 32 bits.
set(CMAKE_SYSTEM_PROCESSOR arm)
set(cross_triple arm-linux-gnueabihf)
set(qemu_architecture arm)
set(debian_architecture armhf)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
