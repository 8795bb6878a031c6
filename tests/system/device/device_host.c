// A recorder host as small as a smoke session allows, linked against the recorder's C
// library and run under a core without FPU: it exports the firmware's function table as
// pointer variables and the firmware objects the plug-in looks up, loads the plug-in's
// image from the disk with the C library's dlopen, registers it through __TAP_Init_,
// starts it and hands it events, as a recorder does. The plug-in reaches the disk as
// "/mnt/hd", which this host maps onto the folder DISK.
//
//   device_host <DISK folder>
//
// Exits 0 after the whole session, else names the step and what went wrong.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdarg.h>
#include <stdbool.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

typedef uint8_t byte;
typedef uint16_t word;
typedef uint32_t dword;

// The host's records, as host/tap.h declares them for the plug-in (32-bit layout).
typedef struct {
  byte reserved0[8];
  const char* path;
} TYPE_FileInfo;
typedef struct {
  byte reserved0[144];
  TYPE_FileInfo* info;
} TYPE_File;
typedef struct {
  byte playMode;
  byte reserved0[15];
  dword totalBlock;
  TYPE_File* file;
  byte reserved1[288];
} TYPE_PlayInfo;
typedef struct {
  dword recState;
  byte reserved0[16];
  char fileName[132];
} TYPE_RecInfo;
typedef struct {
  dword reserved0;
  const char* path;
} TYPE_TapDir;
typedef struct {
  byte reserved0[8];
  TYPE_File* file;
  byte reserved1[28];
  TYPE_TapDir* dir;
} TYPE_TapEntry;
typedef struct {
  TYPE_File* file;
  void* second;
  void* third;
} TYPE_RecordFile;
typedef struct {
  word x, y, width;
  byte reserved0[10];
} TYPE_OsdMapEntry;
typedef struct TYPE_GrData TYPE_GrData;
typedef struct {
  int (*main)(void);
  dword (*eventHandler)(dword event, dword param1, dword param2);
} TYPE_TapEntryPoints;
_Static_assert(sizeof(TYPE_PlayInfo) == 312 && sizeof(TYPE_RecInfo) == 152, "play/record info");
_Static_assert(sizeof(TYPE_TapEntry) == 44 && sizeof(TYPE_OsdMapEntry) == 16, "table entries");

#define EXPORTED __attribute__((visibility("default")))
#define TAP_FN(result, name, arguments) EXPORTED result(*name) arguments;
#include "host/tap_table.h"
#undef TAP_FN

enum { REGIONS = 16, RECORD_SLOTS = 4, SYSTEM_ID = 22010, PATH_SIZE = 512 };
enum { EVENT_IDLE = 0, EVENT_KEY = 0x100, EVENT_MANAGER = 0xB00, MANAGER_SETTINGS = 2 };
enum { KEY_LEFT = 0x1000F, KEY_RIGHT = 0x10015, KEY_EXIT = 0x10017, KEY_DOWN = 0x1001D };
enum { KEY_OK = 0x1001E, KEY_STOP = 0x1003C };

// The firmware objects, found by the plug-in through dlsym.
EXPORTED TYPE_TapEntry _tapTask[16];
EXPORTED dword _curTapTask;
EXPORTED TYPE_RecordFile _hddRecordFile[RECORD_SLOTS];
EXPORTED TYPE_OsdMapEntry _osdInfo[REGIONS];

static const char* disk;  // this host's path of the plug-in's "/mnt/hd"
static const char* step = "start";
static dword tick;
static int failures;

static void Fail(const char* format, ...) {
  va_list args;
  va_start(args, format);
  printf("FAILED in %s: ", step);
  vprintf(format, args);
  printf("\n");
  va_end(args);
  ++failures;
}

static void OnSignal(int number) {
  // Only async-signal-safe calls: the image may have died anywhere.
  const char* name = number == SIGILL    ? "SIGILL (an instruction this core lacks)"
                     : number == SIGSEGV ? "SIGSEGV"
                     : number == SIGBUS  ? "SIGBUS"
                                         : "SIGFPE";
  write(1, "FAILED in ", 10);
  write(1, step, strlen(step));
  write(1, ": signal ", 9);
  write(1, name, strlen(name));
  write(1, "\n", 1);
  _exit(3);
}

