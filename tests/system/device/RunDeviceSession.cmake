# Runs the device host's session on a disk that is the unpacked package, the plug-in's
# "/mnt/hd" being <WORK>/root/mnt/hd through qemu's prefix, as is uClibc's lib/.
#   cmake -DZIP=<package.zip> -DWORK=<folder> -DUCLIBC=<uClibc root> -DCPU=<qemu core>
#         -DHOST=<device_host> -P RunDeviceSession.cmake
set(root "${WORK}/root")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${root}/mnt/hd")
file(CREATE_LINK "${UCLIBC}/lib" "${root}/lib" SYMBOLIC)
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${ZIP}" WORKING_DIRECTORY "${root}/mnt/hd"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${ZIP}")
endif()
execute_process(
  COMMAND qemu-mipsel -cpu ${CPU} -L "${root}" "${HOST}" "${root}/mnt/hd"
          /mnt/hd/ProgramFiles/Scrapdeck.tap
  RESULT_VARIABLE result OUTPUT_VARIABLE transcript ERROR_VARIABLE errors)
message("${transcript}${errors}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the device session on ${CPU} failed (${result})")
endif()
