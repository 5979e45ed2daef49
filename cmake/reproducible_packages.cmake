# Run by CPack once it has made a package (CPACK_POST_BUILD_SCRIPTS), to make
# the package a function of its files alone, whatever the machine, user,
# umask and time zone of the build:
# - CPack's tarball and zip list the files in the order that the file system
#   hands them out, carry the builder's user and group, and the top folder
#   has the mode that the umask left: they are made again from the same
#   files in name order, with GNU tar, owned by root, and
#   with Info-ZIP's zip, which leaves the user out (-X) and writes its local
#   times in the zone that CPack runs in here, UTC;
# - CPack's .deb counts the sizes of directories on the build's file system
#   into its Installed-Size, and gives the members of its ar archive the modes
#   that the umask left: dpkg-deb builds it again from the same files and
#   control file, in name order, owned by root, with its own modes, and with
#   the installed size counted as dpkg-gencontrol counts it (each file in KiB,
#   rounded up, and one for each directory).
set(ENV{LC_ALL} C)
set(file_permissions OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(directory_permissions ${file_permissions} OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
cmake_path(GET CPACK_TEMPORARY_DIRECTORY PARENT_PATH staging)

# Every file and folder under `directory` takes the release's time, where
# there is one.
function(take_release_time directory)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND find ${directory} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
endfunction()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "[.]tar[.]gz$")
    file(CHMOD ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY_PERMISSIONS ${directory_permissions})
    take_release_time(${CPACK_TEMPORARY_DIRECTORY})
    execute_process(COMMAND tar --sort=name --format=gnu --owner=0 --group=0 --numeric-owner
                                -C ${staging} -cf - ${CPACK_PACKAGE_FILE_NAME}
                    COMMAND gzip -9n
                    OUTPUT_FILE ${package} COMMAND_ERROR_IS_FATAL ANY)
  elseif(package MATCHES "[.]zip$")
    take_release_time(${CPACK_TEMPORARY_DIRECTORY})
    file(REMOVE ${package})
    execute_process(COMMAND find ${CPACK_PACKAGE_FILE_NAME} -type f
                    COMMAND sort
                    COMMAND zip -X -9 -q -@ ${package}
                    WORKING_DIRECTORY ${staging} COMMAND_ERROR_IS_FATAL ANY)
  elseif(package MATCHES "[.]deb$")
    # dpkg-deb builds it again from CPack's files and control file.
    set(tree ${staging}/deb)
    file(REMOVE_RECURSE ${tree})
    file(COPY ${CPACK_TEMPORARY_DIRECTORY}/usr DESTINATION ${tree})
    file(GLOB_RECURSE entries LIST_DIRECTORIES true ${tree}/*)
    set(installed_kib 1)  # the tree itself
    foreach(entry IN LISTS entries)
      if(IS_DIRECTORY ${entry})
        math(EXPR installed_kib "${installed_kib} + 1")
      else()
        file(SIZE ${entry} size)
        math(EXPR installed_kib "${installed_kib} + (${size} + 1023) / 1024")
      endif()
    endforeach()
    file(READ ${CPACK_TEMPORARY_DIRECTORY}/control control)
    string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${installed_kib}" control "${control}")
    file(WRITE ${tree}/DEBIAN/control "${control}")
    file(COPY_FILE ${CPACK_TEMPORARY_DIRECTORY}/md5sums ${tree}/DEBIAN/md5sums)
    file(CHMOD ${tree} ${tree}/DEBIAN DIRECTORY_PERMISSIONS ${directory_permissions})
    file(CHMOD ${tree}/DEBIAN/control ${tree}/DEBIAN/md5sums PERMISSIONS ${file_permissions})
    take_release_time(${tree})
    execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${package}
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
