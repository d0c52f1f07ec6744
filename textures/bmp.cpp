// BMP reader: uncompressed 24-bit pictures.

#include <utility>
#include <vector>

#include "textures/decode.h"

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::size_t HeadersSize = FileHeaderSize + InfoHeaderSize;
constexpr uint64_t PaletteEntrySize = 4;   // blue, green, red, reserved

uint32_t ReadU32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
int32_t ReadS32(const uint8_t* p) { return static_cast<int32_t>(ReadU32(p)); }
uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

BmpStatus DecodeBmp(std::span<const uint8_t> bytes, DecodedImage& image, int maxSide) {
  if (bytes.size() < HeadersSize) return BmpStatus::HeaderShort;
  const uint8_t* info = bytes.data() + FileHeaderSize;
  const int32_t width = ReadS32(info + 4);
  const int32_t height = ReadS32(info + 8);
  const uint16_t bitCount = ReadU16(info + 14);
  const uint32_t sizeField = ReadU32(info + 20);
  const uint32_t coloursUsed = ReadU32(info + 32);

  // The colour table follows the headers; it is read past and not used. Being read
  // before the sizes are looked at, a short one is told first.
  const uint64_t paletteEnd = HeadersSize + coloursUsed * PaletteEntrySize;
  if (paletteEnd > bytes.size()) return BmpStatus::PaletteShort;

  // Top-down pictures (negative height) are not taken.
  if (width < 1 || height < 1) return BmpStatus::BadDimensions;
  if (width > maxSide || height > maxSide || uint64_t(width) * uint64_t(height) > MaxImagePixels) {
    image = DecodedImage{.Width = width, .Height = height, .Format = PixelFormatRGB, .Pixels = {}};
    return BmpStatus::TooLarge;
  }

  // Rows are stored padded to 4 bytes, as OpenGL reads them.
  const std::size_t stride = RowBytes(width, PixelFormatRGB);
  const uint64_t needed = static_cast<uint64_t>(stride) * static_cast<uint64_t>(height);
  uint64_t dataSize = sizeField;
  if (dataSize == 0)
    dataSize = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4 * static_cast<uint64_t>(height);
  if (dataSize < needed) return BmpStatus::SizeTooSmall;

  // The pixel data start where the file header says, when that is a place in the file
  // past the headers; otherwise right after the colour table.
  const uint64_t offset = ReadU32(bytes.data() + 10);
  const uint64_t start = offset >= HeadersSize && offset < bytes.size() ? offset : paletteEnd;
  if (start + dataSize > bytes.size()) return BmpStatus::DataShort;

  DecodedImage decoded;
  decoded.Width = width;
  decoded.Height = height;
  decoded.Format = PixelFormatRGB;
  decoded.Pixels.assign(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                        bytes.begin() + static_cast<std::ptrdiff_t>(start + needed));
  // Blue, green, red to red, green, blue, row by row; the padding stays as it is.
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* p = decoded.Pixels.data() + static_cast<std::size_t>(y) * stride;
    for (int32_t x = 0; x < width; ++x, p += 3) std::swap(p[0], p[2]);
  }
  image = std::move(decoded);
  return BmpStatus::Ok;
}