// ---- memory, text, time ----
static void* MemAlloc(dword size) {
  return malloc(size ? size : 1);
}
static void MemFree(const void* block) {
  free((void*)block);
}
static void MemSet(void* block, byte value, dword count) {
  memset(block, value, count);
}
static void MemCpy(void* to, const void* from, dword count) {
  memmove(to, from, count);
}
static int MemCmp(const void* a, const void* b, dword count) {
  return memcmp(a, b, count);
}
static int SPrint(char* buffer, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int n = vsprintf(buffer, format, args);
  va_end(args);
  return n;
}
static void Print(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vprintf(format, args);
  va_end(args);
}
static dword GetTick(void) {
  return tick;
}
static void Delay(dword ticks) {
  tick += ticks;
}
static dword GetSystemId(void) {
  return SYSTEM_ID;
}
static dword MakeMjd(word year, byte month, byte day) {
  return (dword)year * 372 + month * 31 + day;
}
static void SysOsdControl(dword item, dword on) {
  (void)item, (void)on;
}
static void Nothing(void) {}

// ---- on-screen regions: pixels in memory, a log of what was drawn ----
typedef struct {
  bool used;
  dword x, y, width, height;
  dword* pixels;
} Region;
static Region regions[REGIONS];
static int regionsMade, glyphBoxes, blendedPixels;
static char texts[1024];

static Region* Find(word handle) {
  return handle < REGIONS && regions[handle].used ? &regions[handle] : NULL;
}
static void Fill(word handle, dword x, dword y, dword width, dword height, dword colour) {
  Region* r = Find(handle);
  for (dword py = y; r && py < y + height && py < r->height; ++py)
    for (dword px = x; px < x + width && px < r->width; ++px)
      r->pixels[py * r->width + px] = colour;
}
static word OsdCreate(dword x, dword y, dword width, dword height, byte lut, dword flags) {
  (void)lut, (void)flags;
  for (word h = 1; h < REGIONS; ++h) {
    if (regions[h].used) continue;
    Region r = {true, x, y, width, height, calloc((size_t)width * height, 4)};
    regions[h] = r;
    TYPE_OsdMapEntry entry = {(word)x, (word)y, (word)width, {0}};
    _osdInfo[h] = entry;
    printf("  region %u: %u %u %u %u\n", h, x, y, width, height);
    ++regionsMade;
    return h;
  }
  return 0;
}
static int OsdDelete(word handle) {
  Region* r = Find(handle);
  if (!r) return 0;
  free(r->pixels);
  r->used = false;
  return 1;
}
static int FillBox(word h, dword x, dword y, dword w, dword ht, dword colour) {
  Fill(h, x, y, w, ht, colour);
  return 0;
}
static int Box3d(word h, dword x, dword y, dword w, dword ht, dword light, dword dark, dword fill) {
  (void)light, (void)dark;
  Fill(h, x, y, w, ht, fill);
  return 0;
}
static int Rectangle(word h, dword x, dword y, dword w, dword ht, dword thick, dword colour) {
  (void)thick;
  Fill(h, x, y, w, ht, colour);
  return 0;
}
static int PutGd(word h, int x, int y, const TYPE_GrData* graphic, bool sprite) {
  (void)h, (void)x, (void)y, (void)graphic, (void)sprite;
  return 0;
}
static int PutS(word h, dword x, dword y, dword maxX, const char* text, dword fore, dword back,
                byte type, byte size, byte dotted, byte align) {
  (void)h, (void)x, (void)y, (void)maxX, (void)fore, (void)back, (void)type, (void)size,
      (void)dotted, (void)align;
  printf("  text \"%s\"\n", text);
  if (strlen(texts) + strlen(text) + 3 < sizeof texts) strcat(strcat(texts, text), " | ");
  return 0;
}
static dword GetW(const char* text, byte type, byte size) {
  (void)type;
  return (dword)strlen(text) * (size + 8);
}
static int Copy(word from, word to, dword fx, dword fy, dword w, dword h, dword tx, dword ty,
                bool sprite) {
  (void)sprite;
  Region *a = Find(from), *b = Find(to);
  for (dword py = 0; a && b && py < h; ++py)
    for (dword px = 0; px < w; ++px)
      if (fx + px < a->width && fy + py < a->height && tx + px < b->width && ty + py < b->height)
        b->pixels[(ty + py) * b->width + tx + px] = a->pixels[(fy + py) * a->width + fx + px];
  return 0;
}
static byte* SaveBox(word handle, dword x, dword y, dword width, dword height) {
  Region* r = Find(handle);
  dword* block = r ? malloc((size_t)width * height * 4 + 4) : NULL;
  for (dword py = 0; block && py < height; ++py)
    for (dword px = 0; px < width; ++px)
      block[py * width + px] =
          x + px < r->width && y + py < r->height ? r->pixels[(y + py) * r->width + x + px] : 0;
  return (byte*)block;
}
// The anti-aliased glyphs come back here: a pixel between the box's darkest and lightest
// grey is one the plug-in blended itself.
static void RestoreBox(word handle, dword x, dword y, dword width, dword height, const void* px) {
  Region* r = Find(handle);
  const dword* block = px;
  if (!r || !block) return;
  int blended = 0;
  dword first = block[0];
  for (dword py = 0; py < height; ++py)
    for (dword qx = 0; qx < width; ++qx) {
      dword p = block[py * width + qx];
      if (x + qx < r->width && y + py < r->height) r->pixels[(y + py) * r->width + x + qx] = p;
      blended += p != first && (p & 0xFF) != 0xFF && (p & 0xFF) != 0 && (p >> 24) == 0xFF;
    }
  ++glyphBoxes;
  blendedPixels += blended;
  printf("  glyphs in region %u at %u %u, %u x %u: %d blended pixels\n", handle, x, y, width,
         height, blended);
}

