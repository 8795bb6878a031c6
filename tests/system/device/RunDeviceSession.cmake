# Runs the device host's session on a disk that is the unpacked package, under uClibc's
# loader and libraries (qemu's prefix) on the given core.
#   cmake -DZIP=<package.zip> -DWORK=<folder> -DUCLIBC=<uClibc root> -DCPU=<qemu core>
#         -DHOST=<device_host> -P RunDeviceSession.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../package/UnpackPackage.cmake)
execute_process(COMMAND qemu-mipsel -cpu ${CPU} -L "${UCLIBC}" "${HOST}" "${disk}"
                RESULT_VARIABLE result OUTPUT_VARIABLE transcript ERROR_VARIABLE errors)
message("${transcript}${errors}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the device session on ${CPU} failed (${result})")
endif()
