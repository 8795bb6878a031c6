// The stopped file's state.
#include "core/stopped_file.h"

#include <string.h>

char* filename = nullptr;
char* filedir = nullptr;
char filetitle[FILETITLE_SIZE] = "";
int filelen = 0;
char topdir[TOPDIR_SIZE] = RECORDINGS_TOP_DIR;
char rec_filename[REC_TUNERS][REC_FILENAME_SIZE];
word rec_tuner[REC_TUNERS];
int n_tuner = 0;
char rec_filedir[REC_TUNERS][REC_FILEDIR_SIZE];
bool rec_elsewhere[REC_TUNERS];

void stopped_file_reset(void) {
  filename = filedir = nullptr;
  memset(filetitle, 0, sizeof filetitle);
  filelen = 0;
  memcpy(topdir, RECORDINGS_TOP_DIR, sizeof topdir);
  memset(rec_filename, 0, sizeof rec_filename);
  memset(rec_tuner, 0, sizeof rec_tuner);
  n_tuner = 0;
  memset(rec_filedir, 0, sizeof rec_filedir);
  memset(rec_elsewhere, 0, sizeof rec_elsewhere);
}
