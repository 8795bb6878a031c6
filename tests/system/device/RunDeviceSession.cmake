# Runs the device host's session on a disk that is the unpacked package, under uClibc's
# loader and libraries (qemu's prefix) on the given core.
#   cmake -DZIP=<package.zip> -DWORK=<folder> -DUCLIBC=<uClibc root> -DCPU=<qemu core>
#         -DHOST=<device_host> -P RunDeviceSession.cmake
set(disk "${WORK}/disk")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${disk}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${ZIP}" WORKING_DIRECTORY "${disk}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${ZIP}")
endif()
execute_process(COMMAND qemu-mipsel -cpu ${CPU} -L "${UCLIBC}" "${HOST}" "${disk}"
                RESULT_VARIABLE result OUTPUT_VARIABLE transcript ERROR_VARIABLE errors)
message("${transcript}${errors}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the device session on ${CPU} failed (${result})")
endif()
