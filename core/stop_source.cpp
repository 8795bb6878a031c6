// The two stop sources and their arming.
#include "core/stop_source.h"

#include <string.h>

#include "lib/hdd/hdd.h"
#include "settings/config.h"

namespace {

// Where an absolute path lies when it is on the disk's own recordings folder: the
// disk root directly followed by topdir and a '/' ("/mnt/hd/DataFiles/News/x.rec"),
// with no "." or ".." part. Returns the folder's start below the disk root
// ("/DataFiles/News/x.rec", which ends where *name begins) and points *name at the
// text after the last '/'; null for any other path: another disk ("/mnt/sdb1/..."),
// a look-alike of the root ("/mnt/hdd/...") or of topdir ("/DataFilesX/...", or
// "/DataFiles" deeper down).
const char* RecordingsFolder(const char* path, const char** name) {
  const size_t root = DISK_ROOT_LENGTH;
  size_t top = strlen(topdir);
  if (strncmp(path, DISK_ROOT, root) != 0 || strncmp(path + root, topdir, top) != 0 ||
      path[root + top] != '/' || HDD_PathHasDotParts(path))
    return nullptr;
  *name = strrchr(path, '/') + 1;
  return path + root;
}

// A record slot holds a running recording when byte 0 of its state word is 1 and
// byte 3 is 0; the middle bytes carry other news.
bool IsRecording(const TYPE_RecInfo& info) {
  return (info.recState & 0xFF0000FF) == 1;
}

// Keeps the folder of snapshot entry k (record slot slot) while the recording still
// runs: once it has stopped, the firmware no longer names its file. The folder comes
// from the record-file array that the in-use check reads; the file it names there
// must be the one the record information names.
void KeepFolder(byte slot, int k) {
  rec_filedir[k][0] = '\0';
  rec_elsewhere[k] = strchr(rec_filename[k], '/') != nullptr;
  TYPE_File* file = nullptr;
  if (!HDD_GetRecSlotFiles(slot, &file, nullptr, nullptr) || !file || !file->info ||
      !file->info->path)
    return;
  char absolute[HDD_PATH_SIZE];
  const char* name = nullptr;
  const char* dir =
      HDD_GetAbsolutePathByTypeFile(file, absolute) ? RecordingsFolder(absolute, &name) : nullptr;
  size_t dirLength = dir ? static_cast<size_t>(name - 1 - dir) : 0;
  if (!dir || strcmp(name, rec_filename[k]) != 0 || dirLength >= REC_FILEDIR_SIZE) {
    rec_elsewhere[k] = true;
    return;
  }
  memcpy(rec_filedir[k], dir, dirLength);
  rec_filedir[k][dirLength] = '\0';
}

}  // namespace

const char* HANDLER::set_type(const char* type) {
  // The title is the name without its 4-character extension: a name too short to
  // have one, or a title longer than filetitle holds, names no recording we show.
  if (!filename || !filedir || filelen < 4 || filelen - 4 >= static_cast<int>(FILETITLE_SIZE))
    return nullptr;
  if (!HDD_ChangeDir(filedir)) return nullptr;
  if (!TAP_Hdd_Exist(filename)) return nullptr;
  // A "Delete" that could not delete is never offered (a folder of the name, a name
  // beginning with '.', a family whose paths would not fit).
  HDD_FileFamily family;
  if (!HDD_GetFileFamily(filename, &family)) return nullptr;
  TAP_MemCpy(filetitle, filename, static_cast<dword>(filelen - 4));
  filetitle[filelen - 4] = '\0';
  return type;
}

const char* PLAY::get_type() {
  // The stop key is taken at its word: the firmware has ended the playback.
  return set_type("Playback");
}

const char* RECORD::get_type() {
  for (int k = 0; k < n_tuner && k < static_cast<int>(REC_TUNERS); ++k) {
    if (!rec_filename[k][0]) continue;
    TYPE_RecInfo info;
    memset(&info, 0, sizeof info);
    if (TAP_Hdd_GetRecInfo(static_cast<byte>(rec_tuner[k] & 0xFF), &info) && IsRecording(info))
      continue;
    // The first recording that no longer runs is the one the user stopped. It is
    // looked for where the firmware recorded it; a firmware that does not say
    // records into topdir.
    if (rec_elsewhere[k]) return nullptr;
    filename = rec_filename[k];
    filelen = static_cast<int>(strlen(filename));
    filedir = rec_filedir[k][0] ? rec_filedir[k] : topdir;
    return set_type("Recording");
  }
  return nullptr;
}

HANDLER* handler_play(int prompt_on) {
  static PLAY play;
  // filename and filedir point into this buffer until the next arming.
  static char path[PLAY_PATH_SIZE];
  if (prompt_on == PROMPT_ON_RECORD_ONLY) return nullptr;

  TYPE_PlayInfo info;
  memset(&info, 0, sizeof info);
  if (!TAP_Hdd_GetPlayInfo(&info) || info.playMode != 2 || !info.file) return nullptr;
  // The path is checked in a full-size text first, so that a failed arming leaves
  // the previous stop's names intact and a long path is refused, never cut.
  char absolute[HDD_PATH_SIZE];
  if (!HDD_GetAbsolutePathByTypeFile(info.file, absolute)) return nullptr;
  size_t length = strlen(absolute);
  if (length >= sizeof path) return nullptr;
  const char* name = nullptr;
  const char* dir = RecordingsFolder(absolute, &name);
  if (!dir) return nullptr;
  // The host reports the recording's own name followed by a 4-character suffix.
  size_t nameLength = strlen(name);
  if (nameLength < 4) return nullptr;

  memcpy(path, absolute, length + 1);
  filedir = path + (dir - absolute);
  filename = path + (name - absolute);
  path[name - 1 - absolute] = '\0';
  filename[nameLength - 4] = '\0';
  filelen = static_cast<int>(nameLength - 4);
  return &play;
}

HANDLER* handler_record(int prompt_on) {
  static RECORD record;
  if (prompt_on == PROMPT_ON_PLAY_ONLY) return nullptr;

  n_tuner = 0;
  for (dword slot = 0; slot < REC_TUNERS; ++slot) {
    TYPE_RecInfo info;
    memset(&info, 0, sizeof info);
    if (!TAP_Hdd_GetRecInfo(static_cast<byte>(slot), &info) || !IsRecording(info)) continue;
    // A name that does not fit its entry (or lacks its terminator) is left out:
    // a cut name would be the name of another file.
    size_t length = strnlen(info.fileName, sizeof info.fileName);
    if (length >= REC_FILENAME_SIZE) continue;
    rec_tuner[n_tuner] = static_cast<word>(slot);
    memcpy(rec_filename[n_tuner], info.fileName, length);
    rec_filename[n_tuner][length] = '\0';
    KeepFolder(static_cast<byte>(slot), n_tuner);
    ++n_tuner;
  }
  return n_tuner ? &record : nullptr;
}
