# Starts the stand on a disk that is the unpacked package and nothing else, with the
# package's own image, and runs a recorder session.
#   cmake (-DZIP=<package.zip> | -DTREE=<folder>) -DWORK=<folder> -DSTAND=<stand>
#         [-DEMULATOR=<a|b>] -DSCENARIO=<file.scn> -P RunSession.cmake
string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
set(disk "${TREE}")
if(DEFINED ZIP)
  set(disk "${WORK}/disk")
  file(REMOVE_RECURSE "${WORK}")
  file(MAKE_DIRECTORY "${disk}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${ZIP}" WORKING_DIRECTORY "${disk}"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot unpack ${ZIP}")
  endif()
endif()
execute_process(
  COMMAND ${EMULATOR} "${STAND}" --disk-from "${disk}" "${disk}/ProgramFiles/Scrapdeck.tap"
          "${SCENARIO}"
  RESULT_VARIABLE result OUTPUT_VARIABLE transcript ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${transcript}\n${errors}\nthe session from the package failed (${result})")
endif()
