# The image in the owner's package runs on every recorder's core: MIPS32 release 1
# integer instructions only (scripts/check-image), an ISA of MIPS32 and a floating-point
# ABI that any firmware accepts in its flags.
#   cmake -DZIP=<package.zip> -DWORK=<folder> -DCHECK=<scripts/check-image>
#         -DOBJDUMP=<objdump> -DREADELF=<readelf> -P CheckInstructions.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${ZIP}" ProgramFiles/Scrapdeck.tap
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE result)
set(image "${WORK}/ProgramFiles/Scrapdeck.tap")
if(NOT result EQUAL 0 OR NOT EXISTS "${image}")
  message(FATAL_ERROR "no ProgramFiles/Scrapdeck.tap in ${ZIP}")
endif()

execute_process(COMMAND "${CHECK}" "${image}" "${OBJDUMP}" RESULT_VARIABLE result
                OUTPUT_VARIABLE found ERROR_VARIABLE found)
message("${found}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the packaged image holds instructions a recorder's core may lack")
endif()

execute_process(COMMAND "${READELF}" -A "${image}" OUTPUT_VARIABLE flags RESULT_VARIABLE result)
foreach(want "ISA: MIPS32\n" "FP ABI: Hard or soft float\n")
  string(FIND "${flags}" "${want}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the packaged image's MIPS flags lack '${want}':\n${flags}")
  endif()
endforeach()
