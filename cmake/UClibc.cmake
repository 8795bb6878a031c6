# The recorder's C library, uClibc-ng, built once into build/uclibc from
# Debian's uclibc-source package: MIPS32 release 1, soft float, no threads, shared with
# its own loader (configured by ConfigureUClibc.cmake). The device image is compiled
# against its headers, so that every record it shares with the system library has the
# recorder's layout; the device loader session links against its libraries.
#
#   SCRAPDECK_UCLIBC_ROOT     the installed tree: lib/ld-uClibc.so.0, lib/libc.so.0,
#                             usr/include, usr/lib (start files and link scripts)
#   SCRAPDECK_UCLIBC_CFLAGS   compiler options that take the headers from uClibc alone
include(ExternalProject)

set(SCRAPDECK_UCLIBC_SOURCE /usr/src/uClibc-ng-1.0.35.tar.xz)
if(NOT EXISTS ${SCRAPDECK_UCLIBC_SOURCE})
  message(FATAL_ERROR "${SCRAPDECK_UCLIBC_SOURCE} is missing: scripts/setup installs uclibc-source")
endif()
# One build for every mipsel build tree of the checkout (the presets' and the bench's):
# it depends on nothing they configure.
set(SCRAPDECK_UCLIBC_DIR ${CMAKE_SOURCE_DIR}/build/uclibc CACHE PATH
    "Where uClibc-ng is built and installed, shared by the checkout's mipsel builds")
set(SCRAPDECK_UCLIBC_ROOT ${SCRAPDECK_UCLIBC_DIR}/root)
# The kernel's headers come from the mipsel sysroot (linux/, asm/); uClibc's own
# headers are searched before it, so none of the sysroot's C library headers is used.
set(_kernel_headers /usr/${CMAKE_LIBRARY_ARCHITECTURE}/include)

cmake_host_system_information(RESULT _cores QUERY NUMBER_OF_LOGICAL_CORES)
# Every object of it for the oldest recorder core: MIPS32 release 1, soft float.
string(REPLACE ";" " " _cc "${CMAKE_C_COMPILER};-march=mips32;-msoft-float")
# uClibc's own make runs apart from the build's job server (its output goes to a log).
set(_make ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS --unset=MFLAGS --unset=MAKELEVEL
  make ARCH=mips CROSS_COMPILE=${CMAKE_LIBRARY_ARCHITECTURE}- "CC=${_cc}")
ExternalProject_Add(uclibc
  URL ${SCRAPDECK_UCLIBC_SOURCE}
  PREFIX ${SCRAPDECK_UCLIBC_DIR}
  BUILD_IN_SOURCE ON
  CONFIGURE_COMMAND ${_make} defconfig
    COMMAND ${CMAKE_COMMAND} -DCONFIG=<SOURCE_DIR>/.config -DKERNEL_HEADERS=${_kernel_headers}
            -P ${CMAKE_CURRENT_LIST_DIR}/ConfigureUClibc.cmake
    COMMAND ${_make} olddefconfig
  BUILD_COMMAND ${_make} -j${_cores}
  INSTALL_COMMAND ${_make} PREFIX=${SCRAPDECK_UCLIBC_ROOT} install
  BUILD_BYPRODUCTS ${SCRAPDECK_UCLIBC_ROOT}/lib/libc.so.0 ${SCRAPDECK_UCLIBC_ROOT}/lib/ld-uClibc.so.0
  LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON)
ExternalProject_Add_StepDependencies(uclibc configure ${CMAKE_CURRENT_LIST_DIR}/ConfigureUClibc.cmake)

execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=include
  OUTPUT_VARIABLE _gcc_include OUTPUT_STRIP_TRAILING_WHITESPACE)
# Each folder joined to its option: CMake folds repeated options of a target into one.
set(SCRAPDECK_UCLIBC_CFLAGS -nostdinc -isystem${_gcc_include}
  -isystem${SCRAPDECK_UCLIBC_ROOT}/usr/include -idirafter${_kernel_headers})
