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
constexpr int MaxImagePixelsSide = 2048;
constexpr uint64_t MaxImagePixels = uint64_t(MaxImagePixelsSide) * MaxImagePixelsSide;

// A picture refused by one of the limits (TooLarge, and for JPEG TooFewBytes,
// TooManyScans, TooMuchMemory) keeps the size its file announces in Width and Height,
// for the message that says so; its Pixels stay empty.
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
  BadDimensions,   // width or height below 1 (top-down files included)
  SizeTooSmall,    // image-size field smaller than the padded rows it must hold
  DataShort,       // fewer pixel bytes than the image-size field gives
  TooLarge,        // a side above maxSide, or more than MaxImagePixels pixels
};
BmpStatus DecodeBmp(std::span<const uint8_t> bytes, DecodedImage& image, int maxSide = MaxImageSide);

// --- JPEG (libjpeg) ----------------------------------------------------------------
// Bottom row first, R, G, B, 255. Grey, YCbCr and RGB pictures are had from libjpeg
// in that form; CMYK and YCCK ones as CMYK, turned into RGB here (R = (1 - C)(1 - K), and so
// on: there is no colour profile to go by). A picture with an Adobe marker, which
// every CMYK writer of note adds, stores its inks inverted (0 = full ink).
//
// A picture with more pixels than MaxImagePixels, or a side above maxSide, is decoded
// at the largest of libjpeg's reduced sizes 1/2, 1/4 and 1/8 that fits: a camera
// photo of 4000 x 3000 becomes 2000 x 1500. One that does not fit even at 1/8 is
// refused before anything is decoded.
//
// A JPEG header may announce any size, and libjpeg fills what the data do not give
// with grey; a progressive file may repeat scans without end. So a Huffman-coded
// picture is refused before anything is decoded when it announces more than
// MaxJpegPixelsPerByte pixels for every byte of the file: Huffman coding spends at
// least one bit on every 8 x 8 block it codes (a progressive picture's first scan
// codes every block's DC), 512 pixels a byte at best, and the limit is twice that.
// Arithmetic coding has no such floor: its coder writes nothing for a run of the
// decisions it expects, and its decoder reads zeros past the end of the data, so a
// picture of one colour takes some 200 bytes at 256 x 256 and at 16384 x 16384 alike.
// Its file's size says nothing of its size, and it is bounded by the pixel limit (at
// most 64 times MaxImagePixels are decoded, at 1/8) and the work limits below alone.
//
// While decoding, a picture is refused when it has more scans than MaxJpegScansFor
// its size (encoders write about ten), when libjpeg would need more than
// MaxJpegWorkBytes of its own memory (a progressive picture keeps every coefficient of
// the whole picture, 3 bytes a pixel at 4:2:0 and 6 at 4:4:4, whatever size it is
// decoded at: 36 MB for a 4000 x 3000 photo), or when data are missing or damaged
// (premature end of the file or of a data segment, a bad Huffman or arithmetic code, a
// lost restart marker).
constexpr uint64_t MaxJpegPixelsPerByte = 1024;
constexpr int MaxJpegScans = 100;
constexpr long MaxJpegWorkBytes = 64L << 20;

// Every scan goes over the whole picture's coefficients again, at whatever size it is
// decoded: a picture larger than MaxImagePixels may have as many fewer scans, so that
// none costs more than MaxJpegScans passes over MaxImagePixels pixels (34 for a
// 4000 x 3000 photo, 19 for the largest progressive picture the work memory allows),
// but never fewer than a sequential picture needs (one a component).
constexpr int MaxJpegScansFor(uint64_t pixels) {
  const uint64_t share = pixels <= MaxImagePixels ? MaxJpegScans : MaxJpegScans * MaxImagePixels / pixels;
  return share < 4 ? 4 : static_cast<int>(share);
}

enum class JpegStatus {
  Ok,
  Corrupt,         // libjpeg gave up, or the picture cannot be had as RGB
  TooLarge,        // more than MaxImagePixels pixels or a side above maxSide, even at 1/8
  DataMissing,     // the data end early, or are damaged where pixels are coded
  TooManyScans,    // more scans than MaxJpegScansFor its size
  TooFewBytes,     // Huffman-coded, more than MaxJpegPixelsPerByte pixels a byte of the file
  TooMuchMemory,   // libjpeg would need more than MaxJpegWorkBytes
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
  BadDimensions,   // width or height 0
  DataShort,       // pixel data, or a run-length packet, run past the end of the bytes
  RunPastImage,    // a run-length packet writes past the last pixel
  TooLarge,        // a side above maxSide, or more than MaxImagePixels pixels
};
TgaStatus DecodeTga(std::span<const uint8_t> bytes, DecodedImage& image, int maxSide = MaxImageSide);
