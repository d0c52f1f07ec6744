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
int SysFileCreate(const std::string& name, uint32_t mode) { return posixfiles::Create(name, mode); }
int SysFileOpenRead(const std::string& name) { return posixfiles::OpenRead(name); }
int SysFileOpenRewrite(const std::string& name) { return posixfiles::OpenRewrite(name); }
long SysFileRead(int fd, void* buffer, std::size_t size) { return posixfiles::Read(fd, buffer, size); }
long SysFileWrite(int fd, const void* buffer, std::size_t size) {
  return posixfiles::Write(fd, buffer, size);
}
bool SysFileSync(int fd) { return posixfiles::Sync(fd); }
bool SysFileSetMode(int fd, uint32_t mode) { return posixfiles::SetMode(fd, mode); }
bool SysFileSetGroup(int fd, uint32_t group) { return posixfiles::SetGroup(fd, group); }
bool SysFileClose(int fd) { return posixfiles::Close(fd); }
bool SysFileRename(const std::string& from, const std::string& to) {
  return posixfiles::Rename(from, to);
}
bool SysFileRemove(const std::string& name) { return posixfiles::Remove(name); }
