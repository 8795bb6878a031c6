# Turns uClibc-ng's mips defconfig (CONFIG) into the recorder's C library: little
# endian, MIPS32 release 1 without FPU (soft float), no threads, shared libraries with
# its own loader, the mipsel sysroot's kernel headers, installed under "/" and "/usr".
#   cmake -DCONFIG=<.config> -DKERNEL_HEADERS=<folder> -P ConfigureUClibc.cmake
# The release and the float ABI come from the compiler that make is given (CC).
file(READ "${CONFIG}" config)
set(settings
  "ARCH_WANTS_BIG_ENDIAN=n" "ARCH_BIG_ENDIAN=n" "ARCH_WANTS_LITTLE_ENDIAN=y" "ARCH_LITTLE_ENDIAN=y"
  "CONFIG_MIPS_O32_ABI=y" "UCLIBC_HAS_FPU=n" "UCLIBC_HAS_SOFT_FLOAT=y"
  "HAS_NO_THREADS=y" "UCLIBC_HAS_THREADS_NATIVE=n" "UCLIBC_HAS_LINUXTHREADS=n"
  "HAVE_SHARED=y" "UCLIBC_HAS_LFS=y" "DOPIC=y" "LDSO_CACHE_SUPPORT=n"
  "KERNEL_HEADERS=\"${KERNEL_HEADERS}\"" "CROSS_COMPILER_PREFIX=\"mipsel-linux-gnu-\""
  "RUNTIME_PREFIX=\"/\"" "DEVEL_PREFIX=\"/usr/\"")
foreach(setting ${settings})
  string(REGEX MATCH "^[A-Z0-9_]+" name "${setting}")
  string(REGEX REPLACE "(^|\n)(# )?${name}[= ][^\n]*" "" config "${config}")
  if(setting MATCHES "=n$")
    string(APPEND config "# ${name} is not set\n")
  else()
    string(APPEND config "${setting}\n")
  endif()
endforeach()
file(WRITE "${CONFIG}" "${config}")
