#include "textures/sources.h"

#include <sys/stat.h>

#include <cstdio>
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
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (!file) return false;
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(file);
    return false;
  }
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file);
  bytes.resize(got);
  std::fclose(file);
  return true;
}

bool FileExists(const std::string& fileName) {
  struct stat info {};
  return stat(fileName.c_str(), &info) == 0;
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
