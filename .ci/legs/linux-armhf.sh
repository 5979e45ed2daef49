about="the whole suite on armhf Linux, cross-built, under qemu-user"
packages=("${test_packages[@]}" qemu-user g++-arm-linux-gnueabihf)
leg() { cross_linux_leg armhf; }
