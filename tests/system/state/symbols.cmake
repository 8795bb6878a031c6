# Lists the defined symbols of the plug-in's objects with their sizes:
# "<object>:<value> <size> <type> <name>" per line.
execute_process(COMMAND ${NM} -A -S --defined-only ${OBJECTS} OUTPUT_FILE ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed: ${rc}")
endif()
