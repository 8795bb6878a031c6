# The package for a recorder owner. Every build lays out package/tree/ as the
# recorder's disk wants it, with this build's image (the tests start sessions from
# it); the mipsel build also archives it as Scrapdeck-<version>-mipsel.zip, what an
# owner copies onto the recorder. See cmake/MakePackage.cmake for the layout.
set(SCRAPDECK_PACKAGE_TREE ${CMAKE_BINARY_DIR}/package/tree)
configure_file(${CMAKE_SOURCE_DIR}/package/README.txt ${CMAKE_BINARY_DIR}/package/README.txt @ONLY)

set(_outputs ${SCRAPDECK_PACKAGE_TREE}/SHA256SUMS)
set(_zip_arg)
set(_zip_deps)
if(SCRAPDECK_DEVICE_BUILD)
  set(SCRAPDECK_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/Scrapdeck-${PROJECT_VERSION}-mipsel.zip)
  list(APPEND _outputs ${SCRAPDECK_PACKAGE_ZIP})
  scrapdeck_tool_path(SCRAPDECK_ZIPOWNER scrapdeck-zipowner)
  # Every entry carries the build's time: a changed time re-makes the archive.
  set(_zip_arg -DZIP=${SCRAPDECK_PACKAGE_ZIP} -DZIPOWNER=${SCRAPDECK_ZIPOWNER}
               -DEPOCH_FILE=${SCRAPDECK_STAMP_DIR}/epoch)
  set(_zip_deps ${SCRAPDECK_STAMP_DIR}/epoch)
endif()

string(REPLACE ";" "|" _fonts "${SCRAPDECK_STANDARD_FONTS}")
add_custom_command(OUTPUT ${_outputs}
  COMMAND ${CMAKE_COMMAND} -DIMAGE=$<TARGET_FILE:scrapdeck_tap> -DFONTS=${_fonts}
          -DLICENCE=${SCRAPDECK_FONT_LICENCE} -DREADME=${CMAKE_BINARY_DIR}/package/README.txt
          -DTREE=${SCRAPDECK_PACKAGE_TREE} ${_zip_arg} -P ${CMAKE_SOURCE_DIR}/cmake/MakePackage.cmake
  DEPENDS scrapdeck_tap ${SCRAPDECK_STANDARD_FONTS} ${SCRAPDECK_ZIPOWNER} ${SCRAPDECK_FONT_LICENCE}
          ${_zip_deps}
          ${CMAKE_BINARY_DIR}/package/README.txt ${CMAKE_SOURCE_DIR}/cmake/MakePackage.cmake
  COMMENT "Packing the recorder owner's package"
  VERBATIM)
add_custom_target(scrapdeck_package ALL DEPENDS ${_outputs})
add_dependencies(scrapdeck_package scrapdeck_stamp)
