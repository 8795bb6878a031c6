#!/bin/sh
# Seals the device image after it is linked:
#
#   cmake/seal-image.sh IMAGE OBJDUMP OBJCOPY [check|no-check]
#
# 1. scripts/check-image: every instruction MIPS32 release 1 integer. An image that fails
#    is removed, so that nothing stale is loaded or packaged and the next build links it
#    anew. With no-check (an image built for another architecture, which never ships)
#    this step is left out.
# 2. The image's floating-point ABI is declared "any". It is compiled soft-float, which
#    the linker records as such, and a hard-float C library's loader refuses a soft-float
#    object; but the image runs no FPU instruction (step 1) and no float crosses its edge
#    (the firmware's calls take and give none), so it fits hard- and soft-float firmware
#    alike. Byte 6 of .MIPS.abiflags is the FPU register size, byte 7 the FP ABI; both
#    become 0, and the soft-float attribute note goes.
set -eu
image=$1 objdump=$2 objcopy=$3 instructions=${4:-check}
here=$(dirname "$0")

if [ "$instructions" = check ] && ! "$here/../scripts/check-image" "$image" "$objdump"; then
  rm -f "$image"
  exit 1
fi

flags=$(mktemp)
trap 'rm -f "$flags"' EXIT
"$objcopy" --dump-section .MIPS.abiflags="$flags" "$image"
printf '\000\000' | dd of="$flags" bs=1 seek=6 conv=notrunc status=none
"$objcopy" --update-section .MIPS.abiflags="$flags" --remove-section .gnu.attributes "$image"
