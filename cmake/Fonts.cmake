# The fonts the plug-in and the stand load, made at build time from free faces.

set(SCRAPDECK_FONT_DIR "${SCRAPDECK_DATA_DIR}/fonts")
file(MAKE_DIRECTORY ${SCRAPDECK_FONT_DIR})
set(SCRAPDECK_CARLITO_DIR "/usr/share/fonts/truetype/crosextra"
    CACHE PATH "Folder of the Carlito faces (Debian fonts-crosextra-carlito)")
set(SCRAPDECK_DEJAVU_DIR "/usr/share/fonts/truetype/dejavu"
    CACHE PATH "Folder of the DejaVu faces (Debian fonts-dejavu-core)")

scrapdeck_tool_path(SCRAPDECK_FONTMAKER scrapdeck-fontmaker)
if(CMAKE_CROSSCOMPILING AND NOT EXISTS "${SCRAPDECK_FONTMAKER}")
  message(WARNING "${SCRAPDECK_FONTMAKER} not found: build the native preset first, "
                  "or the fonts cannot be made")
endif()

# scrapdeck_make_font(OUTPUT <file.ufnt> TTF <face.ttf> SIZE <px> [BOLD] [BOLD_TTF <bold.ttf>]
#                     [RANGES <list>])
# Makes one UFNT font as part of scrapdeck_fonts. BOLD takes the glyphs from BOLD_TTF when it
# is given, else emboldens the face's outlines. RANGES is the font maker's code point list;
# without it the standard set is covered.
function(scrapdeck_make_font)
  cmake_parse_arguments(F "BOLD" "OUTPUT;TTF;SIZE;BOLD_TTF;RANGES" "" ${ARGN})
  if(NOT F_OUTPUT OR NOT F_TTF OR NOT F_SIZE)
    message(FATAL_ERROR "scrapdeck_make_font needs OUTPUT, TTF and SIZE")
  endif()
  foreach(face ${F_TTF} ${F_BOLD_TTF})
    if(NOT EXISTS "${face}")
      message(FATAL_ERROR "font face ${face} is missing (Debian packages fonts-crosextra-carlito "
                          "and fonts-dejavu-core provide the standard ones)")
    endif()
  endforeach()
  set(args --ttf ${F_TTF} --size ${F_SIZE} --output ${F_OUTPUT})
  set(faces ${F_TTF})
  if(F_BOLD)
    list(APPEND args --bold)
    if(F_BOLD_TTF)
      list(APPEND args --bold-ttf ${F_BOLD_TTF})
      list(APPEND faces ${F_BOLD_TTF})
    endif()
  endif()
  if(F_RANGES)
    list(APPEND args --ranges ${F_RANGES})
  endif()
  set(tool_dep)
  if(NOT CMAKE_CROSSCOMPILING)
    set(tool_dep scrapdeck-fontmaker)
  endif()
  get_filename_component(name ${F_OUTPUT} NAME)
  add_custom_command(OUTPUT ${F_OUTPUT}
    COMMAND ${SCRAPDECK_FONTMAKER} ${args}
    DEPENDS ${faces} ${tool_dep}
    COMMENT "Making font ${name}"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY SCRAPDECK_FONT_FILES ${F_OUTPUT})
endfunction()

# The seven fonts of the message box and menus; the package ships them.
set(SCRAPDECK_STANDARD_FONTS)
foreach(size 10 12 14 16 18 20)
  scrapdeck_make_font(OUTPUT ${SCRAPDECK_FONT_DIR}/Calibri_${size}.ufnt
    TTF ${SCRAPDECK_CARLITO_DIR}/Carlito-Regular.ttf SIZE ${size})
  list(APPEND SCRAPDECK_STANDARD_FONTS ${SCRAPDECK_FONT_DIR}/Calibri_${size}.ufnt)
endforeach()
scrapdeck_make_font(OUTPUT ${SCRAPDECK_FONT_DIR}/Calibri_20B.ufnt
  TTF ${SCRAPDECK_CARLITO_DIR}/Carlito-Regular.ttf SIZE 20
  BOLD BOLD_TTF ${SCRAPDECK_CARLITO_DIR}/Carlito-Bold.ttf)
list(APPEND SCRAPDECK_STANDARD_FONTS ${SCRAPDECK_FONT_DIR}/Calibri_20B.ufnt)
# The licence of the face they are made from, as the Debian package carries it.
set(SCRAPDECK_FONT_LICENCE "/usr/share/doc/fonts-crosextra-carlito/copyright"
    CACHE FILEPATH "Licence text of the face the standard fonts are made from")

# The recorder's built-in text font at its three size selectors, drawn by the stand.
# A narrow face, like the recorder's own: the settings window's columns are laid
# out for it (24 characters of label in 152 pixels).
set(_firmware_sizes 15 17 20)
foreach(selector 0 1 2)
  list(GET _firmware_sizes ${selector} size)
  scrapdeck_make_font(OUTPUT ${SCRAPDECK_FONT_DIR}/Firmware_${selector}.ufnt
    TTF ${SCRAPDECK_CARLITO_DIR}/Carlito-Regular.ttf SIZE ${size})
endforeach()

get_property(_font_files GLOBAL PROPERTY SCRAPDECK_FONT_FILES)
add_custom_target(scrapdeck_fonts ALL DEPENDS ${_font_files})
