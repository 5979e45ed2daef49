# Releases, made by CPack: a .deb and a tarball on Linux, a zip on Windows.
# The version is the project's. The same commit gives the same bytes: every
# file carries the release's time (SOURCE_DATE_EPOCH) and modes of its own,
# whatever the time, time zone and umask of the build.
set(CPACK_PACKAGE_VENDOR "The series maintainers")
set(CPACK_PACKAGE_CONTACT "The series maintainers <maintainers@series.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sum a repeated-digit series")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The time CPack reads when it runs, and the zone that a zip's local times
# are written in.
file(CONFIGURE OUTPUT cpack_environment.cmake CONTENT [[
if(NOT "@SOURCE_DATE_EPOCH@" STREQUAL "")
  set(ENV{SOURCE_DATE_EPOCH} @SOURCE_DATE_EPOCH@)
endif()
set(ENV{TZ} UTC0)
]] @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/cpack_environment.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/reproducible_packages.cmake)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  # Debian's name for the architecture: the cross toolchain's, or this machine's.
  if(NOT debian_architecture)
    execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE debian_architecture
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  set(CPACK_SYSTEM_NAME Linux-${debian_architecture})
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${debian_architecture})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION math)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_PACKAGE_DESCRIPTION [[series asks for a digit a and a count n and prints the sum of the first n
numbers written with the digit a alone: a + aa + aaa + ... It computes in
32-bit two's-complement arithmetic that wraps, and answers any count at once.]])
endif()

include(CPack)
