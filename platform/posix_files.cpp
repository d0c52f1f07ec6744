// The file operations on POSIX. Interrupted calls are repeated; every descriptor is
// opened close-on-exec and non-blocking, so that opening a pipe or a device never
// waits for another program (a regular file is read and written as ever); only a file
// read to its end is switched to waiting reads once it is open.

#include "platform/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>

namespace posixfiles {

namespace {

void Describe(const struct stat& st, SysFileInfo& info) {
  if (S_ISREG(st.st_mode))
    info.Kind = SysFileKind::Regular;
  else if (S_ISDIR(st.st_mode))
    info.Kind = SysFileKind::Directory;
  else if (S_ISLNK(st.st_mode))
    info.Kind = SysFileKind::Link;
  else
    info.Kind = SysFileKind::Special;
  info.Mode = static_cast<uint32_t>(st.st_mode & 07777);
  info.Owner = static_cast<uint32_t>(st.st_uid);
  info.Group = static_cast<uint32_t>(st.st_gid);
  info.Links = static_cast<uint64_t>(st.st_nlink);
  info.Size = st.st_size < 0 ? 0 : static_cast<uint64_t>(st.st_size);
}

int OpenRetrying(int folder, const std::string& name, int flags, mode_t mode) {
  int fd;
  do fd = ::openat(folder, name.c_str(), flags | O_CLOEXEC | O_NONBLOCK, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

int OpenRetrying(const std::string& name, int flags, mode_t mode) {
  return OpenRetrying(AT_FDCWD, name, flags, mode);
}

// The terminating signals SysHoldTermination holds back, and what the process did with
// each before the hold.
constexpr int HeldSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM};
constexpr int HeldCount = static_cast<int>(sizeof HeldSignals / sizeof HeldSignals[0]);
struct sigaction ActionsBeforeHold[HeldCount];
bool HandledDuringHold[HeldCount];
int HoldDepth = 0;
// The signal that came while held (0: none). Any thread may take it.
volatile sig_atomic_t SignalDuringHold = 0;

void NoteHeldSignal(int signal) { SignalDuringHold = signal; }

}  // namespace

bool Exists(const std::string& name) {
  struct stat st;
  if (::stat(name.c_str(), &st) == 0) {
    errno = 0;
    return !S_ISDIR(st.st_mode);
  }
  // No such file; or a name that no file can have.
  if (errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG) errno = 0;
  return false;
}

bool InfoAt(const std::string& name, bool followLinks, SysFileInfo& info) {
  struct stat st;
  if ((followLinks ? ::stat(name.c_str(), &st) : ::lstat(name.c_str(), &st)) != 0) return false;
  Describe(st, info);
  return true;
}

bool InfoOf(int fd, SysFileInfo& info) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return false;
  Describe(st, info);
  return true;
}

bool ReadLink(const std::string& name, std::string& target) {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink(name.c_str(), buffer, sizeof buffer);
  if (n < 0) return false;
  if (static_cast<size_t>(n) >= sizeof buffer) {
    errno = ENAMETOOLONG;
    return false;
  }
  target.assign(buffer, static_cast<size_t>(n));
  return true;
}

bool MayWrite(const std::string& name) {
  return ::faccessat(AT_FDCWD, name.c_str(), W_OK, AT_EACCESS) == 0;
}

int OpenRead(const std::string& name) { return OpenRetrying(name, O_RDONLY, 0); }

int OpenReadToEnd(const std::string& name) {
  const int fd = OpenRetrying(name, O_RDONLY, 0);
  if (fd < 0) return -1;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

int OpenUpdate(const std::string& name) {
  const int fd = OpenRetrying(name, O_RDWR, 0);
  if (fd >= 0 || errno != EACCES) return fd;
  return OpenRetrying(name, O_WRONLY, 0);
}

long Read(int fd, void* buffer, std::size_t size) {
  ssize_t n;
  do n = ::read(fd, buffer, size);
  while (n < 0 && errno == EINTR);
  return static_cast<long>(n);
}

long ReadAt(int fd, void* buffer, std::size_t size, uint64_t offset) {
  ssize_t n;
  do n = ::pread(fd, buffer, size, static_cast<off_t>(offset));
  while (n < 0 && errno == EINTR);
  return static_cast<long>(n);
}

long Write(int fd, const void* buffer, std::size_t size) {
  ssize_t n;
  do n = ::write(fd, buffer, size);
  while (n < 0 && errno == EINTR);
  return static_cast<long>(n);
}

long WriteAt(int fd, const void* buffer, std::size_t size, uint64_t offset) {
  ssize_t n;
  do n = ::pwrite(fd, buffer, size, static_cast<off_t>(offset));
  while (n < 0 && errno == EINTR);
  return static_cast<long>(n);
}

bool Truncate(int fd, uint64_t size) {
  int result;
  do result = ::ftruncate(fd, static_cast<off_t>(size));
  while (result != 0 && errno == EINTR);
  return result == 0;
}

bool Sync(int fd) { return ::fsync(fd) == 0; }

bool SetMode(int fd, uint32_t mode) { return ::fchmod(fd, static_cast<mode_t>(mode & 07777)) == 0; }

bool SetGroup(int fd, uint32_t group) {
  return ::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(group)) == 0;
}

bool Close(int fd) {
  // The descriptor is released even when close reports an error, so it is never
  // closed again; an interrupted close has still closed it.
  return ::close(fd) == 0 || errno == EINTR;
}

int FolderOpen(const std::string& name) {
  const int fd = OpenRetrying(name, O_RDONLY | O_DIRECTORY, 0);
  if (fd >= 0 || errno != EACCES) return fd;
  // A folder that may be entered and written but not read: names in it still work.
  return OpenRetrying(name, O_PATH | O_DIRECTORY, 0);
}

int CreateIn(int folder, const std::string& name, uint32_t mode) {
  return OpenRetrying(folder, name, O_WRONLY | O_CREAT | O_EXCL, static_cast<mode_t>(mode));
}

bool RenameIn(int folder, const std::string& from, const std::string& to) {
  return ::renameat(folder, from.c_str(), folder, to.c_str()) == 0;
}

bool RemoveIn(int folder, const std::string& name) { return ::unlinkat(folder, name.c_str(), 0) == 0; }

bool FolderSync(int folder) {
  const int flags = ::fcntl(folder, F_GETFL);
  if (flags >= 0 && (flags & O_PATH) != 0) return true;   // opened without reading
  return ::fsync(folder) == 0 || errno == EINVAL;
}

void HoldTermination() {
  if (HoldDepth++ > 0) return;
  SignalDuringHold = 0;
  struct sigaction note = {};
  note.sa_handler = NoteHeldSignal;
  note.sa_flags = SA_RESTART;
  sigemptyset(&note.sa_mask);
  for (const int signal : HeldSignals) sigaddset(&note.sa_mask, signal);
  for (int i = 0; i < HeldCount; ++i) {
    HandledDuringHold[i] = false;
    if (::sigaction(HeldSignals[i], nullptr, &ActionsBeforeHold[i]) != 0) continue;
    if (!(ActionsBeforeHold[i].sa_flags & SA_SIGINFO) && ActionsBeforeHold[i].sa_handler == SIG_IGN)
      continue;
    HandledDuringHold[i] = ::sigaction(HeldSignals[i], &note, nullptr) == 0;
  }
}

void ReleaseTermination() {
  if (HoldDepth == 0 || --HoldDepth > 0) return;
  for (int i = 0; i < HeldCount; ++i)
    if (HandledDuringHold[i]) ::sigaction(HeldSignals[i], &ActionsBeforeHold[i], nullptr);
  // What the process would have done with it then, it does now: with the default
  // action, it ends here.
  if (const int signal = SignalDuringHold) {
    SignalDuringHold = 0;
    ::raise(signal);
  }
}

}  // namespace posixfiles
