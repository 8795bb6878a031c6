// Stop sources: what the event cycle arms when a key that may stop a playback or
// a recording passes by, and asks on the next event which file was stopped.
//
// The module state names the stopped file. filename and filedir point into
// buffers owned by the arming functions (the played path) or into this module
// (rec_filename, topdir); they stay valid until the next arming.
#ifndef SCRAPDECK_CORE_HANDLER_H
#define SCRAPDECK_CORE_HANDLER_H

#include "host/tap.h"

class HANDLER {
 public:
  // The kind text ("Playback", "Recording") when a stopped file is identified and
  // still exists, with filename, filedir, filelen and filetitle set; else null.
  virtual const char* get_type() = 0;

  // The common tail of both kinds: enters filedir, checks that filename is there
  // and that the deletion could take it, and takes the title from the name. type
  // on success, null otherwise.
  const char* set_type(const char* type);
};

class PLAY : public HANDLER {
 public:
  const char* get_type() override;
};

class RECORD : public HANDLER {
 public:
  const char* get_type() override;
};

enum : dword {
  FILETITLE_SIZE = 128,
  REC_TUNERS = 4,                                      // record slots looked at when arming
  REC_FILENAME_SIZE = sizeof(TYPE_RecInfo::fileName),  // every name the firmware reports
  REC_FILEDIR_SIZE = 512,
  PLAY_PATH_SIZE = 255,  // the played file's absolute path, terminator included
};

extern char* filename;                  // name of the stopped recording with its extension
extern char* filedir;                   // its directory below the disk root, "/DataFiles..."
extern char filetitle[FILETITLE_SIZE];  // filename without its 4-character extension
extern int filelen;                     // length of filename
extern char topdir[11];                 // "/DataFiles"
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

// Arms the playback stop source on a stop key: null when prompt_on is 2 (only
// recordings prompt), when nothing is played in play mode 2, or when the played
// path does not lie below the disk's own "/DataFiles" ("/mnt/hd/DataFiles/..."),
// has a "." or ".." part, or does not fit its buffer.
HANDLER* handler_play(int prompt_on);

// Arms the recording stop source on an OK key: takes a snapshot of the running
// recordings and their folders; null when prompt_on is 1 (only playbacks prompt) or
// none runs.
HANDLER* handler_record(int prompt_on);

#endif
