// libFuzzer target: DecodeTga on arbitrary bytes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "textures/decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  DecodedImage image;
  if (DecodeTga(std::span<const uint8_t>(data, size), image) == TgaStatus::Ok) {
    // Every row the decoder promises must be there.
    const std::size_t rows = RowBytes(image.Width, image.Format) * static_cast<std::size_t>(image.Height);
    if (image.Width < 1 || image.Height < 1 || image.Pixels.size() != rows) __builtin_trap();
  }
  return 0;
}
