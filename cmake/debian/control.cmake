# Run by cpack once the packages are built (CPACK_POST_BUILD_SCRIPTS), to
# put right two fields of each package's control file that CPack's DEB
# generator cannot:
# - Multi-Arch: same, for the packages named in CPACK_TAV_MULTIARCH_SAME
#   (CPack has no such field);
# - Installed-Size, which CPack counts with the target of every symbolic
#   link again: here, as dpkg-gencontrol counts it, each file's size in KiB
#   rounded up, and 1 for each directory and each link.
# The package is unpacked and built again by dpkg-deb; its files, their
# modes and its md5sums are unchanged.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  get_filename_component(name ${deb} NAME)
  string(REGEX REPLACE "_.*$" "" package ${name})
  set(tree ${deb}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)

  set(kib 0)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${tree} ${tree}/*)
  foreach(entry IN LISTS entries)
    if(entry MATCHES "^DEBIAN(/|$)")
      continue()
    elseif(IS_SYMLINK ${tree}/${entry} OR IS_DIRECTORY ${tree}/${entry})
      math(EXPR kib "${kib} + 1")
    else()
      file(SIZE ${tree}/${entry} bytes)
      math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
    endif()
  endforeach()

  file(READ ${tree}/DEBIAN/control control)
  string(STRIP "${control}" control)
  string(REGEX REPLACE "\nInstalled-Size: [0-9]+" "\nInstalled-Size: ${kib}" control "${control}")
  if(package IN_LIST CPACK_TAV_MULTIARCH_SAME)
    string(APPEND control "\nMulti-Arch: same")
  endif()
  file(WRITE ${tree}/DEBIAN/control "${control}\n")
  # Every file dated SOURCE_DATE_EPOCH, when it is set: the same sources
  # then give the same package.
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND find ${tree} -exec touch --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH} {} +
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
  execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${deb}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
