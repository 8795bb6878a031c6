# Two package builds from the same inputs and time give the same bytes.
#   cmake -DWORK=<folder> -DIMAGE=... -DFONTS=... -DLICENCE=... -DREADME=...
#         -DMAKE_PACKAGE=<MakePackage.cmake> -DZIPOWNER=<tool> -DZIP=<the build's package>
#         -P CheckReproducible.cmake
file(REMOVE_RECURSE "${WORK}")
file(WRITE "${WORK}/epoch" "1700000000\n")
foreach(run a b)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" "-DIMAGE=${IMAGE}" "-DFONTS=${FONTS}" "-DLICENCE=${LICENCE}"
            "-DREADME=${README}" "-DTREE=${WORK}/${run}" "-DZIP=${WORK}/${run}.zip"
            "-DZIPOWNER=${ZIPOWNER}" "-DEPOCH_FILE=${WORK}/epoch"
            -P "${MAKE_PACKAGE}"
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "package run ${run} failed")
  endif()
endforeach()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/a.zip" "${WORK}/b.zip"
                RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "two package builds with the same time differ")
endif()

# Every entry of the build's own package has the owner root (uid and gid 0), whoever
# built it.
file(READ "${ZIP}" hex HEX)
string(REGEX MATCHALL "75780b000104........04........" owners_any "${hex}")
string(REGEX MATCHALL "75780b000104000000000400000000" owners_root "${hex}")
list(LENGTH owners_any any)
list(LENGTH owners_root root)
# each of the 11 files: one local and one central header
if(NOT any EQUAL 22 OR NOT root EQUAL 22)
  message(FATAL_ERROR "of ${any} owner fields in ${ZIP}, ${root} name root")
endif()
