about="the whole suite on i386 Linux, cross-built, under qemu-user"
packages=("${test_packages[@]}" qemu-user g++-i686-linux-gnu)
leg() { cross_linux_leg i386; }
