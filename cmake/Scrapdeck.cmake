# Shared build rules of the plug-in, the stand and the tests.

option(SCRAPDECK_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(SCRAPDECK_SANITIZE)
  # -O1 as the sanitizers advise: unoptimised, the stand's pixel loops take most of the
  # sanitized test time.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
    -O1)
  add_link_options(-fsanitize=address,undefined)
endif()

# The plug-in's code (host/, core/, settings/, lib/*) is compiled once into this
# object library. The same objects make the loadable image and the static library
# that unit tests link with the stand.
set(SCRAPDECK_PLUGIN_OPTIONS
  -fno-exceptions -fno-rtti -fno-threadsafe-statics
  # Only __TAP_Init_ leaves the image; everything else binds inside it, so a
  # stand or test that links the toolkit too can never capture the image's calls.
  -fvisibility=hidden -fvisibility-inlines-hidden
  -fno-stack-protector)
# The build that makes the device image for the recorder.
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "mipsel")
  set(SCRAPDECK_DEVICE_BUILD ON)
else()
  set(SCRAPDECK_DEVICE_BUILD OFF)
endif()
if(SCRAPDECK_DEVICE_BUILD)
  # Recorders have MIPS32 cores from release 1 on, some without an FPU: the plug-in's
  # code is built for the oldest of them, so that no instruction of it can be illegal
  # on the recorder (scripts/check-image holds the built image to that).
  set(SCRAPDECK_DEVICE_ARCH mips32 CACHE STRING
      "MIPS architecture of the plug-in's code (mips32: release 1, what every recorder runs)")
  list(APPEND SCRAPDECK_PLUGIN_OPTIONS -march=${SCRAPDECK_DEVICE_ARCH})
endif()

add_library(scrapdeck_objs OBJECT)
target_include_directories(scrapdeck_objs PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(scrapdeck_objs PRIVATE ${SCRAPDECK_PLUGIN_OPTIONS})

# The build's time (cmake/Stamp.cmake), worked out on every build: the image's build
# stamp (stamp/build_stamp.h, read by core/id.cpp) and the package's time
# (stamp/epoch). Each file changes only when the time does.
set(SCRAPDECK_STAMP_DIR ${CMAKE_BINARY_DIR}/stamp)
add_custom_target(scrapdeck_stamp
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUT=${SCRAPDECK_STAMP_DIR}
          -P ${CMAKE_SOURCE_DIR}/cmake/Stamp.cmake
  BYPRODUCTS ${SCRAPDECK_STAMP_DIR}/build_stamp.h ${SCRAPDECK_STAMP_DIR}/epoch
  VERBATIM)
add_dependencies(scrapdeck_objs scrapdeck_stamp)

# Adds the .cpp files of the calling folder to the plug-in.
function(scrapdeck_plugin_folder)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  target_sources(scrapdeck_objs PRIVATE ${_src})
endfunction()

# Path of a build-time tool: built here natively, taken from a native build when
# cross-compiling.
function(scrapdeck_tool_path out name)
  if(CMAKE_CROSSCOMPILING)
    set(${out} "${SCRAPDECK_HOST_TOOLS_DIR}/${name}" PARENT_SCOPE)
  else()
    set(${out} "$<TARGET_FILE:${name}>" PARENT_SCOPE)
  endif()
endfunction()

# scrapdeck_add_test(NAME [SHARDS N] SOURCES... [LIBS ...]): a GoogleTest program linked
# with the plug-in toolkit and the stand. It exports its symbols, because the plug-in code
# finds the stand's firmware objects with dlsym as it would on the recorder. With SHARDS
# the program's tests are split into N ctest tests NAME_1 ... NAME_N (GoogleTest's own
# sharding), so that a long program keeps every core busy.
function(scrapdeck_add_test name)
  cmake_parse_arguments(T "" "SHARDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES ENABLE_EXPORTS ON)
  target_link_libraries(${name} PRIVATE scrapdeck_test_support scrapdeck_static scrapdeck_stand
    GTest::gtest_main ${T_LIBS})
  target_compile_definitions(${name} PRIVATE
    SCRAPDECK_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    SCRAPDECK_BINARY_DIR="${CMAKE_BINARY_DIR}"
    SCRAPDECK_DATA_DIR="${SCRAPDECK_DATA_DIR}")
  if(NOT T_SHARDS)
    add_test(NAME ${name} COMMAND ${name})
    return()
  endif()
  foreach(shard RANGE 1 ${T_SHARDS})
    math(EXPR index "${shard} - 1")
    add_test(NAME ${name}_${shard} COMMAND ${name})
    set_tests_properties(${name}_${shard} PROPERTIES
      ENVIRONMENT "GTEST_TOTAL_SHARDS=${T_SHARDS};GTEST_SHARD_INDEX=${index}")
  endforeach()
endfunction()

find_package(GTest CONFIG REQUIRED)
