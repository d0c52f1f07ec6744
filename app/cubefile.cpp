// File › Save and File › Open: writing and reading the saved-cube file.
//
// Open reads and checks the whole record before it touches anything, so a file that
// cannot be used leaves the cube, its drawing and History as they were. Save writes a
// new file next to the target and renames it over the target only when it is complete,
// so a failed Save leaves the old file intact.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/cubefile.h"
#include "app/handlers.h"
#include "app/state.h"
#include "cube/stickers.h"
#include "platform/platform.h"
#include "render/model.h"
#include "render/turn.h"

namespace {

// The caption of the box that reports a failed file command.
constexpr const char* FileErrorCaption = MainCaption;

constexpr const char* OverwriteQuestion = "Такой файл уже существует! Заменить его?";
constexpr const char* OverwriteTitle = "Предупреждение!";

bool FileExists(const std::string& name) {
  struct stat st;
  return ::stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// Reads up to size bytes; returns how many were read, or -1 with errno set.
ssize_t ReadFully(int fd, uint8_t* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::read(fd, buffer + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

bool WriteFully(int fd, const uint8_t* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::write(fd, buffer + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a new, empty file in the folder of target under a name nobody else uses.
// Returns its descriptor and name, or -1 with errno set.
int CreateTemporaryBeside(const std::string& target, std::string& tempName) {
  const std::string stem =
      DirectoryOf(target) + "/." + BaseNameOf(target) + "." + std::to_string(::getpid()) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempName = stem + std::to_string(attempt) + ".tmp";
    int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

void Save1Click() {
  if (TurnInProgress) return;
  std::string name;
  if (!SysSaveFileDialog(name)) return;
  if (FileExists(name) || FileExists(name + CubeFileExtension)) {
    if (!SysAskOkCancel(OverwriteQuestion, OverwriteTitle)) return;
  }
  const std::string error = WriteCubeFile(name);
  if (!error.empty()) SysMessageBox(error, FileErrorCaption);
}

void Open1Click() {
  if (TurnInProgress) return;
  std::string name;
  if (!SysOpenFileDialog(name)) return;
  const std::string error = ReadCubeFile(name);
  if (!error.empty()) SysMessageBox(error, FileErrorCaption);
}

std::string WriteCubeFile(const std::string& name) {
  std::string target = CubeFileNameFor(name);
  // A name that is a link stands for the file it leads to: that file gets the cube,
  // and the link stays.
  if (char* real = ::realpath(target.c_str(), nullptr)) {
    target = real;
    std::free(real);
  }
  // The rename below would replace a file whatever its protection; one that may not
  // be written is refused as writing it would be.
  struct stat old;
  const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  if (replacing && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
    return FileErrorText(errno);

  std::string tempName;
  const int fd = CreateTemporaryBeside(target, tempName);
  if (fd < 0) return FileErrorText(errno);

  int error = 0;
  if (!WriteFully(fd, Stickers, CubeFileSize)) error = errno;
  // A replaced file keeps its permissions.
  if (error == 0 && replacing) ::fchmod(fd, old.st_mode & 07777);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(tempName.c_str(), target.c_str()) != 0) error = errno;

  if (error != 0) {
    ::unlink(tempName.c_str());
    return FileErrorText(error);
  }
  return "";
}

std::string ReadCubeFile(const std::string& name) {
  // A special file (a pipe without a writer) must not hold the program up.
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return FileErrorText(errno);

  uint8_t bytes[CubeFileSize];
  const ssize_t got = ReadFully(fd, bytes, CubeFileSize);
  int error = got < 0 ? errno : 0;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) return FileErrorText(error);

  std::string why;
  if (!CheckCubeBytes(bytes, static_cast<size_t>(got), name, why)) return why;

  // Ticks run while the open dialog is up, so a turn may have started since the
  // command began; it belongs to the cube being replaced and would go on turning a
  // layer of the rebuilt one.
  DropTurnInProgress();
  BuildCubeGeometry();
  std::memcpy(Stickers, bytes, CubeFileSize);
  RecolorFromStickers();
  ClearStickerMarks();
  ClearHistory();
  return "";
}
