# The image's stamp and the package's entry times follow the build's time, without a
# clean: the package is built with the time this build has, with another time, and with
# the first again, which gives the first build's bytes back. Only the image and the
# package are rebuilt; the build is left as it was found.
#   cmake -DBUILD=<build folder> -DWORK=<folder> -DSTAMP=<Stamp.cmake>
#         -DIMAGE=<image> -DZIP=<package> -DEPOCH_FILE=<the build's epoch> -P CheckStamp.cmake
file(REMOVE_RECURSE "${WORK}")
file(STRINGS "${EPOCH_FILE}" first LIMIT_COUNT 1)

# Builds the package with SOURCE_DATE_EPOCH set to epoch; sets
# <run>_zip and <run>_image to the bytes' checksums and checks that the image carries
# the stamp and every entry the time that the epoch gives.
function(build run epoch)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env SOURCE_DATE_EPOCH=${epoch}
                          "${CMAKE_COMMAND}" --build "${BUILD}" --target scrapdeck_package
                  OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the package build (${run}) failed:\n${out}")
  endif()
  # The stamp this time gives, by the build's own script.
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env SOURCE_DATE_EPOCH=${epoch}
                          "${CMAKE_COMMAND}" -DSOURCE_DIR=${WORK} -DOUT=${WORK}/${run}
                          -P "${STAMP}" RESULT_VARIABLE result)
  file(STRINGS "${WORK}/${run}/build_stamp.h" stamp REGEX "\"")
  string(REGEX REPLACE "^[^\"]*\"([^\"]*)\" \"([^\"]*)\".*" "\\1\\2" stamp "${stamp}")
  file(STRINGS "${IMAGE}" found REGEX "^${stamp}$")
  if(NOT found)
    message(FATAL_ERROR "the image (${run}, time ${epoch}) does not carry the stamp '${stamp}'")
  endif()

  # Each entry's modification time and date, as the zip's local headers keep them
  # (MS-DOS form, UTC).
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  foreach(part Y m d H M S)
    string(TIMESTAMP ${part} "%${part}" UTC)
    math(EXPR ${part} "${${part}}")  # leading zeros off
  endforeach()
  math(EXPR time "(${H} << 11) | (${M} << 5) | (${S} / 2)" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR date "((${Y} - 1980) << 9) | (${m} << 5) | ${d}" OUTPUT_FORMAT HEXADECIMAL)
  file(READ "${ZIP}" hex HEX)
  string(REGEX MATCHALL "504b0304............(........)" headers "${hex}")
  foreach(header ${headers})
    string(SUBSTRING "${header}" 20 8 field)
    string(SUBSTRING "${field}" 0 2 t0)
    string(SUBSTRING "${field}" 2 2 t1)
    string(SUBSTRING "${field}" 4 2 d0)
    string(SUBSTRING "${field}" 6 2 d1)
    math(EXPR seen_time "0x${t1}${t0}" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR seen_date "0x${d1}${d0}" OUTPUT_FORMAT HEXADECIMAL)
    if(NOT seen_time STREQUAL time OR NOT seen_date STREQUAL date)
      message(FATAL_ERROR "a package entry (${run}, time ${epoch}) is dated "
                          "${seen_date}/${seen_time}, not ${date}/${time}")
    endif()
  endforeach()
  list(LENGTH headers entries)
  if(entries EQUAL 0)
    message(FATAL_ERROR "no entries in ${ZIP}")
  endif()

  file(SHA256 "${ZIP}" zip)
  file(SHA256 "${IMAGE}" image)
  set(${run}_zip ${zip} PARENT_SCOPE)
  set(${run}_image ${image} PARENT_SCOPE)
endfunction()

build(first ${first})
# Another day and time of day.
math(EXPR other "(${first} + 86400 * 40 + 3 * 3600 + 7 * 60 + 10) % 4294967296")
build(other ${other})
if(other_zip STREQUAL first_zip OR other_image STREQUAL first_image)
  message(FATAL_ERROR "with another SOURCE_DATE_EPOCH the package or its image stayed the same")
endif()
build(again ${first})
if(NOT again_zip STREQUAL first_zip OR NOT again_image STREQUAL first_image)
  message(FATAL_ERROR "the first SOURCE_DATE_EPOCH again did not give the first build's bytes")
endif()
