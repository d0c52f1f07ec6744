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

// Whether this write is the one asked to fail part way: it then writes only the first
// half, and the operation after it fails in its place.
bool WritesHalf(std::size_t size) {
  if (!Headless.FileFailurePartWay || size < 2 || Headless.FileOpsUntilFailure != 1) return false;
  Headless.FileFailurePartWay = false;
  Headless.FileOpsUntilFailure = 2;   // this write is counted by Fails below, not failed
  return true;
}

}  // namespace

void HeadlessFailFileOp(int n, int error, bool partWay) {
  Headless.FileOpsUntilFailure = n > 0 ? n : 0;
  Headless.FileFailureError = error;
  Headless.FileFailurePartWay = partWay && n > 0;
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

int SysFileOpenRead(const std::string& name) {
  if (Fails("open read")) return -1;
  return posixfiles::OpenRead(name);
}

int SysFileOpenReadToEnd(const std::string& name) {
  if (Fails("open read to end")) return -1;
  return posixfiles::OpenReadToEnd(name);
}

int SysFileOpenUpdate(const std::string& name) {
  if (Fails("open update")) return -1;
  return posixfiles::OpenUpdate(name);
}

long SysFileRead(int fd, void* buffer, std::size_t size) {
  if (Fails("read")) return -1;
  return posixfiles::Read(fd, buffer, size);
}

long SysFileReadAt(int fd, void* buffer, std::size_t size, uint64_t offset) {
  if (Fails("read at")) return -1;
  return posixfiles::ReadAt(fd, buffer, size, offset);
}

long SysFileWrite(int fd, const void* buffer, std::size_t size) {
  if (WritesHalf(size)) {
    Fails("write");
    Headless.FailedFileOp = "short write";
    return posixfiles::Write(fd, buffer, size / 2);
  }
  if (Fails("write")) return -1;
  return posixfiles::Write(fd, buffer, size);
}

long SysFileWriteAt(int fd, const void* buffer, std::size_t size, uint64_t offset) {
  if (WritesHalf(size)) {
    Fails("write at");
    Headless.FailedFileOp = "short write at";
    return posixfiles::WriteAt(fd, buffer, size / 2, offset);
  }
  if (Fails("write at")) return -1;
  return posixfiles::WriteAt(fd, buffer, size, offset);
}

bool SysFileTruncate(int fd, uint64_t size) {
  if (Fails("truncate")) return false;
  return posixfiles::Truncate(fd, size);
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

int SysFolderOpen(const std::string& name) {
  if (Fails("open folder")) return -1;
  return posixfiles::FolderOpen(name);
}

int SysFileCreateIn(int folder, const std::string& name, uint32_t mode) {
  if (Fails("create")) return -1;
  return posixfiles::CreateIn(folder, name, mode);
}

bool SysFileRenameIn(int folder, const std::string& from, const std::string& to) {
  if (Fails("rename")) return false;
  return posixfiles::RenameIn(folder, from, to);
}

bool SysFileRemoveIn(int folder, const std::string& name) {
  if (Fails("unlink")) return false;
  return posixfiles::RemoveIn(folder, name);
}

bool SysFolderSync(int folder) {
  if (Fails("sync folder")) return false;
  return posixfiles::FolderSync(folder);
}

// Signals are no file operation: never counted, never failed.
void SysHoldTermination() { posixfiles::HoldTermination(); }
void SysReleaseTermination() { posixfiles::ReleaseTermination(); }
