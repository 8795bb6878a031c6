# scripts/check-image is not fooled: an object with a release-2 instruction and an FPU
# one among release-1 code fails it, each named with its function.
#   cmake -DWORK=<folder> -DCC=<cross compiler> -DCHECK=<scripts/check-image>
#         -DOBJDUMP=<objdump> -P CheckImageCatches.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/planted.s" [=[
  .text
  .globl stricstr
stricstr:
  addiu $sp, $sp, -8
  .set push
  .set mips32r2
  seb $2, $4
  .set pop
  jr $31
  addiu $sp, $sp, 8
  .globl FM_AlphaBlend
FM_AlphaBlend:
  .set push
  .set hardfloat
  lwc1 $f0, 0($sp)
  .set pop
  jr $31
  nop
]=])
execute_process(COMMAND "${CC}" -march=mips32 -c planted.s -o planted.o WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot assemble the planted instructions: ${errors}")
endif()
execute_process(COMMAND "${CHECK}" "${WORK}/planted.o" "${OBJDUMP}" RESULT_VARIABLE result
                OUTPUT_VARIABLE found)
message("${found}")
if(NOT result EQUAL 1)
  message(FATAL_ERROR "check-image let the planted instructions pass (${result})")
endif()
foreach(want "seb in stricstr" "lwc1 in FM_AlphaBlend")
  string(FIND "${found}" "${want}" at)
  if(at LESS 0)
    message(FATAL_ERROR "check-image did not name '${want}'")
  endif()
endforeach()
string(REGEX MATCHALL "is not a MIPS32" lines "${found}")
list(LENGTH lines count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "check-image named ${count} instructions, not the 2 planted")
endif()
