// TGA reader: true-colour pictures of 24 or 32 bits, uncompressed or run-length encoded.

#include <vector>

#include "textures/decode.h"

namespace {

constexpr std::size_t HeaderSize = 18;
constexpr uint8_t TypeUncompressed = 2;
constexpr uint8_t TypeRunLength = 10;

// Pixel i of the picture (0 = first in file order) from a file pixel in B, G, R(, A).
void PutPixel(DecodedImage& image, std::size_t stride, std::size_t bytesPerPixel, std::size_t i,
              const uint8_t* source) {
  const std::size_t width = static_cast<std::size_t>(image.Width);
  uint8_t* p = image.Pixels.data() + (i / width) * stride + (i % width) * bytesPerPixel;
  p[0] = source[2];
  p[1] = source[1];
  p[2] = source[0];
  if (bytesPerPixel == 4) p[3] = source[3];
}

}  // namespace

TgaStatus DecodeTga(std::span<const uint8_t> bytes, DecodedImage& image, int maxSide) {
  if (bytes.size() < HeaderSize) return TgaStatus::HeaderShort;
  const uint8_t colourMapType = bytes[1];
  const uint8_t imageType = bytes[2];
  const int width = bytes[12] | bytes[13] << 8;
  const int height = bytes[14] | bytes[15] << 8;
  const uint8_t depth = bytes[16];

  if (imageType != TypeUncompressed && imageType != TypeRunLength) return TgaStatus::NotTrueColour;
  if (colourMapType != 0) return TgaStatus::ColourMapped;
  if (depth != 24 && depth != 32) return TgaStatus::BadDepth;
  if (width < 1 || height < 1) return TgaStatus::BadDimensions;
  if (width > maxSide || height > maxSide || uint64_t(width) * uint64_t(height) > MaxImagePixels) {
    image = DecodedImage{.Width = width, .Height = height, .Format = PixelFormatRGB, .Pixels = {}};
    return TgaStatus::TooLarge;
  }

  DecodedImage decoded;
  decoded.Width = width;
  decoded.Height = height;
  decoded.Format = depth == 32 ? PixelFormatRGBA : PixelFormatRGB;
  const std::size_t bytesPerPixel = depth / 8;
  const std::size_t stride = RowBytes(width, decoded.Format);
  const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);

  // The pixel data start right after the header (an identification field is not skipped).
  const std::span<const uint8_t> data = bytes.subspan(HeaderSize);

  if (imageType == TypeUncompressed) {
    if (data.size() < pixelCount * bytesPerPixel) return TgaStatus::DataShort;
    decoded.Pixels.assign(stride * static_cast<std::size_t>(height), 0);
    for (std::size_t i = 0; i < pixelCount; ++i)
      PutPixel(decoded, stride, bytesPerPixel, i, data.data() + i * bytesPerPixel);
  } else {
    // A packet of 1 + bytesPerPixel bytes gives at most 128 pixels: data too short to
    // cover the picture are refused before its buffer is allocated.
    const std::size_t fewestPackets = (pixelCount + 127) / 128;
    if (data.size() < fewestPackets * (1 + bytesPerPixel)) return TgaStatus::DataShort;
    decoded.Pixels.assign(stride * static_cast<std::size_t>(height), 0);
    std::size_t in = 0;
    std::size_t written = 0;
    while (written < pixelCount) {
      if (in >= data.size()) return TgaStatus::DataShort;
      const uint8_t count = data[in++];
      if (count < 128) {
        // Raw packet: count + 1 pixels follow.
        const std::size_t n = std::size_t(count) + 1;
        if (n > pixelCount - written) return TgaStatus::RunPastImage;
        if (n * bytesPerPixel > data.size() - in) return TgaStatus::DataShort;
        for (std::size_t k = 0; k < n; ++k, in += bytesPerPixel)
          PutPixel(decoded, stride, bytesPerPixel, written++, data.data() + in);
      } else {
        // Run packet: one pixel, written count - 127 times.
        const std::size_t n = std::size_t(count) - 127;
        if (n > pixelCount - written) return TgaStatus::RunPastImage;
        if (bytesPerPixel > data.size() - in) return TgaStatus::DataShort;
        for (std::size_t k = 0; k < n; ++k)
          PutPixel(decoded, stride, bytesPerPixel, written++, data.data() + in);
        in += bytesPerPixel;
      }
    }
  }
  image = std::move(decoded);
  return TgaStatus::Ok;
}
