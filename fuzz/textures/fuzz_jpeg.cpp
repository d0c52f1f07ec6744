// libFuzzer target: DecodeJpeg on arbitrary bytes, with the limits the program uses:
// they keep any input within the fuzzer's memory and time limits.

#include <cstddef>
#include <cstdint>
#include <span>

#include "textures/decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  DecodedImage image;
  if (DecodeJpeg(std::span<const uint8_t>(data, size), image) == JpegStatus::Ok) {
    // Every row the decoder promises must be there, and no more than the limits allow.
    const std::size_t rows = RowBytes(image.Width, image.Format) * static_cast<std::size_t>(image.Height);
    if (image.Width < 1 || image.Height < 1 || image.Pixels.size() != rows) __builtin_trap();
    // (An arithmetic-coded picture may have any number of pixels a byte: no check of that.)
    if (static_cast<uint64_t>(image.Width) * static_cast<uint64_t>(image.Height) > MaxImagePixels ||
        image.Width > MaxImageSide || image.Height > MaxImageSide)
      __builtin_trap();
  }
  return 0;
}
