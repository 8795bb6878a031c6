// The start and stop marks of one measured call. Natively they switch callgrind's
// instrumentation on and off. On mipsel the driver runs under qemu with the trace
// plug-in (bench/qemu_trace.c), which records between two marker system calls; the
// start mark first writes the guest's memory map to $SCRAPDECK_BENCH_MAPS, so that
// bench/qemu_cost.py can tell the loaded plug-in image, the stand and the C library
// apart.
#ifndef SCRAPDECK_BENCH_MARKS_H
#define SCRAPDECK_BENCH_MARKS_H

#if defined(__mips__)
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace bench {

enum : long { kMarkMagic = 0x5CDEC0DE, kMarkStart = 1, kMarkStop = 2 };

inline void CopyMaps() {
  const char* path = std::getenv("SCRAPDECK_BENCH_MAPS");
  if (!path) return;
  std::FILE* in = std::fopen("/proc/self/maps", "r");
  std::FILE* out = std::fopen(path, "w");
  char buffer[4096];
  for (size_t n; in && out && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
    std::fwrite(buffer, 1, n, out);
  if (in) std::fclose(in);
  if (out) std::fclose(out);
}

__attribute__((noinline)) inline void StartMark() {
  CopyMaps();
  syscall(SYS_getpid, kMarkMagic, kMarkStart);
}
__attribute__((noinline)) inline void StopMark() {
  syscall(SYS_getpid, kMarkMagic, kMarkStop);
}

}  // namespace bench

#define SCRAPDECK_BENCH_START bench::StartMark()
#define SCRAPDECK_BENCH_STOP bench::StopMark()
#else
#include <valgrind/callgrind.h>
#define SCRAPDECK_BENCH_START CALLGRIND_START_INSTRUMENTATION
#define SCRAPDECK_BENCH_STOP CALLGRIND_STOP_INSTRUMENTATION
#endif

#endif
