# Debian packages of the i386 library (TAV_DEB; scripts/package.sh builds
# them): cpack -G DEB makes, from the install components,
#   libtavf90-1    runtime   the shared library and its SONAME link
#   libtavf90-dev  dev       headers, libtavf90.so, tavf90.pc, the CMake
#                            package, tavf90(7), abi.md
#   tavfmt         tavfmt    the format explorer and tavfmt(1)
# each with its copyright file, the Debian changelog and NEWS as the
# upstream changelog in /usr/share/doc/PACKAGE.
if(NOT (TAV_M32 OR CMAKE_SYSTEM_PROCESSOR MATCHES "^i.86$"))
  message(FATAL_ERROR "TAV_DEB packages the i386 library: configure with TAV_M32=ON")
endif()
set(tav_deb_dir ${CMAKE_BINARY_DIR}/debian)
set(tav_deb_src ${CMAKE_CURRENT_LIST_DIR}/debian)

# The newest changelog entry names the version; its upstream part must be
# the project's.
file(STRINGS ${tav_deb_src}/changelog tav_deb_head LIMIT_COUNT 1)
if(NOT tav_deb_head MATCHES "^tavf90 \\(([^)-]+)-([^)]+)\\) ")
  message(FATAL_ERROR "cmake/debian/changelog: no version in \"${tav_deb_head}\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "cmake/debian/changelog is at ${CMAKE_MATCH_1}, the project at ${PROJECT_VERSION}: "
                      "add a changelog entry for ${PROJECT_VERSION}")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})

get_target_property(tav_soversion tavf90 SOVERSION)
set(tav_runtime_package libtavf90-${tav_soversion})
set(tav_deb_packages runtime:${tav_runtime_package} dev:libtavf90-dev tavfmt:tavfmt)

# Documentation files, compressed as policy asks (gzip -9n: no name or time
# stamp, so that the same sources give the same packages).
set(tav_deb_docs)
file(MAKE_DIRECTORY ${tav_deb_dir})
foreach(doc changelog.Debian:${tav_deb_src}/changelog changelog:${CMAKE_SOURCE_DIR}/NEWS
            abi.md:${CMAKE_SOURCE_DIR}/docs/abi.md)
  string(REGEX MATCH "^([^:]+):(.+)$" doc ${doc})
  set(out ${tav_deb_dir}/${CMAKE_MATCH_1}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${TAV_GZIP} -9nc ${CMAKE_MATCH_2} > ${out}
    DEPENDS ${CMAKE_MATCH_2} VERBATIM)
  list(APPEND tav_deb_docs ${out})
endforeach()
foreach(entry IN LISTS tav_deb_packages)
  string(REGEX MATCH "^([^:]+):(.+)$" entry ${entry})
  install(FILES ${tav_deb_src}/copyright ${tav_deb_dir}/changelog.Debian.gz ${tav_deb_dir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CMAKE_MATCH_2} COMPONENT ${CMAKE_MATCH_1})
endforeach()
install(FILES ${tav_deb_dir}/abi.md.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/libtavf90-dev COMPONENT dev)

# The library package's control files: shlibs (programs built against
# libtavf90.so.1 depend on this version or a later one), symbols (below)
# and the ldconfig trigger that keeps the loader's cache current.
file(WRITE ${tav_deb_dir}/shlibs "libtavf90 ${tav_soversion} ${tav_runtime_package} (>= ${PROJECT_VERSION})\n")
file(WRITE ${tav_deb_dir}/triggers "activate-noawait ldconfig\n")

# The symbols file: every name of src/libtavf90.exports, since this
# version's upstream part (no Debian revision: a program built against
# 1.0.0-2 runs with 1.0.0-1 as well); the build fails when the library
# exports another set of names.
set(tav_deb_symbols ${tav_deb_dir}/symbols)
add_custom_command(OUTPUT ${tav_deb_symbols}
  COMMAND ${CMAKE_COMMAND} -DARCH=i386 -DLIB=$<TARGET_FILE:tavf90> -DEXPORTS=${CMAKE_SOURCE_DIR}/src/libtavf90.exports
          -DPACKAGE=${tav_runtime_package} -DDEV=libtavf90-dev -DVERSION=${PROJECT_VERSION} -DOUT=${tav_deb_symbols}
          -P ${tav_deb_src}/symbols.cmake
  DEPENDS tavf90 ${CMAKE_SOURCE_DIR}/src/libtavf90.exports ${tav_deb_src}/symbols.cmake VERBATIM)

# Depends of the packages with ELF files, from dpkg-shlibdeps; -dev depends
# on the library of its own version.
set(tav_deb_depends ${tav_deb_dir}/depends.cmake)
add_custom_command(OUTPUT ${tav_deb_depends}
  COMMAND ${CMAKE_COMMAND} -DARCH=i386 -DSHLIBS=${tav_deb_dir}/shlibs -DLIBDIR=$<TARGET_FILE_DIR:tavf90>
          "-DFILES=RUNTIME=$<TARGET_FILE:tavf90>;TAVFMT=$<TARGET_FILE:tavfmt>" -DOUT=${tav_deb_depends}
          -P ${tav_deb_src}/shlibdeps.cmake
  DEPENDS tavf90 tavfmt ${tav_deb_src}/shlibdeps.cmake VERBATIM)
add_custom_target(debian ALL DEPENDS ${tav_deb_docs} ${tav_deb_depends} ${tav_deb_symbols})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavf90)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "tavf90 maintainers <maintainers@tavf90.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev tavfmt)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE i386)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SOURCE tavf90)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_PROJECT_CONFIG_FILE ${tav_deb_depends})
set(CPACK_POST_BUILD_SCRIPTS ${tav_deb_src}/control.cmake)
set(CPACK_TAV_MULTIARCH_SAME ${tav_runtime_package} libtavf90-dev)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${tav_runtime_package})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${tav_deb_dir}/shlibs ${tav_deb_symbols} ${tav_deb_dir}/triggers)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "run-time library of the tav Fortran 90/95 compiler
Programs compiled by the tav Fortran 90/95 compiler for 32-bit x86 call
this library to start and stop, to carry out every input/output
statement, to allocate storage and array temporaries, to evaluate the
intrinsic procedures the compiler does not expand inline, and to report
run-time errors with a traceback of the Fortran call chain.

This package contains the shared library.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libtavf90-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_DEBIAN_DEV_DESCRIPTION "run-time library of the tav Fortran compiler - development files
Programs compiled by the tav Fortran 90/95 compiler for 32-bit x86 call
the tavf90 library for input/output, storage, intrinsic procedures and
run-time error reports.

This package contains what building such programs needs: the C header
that declares every entry point and the i386 record layouts, the
link-time library, a pkg-config file and a CMake package
(find_package(tavf90)), the tavf90(7) manual page (environment,
preconnected units, exit status, fatal errors) and abi.md, the calls
compiled code makes.")

set(CPACK_DEBIAN_TAVFMT_PACKAGE_NAME tavfmt)
set(CPACK_DEBIAN_TAVFMT_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_TAVFMT_DESCRIPTION "show what a Fortran format does to values
tavfmt runs one formatted WRITE, or with --read one READ, through the
tavf90 run-time library exactly as a compiled program would, and prints
the records written or the value stored with its bits.  It saves
writing, compiling and running a throwaway program to see what an edit
descriptor does.")

include(CPack)
