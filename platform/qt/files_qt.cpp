// The file functions of the real program: the POSIX ones, as they are. No toolkit is
// needed for files.

#include "platform/files.h"
#include "platform/posix_files.h"

bool SysFileExists(const std::string& name) { return posixfiles::Exists(name); }
bool SysFileInfoAt(const std::string& name, bool followLinks, SysFileInfo& info) {
  return posixfiles::InfoAt(name, followLinks, info);
}
bool SysFileInfoOf(int fd, SysFileInfo& info) { return posixfiles::InfoOf(fd, info); }
bool SysFileReadLink(const std::string& name, std::string& target) {
  return posixfiles::ReadLink(name, target);
}
bool SysFileMayWrite(const std::string& name) { return posixfiles::MayWrite(name); }
int SysFileOpenRead(const std::string& name) { return posixfiles::OpenRead(name); }
int SysFileOpenReadToEnd(const std::string& name) { return posixfiles::OpenReadToEnd(name); }
int SysFileOpenUpdate(const std::string& name) { return posixfiles::OpenUpdate(name); }
long SysFileRead(int fd, void* buffer, std::size_t size) { return posixfiles::Read(fd, buffer, size); }
long SysFileReadAt(int fd, void* buffer, std::size_t size, uint64_t offset) {
  return posixfiles::ReadAt(fd, buffer, size, offset);
}
long SysFileWrite(int fd, const void* buffer, std::size_t size) {
  return posixfiles::Write(fd, buffer, size);
}
long SysFileWriteAt(int fd, const void* buffer, std::size_t size, uint64_t offset) {
  return posixfiles::WriteAt(fd, buffer, size, offset);
}
bool SysFileTruncate(int fd, uint64_t size) { return posixfiles::Truncate(fd, size); }
bool SysFileSync(int fd) { return posixfiles::Sync(fd); }
bool SysFileSetMode(int fd, uint32_t mode) { return posixfiles::SetMode(fd, mode); }
bool SysFileSetGroup(int fd, uint32_t group) { return posixfiles::SetGroup(fd, group); }
bool SysFileClose(int fd) { return posixfiles::Close(fd); }
int SysFolderOpen(const std::string& name) { return posixfiles::FolderOpen(name); }
int SysFileCreateIn(int folder, const std::string& name, uint32_t mode) {
  return posixfiles::CreateIn(folder, name, mode);
}
bool SysFileRenameIn(int folder, const std::string& from, const std::string& to) {
  return posixfiles::RenameIn(folder, from, to);
}
bool SysFileRemoveIn(int folder, const std::string& name) { return posixfiles::RemoveIn(folder, name); }
bool SysFolderSync(int folder) { return posixfiles::FolderSync(folder); }
void SysHoldTermination() { posixfiles::HoldTermination(); }
void SysReleaseTermination() { posixfiles::ReleaseTermination(); }
