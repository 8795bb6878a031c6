# Lays out the recorder owner's package and, given ZIP, archives it. Script mode:
#   cmake -DIMAGE=<Scrapdeck.tap> -DFONTS=<a.ufnt|b.ufnt|...> -DLICENCE=<text> -DREADME=<text>
#         -DTREE=<folder> [-DZIP=<file.zip> -DZIPOWNER=<scrapdeck-zipowner> -DEPOCH_FILE=<file>]
#         -P MakePackage.cmake
# TREE is emptied and filled as the recorder's disk wants it:
#   ProgramFiles/Scrapdeck.tap
#   ProgramFiles/Settings/Fonts/<the standard fonts> and OFL.txt (their licence)
#   README.txt
#   SHA256SUMS (every other file)
# The archive holds the files in name order, all with the build's time (the seconds since
# 1970 that EPOCH_FILE holds, see cmake/Stamp.cmake), the same mode, the owner root and
# no folder entries, so the same inputs and time always give the same bytes, whoever
# builds them and whatever was built before.
foreach(var IMAGE FONTS LICENCE README TREE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "MakePackage.cmake needs -D${var}=...")
  endif()
endforeach()
string(REPLACE "|" ";" FONTS "${FONTS}")

file(REMOVE_RECURSE "${TREE}")
set(fonts "${TREE}/ProgramFiles/Settings/Fonts")
file(MAKE_DIRECTORY "${fonts}")
configure_file("${IMAGE}" "${TREE}/ProgramFiles/Scrapdeck.tap" COPYONLY)
foreach(font ${FONTS})
  get_filename_component(name "${font}" NAME)
  configure_file("${font}" "${fonts}/${name}" COPYONLY)
endforeach()
configure_file("${LICENCE}" "${fonts}/OFL.txt" COPYONLY)
configure_file("${README}" "${TREE}/README.txt" COPYONLY)

file(GLOB_RECURSE files RELATIVE "${TREE}" "${TREE}/*")
list(SORT files)
set(sums "")
foreach(f ${files})
  file(SHA256 "${TREE}/${f}" sum)
  string(APPEND sums "${sum}  ${f}\n")
endforeach()
file(WRITE "${TREE}/SHA256SUMS" "${sums}")
file(CHMOD_RECURSE "${TREE}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                           WORLD_READ WORLD_EXECUTE)

if(DEFINED ZIP)
  foreach(var ZIPOWNER EPOCH_FILE)
    if(NOT DEFINED ${var})
      message(FATAL_ERROR "MakePackage.cmake needs -D${var}=... with -DZIP")
    endif()
  endforeach()
  file(STRINGS "${EPOCH_FILE}" epoch LIMIT_COUNT 1)
  list(APPEND files SHA256SUMS)
  list(JOIN files "\n" listing)
  file(WRITE "${ZIP}.files" "${listing}\n")
  # Given SOURCE_DATE_EPOCH, CMake gives every entry that time (modified, accessed and
  # changed); TZ fixes the zip's local-time fields.
  file(REMOVE "${ZIP}.part")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env SOURCE_DATE_EPOCH=${epoch} TZ=UTC
            "${CMAKE_COMMAND}" -E tar cf "${ZIP}.part" --format=zip "--files-from=${ZIP}.files"
    WORKING_DIRECTORY "${TREE}"
    RESULT_VARIABLE result)
  file(REMOVE "${ZIP}.files")
  if(result EQUAL 0)
    # The archiver records each file's owner on this machine: make it root.
    execute_process(COMMAND "${ZIPOWNER}" "${ZIP}.part" RESULT_VARIABLE result)
  endif()
  if(NOT result EQUAL 0)
    file(REMOVE "${ZIP}.part")
    message(FATAL_ERROR "cannot make ${ZIP}")
  endif()
  file(RENAME "${ZIP}.part" "${ZIP}")
endif()
