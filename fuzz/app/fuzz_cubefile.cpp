// Any bytes as a saved-cube file: the check accepts exactly the records of 54 or more
// bytes whose first 54 are colour numbers 1..6, and explains every refusal.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/cubeformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string why;
  const bool accepted = CheckCubeBytes(data, size, "fuzz.tnl", why);

  bool expected = size >= CubeFileSize;
  for (size_t i = 0; expected && i < CubeFileSize; ++i) expected = data[i] >= 1 && data[i] <= 6;
  if (accepted != expected) std::abort();
  if (accepted != why.empty()) std::abort();

  // The same bytes as a file name: the name written always ends in ".tnl" and starts
  // with the name given.
  const std::string name(reinterpret_cast<const char*>(data), size);
  const std::string written = CubeFileNameFor(name);
  if (written.compare(0, name.size(), name) != 0) std::abort();
  if (written.size() < 4 || written.compare(written.size() - 4, 4, ".tnl") != 0) std::abort();
  return 0;
}
