# The build's time: SOURCE_DATE_EPOCH when it is set, else the time of the source's
# last commit, never the clock, so that the same source and value always give the same
# image and package. Script mode, run on every build:
#   cmake -DSOURCE_DIR=<repository> -DOUT=<folder> -P Stamp.cmake
# writes OUT/epoch (the seconds since 1970) and OUT/build_stamp.h (the image's build
# stamp, "Mmm dd yyyy" then "hh:mm:ss" in UTC, as a compiler's date and time read),
# each only when its bytes change: an unchanged time rebuilds nothing, a changed one
# re-stamps the image and re-makes the package.
foreach(var SOURCE_DIR OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "Stamp.cmake needs -D${var}=...")
  endif()
endforeach()

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  # Seconds since 1970 up to 2106-02-07 06:28:15 UTC, the last second that the zip's
  # entries and the image's stamp can both carry.
  string(LENGTH "${epoch}" digits)
  if(NOT epoch MATCHES "^[0-9]+$" OR digits GREATER 10 OR epoch GREATER 4294967295)
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is '${epoch}': it must be the seconds since "
                        "1970-01-01 UTC, a whole number from 0 to 4294967295 (2106)")
  endif()
  math(EXPR epoch "${epoch}")  # no leading zeros
else()
  execute_process(COMMAND git -C "${SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE result ERROR_QUIET)
  if(NOT result EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "no time for the build: SOURCE_DATE_EPOCH is not set and "
                        "${SOURCE_DIR} has no git commit to take the time from")
  endif()
endif()

# CMake's timestamps take the time from SOURCE_DATE_EPOCH.
set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
string(TIMESTAMP month "%m" UTC)
string(TIMESTAMP day "%d" UTC)
string(TIMESTAMP rest "%Y\" \"%H:%M:%S" UTC)
math(EXPR month "${month} - 1")
set(names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET names ${month} month)
string(REGEX REPLACE "^0" " " day "${day}")  # the day as a compiler pads it

function(write_if_changed file text)
  if(EXISTS "${file}")
    file(READ "${file}" old)
    if(old STREQUAL text)
      return()
    endif()
  endif()
  file(WRITE "${file}" "${text}")
endfunction()
file(MAKE_DIRECTORY "${OUT}")
write_if_changed("${OUT}/build_stamp.h"
                 "#define SCRAPDECK_BUILD_STAMP \"${month} ${day} ${rest}\"\n")
write_if_changed("${OUT}/epoch" "${epoch}\n")
