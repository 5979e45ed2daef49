# Releases, made by CPack: a .deb and a tarball on Linux, a zip on Windows.
# The version is the project's.
set(CPACK_PACKAGE_VENDOR "The series maintainers")
set(CPACK_PACKAGE_CONTACT "The series maintainers <maintainers@series.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sum a repeated-digit series")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION [[series asks for a digit a and a count n and prints the sum of the first n
numbers written with the digit a alone: a + aa + aaa + ... It computes in
32-bit two's-complement arithmetic that wraps, and answers any count at once.]])

include(CPack)
