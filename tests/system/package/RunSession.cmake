# Starts the stand on a disk that is the unpacked package and nothing else, with the
# package's own image, and runs a recorder session.
#   cmake (-DZIP=<package.zip> | -DTREE=<folder>) -DWORK=<folder> -DSTAND=<stand>
#         [-DEMULATOR=<a|b>] -DSCENARIO=<file.scn> -P RunSession.cmake
string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
include(${CMAKE_CURRENT_LIST_DIR}/UnpackPackage.cmake)
execute_process(
  COMMAND ${EMULATOR} "${STAND}" --disk-from "${disk}" "${disk}/ProgramFiles/Scrapdeck.tap"
          "${SCENARIO}"
  RESULT_VARIABLE result OUTPUT_VARIABLE transcript ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${transcript}\n${errors}\nthe session from the package failed (${result})")
endif()
