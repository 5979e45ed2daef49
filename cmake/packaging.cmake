# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The release's packages, each made once, by its format's own tool, from the
# tree that `cmake --install` lays out (package/package.sh): in the build
# folder, `--target deb` and, where the program stands alone
# (SERIES_STATIC), `--target tarball` on Linux; `--target zip` on Windows.
# SERIES_PACKAGES turns them on, which the package presets do.
if(NOT SERIES_PACKAGES)
  return()
endif()
set(package_name series-${PROJECT_VERSION})
set(make_package ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH}
                 bash ${PROJECT_SOURCE_DIR}/package/package.sh)

if(WIN32)
  math(EXPR bits "${CMAKE_SIZEOF_VOID_P} * 8")
  add_custom_target(zip COMMAND ${make_package} zip ${PROJECT_BINARY_DIR}
                                ${PROJECT_BINARY_DIR}/${package_name}-win${bits}.zip ${PROJECT_VERSION} VERBATIM)
  set(package_targets zip)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  # Debian's name for the architecture: the cross toolchain's, or this machine's.
  if(NOT debian_architecture)
    execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE debian_architecture
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(SERIES_STATIC)
    add_custom_target(tarball
                      COMMAND ${make_package} tarball ${PROJECT_BINARY_DIR}
                              ${PROJECT_BINARY_DIR}/${package_name}-Linux-${debian_architecture}.tar.gz
                              ${PROJECT_VERSION}
                      VERBATIM)
    set(package_targets tarball)
  else()
    add_custom_target(deb
                      COMMAND ${make_package} deb ${PROJECT_BINARY_DIR}
                              ${PROJECT_BINARY_DIR}/series_${PROJECT_VERSION}_${debian_architecture}.deb
                              ${PROJECT_VERSION} ${debian_architecture}
                      VERBATIM)
    set(package_targets deb)
  endif()
endif()
foreach(target IN LISTS package_targets)
  add_dependencies(${target} series documents)
endforeach()