// ---- the disk, relative to the plug-in's current directory ----
static char currentDir[PATH_SIZE] = "/mnt/hd/ProgramFiles";
static TYPE_TapDir dirRecord = {0, currentDir};

typedef struct {
  TYPE_File record;
  TYPE_FileInfo info;
  char path[PATH_SIZE];
  FILE* stream;
} HostFile;

// The disk path ("/mnt/hd/...") of a name relative to the current directory.
static bool Resolve(const char* name, char* out) {
  char joined[PATH_SIZE * 2];
  snprintf(joined, sizeof joined, "%s/%s", name[0] == '/' ? "/mnt/hd" : currentDir, name);
  strcpy(out, "/mnt/hd");
  for (char* part = strtok(joined + 7, "/"); part; part = strtok(NULL, "/")) {
    if (strcmp(part, ".") == 0) continue;
    if (strcmp(part, "..") == 0) {
      char* slash = strrchr(out, '/');
      if (slash > out + 6) *slash = '\0';
      continue;
    }
    if (strlen(out) + strlen(part) + 2 > PATH_SIZE) return false;
    strcat(strcat(out, "/"), part);
  }
  return true;
}
static bool HostPath(const char* name, char* out) {
  char diskPath[PATH_SIZE];
  if (!name || !*name || !Resolve(name, diskPath)) return false;
  snprintf(out, PATH_SIZE, "%s%s", disk, diskPath + 7);
  return true;
}
static int Kind(const char* name) {  // 0: none, 1: file, 2: folder
  char path[PATH_SIZE];
  struct stat64 st;
  if (!HostPath(name, path) || stat64(path, &st) != 0) return 0;
  return S_ISDIR(st.st_mode) ? 2 : 1;
}
static int ChangeDir(const char* name) {
  char diskPath[PATH_SIZE];
  if (Kind(name) != 2 || !Resolve(name, diskPath)) return 0;
  strcpy(currentDir, diskPath);
  return 1;
}
static int Exist(const char* name) {
  return Kind(name) != 0;
}
static TYPE_File* Fopen(const char* name) {
  char path[PATH_SIZE];
  if (Kind(name) != 1 || !HostPath(name, path)) return NULL;
  FILE* stream = fopen(path, "r+b");
  HostFile* f = stream ? calloc(1, sizeof *f) : NULL;
  if (!f) return NULL;
  f->stream = stream;
  Resolve(name, f->path);
  f->info.path = f->path;
  f->record.info = &f->info;
  return &f->record;
}
static FILE* Stream(TYPE_File* file) {
  return ((HostFile*)file)->stream;
}
static dword Fread(void* buffer, dword size, dword count, TYPE_File* file) {
  return (dword)fread(buffer, size, count, Stream(file));
}
static dword Fwrite(const void* buffer, dword size, dword count, TYPE_File* file) {
  dword n = (dword)fwrite(buffer, size, count, Stream(file));
  fflush(Stream(file));
  return n;
}
static dword Flen(TYPE_File* file) {
  struct stat64 st;
  return fstat64(fileno(Stream(file)), &st) == 0 ? (dword)st.st_size : 0;
}
static void Fclose(TYPE_File* file) {
  fclose(Stream(file));
  free(file);
}
static int Create(const char* name, byte attribute) {
  char path[PATH_SIZE];
  if (!HostPath(name, path)) return 0;
  if (attribute == 0xE0) return mkdir(path, 0755) == 0 || Kind(name) == 2;
  if (Kind(name)) return 0;
  FILE* f = fopen(path, "wb");
  return f && fclose(f) == 0;
}
static int Delete(const char* name) {
  char path[PATH_SIZE];
  return HostPath(name, path) && remove(path) == 0;
}

