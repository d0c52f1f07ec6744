#include "textures/sources.h"

#include "platform/platform.h"

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
  // The file seam opens without waiting: opening a named pipe or a device for reading
  // could block until someone writes. What is not a regular file is left unread.
  const int fd = SysFileOpenRead(fileName);
  if (fd < 0) return false;
  SysFileInfo info;
  if (!SysFileInfoOf(fd, info) || info.Kind != SysFileKind::Regular ||
      info.Size > static_cast<uint64_t>(MaxPictureFileBytes)) {
    SysFileClose(fd);
    return false;
  }
  bytes.resize(static_cast<std::size_t>(info.Size));
  std::size_t got = 0;
  bool failed = false;
  while (got < bytes.size()) {
    const long n = SysFileRead(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0) failed = true;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  // A read error part way is no picture, whatever arrived before it; a file that got
  // shorter since it was looked at is read as it is now.
  if (failed) {
    bytes.clear();
    SysFileClose(fd);
    return false;
  }
  bytes.resize(got);
  SysFileClose(fd);
  return true;
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
