# scrapdeck_pack_image(NAME <Name> PNG <picture.png> TARGET <target> [HEADER <include>])
#
# Packs a PNG picture at build time into <build folder>/imagepack/<Name>.cpp, which defines the
# host graphic `_<Name>_Gd` and its packed pixels `_<Name>_Cpm`, and adds that file to <target>.
# The generated source includes HEADER for TYPE_GrData, "host/tap.h" unless told otherwise.
# A cross build runs the packer of the native build (scrapdeck_tool_path).
#
# A folder that packs pictures says:  include(${CMAKE_SOURCE_DIR}/cmake/ImagePack.cmake)
include_guard(GLOBAL)

function(scrapdeck_pack_image)
  cmake_parse_arguments(P "" "NAME;PNG;TARGET;HEADER" "" ${ARGN})
  if(NOT P_NAME OR NOT P_PNG OR NOT P_TARGET)
    message(FATAL_ERROR "scrapdeck_pack_image: NAME, PNG and TARGET are required")
  endif()
  if(NOT P_HEADER)
    set(P_HEADER "host/tap.h")
  endif()
  cmake_path(ABSOLUTE_PATH P_PNG BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  scrapdeck_tool_path(tool scrapdeck-imagepack)
  if(CMAKE_CROSSCOMPILING)
    set(tool_dep ${tool})
  else()
    set(tool_dep scrapdeck-imagepack)
  endif()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/imagepack/${P_NAME}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/imagepack
    COMMAND ${tool} --name ${P_NAME} --header ${P_HEADER} ${P_PNG} ${out}
    DEPENDS ${P_PNG} ${tool_dep}
    COMMENT "Packing picture ${P_NAME}"
    VERBATIM)
  target_sources(${P_TARGET} PRIVATE ${out})
endfunction()
