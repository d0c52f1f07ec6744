#pragma once
// The file operations of platform/files.h done by the POSIX system calls. Each window
// system answers the Sys file functions with these; the headless one counts the calls
// first.

#include "platform/files.h"

namespace posixfiles {

bool Exists(const std::string& name);
bool InfoAt(const std::string& name, bool followLinks, SysFileInfo& info);
bool InfoOf(int fd, SysFileInfo& info);
bool ReadLink(const std::string& name, std::string& target);
bool MayWrite(const std::string& name);
int OpenRead(const std::string& name);
int OpenReadToEnd(const std::string& name);
int OpenUpdate(const std::string& name);
long Read(int fd, void* buffer, std::size_t size);
long ReadAt(int fd, void* buffer, std::size_t size, uint64_t offset);
long Write(int fd, const void* buffer, std::size_t size);
long WriteAt(int fd, const void* buffer, std::size_t size, uint64_t offset);
bool Truncate(int fd, uint64_t size);
bool Sync(int fd);
bool SetMode(int fd, uint32_t mode);
bool SetGroup(int fd, uint32_t group);
bool Close(int fd);
int FolderOpen(const std::string& name);
int CreateIn(int folder, const std::string& name, uint32_t mode);
bool RenameIn(int folder, const std::string& from, const std::string& to);
bool RemoveIn(int folder, const std::string& name);
bool FolderSync(int folder);
void HoldTermination();
void ReleaseTermination();

}  // namespace posixfiles
