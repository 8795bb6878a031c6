// The live stand's reading of the address it listens on.
#include <gtest/gtest.h>

#include "stand/serve.h"

namespace {

TEST(Serve, AddressAndPort) {
  struct Row {
    const char* text;
    bool ok;
    const char* address;
    int port;
  } rows[] = {
      {"8720", true, "127.0.0.1", 8720},
      {"0", true, "127.0.0.1", 0},
      {"127.0.0.1:9000", true, "127.0.0.1", 9000},
      {"0.0.0.0:65535", true, "0.0.0.0", 65535},
      {"::1:8720", true, "::1", 8720},
      {"[::1]:8720", true, "::1", 8720},
      {"[]:8720", false, "", 0},
      {"localhost:1", true, "localhost", 1},
      {"65536", false, "", 0},
      {":8720", false, "", 0},
      {"127.0.0.1:", false, "", 0},
      {"127.0.0.1", false, "", 0},
      {"-1", false, "", 0},
      {"87 20", false, "", 0},
      {"999999", false, "", 0},
      {"", false, "", 0},
  };
  for (const Row& r : rows) {
    stand::ServeOptions options;
    ASSERT_EQ(stand::ParseServeAddress(r.text, options), r.ok) << r.text;
    if (!r.ok) continue;
    EXPECT_EQ(options.address, r.address) << r.text;
    EXPECT_EQ(options.port, r.port) << r.text;
  }
}

}  // namespace
