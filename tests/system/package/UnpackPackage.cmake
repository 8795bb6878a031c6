# Included by the session scripts: sets disk to the folder the package ZIP is unpacked
# into (<WORK>/disk, made afresh), or to the package tree TREE when no ZIP is given.
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
