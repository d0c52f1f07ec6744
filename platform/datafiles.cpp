// The program's data files and the user's saves folder (POSIX only, no toolkit).

#include "platform/datafiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "/" + name;
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string OwnExecutable() {
  std::string path(256, '\0');
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) return "";
    if (static_cast<size_t>(n) < path.size()) {
      path.resize(static_cast<size_t>(n));
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const passwd* entry = getpwuid(getuid());
  return entry && entry->pw_dir ? entry->pw_dir : "";
}

// Makes the folders of below that are missing under base, an existing folder (private
// to the user, as the XDG folders are); base itself is never made. True when
// base/below is a folder at the end.
bool MakeFoldersUnder(const std::string& base, const std::string& below) {
  if (!IsDirectory(base)) return false;
  const std::string prefix = base == "/" ? base : base + "/";
  for (size_t slash = below.find('/');; slash = below.find('/', slash + 1)) {
    const std::string path = prefix + below.substr(0, slash);
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  return IsDirectory(prefix + below);
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Copies from to a new file to; a file (or link) already at to is left alone.
void CopyToNewFile(const std::string& from, const std::string& to) {
  const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return;
  const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (out < 0) {
    close(in);
    return;
  }
  bool ok = true;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    if (!WriteAll(out, buffer, static_cast<size_t>(n))) {
      ok = false;
      break;
    }
  }
  close(in);
  if (close(out) != 0) ok = false;
  if (!ok) unlink(to.c_str());   // our own half-written copy, not the user's file
}

void CopyExampleCubes(const std::string& from, const std::string& to) {
  DIR* folder = opendir(from.c_str());
  if (!folder) return;
  while (const dirent* entry = readdir(folder)) {
    const std::string name = entry->d_name;
    if (name.size() <= 4 || name.compare(name.size() - 4, 4, ".tnl") != 0) continue;
    if (IsRegularFile(Join(from, name))) CopyToNewFile(Join(from, name), Join(to, name));
  }
  closedir(folder);
}

}  // namespace

std::vector<std::string> DataFolders(const std::string& exePath) {
  std::vector<std::string> folders{""};
  const size_t slash = exePath.rfind('/');
  if (slash != std::string::npos) {
    const std::string own = slash == 0 ? "/" : exePath.substr(0, slash);
    folders.push_back(own);   // a build tree keeps the pictures beside the program
    folders.push_back(Join(own, TORNELO_DATA_FROM_PROGRAM));
  }
#ifdef TORNELO_DATA_DIR
  folders.push_back(TORNELO_DATA_DIR);
#endif
  return folders;
}

std::vector<std::string> DataFolders() { return DataFolders(OwnExecutable()); }

std::string FindDataFileIn(const std::string& name, const std::vector<std::string>& folders) {
  for (const std::string& folder : folders)
    if (IsRegularFile(Join(folder, name))) return Join(folder, name);
  return name;
}

std::string FindDataFile(const std::string& name) { return FindDataFileIn(name, DataFolders()); }

std::string SavesFolder(const std::vector<std::string>& dataFolders) {
  if (IsDirectory("Saves")) return "./Saves";

  // The folder is made in the user's data folder, which is made too when the folder
  // above it is there; or under the home folder as .local/share/tornelo/Saves. A home
  // folder that is not there is never made.
  const std::string home = HomeFolder();
  std::string base, below;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') {   // relative values do not count, as for every XDG variable
    std::string data = xdg;
    while (data.size() > 1 && data.back() == '/') data.pop_back();
    const size_t slash = data.rfind('/');
    base = slash == 0 ? "/" : data.substr(0, slash);
    below = (slash + 1 < data.size() ? data.substr(slash + 1) + "/" : "") + "tornelo/Saves";
  } else if (!home.empty()) {
    base = home;
    below = ".local/share/tornelo/Saves";
  }
  const std::string fallback = IsDirectory(home) ? home : ".";
  if (base.empty()) return fallback;

  const std::string saves = (base == "/" ? base : base + "/") + below;
  if (IsDirectory(saves)) return saves;
  if (!MakeFoldersUnder(base, below)) return fallback;
  for (const std::string& folder : dataFolders) {
    if (IsDirectory(Join(folder, "Saves"))) {
      CopyExampleCubes(Join(folder, "Saves"), saves);
      break;
    }
  }
  return saves;
}

std::string SavesFolder() { return SavesFolder(DataFolders()); }
