#include <string.h>
#include <sys/stat.h>

#include "lib/hdd/hdd.h"

dword GetPathType(const char* path) {
  if (!path || !*path) return PATH_FILE_NAME;
  if (path[0] == '.' || strcmp(path, "/") == 0) return PATH_TAP_DIR;

  // Something that exists as typed is a Linux path, whatever its shape.
  struct stat64 st;
  if (lstat64(path, &st) == 0) return S_ISDIR(st.st_mode) ? PATH_LINUX_DIR : PATH_LINUX_FILE;

  // Otherwise look for it on the disk, relative paths from the current directory.
  // A candidate that does not fit is taken as not existing: the path is then
  // classified by its shape alone.
  char candidate[HDD_PATH_SIZE] = DISK_ROOT;
  bool fits = true;
  if (path[0] != '/') {
    char current[HDD_PATH_SIZE];
    if (HDD_TAP_GetCurrentDir(current) == -1) fits = false;
    fits = fits && HDD_PathAppend(candidate, current) && HDD_PathEndWithSlash(candidate);
  }
  fits = fits && HDD_PathAppend(candidate, path);
  bool isDir = fits && lstat64(candidate, &st) == 0 && S_ISDIR(st.st_mode);

  bool hasSlash = strchr(path, '/') != nullptr;
  bool endsWithSlash = path[strlen(path) - 1] == '/';
  bool mnt = strncmp(path, "/mnt", 4) == 0;
  if (!hasSlash) return isDir ? PATH_TAP_DIR : PATH_FILE_NAME;
  if (mnt) return endsWithSlash || isDir ? PATH_LINUX_DIR : PATH_LINUX_FILE;
  return endsWithSlash || isDir ? PATH_TAP_DIR : PATH_TAP_FILE;
}
