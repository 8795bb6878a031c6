# scrapdeck_picture(NAME <Name> TARGET <target>)
#
# Makes the picture <Name> with scrapdeck-pictures at build time and packs it with the image
# packer into <target>, which then holds the host graphic `_<Name>_Gd` and its packed pixels
# `_<Name>_Cpm`. A cross build runs the generator of the native build (scrapdeck_tool_path).
#
# A folder that compiles pictures says:  include(${CMAKE_SOURCE_DIR}/tools/pictures/Pictures.cmake)
include_guard(GLOBAL)
include(${CMAKE_SOURCE_DIR}/cmake/ImagePack.cmake)

function(scrapdeck_picture)
  cmake_parse_arguments(P "" "NAME;TARGET" "" ${ARGN})
  if(NOT P_NAME OR NOT P_TARGET)
    message(FATAL_ERROR "scrapdeck_picture: NAME and TARGET are required")
  endif()
  scrapdeck_tool_path(tool scrapdeck-pictures)
  if(CMAKE_CROSSCOMPILING)
    set(tool_dep ${tool})
  else()
    set(tool_dep scrapdeck-pictures)
  endif()
  set(png ${CMAKE_CURRENT_BINARY_DIR}/pictures/${P_NAME}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/pictures
    COMMAND ${tool} ${P_NAME} ${png}
    DEPENDS ${tool_dep}
    COMMENT "Making picture ${P_NAME}"
    VERBATIM)
  scrapdeck_pack_image(NAME ${P_NAME} PNG ${png} TARGET ${P_TARGET})
  # The packing rule lives in this folder; a target defined elsewhere (scrapdeck_objs) only
  # gets it through a target of this folder that it depends on.
  add_custom_target(scrapdeck_picture_${P_NAME}
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/imagepack/${P_NAME}.cpp)
  add_dependencies(${P_TARGET} scrapdeck_picture_${P_NAME})
endfunction()
