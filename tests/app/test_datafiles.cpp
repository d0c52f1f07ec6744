// Where the face pictures and example cubes are found, and which folder the file
// dialogs start in. Each test works in its own temporary folder and puts the working
// directory, HOME and XDG_DATA_HOME back afterwards.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/datafiles.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class DataFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tornelo-datafiles-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Root = pattern;
    Saved = fs::current_path();
    for (const char* name : {"HOME", "XDG_DATA_HOME"}) {
      const char* value = std::getenv(name);
      Env.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    fs::create_directories(Root / "cwd");
    fs::current_path(Root / "cwd");
    setenv("HOME", (Root / "home").c_str(), 1);
    fs::create_directories(Root / "home");
  }
  void TearDown() override {
    fs::current_path(Saved);
    for (const auto& [name, value] : Env) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
    fs::remove_all(Root);
  }

  fs::path Root, Saved;
  std::vector<std::pair<std::string, std::optional<std::string>>> Env;
};

TEST_F(DataFiles, WorkingDirectoryThenBesideTheProgramThenConfiguredOnlyRegularFiles) {
  // An installed program at Root/inst/games/tornelo; its data folder Root/inst/share/tornelo.
  std::vector<std::string> folders = DataFolders((Root / "inst/games/tornelo").string());
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(folders[0], "");
  // The configured folder stands last; a test folder takes its place.
  folders[2] = (Root / "configured").string();
  const fs::path beside = Root / "inst/share/tornelo";
  fs::create_directories(Root / "inst/games");

  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
    Write(beside / name, "beside");
    Write(Root / "configured" / name, "configured");
  }
  Write(Root / "cwd/a.jpg", "cwd");
  fs::create_directories(Root / "cwd/b.jpg");   // a folder of that name does not count
  fs::create_directories(Root / "cwd/c.jpg");
  fs::remove(beside / "c.jpg");
  fs::create_directories(beside / "c.jpg");

  EXPECT_EQ(FindDataFileIn("a.jpg", folders), "a.jpg");
  EXPECT_EQ(Read(FindDataFileIn("b.jpg", folders)), "beside");
  EXPECT_EQ(Read(FindDataFileIn("c.jpg", folders)), "configured");
  EXPECT_EQ(FindDataFileIn("d.jpg", folders), "d.jpg");   // nowhere: the bare name

  // The running program's own folder is the one beside its executable.
  char exe[PATH_MAX] = {};
  ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
  EXPECT_EQ(DataFolders()[1], fs::path(exe).parent_path().string() + "/../share/tornelo");
}

TEST_F(DataFiles, UserSavesFolderMadeOnceWithTheExamplesAndTheUsersFilesKept) {
  setenv("XDG_DATA_HOME", (Root / "xdg/data").c_str(), 1);   // not there yet
  const std::vector<std::string> folders = {"", (Root / "none").string(), (Root / "data").string()};
  Write(Root / "data/Saves/superflip.tnl", "example superflip");
  Write(Root / "data/Saves/scrambled.tnl", "example scrambled");

  const fs::path saves = Root / "xdg/data/tornelo/Saves";
  EXPECT_EQ(SavesFolder(folders), saves.string());
  EXPECT_EQ(Read(saves / "superflip.tnl"), "example superflip");
  EXPECT_EQ(Read(saves / "scrambled.tnl"), "example scrambled");

  // The user's own changes stay: an example saved over, another deleted.
  Write(saves / "superflip.tnl", "mine");
  fs::remove(saves / "scrambled.tnl");
  EXPECT_EQ(SavesFolder(folders), saves.string());
  EXPECT_EQ(Read(saves / "superflip.tnl"), "mine");
  EXPECT_FALSE(fs::exists(saves / "scrambled.tnl"));

  // A Saves folder in the working directory comes first and nothing else is touched.
  fs::remove_all(Root / "xdg");
  fs::create_directories(Root / "cwd/Saves");
  EXPECT_EQ(SavesFolder(folders), "./Saves");
  EXPECT_FALSE(fs::exists(Root / "xdg"));
}

TEST_F(DataFiles, SavesFolderDefaultsUnderHomeAndFallsBackToHome) {
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(SavesFolder({""}), (Root / "home/.local/share/tornelo/Saves").string());
  EXPECT_TRUE(fs::is_directory(Root / "home/.local/share/tornelo/Saves"));

  // A data folder that cannot be made (even by root: its parent is a file).
  Write(Root / "file", "");
  setenv("XDG_DATA_HOME", (Root / "file/data").c_str(), 1);
  EXPECT_EQ(SavesFolder({""}), (Root / "home").string());
}

}  // namespace
