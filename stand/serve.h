// The live stand: the recorder served as one web page, with the screen, a remote
// control, the disk, the clock and the transcript, and the session so far saved as
// a scenario (stand/README.md, "The live stand").
#ifndef SCRAPDECK_STAND_SERVE_H
#define SCRAPDECK_STAND_SERVE_H

#include <string>
#include <vector>

namespace stand {

struct ServeOptions {
  std::string address = "127.0.0.1";  // loopback unless told otherwise
  int port = 8720;                    // 0: any free port (printed when serving)
  std::string image;                  // the plug-in image
  std::string diskFrom;               // a host folder the recorder's disk starts as a copy of
  std::string setup;                  // a scenario run before the session ("" = none)
};

// Reads "[ADDRESS:]PORT" into the options; false when it is not that.
bool ParseServeAddress(const std::string& text, ServeOptions& options);

// Starts the recorder (disk, set-up, plug-in) and serves the page until SIGINT or
// SIGTERM. Prints "serving http://ADDRESS:PORT/" once it listens. Returns the
// program's exit code: 0 after a signal, 1 when the set-up fails, 2 when it cannot
// read the set-up or listen.
int Serve(const ServeOptions& options);

}  // namespace stand

#endif
