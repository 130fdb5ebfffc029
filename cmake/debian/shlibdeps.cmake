# The Depends of the packages that hold ELF files, as dpkg-shlibdeps works
# them out for the packages' architecture.  Run at build time:
#   cmake -DARCH=i386 -DSHLIBS=FILE -DLIBDIR=DIR -DOUT=FILE
#         "-DFILES=COMPONENT=ELF;..." -P shlibdeps.cmake
# It writes OUT, a CMake file that sets CPACK_DEBIAN_<COMPONENT>_PACKAGE_DEPENDS
# for each pair.  dpkg-shlibdeps takes the C library's dependency information
# from the libc6 package of ARCH installed here (scripts/package.sh installs
# it), and libtavf90's from this build's shlibs file, given to it as
# debian/shlibs.local; LIBDIR is where it finds libtavf90.so.1.
set(work ${OUT}.work)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work}/debian)
file(TOUCH ${work}/debian/control)
configure_file(${SHLIBS} ${work}/debian/shlibs.local COPYONLY)
set(ENV{DEB_HOST_ARCH} ${ARCH})
set(text "# Written by shlibdeps.cmake: the packages' Depends from dpkg-shlibdeps.\n")
foreach(pair IN LISTS FILES)
  string(REGEX MATCH "^([^=]+)=(.+)$" pair "${pair}")
  set(component ${CMAKE_MATCH_1})
  set(elf ${CMAKE_MATCH_2})
  # Looked at where dpkg-shlibdeps expects a package's files: in a tree
  # with a DEBIAN directory.
  file(MAKE_DIRECTORY ${work}/debian/${component}/DEBIAN)
  file(COPY ${elf} DESTINATION ${work}/debian/${component})
  get_filename_component(name ${elf} NAME)
  execute_process(COMMAND dpkg-shlibdeps -O -l${LIBDIR} debian/${component}/${name}
    WORKING_DIRECTORY ${work} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(err)
    message("${err}")
  endif()
  if(failed OR NOT out MATCHES "^shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps found no dependencies for ${elf}")
  endif()
  string(APPEND text "set(CPACK_DEBIAN_${component}_PACKAGE_DEPENDS \"${CMAKE_MATCH_1}\")\n")
endforeach()
file(REMOVE_RECURSE ${work})
file(WRITE ${OUT} "${text}")
