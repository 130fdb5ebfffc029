# cmake --install: the shared library with its versioned links, the public
# headers, tavfmt, a pkg-config file, a CMake package exporting
# tavf90::tavf90, the documentation and the manual pages.  Three components
# (cmake --install --component C), the split of the Debian packages:
# runtime (the library and its SONAME link), dev (headers, the link-time
# name, the package files, docs, tavf90(7)) and tavfmt (the tool, tavfmt(1)).
#
# Library directory: an i386 build made on an x86-64 Debian host (g++ -m32,
# the biarch toolchain of g++-multilib) installs into lib32, where that
# toolchain and the i386 loader look; a native build takes GNUInstallDirs'
# choice (lib/i386-linux-gnu for the /usr prefix on Debian i386, else lib).
# -DCMAKE_INSTALL_LIBDIR=DIR overrides either, except that the generic
# "lib" (which GoogleTest's own GNUInstallDirs may have cached) becomes lib32
# for the i386 build on an x86-64 host.  The Debian packages (TAV_DEB,
# cmake/debian.cmake) use the i386 multiarch directory.
if(TAV_DEB)
  set(CMAKE_INSTALL_LIBDIR lib/i386-linux-gnu CACHE PATH "Object code libraries (Debian i386 multiarch)" FORCE)
elseif(TAV_M32 AND CMAKE_HOST_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$" AND
   (NOT CMAKE_INSTALL_LIBDIR OR CMAKE_INSTALL_LIBDIR STREQUAL "lib"))
  set(CMAKE_INSTALL_LIBDIR lib32 CACHE PATH "Object code libraries (lib32: the i386 build on x86-64)" FORCE)
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The CMake package of the i386 build goes to share/cmake, which every
# find_package searches, so that a 64-bit project finds it too and its
# version file can say why it refuses (CMake on Debian never searches lib32,
# and searches lib/i386-linux-gnu only for i386 projects).
if(TAV_M32 AND (CMAKE_INSTALL_LIBDIR STREQUAL "lib32" OR TAV_DEB))
  set(TAV_CMAKE_DIR ${CMAKE_INSTALL_DATADIR}/cmake/tavf90)
else()
  set(TAV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/tavf90)
endif()

# pkg-config knows nothing of architectures: the i386 build's Cflags carry
# -m32, so that an x86-64 compiler given them builds an i386 program.  Once:
# a link line made from CFLAGS (or the one-line build) has it too.
if(TAV_M32)
  set(TAV_PC_ARCH_FLAGS "-m32 ")
else()
  set(TAV_PC_ARCH_FLAGS "")
endif()

install(TARGETS tavf90 EXPORT tavf90Targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev
  FILES_MATCHING PATTERN "tavf90*.h")
install(EXPORT tavf90Targets NAMESPACE tavf90:: DESTINATION ${TAV_CMAKE_DIR} COMPONENT dev)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/tavf90Config.cmake.in
  ${CMAKE_BINARY_DIR}/tavf90Config.cmake INSTALL_DESTINATION ${TAV_CMAKE_DIR})
# The version file accepts consumers of the library's pointer size: 4 for
# the i386 build, although the compiler CMake probed here is the host's.
# When it refuses a project of another pointer size, the version it reports
# (which find_package lists with the package files it did not accept) says
# why and what to do.
set(tav_saved_pointer_size ${CMAKE_SIZEOF_VOID_P})
if(TAV_M32)
  set(CMAKE_SIZEOF_VOID_P 4)
endif()
set(tav_version_file ${CMAKE_BINARY_DIR}/tavf90ConfigVersion.cmake)
write_basic_package_version_file(${tav_version_file} COMPATIBILITY SameMajorVersion)
set(CMAKE_SIZEOF_VOID_P ${tav_saved_pointer_size})
if(TAV_M32)
  set(tav_bits "set(PACKAGE_VERSION \"\${PACKAGE_VERSION} (\${installedBits}bit)\")")
  file(READ ${tav_version_file} tav_text)
  string(FIND "${tav_text}" "${tav_bits}" tav_at)
  if(tav_at LESS 0)
    message(FATAL_ERROR "${tav_version_file}: no pointer size check to explain")
  endif()
  string(REPLACE "${tav_bits}" "set(PACKAGE_VERSION \"\${PACKAGE_VERSION} (32bit): the i386 build of tavf90, \
for 32-bit projects: configure this one with -m32 (-DCMAKE_C_FLAGS=-m32 -DCMAKE_CXX_FLAGS=-m32)\")"
    tav_text "${tav_text}")
  file(WRITE ${tav_version_file} "${tav_text}")
endif()
install(FILES ${CMAKE_BINARY_DIR}/tavf90Config.cmake ${CMAKE_BINARY_DIR}/tavf90ConfigVersion.cmake
  DESTINATION ${TAV_CMAKE_DIR} COMPONENT dev)

# tavf90.pc names the prefix given at install time (cmake --install
# --prefix P), not the one configured, so it is written by the install step.
configure_file(${CMAKE_CURRENT_LIST_DIR}/tavf90.pc.in ${CMAKE_BINARY_DIR}/tavf90.pc.in @ONLY)
install(CODE "
  set(pc \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig/tavf90.pc\")
  message(STATUS \"Installing: \${pc}\")
  file(READ \"${CMAKE_BINARY_DIR}/tavf90.pc.in\" text)
  string(REPLACE \"%prefix%\" \"\${CMAKE_INSTALL_PREFIX}\" text \"\${text}\")
  file(WRITE \"\${pc}\" \"\${text}\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${pc}\")
" COMPONENT dev)

# The Debian packages have docs of their own (cmake/debian.cmake).
if(NOT TAV_DEB)
  install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/NEWS DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT dev)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT dev
    FILES_MATCHING PATTERN "*.md")
endif()

# Manual pages, made from their Markdown sources in docs/ by md2man.awk and
# installed compressed.  Their date is the build's, or SOURCE_DATE_EPOCH's
# when that is set (scripts/package.sh sets it from the Debian changelog).
find_program(TAV_AWK NAMES mawk gawk awk REQUIRED)
find_program(TAV_GZIP gzip REQUIRED)
string(TIMESTAMP tav_man_date "%Y-%m-%d" UTC)
set(tav_man_pages)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man)
foreach(page tavfmt.1:tavfmt tavf90.7:dev)
  string(REPLACE ":" ";" page ${page})
  list(GET page 0 file)
  list(GET page 1 component)
  string(REGEX REPLACE "\\.[1-9]$" "" name ${file})
  string(REGEX REPLACE "^.*\\." "" section ${file})
  set(out ${CMAKE_BINARY_DIR}/man/${file})
  add_custom_command(OUTPUT ${out} ${out}.gz
    COMMAND ${TAV_AWK} -v version=${PROJECT_VERSION} -v date=${tav_man_date}
            -f ${CMAKE_CURRENT_LIST_DIR}/md2man.awk ${CMAKE_SOURCE_DIR}/docs/${name}.md > ${out}
    COMMAND ${TAV_GZIP} -9nkf ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/${name}.md ${CMAKE_CURRENT_LIST_DIR}/md2man.awk
    COMMENT "Manual page ${name}(${section})" VERBATIM)
  list(APPEND tav_man_pages ${out})
  install(FILES ${out}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} COMPONENT ${component})
endforeach()
add_custom_target(man ALL DEPENDS ${tav_man_pages})
