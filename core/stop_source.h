// Stop sources: what the event cycle arms when a key that may stop a playback or
// a recording passes by, and asks on the next event which file was stopped. What
// they find is the stopped file's state (core/stopped_file.h).
#ifndef SCRAPDECK_CORE_STOP_SOURCE_H
#define SCRAPDECK_CORE_STOP_SOURCE_H

#include "core/stopped_file.h"
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
  PLAY_PATH_SIZE = 255,  // the played file's absolute path, terminator included
};

// Arms the playback stop source on a stop key: null when prompt_on is
// PROMPT_ON_RECORD_ONLY, when nothing is played in play mode 2, or when the played
// path does not lie below the disk's own "/DataFiles" ("/mnt/hd/DataFiles/..."),
// has a "." or ".." part, or does not fit its buffer.
HANDLER* handler_play(int prompt_on);

// Arms the recording stop source on an OK key: takes a snapshot of the running
// recordings and their folders; null when prompt_on is PROMPT_ON_PLAY_ONLY or none
// runs.
HANDLER* handler_record(int prompt_on);

#endif
