# The library package's symbols file, from src/libtavf90.exports (the names
# the library exports, one a line), every name there since the first
# version.  Run at build time:
#   cmake -DARCH=i386 -DLIB=FILE -DEXPORTS=FILE -DPACKAGE=NAME -DDEV=NAME
#         -DVERSION=V -DOUT=FILE -P symbols.cmake
# dpkg-gensymbols writes OUT from that list and the library's dynamic symbol
# table, and fails when they differ: a name exported and not listed, or
# listed and not exported.
set(work ${OUT}.work)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work}/debian)
file(TOUCH ${work}/debian/control)
execute_process(COMMAND readelf -d ${LIB} OUTPUT_VARIABLE dynamic COMMAND_ERROR_IS_FATAL ANY)
if(NOT dynamic MATCHES "Library soname: \\[([^]]+)\\]")
  message(FATAL_ERROR "${LIB} has no SONAME")
endif()
file(STRINGS ${EXPORTS} names)
set(text "${CMAKE_MATCH_1} ${PACKAGE} #MINVER#\n* Build-Depends-Package: ${DEV}\n")
foreach(name IN LISTS names)
  string(APPEND text " ${name}@Base ${VERSION}\n")
endforeach()
file(WRITE ${work}/template "${text}")
execute_process(COMMAND dpkg-gensymbols -a${ARCH} -p${PACKAGE} -v${VERSION} -e${LIB} -I${work}/template -O${OUT} -c4
  WORKING_DIRECTORY ${work} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(failed)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "The exports of ${LIB} differ from ${EXPORTS}:\n${out}")
endif()
file(REMOVE_RECURSE ${work})
