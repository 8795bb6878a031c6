# The build's time as cmake/Stamp.cmake works it out: the stamp a compiler's date and
# time would give, a build stopped, naming the variable, by a SOURCE_DATE_EPOCH that is
# no usable time, and without the variable the last commit's time, never the clock.
#   cmake -DSTAMP=<Stamp.cmake> -DWORK=<folder> -DSOURCE=<repository> -P CheckStampTimes.cmake
cmake_minimum_required(VERSION 3.25)
# value|the stamp it gives, or "refused"
set(cases
  "1700000000|Nov 14 2023\" \"22:13:20"
  "1796798244|Dec  9 2026\" \"06:37:24"
  "0|Jan  1 1970\" \"00:00:00"
  "4294967295|Feb  7 2106\" \"06:28:15"
  "4294967296|refused" "-1|refused" "17e8|refused" "|refused" "99999999999999999999|refused")
foreach(case ${cases})
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 value)
  list(GET case 1 expected)
  file(REMOVE_RECURSE "${WORK}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${value}"
                          "${CMAKE_COMMAND}" -DSOURCE_DIR=${WORK} -DOUT=${WORK} -P "${STAMP}"
                  RESULT_VARIABLE result ERROR_VARIABLE err)
  if(expected STREQUAL "refused")
    string(REGEX REPLACE "[ \n]+" " " err "${err}")
    if(result EQUAL 0 OR EXISTS "${WORK}/epoch" OR NOT err MATCHES "SOURCE_DATE_EPOCH is '${value}'")
      message(FATAL_ERROR "SOURCE_DATE_EPOCH '${value}' was not refused by name: ${err}")
    endif()
  else()
    file(READ "${WORK}/build_stamp.h" header)
    if(NOT result EQUAL 0 OR NOT header STREQUAL "#define SCRAPDECK_BUILD_STAMP \"${expected}\"\n")
      message(FATAL_ERROR "SOURCE_DATE_EPOCH ${value} gave ${header}")
    endif()
  endif()
endforeach()

execute_process(COMMAND git -C "${SOURCE}" log -1 --format=%ct OUTPUT_VARIABLE commit
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE no_git ERROR_QUIET)
if(NOT no_git)
  file(REMOVE_RECURSE "${WORK}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=SOURCE_DATE_EPOCH
                          "${CMAKE_COMMAND}" -DSOURCE_DIR=${SOURCE} -DOUT=${WORK} -P "${STAMP}")
  file(STRINGS "${WORK}/epoch" epoch)
  if(NOT epoch STREQUAL commit)
    message(FATAL_ERROR "without SOURCE_DATE_EPOCH the time is ${epoch}, not the last "
                        "commit's ${commit}")
  endif()
endif()
