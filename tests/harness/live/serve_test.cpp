// The live stand's reading of the address it listens on, and its remote control.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "stand/scenario.h"
#include "stand/serve.h"

extern "C" const char scrapdeck_stand_remote[];  // the remote control the page lays out

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

// Every button of the page's remote sends a key the scenario language names, once.
TEST(Serve, RemoteKeysAreKeysOfTheLanguage) {
  const std::string remote = scrapdeck_stand_remote;
  const std::regex key("\"key\": *\"([^\"]*)\"");
  std::set<std::string> seen;
  for (std::sregex_iterator it(remote.begin(), remote.end(), key), end; it != end; ++it) {
    dword code;
    EXPECT_TRUE(stand::KeyCode((*it)[1], code)) << (*it)[1];
    EXPECT_TRUE(seen.insert((*it)[1]).second) << (*it)[1] << " twice";
  }
  EXPECT_GE(seen.size(), 12u);
}

}  // namespace
