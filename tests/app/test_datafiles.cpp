// Where the face pictures and example cubes are found, and which folder the file
// dialogs start in. Each test works in its own temporary folder and puts the working
// directory, HOME and XDG_DATA_HOME back afterwards.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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

TEST_F(DataFiles, WorkingDirectoryThenTheProgramsFolderThenBesideItThenConfiguredOnlyRegularFiles) {
  // An installed program at Root/inst/games/tornelo; its data folder Root/inst/share/tornelo.
  std::vector<std::string> folders = DataFolders((Root / "inst/games/tornelo").string());
  ASSERT_EQ(folders.size(), 4u);
  EXPECT_EQ(folders[0], "");
  EXPECT_EQ(folders[1], (Root / "inst/games").string());
  // The configured folder stands last; a test folder takes its place.
  folders[3] = (Root / "configured").string();
  const fs::path own = Root / "inst/games";
  const fs::path beside = Root / "inst/share/tornelo";

  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "e.jpg"}) {
    Write(beside / name, "beside");
    Write(Root / "configured" / name, "configured");
  }
  Write(own / "e.jpg", "own");
  Write(Root / "cwd/a.jpg", "cwd");
  fs::create_directories(Root / "cwd/b.jpg");   // a folder of that name does not count
  fs::create_directories(Root / "cwd/c.jpg");
  fs::remove(beside / "c.jpg");
  fs::create_directories(beside / "c.jpg");

  EXPECT_EQ(FindDataFileIn("a.jpg", folders), "a.jpg");
  EXPECT_EQ(Read(FindDataFileIn("b.jpg", folders)), "beside");
  EXPECT_EQ(Read(FindDataFileIn("c.jpg", folders)), "configured");
  EXPECT_EQ(Read(FindDataFileIn("e.jpg", folders)), "own");
  EXPECT_EQ(FindDataFileIn("d.jpg", folders), "d.jpg");   // nowhere: the bare name
}

TEST_F(DataFiles, UserSavesFolderMadeOnceWithTheExamplesAndTheUsersFilesKept) {
  fs::create_directories(Root / "xdg");
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

TEST_F(DataFiles, SavesFolderDefaultsUnderHomeAndNeverMakesAHomeOrDataFolder) {
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(SavesFolder({""}), (Root / "home/.local/share/tornelo/Saves").string());
  EXPECT_TRUE(fs::is_directory(Root / "home/.local/share/tornelo/Saves"));

  // A data folder whose parent is not there is not made: the home folder instead.
  setenv("XDG_DATA_HOME", (Root / "xdg/data").c_str(), 1);
  EXPECT_EQ(SavesFolder({""}), (Root / "home").string());
  EXPECT_FALSE(fs::exists(Root / "xdg"));

  // A home that is not there: nothing is made, the dialogs start in the working one.
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", (Root / "gone/deep").c_str(), 1);
  EXPECT_EQ(SavesFolder({""}), ".");
  EXPECT_FALSE(fs::exists(Root / "gone"));
}

}  // namespace
