#pragma once
// Decoding of the three picture formats, apart from OpenGL: each decoder takes the
// bytes of a whole file (or embedded block) and gives the pixels that MakeGLTexture
// takes, or says why it could not. Nothing here touches a file, a window or GL.
//
// Rows are laid out as OpenGL reads them with its default unpack alignment of 4:
// every row starts at a multiple of 4 bytes (RowBytes), the bytes between rows are 0.

#include <cstdint>
#include <span>
#include <vector>

// Pixel formats, the values of GL_RGB and GL_RGBA.
constexpr unsigned int PixelFormatRGB = 0x1907;
constexpr unsigned int PixelFormatRGBA = 0x1908;

// Largest width or height a reader accepts. It also keeps every size within the
// 16-bit arguments of MakeGLTexture.
constexpr int MaxImageSide = 16384;

// Most pixels a reader accepts, 2048 x 2048 in any shape: more than twice the detail a
// face shows on a 1080-line screen, and a picture that size costs the process about
// 60 MB (16 MB decoded, the texture with its mipmaps, the mipmap builder's scratch);
// 4096 x 4096 would cost 230 MB. A run-length TGA or a JPEG can announce far more
// pixels than its file holds; this keeps what any picture file costs bounded.
constexpr uint64_t MaxImagePixels = 2048 * 2048;

struct DecodedImage {
  int Width = 0;
  int Height = 0;
  unsigned int Format = PixelFormatRGB;   // PixelFormatRGB: R, G, B; PixelFormatRGBA: R, G, B, A
  std::vector<uint8_t> Pixels;            // Height rows of RowBytes(Width, Format)
};

// Bytes of one row as OpenGL reads it: width pixels, rounded up to a multiple of 4.
inline std::size_t RowBytes(int width, unsigned int format) {
  std::size_t packed = static_cast<std::size_t>(width) * (format == PixelFormatRGBA ? 4 : 3);
  return (packed + 3) & ~static_cast<std::size_t>(3);
}

// --- BMP: uncompressed 24-bit pictures ---------------------------------------------
// Rows in file order (bottom row first for the usual bottom-up file), R, G, B.
enum class BmpStatus {
  Ok,
  HeaderShort,     // fewer than the 14 + 40 header bytes
  PaletteShort,    // colour table announced by the colours-used field runs past the end
  BadDimensions,   // width or height not in 1..maxSide (top-down files included), or
                   // more than MaxImagePixels pixels
  SizeTooSmall,    // image-size field smaller than the padded rows it must hold
  DataShort,       // fewer pixel bytes than the image-size field gives
};
BmpStatus DecodeBmp(std::span<const uint8_t> bytes, DecodedImage& image, int maxSide = MaxImageSide);

// --- JPEG (libjpeg) ----------------------------------------------------------------
// Bottom row first, R, G, B, 255.
//
// A JPEG header may announce any size, and libjpeg fills what the data do not give
// with grey; a progressive file may repeat scans without end. So a picture is refused
// before anything is decoded when it announces more than MaxImagePixels pixels, or
// more than MaxJpegPixelsPerByte pixels for every byte of the file (Huffman coding
// spends at least one bit on every 8 x 8 block, 512 pixels a byte: the limit is twice
// what the plainest honest picture reaches); and while decoding when it has more than
// MaxJpegScans scans (encoders write about ten), when libjpeg would need more than
// MaxJpegWorkBytes of its own memory (a progressive picture at the pixel limit needs
// 24 MB), or when data are missing or damaged (premature end of the file or of a data
// segment, a bad Huffman or arithmetic code, a lost restart marker).
constexpr uint64_t MaxJpegPixelsPerByte = 1024;
constexpr int MaxJpegScans = 100;
constexpr long MaxJpegWorkBytes = 32L << 20;

enum class JpegStatus {
  Ok,
  Corrupt,         // libjpeg gave up, or the picture cannot be had as RGB
  BadDimensions,   // width or height above maxSide, or more pixels than the limits allow
  DataMissing,     // the data end early, or are damaged where pixels are coded
  TooManyScans,    // more than MaxJpegScans scans
};
JpegStatus DecodeJpeg(std::span<const uint8_t> bytes, DecodedImage& image, int maxSide = MaxImageSide);

// --- TGA: true-colour 24/32-bit, uncompressed (type 2) or run-length (type 10) ------
// Rows in file order, R, G, B (depth 24) or R, G, B, A (depth 32).
enum class TgaStatus {
  Ok,
  HeaderShort,     // fewer than 18 bytes
  NotTrueColour,   // image type other than 2 and 10
  ColourMapped,    // colour-map type other than 0
  BadDepth,        // depth other than 24 and 32
  BadDimensions,   // width or height not in 1..maxSide, or more than MaxImagePixels pixels
  DataShort,       // pixel data, or a run-length packet, run past the end of the bytes
  RunPastImage,    // a run-length packet writes past the last pixel
};
TgaStatus DecodeTga(std::span<const uint8_t> bytes, DecodedImage& image, int maxSide = MaxImageSide);
