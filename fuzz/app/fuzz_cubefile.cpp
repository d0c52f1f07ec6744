// Any bytes as a saved-cube file: the check accepts exactly the records of 54 or more
// bytes whose first 54 are colour numbers 1..6, and explains every refusal. The first
// 54 bytes (padded with zeros) also go to the check of the cube, which must say why a
// cube cannot be solved, and call solvable only a cube with nine of every colour and
// six different centres.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/cubeformat.h"
#include "cube/diagnose.h"

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

  uint8_t cube[StickerCount] = {};
  std::memcpy(cube, data, size < sizeof cube ? size : sizeof cube);
  const std::vector<CubeFault> faults = DiagnoseCube(cube);
  for (const CubeFault& f : faults)
    if (f.Text.empty()) std::abort();
  if (faults.empty()) {
    int count[7] = {};
    for (uint8_t c : cube) {
      if (c < 1 || c > 6) std::abort();
      ++count[c];
    }
    for (int c = 1; c <= 6; ++c)
      if (count[c] != 9) std::abort();
    unsigned centres = 0;
    for (int f = 0; f < 6; ++f) centres |= 1u << cube[9 * f + 4];
    if (centres != 0x7Eu) std::abort();
  }
  return 0;
}
