#pragma once
// Small pictures written byte by byte for the reader tests.

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct Rgb {
  uint8_t R, G, B;
};

// A 24-bit BMP of width x height pixels given bottom row first (the file order of a
// bottom-up BMP). Rows are padded to 4 bytes with padByte. infoSize > 40 writes a
// longer information header (as today's tools do) and points the offset field past it.
struct BmpOptions {
  uint32_t InfoSize = 40;
  uint32_t ColoursUsed = 0;     // palette entries (4 bytes each) written after the headers
  bool SizeFieldZero = false;
  uint8_t PadByte = 0;
};
Bytes MakeBmp(int width, int height, const std::vector<Rgb>& bottomUp, const BmpOptions& options = {});

// Header fields of a written BMP, to spoil them.
void PutU32(Bytes& bytes, std::size_t at, uint32_t value);
void PutU16(Bytes& bytes, std::size_t at, uint16_t value);
constexpr std::size_t BmpOffsetField = 10;
constexpr std::size_t BmpWidthField = 18;
constexpr std::size_t BmpHeightField = 22;
constexpr std::size_t BmpSizeField = 34;
constexpr std::size_t BmpColoursUsedField = 46;

// An 18-byte TGA header followed by the given data (pixels in B, G, R(, A) order).
Bytes MakeTga(uint8_t imageType, int width, int height, uint8_t depth, const Bytes& data,
              uint8_t colourMapType = 0, uint8_t idLength = 0);

// Progressive: libjpeg's usual scans (10 for RGB, 6 for grey). With 4 components the
// samples are C, M, Y, K as stored: Ycck codes them as YCCK, NoAdobe leaves out the
// Adobe marker libjpeg writes for both.
struct JpegOptions {
  bool Progressive = false;
  bool Arithmetic = false;
  bool Ycck = false;
  bool NoAdobe = false;
};

// A baseline JPEG of width x height pixels given top row first: 3 components (RGB), 1
// (grey) or 4 (CMYK). Quality 100, no chroma subsampling, Huffman coding.
Bytes MakeJpeg(int width, int height, int components, const Bytes& topDown, const JpegOptions& options = {});

// A file in the test's temporary directory holding bytes; removed by the destructor.
struct TempFile {
  TempFile(const std::string& name, const Bytes& bytes);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  std::string Path;
};
