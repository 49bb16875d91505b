// Where the settings file is kept, decided by folder permissions and
// XDG_CONFIG_HOME: the Linux rule (Windows has no such permissions to make
// under wine), so the Windows build leaves this file out.
#include "model/SettingsLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

// In a scratch folder: prog/ (site default "site", or a folder), home/, cfg/vq2x/ (a user's copy "user").
struct LocationCase {
  const char* name;
  bool writable, siteIsFolder, userCopy;
  // XDG_CONFIG_HOME ('/': in the scratch folder), the settings file, its content afterwards ("": none).
  const char *configHome, *expected, *content;
};

const LocationCase kCases[] = {
    {"WritableFolderKeepsItBeside", true, false, false, "/cfg", "prog/application.ini", "site"},
    {"ReadOnlyFolderCopiesTheSiteDefault", false, false, false, "/cfg", "cfg/vq2x/application.ini", "site"},
    {"UsersCopyIsNeverReplaced", false, false, true, "/cfg", "cfg/vq2x/application.ini", "user"},
    {"RelativeConfigHomeMeansHome", false, false, false, "cfg", "home/.config/vq2x/application.ini", "site"},
    {"UnreadableSiteDefaultIsSaid", false, true, false, "/cfg", "cfg/vq2x/application.ini", ""},
};

class SettingsLocationTest : public ::testing::TestWithParam<LocationCase> {};

TEST_P(SettingsLocationTest, DecidesTheFileAndSeedsItOnce) {
  const LocationCase& c = GetParam();
  const fs::path scratch = fs::temp_directory_path() / ("vq2x-location-" + std::to_string(::getpid()) + c.name);
  fs::create_directories(c.siteIsFolder ? scratch / "prog/application.ini" : scratch / "prog");
  if (!c.siteIsFolder) std::ofstream(scratch / "prog/application.ini") << "site";
  if (c.userCopy) fs::create_directories(scratch / "cfg/vq2x");
  if (c.userCopy) std::ofstream(scratch / "cfg/vq2x/application.ini") << "user";
  if (!c.writable) fs::permissions(scratch / "prog", fs::perms::owner_read | fs::perms::owner_exec);
  const std::string home = (scratch / "home").string();
  const std::string configHome = c.configHome[0] == '/' ? scratch.string() + c.configHome : c.configHome;
  const SettingsLocation location = LocateSettingsFile((scratch / "prog").string() + "/", [&](const char* name) {
    return std::string(name) == "HOME" ? home.c_str() : configHome.c_str();
  });
  EXPECT_EQ(location.path, (scratch / c.expected).string());
  EXPECT_EQ(location.besideProgram, c.writable);
  EXPECT_EQ(location.warning.empty(), !c.siteIsFolder) << location.warning;
  std::ifstream file(location.path);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), c.content);
  const auto folder = fs::status(fs::path(location.path).parent_path()).permissions() & fs::perms::all;
  EXPECT_TRUE(c.writable || c.userCopy || folder == fs::perms::owner_all);  // made for the user alone
  fs::permissions(scratch / "prog", fs::perms::owner_all);
  fs::remove_all(scratch);
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsLocationTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
