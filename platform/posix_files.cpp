// The file operations on POSIX. Interrupted calls are repeated; every descriptor is
// opened close-on-exec and non-blocking, so that neither opening nor reading a pipe or
// a device waits for another program (a regular file is read and written as ever).

#include "platform/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

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

int OpenRetrying(const std::string& name, int flags, mode_t mode) {
  int fd;
  do fd = ::open(name.c_str(), flags | O_CLOEXEC | O_NONBLOCK, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

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

int Create(const std::string& name, uint32_t mode) {
  return OpenRetrying(name, O_WRONLY | O_CREAT | O_EXCL, static_cast<mode_t>(mode));
}

int OpenRead(const std::string& name) { return OpenRetrying(name, O_RDONLY, 0); }

int OpenRewrite(const std::string& name) { return OpenRetrying(name, O_WRONLY | O_TRUNC, 0); }

long Read(int fd, void* buffer, std::size_t size) {
  ssize_t n;
  do n = ::read(fd, buffer, size);
  while (n < 0 && errno == EINTR);
  return static_cast<long>(n);
}

long Write(int fd, const void* buffer, std::size_t size) {
  ssize_t n;
  do n = ::write(fd, buffer, size);
  while (n < 0 && errno == EINTR);
  return static_cast<long>(n);
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

bool Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool Remove(const std::string& name) { return ::unlink(name.c_str()) == 0; }

}  // namespace posixfiles
