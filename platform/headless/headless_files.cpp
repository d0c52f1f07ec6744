// The file functions of the headless window system: the real ones, counted, with one
// failure on request.

#include <cerrno>

#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/posix_files.h"

namespace {

// Counts one operation; true when it is the one that must fail (errno is then set).
bool Fails(const char* op) {
  ++Headless.FileOps;
  if (Headless.FileOpsUntilFailure <= 0 || --Headless.FileOpsUntilFailure > 0) return false;
  Headless.FailedFileOp = op;
  errno = Headless.FileFailureError;
  return true;
}

}  // namespace

void HeadlessFailFileOp(int n, int error) {
  Headless.FileOpsUntilFailure = n > 0 ? n : 0;
  Headless.FileFailureError = error;
  Headless.FailedFileOp.clear();
}

bool SysFileExists(const std::string& name) {
  if (Fails("exists")) return false;
  return posixfiles::Exists(name);
}

bool SysFileInfoAt(const std::string& name, bool followLinks, SysFileInfo& info) {
  if (Fails(followLinks ? "stat" : "lstat")) return false;
  return posixfiles::InfoAt(name, followLinks, info);
}

bool SysFileInfoOf(int fd, SysFileInfo& info) {
  if (Fails("fstat")) return false;
  return posixfiles::InfoOf(fd, info);
}

bool SysFileReadLink(const std::string& name, std::string& target) {
  if (Fails("readlink")) return false;
  return posixfiles::ReadLink(name, target);
}

bool SysFileMayWrite(const std::string& name) {
  if (Fails("access")) return false;
  return posixfiles::MayWrite(name);
}

int SysFileCreate(const std::string& name, uint32_t mode) {
  if (Fails("create")) return -1;
  return posixfiles::Create(name, mode);
}

int SysFileOpenRead(const std::string& name) {
  if (Fails("open read")) return -1;
  return posixfiles::OpenRead(name);
}

int SysFileOpenRewrite(const std::string& name) {
  if (Fails("open rewrite")) return -1;
  return posixfiles::OpenRewrite(name);
}

long SysFileRead(int fd, void* buffer, std::size_t size) {
  if (Fails("read")) return -1;
  return posixfiles::Read(fd, buffer, size);
}

long SysFileWrite(int fd, const void* buffer, std::size_t size) {
  if (Fails("write")) return -1;
  return posixfiles::Write(fd, buffer, size);
}

bool SysFileSync(int fd) {
  if (Fails("sync")) return false;
  return posixfiles::Sync(fd);
}

bool SysFileSetMode(int fd, uint32_t mode) {
  if (Fails("chmod")) return false;
  return posixfiles::SetMode(fd, mode);
}

bool SysFileSetGroup(int fd, uint32_t group) {
  if (Fails("chgrp")) return false;
  return posixfiles::SetGroup(fd, group);
}

bool SysFileClose(int fd) {
  if (Fails("close")) {
    const int error = errno;
    posixfiles::Close(fd);
    errno = error;
    return false;
  }
  return posixfiles::Close(fd);
}

bool SysFileRename(const std::string& from, const std::string& to) {
  if (Fails("rename")) return false;
  return posixfiles::Rename(from, to);
}

bool SysFileRemove(const std::string& name) {
  if (Fails("unlink")) return false;
  return posixfiles::Remove(name);
}
