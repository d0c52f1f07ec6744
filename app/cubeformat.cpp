// The saved-cube file's format: the check of its bytes, the name it is
// written under and the texts of file errors. Nothing here touches the program's
// state, so the fuzzer takes this file alone.

#include <cerrno>

#include "app/cubeformat.h"

bool CheckCubeBytes(const uint8_t* data, std::size_t size, const std::string& name,
                    std::string& why) {
  if (data == nullptr || size < CubeFileSize) {
    why = FileErrorText(0);   // the standard text of a read past the end
    return false;
  }
  for (std::size_t i = 0; i < CubeFileSize; ++i) {
    if (data[i] < 1 || data[i] > 6) {
      why = name + " is not a cube file";
      return false;
    }
  }
  why.clear();
  return true;
}

std::string CubeFileNameFor(const std::string& name) {
  const std::string ext = CubeFileExtension;
  if (name.size() >= ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0)
    return name;
  return name + ext;
}

std::string FileErrorText(int error) {
  switch (error) {
    case 0:
      return "Read beyond end of file";
    case ENOENT:
    case ENOTDIR:
      return "File not found";
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
      return "File access denied";
    case ENOSPC:
    case EDQUOT:
      return "Disk full";
    default:
      return "I/O error " + std::to_string(error);
  }
}
