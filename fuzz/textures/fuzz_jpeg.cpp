// libFuzzer target: DecodeJpeg on arbitrary bytes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "textures/decode.h"

// libjpeg decodes whatever a header announces, filling missing data with grey: keep
// the pictures small enough for the fuzzer's memory and time limits.
constexpr int FuzzMaxSide = 1024;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  DecodedImage image;
  if (DecodeJpeg(std::span<const uint8_t>(data, size), image, FuzzMaxSide) == JpegStatus::Ok) {
    // Every row the decoder promises must be there.
    const std::size_t rows = RowBytes(image.Width, image.Format) * static_cast<std::size_t>(image.Height);
    if (image.Width < 1 || image.Height < 1 || image.Pixels.size() != rows) __builtin_trap();
  }
  return 0;
}
