// What the C library writes into the records of a caller compiled as the device image
// is (the recorder's headers, its cores' flags): each call that fills a record of the
// image's own gets the record followed by a marked tail, which it must leave as it was,
// and the fields the image reads must say what the file is. Run once under each C
// library that loads the image.
//   record_fit <scratch folder>
#define _GNU_SOURCE  // as g++ defines it for the image: the 64-bit calls are declared
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

enum { TAIL = 64, MARK = 0xA5, FILE_SIZE = 1000, CHUNK = 10 };

static int failures;

static void Check(int ok, const char* call, const char* what) {
  if (ok) return;
  printf("%s: %s\n", call, what);
  ++failures;
}

static int TailKept(const unsigned char* tail) {
  for (int i = 0; i < TAIL; ++i)
    if (tail[i] != MARK) return 0;
  return 1;
}

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  char path[512];
  snprintf(path, sizeof path, "%s/record_fit.bin", argv[1]);
  char bytes[FILE_SIZE];
  for (int i = 0; i < FILE_SIZE; ++i)
    bytes[i] = (char)('0' + i % 10);
  FILE* out = fopen(path, "w");
  if (!out || fwrite(bytes, FILE_SIZE, 1, out) != 1 || fclose(out) != 0) {
    printf("cannot write %s\n", path);
    return 1;
  }

  struct {
    struct stat64 st;
    unsigned char tail[TAIL];
  } stat64Record;
  const char* paths[] = {path, argv[1]};
  for (int k = 0; k < 2; ++k) {
    memset(&stat64Record, MARK, sizeof stat64Record);
    Check(lstat64(paths[k], &stat64Record.st) == 0, "lstat64", "failed");
    Check(TailKept(stat64Record.tail), "lstat64", "wrote beyond struct stat64");
    Check(k == 0 ? S_ISREG(stat64Record.st.st_mode) : S_ISDIR(stat64Record.st.st_mode), "lstat64",
          "wrong st_mode");
    if (k == 0) Check(stat64Record.st.st_size == FILE_SIZE, "lstat64", "wrong st_size");
  }

  struct {
    char data[CHUNK];
    unsigned char tail[TAIL];
  } chunk;
  memset(&chunk, MARK, sizeof chunk);
  int fd = open(path, O_RDONLY);
  Check(fd >= 0 && read(fd, chunk.data, CHUNK) == CHUNK, "read", "failed");
  Check(TailKept(chunk.tail) && memcmp(chunk.data, "0123456789", CHUNK) == 0, "read",
        "filled more or other than it was given");
  if (fd >= 0) close(fd);

  memset(&chunk, MARK, sizeof chunk);
  FILE* in = fopen(path, "r");
  Check(in && fread(chunk.data, CHUNK, 1, in) == 1, "fread", "failed");
  Check(TailKept(chunk.tail) && memcmp(chunk.data, "0123456789", CHUNK) == 0, "fread",
        "filled more or other than it was given");
  if (in) fclose(in);

  printf("%s (struct stat64: %u bytes)\n", failures ? "records overrun" : "records fit",
         (unsigned)sizeof(struct stat64));
  return failures != 0;
}
