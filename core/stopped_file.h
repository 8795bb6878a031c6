// The stopped file: the module state that names the recording whose stop the event cycle
// prompts for. The stop sources fill it while arming and identifying; the prompt reads the
// title, and "Delete" the folder and the name.
//
// filename and filedir point into the playback arming's path buffer (a played file) or
// into this module (rec_filename, rec_filedir, topdir); they stay valid until the next
// arming.
#ifndef SCRAPDECK_CORE_STOPPED_FILE_H
#define SCRAPDECK_CORE_STOPPED_FILE_H

#include "host/tap.h"

// The recordings' top folder below the disk root.
#define RECORDINGS_TOP_DIR "/DataFiles"

enum : dword {
  FILETITLE_SIZE = 128,
  TOPDIR_SIZE = sizeof RECORDINGS_TOP_DIR,
  REC_TUNERS = 4,                                      // record slots looked at when arming
  REC_FILENAME_SIZE = sizeof(TYPE_RecInfo::fileName),  // every name the firmware reports
  REC_FILEDIR_SIZE = 512,
};

extern char* filename;                  // name of the stopped recording with its extension
extern char* filedir;                   // its directory below the disk root, "/DataFiles..."
extern char filetitle[FILETITLE_SIZE];  // filename without its 4-character extension
extern int filelen;                     // length of filename
extern char topdir[TOPDIR_SIZE];        // RECORDINGS_TOP_DIR
// Recordings that ran when the recording stop source was armed: entry k is the
// file name of the recording in record slot rec_tuner[k]; n_tuner entries are valid.
extern char rec_filename[REC_TUNERS][REC_FILENAME_SIZE];
extern word rec_tuner[REC_TUNERS];
extern int n_tuner;
// The folder of entry k below the disk root ("/DataFiles/News") as the firmware's
// record-file array names it; empty when the firmware names none, and then the
// recording is looked for in topdir. rec_elsewhere[k] is true when the firmware
// records it anywhere but below the disk's own "/DataFiles": nothing to prompt for.
extern char rec_filedir[REC_TUNERS][REC_FILEDIR_SIZE];
extern bool rec_elsewhere[REC_TUNERS];

// Puts the stopped file's state back as at the plug-in's start: nothing named.
void stopped_file_reset(void);

#endif
