#pragma once
// What Tornelo asks of the file system: the few operations the saved-cube file needs.
//
// Every function that can fail returns false (or -1) and leaves the error number in
// errno, as the system call underneath does. No open ever waits for another program:
// opening a pipe or a device neither blocks nor hangs. Descriptors are the system's.
// platform/posix_files.cpp does the real work for every window system; the headless
// one counts the calls and can make a chosen one fail (platform/headless/headless.h).

#include <cstddef>
#include <cstdint>
#include <string>

enum class SysFileKind { Regular, Directory, Link, Special };

struct SysFileInfo {
  SysFileKind Kind = SysFileKind::Regular;
  uint32_t Mode = 0;      // permission bits, 07777
  uint32_t Owner = 0;     // user id
  uint32_t Group = 0;     // group id
  uint64_t Links = 0;     // names the file has
  uint64_t Size = 0;      // bytes
};

// True when name is a file (anything but a folder, a link followed to its end).
// False with errno 0 when there is none by that name (or the name cannot be one),
// false with errno set when the test itself failed.
bool SysFileExists(const std::string& name);
// What name is; a link itself when followLinks is false.
bool SysFileInfoAt(const std::string& name, bool followLinks, SysFileInfo& info);
// True when name is a regular file (a link followed to its end): the only kind the
// program reads as one of its own files (the face pictures). A pipe, a device or a
// folder by that name counts as no such file.
inline bool SysIsRegularFile(const std::string& name) {
  SysFileInfo info;
  return SysFileInfoAt(name, true, info) && info.Kind == SysFileKind::Regular;
}
// What the open file fd is.
bool SysFileInfoOf(int fd, SysFileInfo& info);
// The text of the link name: where it leads, as written into it.
bool SysFileReadLink(const std::string& name, std::string& target);
// Whether this program may write to the file name.
bool SysFileMayWrite(const std::string& name);

// An existing file for reading, without waiting: a read of a pipe or a device that has
// nothing to give fails with EAGAIN. Returns the descriptor, or -1.
int SysFileOpenRead(const std::string& name);
// An existing file for reading to its end. The open does not wait (a named pipe that
// nobody writes to reads as empty), but the reads of a pipe or a terminal do, as a
// shell's do: each waits for what the writer sends, until the writer closes it.
int SysFileOpenReadToEnd(const std::string& name);
// An existing file for writing in place, nothing cut off: for reading and writing, or
// for writing only when it may not be read. Returns the descriptor, or -1.
int SysFileOpenUpdate(const std::string& name);
// Reads up to size bytes; returns how many were read (0 at the end), or -1.
long SysFileRead(int fd, void* buffer, std::size_t size);
// The same at a given offset, leaving the descriptor's own offset where it was.
long SysFileReadAt(int fd, void* buffer, std::size_t size, uint64_t offset);
// Writes up to size bytes; returns how many were written, or -1.
long SysFileWrite(int fd, const void* buffer, std::size_t size);
long SysFileWriteAt(int fd, const void* buffer, std::size_t size, uint64_t offset);
// Cuts the file off (or extends it with zeros) at size bytes.
bool SysFileTruncate(int fd, uint64_t size);
// Puts what was written on the disk.
bool SysFileSync(int fd);
// Sets the permission bits and the group of an open file.
bool SysFileSetMode(int fd, uint32_t mode);
bool SysFileSetGroup(int fd, uint32_t group);
// Closes fd (a file's or a folder's); the descriptor is gone whether or not this
// succeeds.
bool SysFileClose(int fd);

// The folder name, for naming files in it: a path as long as the system allows leaves
// no room for a longer name beside it, a name inside the open folder always has.
// Returns the descriptor (closed with SysFileClose), or -1.
int SysFolderOpen(const std::string& name);
// A new file that no other name had, in folder, for writing, with permissions mode
// (less the process's mask). Returns the descriptor, or -1.
int SysFileCreateIn(int folder, const std::string& name, uint32_t mode);
// Gives the file from the name to in folder, replacing what to named, in one step.
bool SysFileRenameIn(int folder, const std::string& from, const std::string& to);
// Removes the name in folder (and the file when it was its last name).
bool SysFileRemoveIn(int folder, const std::string& name);
// Puts the folder's names on the disk, so that a rename in it lasts. A folder this
// program may not read, or a file system that keeps no such order, counts as done.
bool SysFolderSync(int folder);

// Between these two a terminating signal (SIGHUP, SIGINT, SIGQUIT, SIGTERM) is held
// back and acts only at the release, so that what lies between is never left half
// done. Pairs may nest; signals the process ignores stay ignored.
void SysHoldTermination();
void SysReleaseTermination();
