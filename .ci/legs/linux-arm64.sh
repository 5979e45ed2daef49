about="the whole suite on arm64 Linux, cross-built, under qemu-user"
packages=("${test_packages[@]}" qemu-user g++-aarch64-linux-gnu)
leg() { cross_linux_leg arm64; }
