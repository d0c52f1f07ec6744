// File › Save and File › Open: writing and reading the saved-cube file.
//
// Open reads and checks the whole record before it touches anything, so a file that
// cannot be used leaves the cube, its drawing and History as they were. Save writes a
// new file next to the target and renames it over the target only when it is complete,
// so a failed Save leaves the old file intact. Where that rename would give another
// result than writing the file itself (a file with a second name, one of another
// owner or group, one in a folder that takes no new names), Save writes the file
// itself, over its old bytes, and puts them back when that write fails part way. A
// terminating signal waits until the Save is done or given up, so that no temporary
// file stays behind. Every file operation goes through platform/files.h.

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/cubeformat.h"
#include "app/entry.h"
#include "app/framekey.h"
#include "app/handlers.h"
#include "app/state.h"
#include "cube/stickers.h"
#include "platform/datafiles.h"
#include "platform/platform.h"
#include "render/model.h"
#include "render/turn.h"

namespace {

// The caption of the box that reports a failed file command.
constexpr const char* FileErrorCaption = MainCaption;

constexpr const char* OverwriteQuestion = "Такой файл уже существует! Заменить его?";
constexpr const char* OverwriteTitle = "Предупреждение!";

// Whether the file dialogs have their folder and filter. The folder is looked up when
// a dialog first runs, since looking it up may make the user's saves folder: nothing
// that never shows a dialog (the command-line tool, most tests) makes it. Written by
// PrepareFileDialogs and ForgetFileDialogs only.
bool FileDialogsReady = false;

void PrepareFileDialogs() {
  if (FileDialogsReady) return;
  SysSetFileDialogs(SavesFolder(), "*.tnl");
  FileDialogsReady = true;
}

// Whether a file name or name + ".tnl" is there. False, with error set, when that
// could not be found out.
bool EitherExists(const std::string& name, bool& exists, int& error) {
  for (const std::string& candidate : {name, name + CubeFileExtension}) {
    exists = SysFileExists(candidate);
    if (exists) return true;
    if (errno != 0) {
      error = errno;
      return false;
    }
  }
  return true;
}

// Reads up to size bytes; returns how many were read, or -1 with errno set.
long ReadFully(int fd, uint8_t* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    const long n = SysFileRead(fd, buffer + done, size - done);
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<long>(done);
}

// Writes all size bytes at the descriptor's offset; done says how many were written,
// also when a later write failed.
bool WriteFully(int fd, const uint8_t* buffer, size_t size, size_t& done) {
  done = 0;
  while (done < size) {
    const long n = SysFileWrite(fd, buffer + done, size - done);
    if (n < 0) return false;
    if (n == 0) {   // no room, and no error said so
      errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

bool WriteFully(int fd, const uint8_t* buffer, size_t size) {
  size_t done;
  return WriteFully(fd, buffer, size, done);
}

// Reads up to size bytes from offset 0 on; returns how many there were, or -1 with
// errno set.
long ReadFullyFromStart(int fd, uint8_t* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    const long n = SysFileReadAt(fd, buffer + done, size - done, done);
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<long>(done);
}

bool WriteFullyFromStart(int fd, const uint8_t* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    const long n = SysFileWriteAt(fd, buffer + done, size - done, done);
    if (n <= 0) return false;
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

// The last part of path, its name in DirectoryOf(path).
std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Links followed before a name counts as a loop of links, as the system counts them.
constexpr int LinkLimit = 40;

// Follows path through its links to the file they lead to; a link's text is taken
// relative to the link's folder. path then names that file, or where it is to be made
// when the last link leads nowhere (exists false). Returns 0 or the error.
int FollowLinks(std::string& path, bool& exists, SysFileInfo& info) {
  for (int hop = 0; hop <= LinkLimit; ++hop) {
    if (!SysFileInfoAt(path, false, info)) {
      if (errno != ENOENT) return errno;
      exists = false;
      return 0;
    }
    if (info.Kind != SysFileKind::Link) {
      exists = true;
      return 0;
    }
    std::string text;
    if (!SysFileReadLink(path, text)) return errno;
    if (text.empty()) return ENOENT;
    path = text[0] == '/' ? text : DirectoryOf(path) + "/" + text;
  }
  return ELOOP;
}

// A name of ten characters, however long the target's own name is.
std::string TemporaryName() {
  static uint64_t counter = 0;
  uint64_t x = static_cast<uint64_t>(
                   std::chrono::steady_clock::now().time_since_epoch().count()) ^
               (++counter * 0x9E3779B97F4A7C15ull);
  x ^= x >> 31;
  x *= 0xBF58476D1CE4E5B9ull;
  x ^= x >> 29;
  static const char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = ".tnl";
  for (int i = 0; i < 6; ++i, x /= 36) name += Letters[x % 36];
  return name;
}

// Creates a new, empty file in folder under a name nobody else uses. Returns its
// descriptor and name, or -1 with errno set.
int CreateTemporaryIn(int folder, std::string& tempName) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempName = TemporaryName();
    const int fd = SysFileCreateIn(folder, tempName, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

void DiscardTemporary(int folder, int fd, const std::string& tempName) {
  const int error = errno;
  SysFileClose(fd);
  SysFileRemoveIn(folder, tempName);
  errno = error;
}

// Writes the 54 bytes over the file target itself. The file is never emptied first:
// the new bytes go over the old ones from the start, and the file is cut to 54 bytes
// only once they are on the disk. When the write fails part way, the old bytes are
// put back (a file that may be written but not read has none to put back).
std::string WriteInPlace(const std::string& target) {
  const int fd = SysFileOpenUpdate(target);
  if (fd < 0) return FileErrorText(errno);
  uint8_t before[CubeFileSize];
  const long kept = ReadFullyFromStart(fd, before, CubeFileSize);
  if (kept < 0 && errno != EBADF) {
    const int error = errno;
    SysFileClose(fd);
    return FileErrorText(error);
  }

  int error = 0;
  size_t written = 0;
  if (!WriteFully(fd, Stickers, CubeFileSize, written)) {
    error = errno;
    if (written > 0 && kept >= 0 && WriteFullyFromStart(fd, before, static_cast<size_t>(kept)) &&
        static_cast<size_t>(kept) < CubeFileSize)
      SysFileTruncate(fd, static_cast<uint64_t>(kept));
  }
  if (error == 0 && !SysFileSync(fd)) error = errno;
  // Bytes after the 54th are never read; a file that had them loses them.
  if (error == 0 && !SysFileTruncate(fd, CubeFileSize)) error = errno;
  if (!SysFileClose(fd) && error == 0) error = errno;
  return error == 0 ? std::string() : FileErrorText(error);
}

enum class Match { Same, Differs, Failed };

// Gives the new file fd the owner, group and permissions of the file old it is to
// replace. Differs when it cannot have them (another owner, a group it may not take,
// permissions it may not have); Failed, with errno set, when fd could not be looked at.
Match MatchOldFile(int fd, const SysFileInfo& old) {
  SysFileInfo made;
  if (!SysFileInfoOf(fd, made)) return Match::Failed;
  if (made.Owner != old.Owner) return Match::Differs;
  if (made.Group != old.Group && !SysFileSetGroup(fd, old.Group)) return Match::Differs;
  if (!SysFileSetMode(fd, old.Mode)) return Match::Differs;
  return Match::Same;
}

// Writes a new file in folder and renames it to target's name there: the old file, if
// any (exists, old), stays whole until the new one is complete and on the disk.
std::string ReplaceInFolder(int folder, const std::string& target, bool exists,
                            const SysFileInfo& old) {
  std::string tempName;
  const int fd = CreateTemporaryIn(folder, tempName);
  if (fd < 0) {
    // A folder that takes no new names may still hold a file that may be written.
    if (exists && (errno == EACCES || errno == EPERM)) return WriteInPlace(target);
    return FileErrorText(errno);
  }
  if (exists) {
    const Match match = MatchOldFile(fd, old);
    if (match != Match::Same) {
      DiscardTemporary(folder, fd, tempName);
      if (match == Match::Failed) return FileErrorText(errno);
      return WriteInPlace(target);
    }
  }

  int error = 0;
  if (!WriteFully(fd, Stickers, CubeFileSize)) error = errno;
  if (error == 0 && !SysFileSync(fd)) error = errno;
  if (!SysFileClose(fd) && error == 0) error = errno;
  if (error == 0 && !SysFileRenameIn(folder, tempName, NameOf(target))) error = errno;
  if (error == 0) {
    // The rename lasts only once the folder is on the disk too.
    if (!SysFolderSync(folder)) return FileErrorText(errno);
    return "";
  }

  SysFileRemoveIn(folder, tempName);
  // The folder would not let the name be replaced (a sticky folder, say): the file
  // itself may still be written.
  if (exists && (error == EACCES || error == EPERM)) return WriteInPlace(target);
  return FileErrorText(error);
}

std::string SaveStickers(std::string target) {
  // A name that is a link stands for the file it leads to: that file gets the cube
  // (and is made when it is not there), and the link stays.
  bool exists = false;
  SysFileInfo old;
  if (const int error = FollowLinks(target, exists, old)) return FileErrorText(error);

  if (exists) {
    if (old.Kind == SysFileKind::Directory) return FileErrorText(EISDIR);
    // A pipe or a device is no place for a cube, and writing one may wait for ever.
    if (old.Kind != SysFileKind::Regular) return FileErrorText(EACCES);
    // The rename below would replace a file whatever its protection; one that may not
    // be written is refused as writing it would be.
    if (!SysFileMayWrite(target)) return FileErrorText(errno);
    // The file's other names would go on showing the old cube.
    if (old.Links > 1) return WriteInPlace(target);
  }

  // The new file is made and renamed inside the open folder, so a target whose path is
  // as long as the system allows leaves room for the temporary name beside it.
  const int folder = SysFolderOpen(DirectoryOf(target));
  if (folder < 0) return FileErrorText(errno);
  const std::string result = ReplaceInFolder(folder, target, exists, old);
  SysFileClose(folder);   // read only: closing it loses nothing
  return result;
}

}  // namespace

void Save1Click() {
  if (TurnInProgress) return;
  PrepareFileDialogs();
  std::string name;
  if (!SysSaveFileDialog(name)) return;
  bool exists = false;
  int error = 0;
  if (!EitherExists(name, exists, error)) {
    SysMessageBox(FileErrorText(error), FileErrorCaption);
    return;
  }
  if (exists && !SysAskOkCancel(OverwriteQuestion, OverwriteTitle)) return;
  const std::string written = WriteCubeFile(name);
  if (written.empty())
    MarkEditsSaved();
  else
    SysMessageBox(written, FileErrorCaption);
}

void Open1Click() {
  if (TurnInProgress) return;
  PrepareFileDialogs();
  std::string name;
  if (!SysOpenFileDialog(name)) return;
  const std::string error = ReadCubeFile(name);
  if (!error.empty()) SysMessageBox(error, FileErrorCaption);
  // The opened cube is drawn now: the File menu that chose Open holds the timer, and
  // a compositor shows the old picture again once the dialog has gone.
  RedrawIfChanged();
}

void ForgetFileDialogs() { FileDialogsReady = false; }

std::string WriteCubeFile(const std::string& name) {
  SysHoldTermination();
  const std::string result = SaveStickers(CubeFileNameFor(name));
  SysReleaseTermination();
  return result;
}

std::string ReadCubeFile(const std::string& name) {
  // The open does not wait (a pipe without a writer reads as empty), but a pipe or a
  // terminal with a writer is read until the writer closes it, however it sends the
  // bytes.
  const int fd = SysFileOpenReadToEnd(name);
  if (fd < 0) return FileErrorText(errno);

  uint8_t bytes[CubeFileSize];
  const long got = ReadFully(fd, bytes, CubeFileSize);
  int error = got < 0 ? errno : 0;
  if (!SysFileClose(fd) && error == 0) error = errno;
  if (error != 0) return FileErrorText(error);

  std::string why;
  if (!CheckCubeBytes(bytes, static_cast<size_t>(got), name, why)) return why;
  ShowOpenedCube(bytes);
  return "";
}

void ShowOpenedCube(const uint8_t* bytes) {
  // Ticks run while the open dialog is up, so a turn may have started since the
  // command began; it belongs to the cube being replaced and would go on turning a
  // layer of the rebuilt one.
  DropTurnInProgress();
  BuildCubeGeometry();
  std::memcpy(Stickers, bytes, CubeFileSize);
  RecolorFromStickers();
  ClearStickerMarks();
  ClearHistory();
  ForgetEdits();
}