// ---- the plug-in's own calls on "/mnt/hd" ----
// The system-library calls the image makes on absolute paths are this host's first:
// each maps "/mnt/hd" onto DISK and hands the call on to uClibc's own.
static const char* Mapped(const char* path, char* out) {
  if (strncmp(path, "/mnt/hd", 7) != 0 || (path[7] != '/' && path[7] != '\0')) return path;
  snprintf(out, PATH_SIZE, "%s%s", disk, path + 7);
  return out;
}
static void* Next(const char* name) {
  void* next = dlsym(RTLD_NEXT, name);
  if (!next) {
    printf("FAILED: uClibc does not resolve %s\n", name);
    exit(1);
  }
  return next;
}
EXPORTED int open(const char* path, int flags, ...) {
  static int (*next)(const char*, int, ...);
  va_list args;
  va_start(args, flags);
  int mode = va_arg(args, int);
  va_end(args);
  char mapped[PATH_SIZE];
  if (!next) next = Next("open");
  return next(Mapped(path, mapped), flags, mode);
}
EXPORTED int lstat64(const char* path, struct stat64* st) {
  static int (*next)(const char*, struct stat64*);
  char mapped[PATH_SIZE];
  if (!next) next = Next("lstat64");
  return next(Mapped(path, mapped), st);
}
EXPORTED FILE* fopen(const char* path, const char* mode) {
  static FILE* (*next)(const char*, const char*);
  char mapped[PATH_SIZE];
  if (!next) next = Next("fopen");
  return next(Mapped(path, mapped), mode);
}
EXPORTED int remove(const char* path) {
  static int (*next)(const char*);
  char mapped[PATH_SIZE];
  if (!next) next = Next("remove");
  return next(Mapped(path, mapped));
}

// ---- playback and recording ----
static TYPE_PlayInfo play;
static TYPE_RecInfo recordings[RECORD_SLOTS];
static HostFile playFile, recordFile;

static int GetPlayInfo(TYPE_PlayInfo* info) {
  *info = play;
  return 1;
}
static int GetRecInfo(byte slot, TYPE_RecInfo* info) {
  if (slot >= RECORD_SLOTS) return 0;
  *info = recordings[slot];
  return 1;
}
static int Stop(void) {
  memset(&play, 0, sizeof play);
  return 1;
}
static int StopRecord(byte slot) {
  if (slot < RECORD_SLOTS) memset(&recordings[slot], 0, sizeof recordings[slot]);
  return 1;
}

static void FileRecord(HostFile* f, const char* diskPath) {
  memset(f, 0, sizeof *f);
  snprintf(f->path, sizeof f->path, "/mnt/hd%s", diskPath);
  f->info.path = f->path;
  f->record.info = &f->info;
}

