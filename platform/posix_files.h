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
int Create(const std::string& name, uint32_t mode);
int OpenRead(const std::string& name);
int OpenRewrite(const std::string& name);
long Read(int fd, void* buffer, std::size_t size);
long Write(int fd, const void* buffer, std::size_t size);
bool Sync(int fd);
bool SetMode(int fd, uint32_t mode);
bool SetGroup(int fd, uint32_t group);
bool Close(int fd);
bool Rename(const std::string& from, const std::string& to);
bool Remove(const std::string& name);

}  // namespace posixfiles
