// File › Save and File › Open, the saved-cube file, and the recolouring of the drawn
// cube from Stickers.
//
// Open reads and checks the whole record before it touches anything, so a file that
// cannot be used leaves the cube, its drawing and History as they were. Save writes a
// new file next to the target and renames it over the target only when it is complete,
// so a failed Save leaves the old file intact.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/cubefile.h"
#include "app/handlers.h"
#include "app/state.h"
#include "cube/stickers.h"
#include "platform/platform.h"
#include "render/geometry.h"

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

// The six tests that find the face, row and column of a sticker quad from the mean of
// its corners; a later test that holds overrides an earlier one.
constexpr double FaceLimit = 2.9;

// The nearest integer, halves to even.
int R(double v) { return static_cast<int>(std::lrint(v)); }

struct QuadPlace {
  int Face = 0, Row = 0, Col = 0;
};

void LocateQuad(double mx, double my, double mz, QuadPlace& place) {
  if (mx > FaceLimit) place = {1, R(my / 2 + 2), R(mz / 2 + 2)};
  if (mx < -FaceLimit) place = {2, R(-my / 2 + 2), R(mz / 2 + 2)};
  if (my > FaceLimit) place = {3, R(-mx / 2 + 2), R(mz / 2 + 2)};
  if (my < -FaceLimit) place = {4, R(-mx / 2 + 2), R(-mz / 2 + 2)};
  if (mz > FaceLimit) place = {5, R(-mx / 2 + 2), R(-my / 2 + 2)};
  if (mz < -FaceLimit) place = {6, R(-mx / 2 + 2), R(my / 2 + 2)};
}

bool InRange(int v, int low, int high) { return v >= low && v <= high; }

// Stickers already show the turn in progress as finished, so a quad of a turning
// cubie is placed where it will rest when the turn ends, not where it is drawn now.
void PlaceAtTurnEnd(int c, double& mx, double& my, double& mz) {
  if (!TurnInProgress) return;
  for (int i = 1; i <= 9; ++i) {
    if (MovingCubies[i] != c) continue;
    Point3 p{static_cast<float>(mx), static_cast<float>(my), static_cast<float>(mz)};
    TurnRotate(p, TurnStep < 0 ? -TurnRemaining : TurnRemaining);
    mx = p.x;
    my = p.y;
    mz = p.z;
    return;
  }
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
  ClearHistory();
  return "";
}

void RecolorFromStickers() {
  // A quad that none of the tests places (a layer caught mid-turn) takes the place
  // found for the quad before it in this pass; before the first placed quad such a
  // quad keeps its colour.
  QuadPlace place;
  for (int c = 1; c <= 27; ++c) {
    for (int f = 1; f <= 6; ++f) {
      StickerQuad& quad = CubeGeometry[c].Stickers[f];
      if (!quad.Present) continue;
      double mx = 0, my = 0, mz = 0;
      for (int i = 1; i <= 4; ++i) {
        mx += quad.Corners[i].x;
        my += quad.Corners[i].y;
        mz += quad.Corners[i].z;
      }
      mx /= 4;
      my /= 4;
      mz /= 4;
      PlaceAtTurnEnd(c, mx, my, mz);
      LocateQuad(mx, my, mz, place);
      if (place.Face == 0 || !InRange(place.Row, 1, 3) || !InRange(place.Col, 1, 3)) continue;
      const int k = StickerAt(place.Face, place.Row, place.Col);
      if (!InRange(k, 1, 6)) continue;
      for (int ch = 0; ch < 3; ++ch) quad.Colour[ch] = static_cast<float>(FaceColors[k][ch]);
    }
  }
}