static void Connect(void) {
  TAP_MemAlloc = MemAlloc, TAP_MemFree = MemFree, TAP_MemSet = MemSet, TAP_MemCpy = MemCpy;
  TAP_MemCmp = MemCmp, TAP_SPrint = SPrint, TAP_Print = Print, TAP_GetTick = GetTick;
  TAP_Delay = Delay, TAP_Sleep = Delay, TAP_GetSystemId = GetSystemId, TAP_MakeMjd = MakeMjd;
  TAP_SysOsdControl = SysOsdControl, TAP_ExitNormal = Nothing, TAP_EnterNormal = Nothing;
  TAP_Osd_Create = OsdCreate, TAP_Osd_Delete = OsdDelete, TAP_Osd_Sync = Nothing;
  TAP_Osd_FillBox = FillBox, TAP_Osd_Draw3dBoxFill = Box3d, TAP_Osd_DrawRectangle = Rectangle;
  TAP_Osd_PutGd = PutGd, TAP_Osd_PutS = PutS, TAP_Osd_GetW = GetW, TAP_Osd_Copy = Copy;
  TAP_Osd_SaveBox = SaveBox, TAP_Osd_RestoreBox = RestoreBox;
  TAP_Hdd_ChangeDir = ChangeDir, TAP_Hdd_Exist = Exist, TAP_Hdd_Fopen = Fopen;
  TAP_Hdd_Fread = Fread, TAP_Hdd_Fwrite = Fwrite, TAP_Hdd_Flen = Flen, TAP_Hdd_Fclose = Fclose;
  TAP_Hdd_Create = Create, TAP_Hdd_Delete = Delete, TAP_Hdd_GetPlayInfo = GetPlayInfo;
  TAP_Hdd_GetRecInfo = GetRecInfo, TAP_Hdd_StopTs = Stop, TAP_Hdd_StopMp3 = Stop;
  TAP_Hdd_StopRecord = StopRecord;
  static TYPE_FileInfo imageInfo;
  static TYPE_File imageFile;
  imageInfo.path = "/mnt/hd/ProgramFiles/Scrapdeck.tap";
  imageFile.info = &imageInfo;
  _tapTask[0].file = &imageFile;
  _tapTask[0].dir = &dirRecord;
}

// ---- the session ----
static TYPE_TapEntryPoints entries;

static dword Event(dword event, dword param1) {
  tick += 10;
  return entries.eventHandler(event, param1, 0);
}
static void Key(dword key) {
  printf(" key 0x%X\n", key);
  texts[0] = '\0';
  Event(EVENT_KEY, key);
}

static void WriteFile(const char* diskPath, const void* bytes, size_t size) {
  char path[PATH_SIZE];
  snprintf(path, sizeof path, "%s%s", disk, diskPath);
  FILE* f = fopen(path, "wb");
  if (!f || fwrite(bytes, 1, size, f) != size || fclose(f) != 0) Fail("cannot write %s", path);
}
static bool OnDisk(const char* diskPath) {
  char path[PATH_SIZE];
  struct stat64 st;
  snprintf(path, sizeof path, "%s%s", disk, diskPath);
  return lstat64(path, &st) == 0;
}
static void ExpectFiles(const char* const* paths, bool present) {
  for (; *paths; ++paths)
    if (OnDisk(*paths) != present)
      Fail("%s %s", *paths, present ? "was deleted" : "was left behind");
}
// A region at x y width height is up.
static bool ExpectRegion(dword x, dword y, dword width, dword height) {
  bool found = false;
  for (int h = 1; h < REGIONS; ++h)
    found |= regions[h].used && regions[h].x == x && regions[h].y == y &&
             regions[h].width == width && regions[h].height == height;
  if (!found) Fail("no region %u %u %u %u", x, y, width, height);
  return found;
}
// The prompt's texts were drawn by the plug-in's own anti-aliased glyphs.
static void ExpectGlyphs(void) {
  if (glyphBoxes < 4 || blendedPixels < 400)
    Fail("%d glyph boxes with %d blended pixels drawn", glyphBoxes, blendedPixels);
  glyphBoxes = blendedPixels = 0;
}
static void ExpectText(const char* text) {
  if (!strstr(texts, text)) Fail("\"%s\" not drawn (drawn: %s)", text, texts);
}
static void ExpectGone(dword x, dword y) {
  for (int h = 1; h < REGIONS; ++h)
    if (regions[h].used && regions[h].x == x && regions[h].y == y) Fail("region %u %u stays", x, y);
}

// The model table: a 20-byte header and one 348-byte record per model, whose slot count
// (at 324) raises this recorder's record slots to 4.
static void WriteModelTable(void) {
  byte table[20 + 348];
  memset(table, 0xA5, sizeof table);
  const dword header[] = {0x12345678, 0, 0, 1, 0};
  memcpy(table, header, sizeof header);
  const word sysId = SYSTEM_ID;
  const dword slots = RECORD_SLOTS;
  memcpy(table + 20, &sysId, 2);
  memcpy(table + 20 + 324, &slots, 4);
  WriteFile("/ProgramFiles/FirmwareTMS.dat", table, sizeof table);
}

