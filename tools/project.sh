# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Facts about the project that scripts ask, each read from where it is stated; sourced, from the project's top folder.
project_version() { sed -n 's/^project(series VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt; }

# The Linux architectures, a line each: Debian's name, the GNU triple, qemu-user's name, and whether a .deb is made
# (yes or no).
linux_architectures() { grep -Ev '^(#|$)' cmake/linux-architectures.txt; }
