#include <string.h>

#include "lib/hdd/hdd.h"

namespace {
// Which piece of the assembled path becomes the result.
enum Piece { WHOLE, DIR_PART, NAME_PART };
}  // namespace

void ConvertPathType(const char* source, char* destination, dword wantedType) {
  if (!source || !destination || wantedType > PATH_LINUX_FILE) return;
  dword sourceType = GetPathType(source);
  bool wantsDir = wantedType == PATH_TAP_DIR || wantedType == PATH_LINUX_DIR;
  bool wantsLinux = wantedType == PATH_LINUX_DIR || wantedType == PATH_LINUX_FILE;
  bool relative = source[0] != '/';
  // Only "/mnt/hd" itself or a path below it is on the disk; "/mnt/hdb/..." is not.
  bool onDisk = strncmp(source, DISK_ROOT, DISK_ROOT_LENGTH) == 0 &&
                (source[DISK_ROOT_LENGTH] == '/' || source[DISK_ROOT_LENGTH] == '\0');

  // The result is assembled as ["/mnt/hd"] [current directory/] text, and then
  // the whole of it, its folder or its name is kept.
  bool possible = true;
  bool withRoot = false;
  bool withCurrent = false;
  const char* text = source;
  Piece piece = WHOLE;

  if (sourceType != wantedType) {
    switch (sourceType) {
      case PATH_FILE_NAME:
        // A file path needs a name; the folders are the current directory itself.
        if (wantsDir) text = "";
        possible = wantsDir || *source;
        withRoot = wantsLinux;
        withCurrent = true;
        break;
      case PATH_TAP_DIR:
        possible = wantedType == PATH_LINUX_DIR;
        withRoot = true;
        withCurrent = relative;
        break;
      case PATH_LINUX_DIR:
        possible = wantedType == PATH_LINUX_FILE || (wantedType == PATH_TAP_DIR && onDisk);
        // Only a path on the disk is long enough to lose its "/mnt/hd".
        if (wantedType == PATH_TAP_DIR && onDisk) text = source + DISK_ROOT_LENGTH;
        break;
      case PATH_TAP_FILE:
        withRoot = wantsLinux;
        withCurrent = wantsLinux && relative;
        piece = wantedType == PATH_FILE_NAME ? NAME_PART : wantsDir ? DIR_PART : WHOLE;
        break;
      case PATH_LINUX_FILE:
        if (wantedType == PATH_TAP_DIR || wantedType == PATH_TAP_FILE) {
          possible = onDisk && source[DISK_ROOT_LENGTH] == '/';
          if (onDisk) text = source + DISK_ROOT_LENGTH;
        }
        piece = wantedType == PATH_FILE_NAME ? NAME_PART : wantsDir ? DIR_PART : WHOLE;
        break;
      default:
        possible = false;
    }
  }
  // A folder is cut off at the text's last '/'; a text without one has none.
  if (piece == DIR_PART && !strchr(text, '/')) possible = false;

  char work[HDD_PATH_SIZE] = "";
  if (possible && withRoot) possible = HDD_PathAppend(work, DISK_ROOT);
  if (possible && withCurrent) {
    // Without a known current directory the routines work from the disk root; one
    // too long to be read makes every relative result impossible.
    char current[HDD_PATH_SIZE];
    possible = HDD_TAP_GetCurrentDir(current) != -1 && HDD_PathAppend(work, current) &&
               HDD_PathEndWithSlash(work);
  }
  possible = possible && HDD_PathAppend(work, text);

  const char* result = work;
  if (possible && piece == DIR_PART) {
    *strrchr(work, '/') = '\0';
  } else if (possible && piece == NAME_PART) {
    const char* slash = strrchr(work, '/');
    if (slash) result = slash + 1;
  }
  if (possible && wantsDir) possible = HDD_PathEndWithSlash(work);
  size_t capacity = wantedType == PATH_FILE_NAME ? HDD_FILE_NAME_SIZE : HDD_PATH_SIZE;
  if (!possible || strlen(result) >= capacity) {
    destination[0] = '\0';
    return;
  }
  memmove(destination, result, strlen(result) + 1);
}