int main(int argc, char** argv) {
  if (argc != 2) {
    printf("usage: device_host <disk folder>\n");
    return 2;
  }
  setvbuf(stdout, NULL, _IONBF, 0);
  disk = argv[1];
  signal(SIGILL, OnSignal), signal(SIGSEGV, OnSignal), signal(SIGBUS, OnSignal);
  signal(SIGFPE, OnSignal);
  Connect();

  const char* film[] = {"/DataFiles/Film.rec", "/DataFiles/Film.rec.inf", "/DataFiles/Film.rec.nav",
                        "/DataFiles/Film.cut", "/DataFiles/Film.srt",     NULL};
  const char* kept[] = {"/DataFiles/Film-2.rec", "/DataFiles/Filmreel.rec",
                        "/DataFiles/News/Show.rec", NULL};
  char path[PATH_SIZE];
  snprintf(path, sizeof path, "%s/DataFiles", disk);
  mkdir(path, 0755);
  snprintf(path, sizeof path, "%s/DataFiles/News", disk);
  mkdir(path, 0755);
  for (const char* const* p = film; *p; ++p)
    WriteFile(*p, "x", 1);
  for (const char* const* p = kept; *p; ++p)
    WriteFile(*p, "x", 1);
  WriteModelTable();

  step = "loading the image";
  snprintf(path, sizeof path, "%s/ProgramFiles/Scrapdeck.tap", disk);
  void* image = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!image) {
    Fail("dlopen: %s", dlerror());
    return 1;
  }
  int (*init)(TYPE_TapEntryPoints*) = (int (*)(TYPE_TapEntryPoints*))dlsym(image, "__TAP_Init_");
  if (!init || !init(&entries) || !entries.main || !entries.eventHandler) {
    Fail("no entries registered through __TAP_Init_ (%s)", init ? "refused" : dlerror());
    return 1;
  }
  step = "TAP_Main";
  if (entries.main() != 1) Fail("TAP_Main did not stay resident");

  step = "a playback stopped and deleted";
  printf("%s\n", step);
  FileRecord(&playFile, "/DataFiles/Film.rec.inf");
  play.playMode = 2, play.totalBlock = 1000, play.file = &playFile.record;
  if (Event(EVENT_KEY, KEY_STOP) != KEY_STOP) Fail("KEY_STOP was not passed on");
  Stop();
  Event(EVENT_IDLE, 0);
  ExpectRegion(170, 193, 380, 190);
  ExpectGlyphs();
  Key(KEY_LEFT);
  Key(KEY_OK);
  ExpectGone(170, 193);
  ExpectFiles(film, false);
  ExpectFiles(kept, true);

  step = "a recording in slot 3 stopped and kept";
  printf("%s\n", step);
  FileRecord(&recordFile, "/DataFiles/News/Show.rec");
  _hddRecordFile[2].file = &recordFile.record;
  recordings[2].recState = 1;
  strcpy(recordings[2].fileName, "Show.rec");
  Key(KEY_OK);  // answers the firmware's question whether to stop the recording
  StopRecord(2);
  _hddRecordFile[2].file = NULL;
  Event(EVENT_IDLE, 0);
  // The folder of slot 3 is known only when the model table was read and counted 4 slots.
  if (!ExpectRegion(170, 193, 380, 190)) Fail("FirmwareTMS.dat was not read (or not counted)");
  ExpectGlyphs();
  Key(KEY_EXIT);
  ExpectGone(170, 193);
  ExpectFiles(kept, true);

  step = "the settings changed and saved";
  printf("%s\n", step);
  Event(EVENT_MANAGER, MANAGER_SETTINGS);
  ExpectRegion(213, 167, 294, 74);
  ExpectText("Window timeout");
  ExpectText(" 0:30");
  Key(KEY_DOWN);
  Key(KEY_RIGHT);
  ExpectText(" 0:31");
  Key(KEY_OK);
  ExpectGone(213, 167);
  char ini[512] = "";
  snprintf(path, sizeof path, "%s/ProgramFiles/Settings/Scrapdeck.ini", disk);
  FILE* f = fopen(path, "r");
  size_t n = f ? fread(ini, 1, sizeof ini - 1, f) : 0;
  ini[n] = '\0';
  if (f) fclose(f);
  if (!strstr(ini, "timeout=31\r\n") && !strstr(ini, "timeout=31\n"))
    Fail("Scrapdeck.ini reads \"%s\"", ini);

  printf("%d regions made; %s\n", regionsMade, failures ? "session FAILED" : "session passed");
  return failures != 0;
}
