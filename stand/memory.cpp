// Host memory, text formatting and the log.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>

#include "stand/stand.h"

namespace stand {
namespace {

std::map<const void*, size_t> live;
MemoryStats stats;
size_t failCountdown = 0;
std::string log;
std::vector<TraceEntry> trace;

void* MemAlloc(dword size) {
  ++stats.allocations;
  if (failCountdown && --failCountdown == 0) {
    LogLine("TAP_MemAlloc(" + std::to_string(size) + ") failed on purpose");
    return nullptr;
  }
  // Never a zero-sized block, so that every live block has its own address.
  void* block = std::malloc(size ? size : 1);
  if (!block) return nullptr;
  live[block] = size;
  ++stats.liveBlocks;
  stats.liveBytes += size;
  if (stats.liveBytes > stats.peakBytes) stats.peakBytes = stats.liveBytes;
  return block;
}

void MemFree(const void* block) {
  if (!block) return;
  auto it = live.find(block);
  if (it == live.end()) {
    // The firmware would corrupt its heap here; the stand says so and survives.
    LogLine("TAP_MemFree of a pointer that is not a live block");
    std::fprintf(stderr, "stand: TAP_MemFree of a pointer that is not a live block\n");
    std::abort();
  }
  --stats.liveBlocks;
  stats.liveBytes -= it->second;
  live.erase(it);
  std::free(const_cast<void*>(block));
}

void MemSet(void* block, byte value, dword count) {
  std::memset(block, value, count);
}
void MemCpy(void* destination, const void* source, dword count) {
  std::memmove(destination, source, count);
}
int MemCmp(const void* a, const void* b, dword count) {
  return std::memcmp(a, b, count);
}

int SPrint(char* buffer, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int n = std::vsprintf(buffer, format, args);
  va_end(args);
  return n;
}

void Print(const char* format, ...) {
  char line[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  log += line;
}

}  // namespace

void ResetMemory() {
  for (auto& [block, size] : live)
    std::free(const_cast<void*>(block));
  live.clear();
  stats = MemoryStats{};
  failCountdown = 0;
  log.clear();
  trace.clear();
  TAP_MemAlloc = MemAlloc;
  TAP_MemFree = MemFree;
  TAP_MemSet = MemSet;
  TAP_MemCpy = MemCpy;
  TAP_MemCmp = MemCmp;
  TAP_SPrint = SPrint;
  TAP_Print = Print;
}

MemoryStats Memory() {
  return stats;
}
void FailAllocation(size_t n) {
  failCountdown = n;
}
size_t BlockSize(const void* block) {
  auto it = live.find(block);
  return it == live.end() ? 0 : it->second;
}

const std::string& Log() {
  return log;
}
void ClearLog() {
  log.clear();
}
void LogLine(const std::string& line) {
  log += "stand: " + line + "\n";
}
const std::vector<TraceEntry>& Trace() {
  return trace;
}
void ClearTrace() {
  trace.clear();
}
void TraceCall(TraceEntry entry) {
  trace.push_back(std::move(entry));
}

}  // namespace stand
