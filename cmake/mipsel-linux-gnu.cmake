# Cross build for the recorder: 32-bit little-endian MIPS Linux.
# Test binaries run under qemu-mipsel with Debian's mipsel sysroot.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR mipsel)
set(CMAKE_LIBRARY_ARCHITECTURE mipsel-linux-gnu)

set(CMAKE_C_COMPILER mipsel-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER mipsel-linux-gnu-g++)

# Debian's multiarch layout: mipsel libraries and their CMake packages live in
# /usr/lib/mipsel-linux-gnu beside the build machine's own; with the library
# architecture set, searches take the mipsel ones and never the build machine's.

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-mipsel -L /usr/mipsel-linux-gnu)
