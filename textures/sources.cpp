#include "textures/sources.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <map>
#include <utility>

namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// Key: (upper-cased name, type).
std::map<std::pair<std::string, std::string>, std::vector<uint8_t>>& Blocks() {
  static std::map<std::pair<std::string, std::string>, std::vector<uint8_t>> blocks;
  return blocks;
}

}  // namespace

bool ReadFileBytes(const std::string& fileName, std::vector<uint8_t>& bytes) {
  bytes.clear();
  // Opened without waiting: opening a named pipe or a device for reading may block
  // until someone writes. What is not a regular file is left unread.
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > MaxPictureFileBytes) {
    ::close(fd);
    return false;
  }
  // A regular file never blocks; reads then wait as for any file (a lock, say).
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  ::close(fd);
  return true;
}

bool FileExists(const std::string& fileName) {
  struct stat info {};
  return stat(fileName.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string EmbeddedBlockName(const std::string& fileName) {
  std::size_t dot = fileName.find('.');
  return dot == std::string::npos ? std::string() : fileName.substr(0, dot);
}

void RegisterEmbeddedBlock(const std::string& name, const std::string& type, std::vector<uint8_t> bytes) {
  Blocks()[{UpperAscii(name), type}] = std::move(bytes);
}

void ClearEmbeddedBlocks() { Blocks().clear(); }

const std::vector<uint8_t>* FindEmbeddedBlock(const std::string& fileName, const std::string& type) {
  auto it = Blocks().find({UpperAscii(EmbeddedBlockName(fileName)), type});
  return it == Blocks().end() ? nullptr : &it->second;
}
