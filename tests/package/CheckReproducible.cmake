# Two package builds from the same inputs and SOURCE_DATE_EPOCH give the same bytes.
#   cmake -DWORK=<folder> -DIMAGE=... -DFONTS=... -DLICENCE=... -DREADME=...
#         -DMAKE_PACKAGE=<MakePackage.cmake> -P CheckReproducible.cmake
file(REMOVE_RECURSE "${WORK}")
foreach(run a b)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env SOURCE_DATE_EPOCH=1700000000
            "${CMAKE_COMMAND}" "-DIMAGE=${IMAGE}" "-DFONTS=${FONTS}" "-DLICENCE=${LICENCE}"
            "-DREADME=${README}" "-DTREE=${WORK}/${run}" "-DZIP=${WORK}/${run}.zip"
            -P "${MAKE_PACKAGE}"
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "package run ${run} failed")
  endif()
endforeach()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/a.zip" "${WORK}/b.zip"
                RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "two package builds with the same SOURCE_DATE_EPOCH differ")
endif()
