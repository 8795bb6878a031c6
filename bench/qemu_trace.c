/* A qemu TCG plug-in for the mipsel counts: records the guest's translation blocks as
 * they run, between a start and a stop mark that scrapdeck-opcount sets with a marker
 * system call (getpid with a magic first argument). Each record is the block's
 * address and its number of instructions (two little-endian 32-bit words); the
 * trace goes to the file named by out=FILE when the guest exits. bench/qemu_cost.py
 * sorts the instructions into the plug-in's, the C library's it calls, and the
 * stand's.
 *
 *   qemu-mipsel -plugin libscrapdeck-qemu-trace.so,out=TRACE PROGRAM ARGS
 *
 * The plug-in interface is qemu's (version 1, as qemu 7.2 loads it); Debian ships no
 * header for it, so the few declarations used are written out here.
 */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef uint64_t qemu_plugin_id_t;
struct qemu_plugin_tb;
enum qemu_plugin_cb_flags { QEMU_PLUGIN_CB_NO_REGS = 0 };

void qemu_plugin_register_vcpu_tb_trans_cb(qemu_plugin_id_t id,
                                           void (*cb)(qemu_plugin_id_t, struct qemu_plugin_tb*));
void qemu_plugin_register_vcpu_tb_exec_cb(struct qemu_plugin_tb* tb, void (*cb)(unsigned, void*),
                                          enum qemu_plugin_cb_flags flags, void* userdata);
size_t qemu_plugin_tb_n_insns(const struct qemu_plugin_tb* tb);
uint64_t qemu_plugin_tb_vaddr(const struct qemu_plugin_tb* tb);
void qemu_plugin_register_vcpu_syscall_cb(qemu_plugin_id_t id,
                                          void (*cb)(qemu_plugin_id_t, unsigned, int64_t, uint64_t,
                                                     uint64_t, uint64_t, uint64_t, uint64_t,
                                                     uint64_t, uint64_t, uint64_t));
void qemu_plugin_register_atexit_cb(qemu_plugin_id_t id, void (*cb)(qemu_plugin_id_t, void*),
                                    void* userdata);

__attribute__((visibility("default"))) int qemu_plugin_version = 1;

enum { MARK_MAGIC = 0x5CDEC0DE, MARK_START = 1, MARK_STOP = 2 };

static int recording;
static uint32_t* trace;
static size_t used, capacity; /* in 32-bit words */
static char* outPath;

static void OnBlock(unsigned vcpu, void* userdata) {
  (void)vcpu;
  if (!recording) return;
  if (used + 2 > capacity) {
    capacity = capacity ? capacity * 2 : 1 << 20;
    trace = realloc(trace, capacity * sizeof *trace);
    if (!trace) abort();
  }
  memcpy(trace + used, userdata, 2 * sizeof *trace);
  used += 2;
}

static void OnTranslate(qemu_plugin_id_t id, struct qemu_plugin_tb* tb) {
  (void)id;
  uint32_t* block = malloc(2 * sizeof *block); /* lives as long as the block may run */
  if (!block) abort();
  block[0] = (uint32_t)qemu_plugin_tb_vaddr(tb);
  block[1] = (uint32_t)qemu_plugin_tb_n_insns(tb);
  qemu_plugin_register_vcpu_tb_exec_cb(tb, OnBlock, QEMU_PLUGIN_CB_NO_REGS, block);
}

static void OnSyscall(qemu_plugin_id_t id, unsigned vcpu, int64_t num, uint64_t a1, uint64_t a2,
                      uint64_t a3, uint64_t a4, uint64_t a5, uint64_t a6, uint64_t a7,
                      uint64_t a8) {
  (void)id, (void)vcpu, (void)num, (void)a3, (void)a4, (void)a5, (void)a6, (void)a7, (void)a8;
  if ((uint32_t)a1 != MARK_MAGIC) return;
  if (a2 == MARK_START) recording = 1;
  if (a2 == MARK_STOP) recording = 0;
}

static void OnExit(qemu_plugin_id_t id, void* userdata) {
  (void)id, (void)userdata;
  FILE* out = fopen(outPath, "wb");
  if (!out || fwrite(trace, sizeof *trace, used, out) != used || fclose(out) != 0)
    fprintf(stderr, "qemu_trace: cannot write %s\n", outPath);
}

__attribute__((visibility("default"))) int qemu_plugin_install(qemu_plugin_id_t id,
                                                               const void* info, int argc,
                                                               char** argv) {
  (void)info;
  for (int i = 0; i < argc; ++i)
    if (strncmp(argv[i], "out=", 4) == 0) outPath = strdup(argv[i] + 4);
  if (!outPath) {
    fprintf(stderr, "qemu_trace: out=FILE is required\n");
    return -1;
  }
  qemu_plugin_register_vcpu_tb_trans_cb(id, OnTranslate);
  qemu_plugin_register_vcpu_syscall_cb(id, OnSyscall);
  qemu_plugin_register_atexit_cb(id, OnExit, NULL);
  return 0;
}
