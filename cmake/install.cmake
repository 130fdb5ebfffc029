# cmake --install: the shared library with its versioned links, the public
# headers, tavfmt, a pkg-config file, a CMake package exporting
# tavf90::tavf90, and the documentation.
#
# Library directory: an i386 build made on an x86-64 Debian host (g++ -m32,
# the biarch toolchain of g++-multilib) installs into lib32, where that
# toolchain and the i386 loader look; a native build takes GNUInstallDirs'
# choice (lib/i386-linux-gnu for the /usr prefix on Debian i386, else lib).
# -DCMAKE_INSTALL_LIBDIR=DIR overrides either, except that the generic
# "lib" (which GoogleTest's own GNUInstallDirs may have cached) becomes lib32
# for the i386 build on an x86-64 host.
if(TAV_M32 AND CMAKE_HOST_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$" AND
   (NOT CMAKE_INSTALL_LIBDIR OR CMAKE_INSTALL_LIBDIR STREQUAL "lib"))
  set(CMAKE_INSTALL_LIBDIR lib32 CACHE PATH "Object code libraries (lib32: the i386 build on x86-64)" FORCE)
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# CMake on Debian never searches lib32 for packages: there the package
# files go to share/cmake, which every find_package searches (its version
# file still turns away consumers of another pointer size).
if(CMAKE_INSTALL_LIBDIR STREQUAL "lib32")
  set(TAV_CMAKE_DIR ${CMAKE_INSTALL_DATADIR}/cmake/tavf90)
else()
  set(TAV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/tavf90)
endif()

# pkg-config knows nothing of architectures: the i386 build's flags carry
# -m32, so that an x86-64 compiler given them builds an i386 program.
if(TAV_M32)
  set(TAV_PC_ARCH_FLAGS "-m32 ")
else()
  set(TAV_PC_ARCH_FLAGS "")
endif()

install(TARGETS tavf90 EXPORT tavf90Targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "tavf90*.h")
install(EXPORT tavf90Targets NAMESPACE tavf90:: DESTINATION ${TAV_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/tavf90Config.cmake.in
  ${CMAKE_BINARY_DIR}/tavf90Config.cmake INSTALL_DESTINATION ${TAV_CMAKE_DIR})
# The version file accepts consumers of the library's pointer size: 4 for
# the i386 build, although the compiler CMake probed here is the host's.
set(tav_saved_pointer_size ${CMAKE_SIZEOF_VOID_P})
if(TAV_M32)
  set(CMAKE_SIZEOF_VOID_P 4)
endif()
write_basic_package_version_file(${CMAKE_BINARY_DIR}/tavf90ConfigVersion.cmake COMPATIBILITY SameMajorVersion)
set(CMAKE_SIZEOF_VOID_P ${tav_saved_pointer_size})
install(FILES ${CMAKE_BINARY_DIR}/tavf90Config.cmake ${CMAKE_BINARY_DIR}/tavf90ConfigVersion.cmake
  DESTINATION ${TAV_CMAKE_DIR})

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
")

install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}
  FILES_MATCHING PATTERN "*.md")
