#include "pictures.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <jpeglib.h>

void PutU32(Bytes& bytes, std::size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
void PutU16(Bytes& bytes, std::size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

Bytes MakeBmp(int width, int height, const std::vector<Rgb>& bottomUp, const BmpOptions& options) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t(3);
  const std::size_t dataSize = stride * static_cast<std::size_t>(height);
  const std::size_t offset = 14 + options.InfoSize + 4 * options.ColoursUsed;
  Bytes b(offset + dataSize, 0);
  b[0] = 'B';
  b[1] = 'M';
  PutU32(b, 2, static_cast<uint32_t>(b.size()));
  PutU32(b, BmpOffsetField, static_cast<uint32_t>(offset));
  PutU32(b, 14, options.InfoSize);
  PutU32(b, BmpWidthField, static_cast<uint32_t>(width));
  PutU32(b, BmpHeightField, static_cast<uint32_t>(height));
  PutU16(b, 26, 1);
  PutU16(b, 28, 24);
  PutU32(b, BmpSizeField, options.SizeFieldZero ? 0 : static_cast<uint32_t>(dataSize));
  PutU32(b, BmpColoursUsedField, options.ColoursUsed);
  for (std::size_t i = 14 + options.InfoSize; i < offset; ++i) b[i] = 0x5A;   // palette
  for (int y = 0; y < height; ++y) {
    uint8_t* row = &b[offset + static_cast<std::size_t>(y) * stride];
    for (int x = 0; x < width; ++x) {
      const Rgb& c = bottomUp[static_cast<std::size_t>(y) * width + x];
      row[3 * x] = c.B;
      row[3 * x + 1] = c.G;
      row[3 * x + 2] = c.R;
    }
    for (std::size_t i = static_cast<std::size_t>(width) * 3; i < stride; ++i) row[i] = options.PadByte;
  }
  return b;
}

Bytes MakeTga(uint8_t imageType, int width, int height, uint8_t depth, const Bytes& data,
              uint8_t colourMapType, uint8_t idLength) {
  Bytes b(18 + data.size(), 0);
  b[0] = idLength;
  b[1] = colourMapType;
  b[2] = imageType;
  PutU16(b, 12, static_cast<uint16_t>(width));
  PutU16(b, 14, static_cast<uint16_t>(height));
  b[16] = depth;
  std::copy(data.begin(), data.end(), b.begin() + 18);
  return b;
}

Bytes MakeJpeg(int width, int height, int components, const Bytes& topDown, const JpegOptions& options) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&cinfo, &out, &outSize);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (options.Ycck) jpeg_set_colorspace(&cinfo, JCS_YCCK);
  if (options.NoAdobe) cinfo.write_Adobe_marker = FALSE;
  cinfo.arith_code = options.Arithmetic ? TRUE : FALSE;
  jpeg_set_quality(&cinfo, 100, TRUE);
  for (int i = 0; i < cinfo.num_components; ++i) {
    cinfo.comp_info[i].h_samp_factor = 1;
    cinfo.comp_info[i].v_samp_factor = 1;
  }
  if (options.Progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(&topDown[static_cast<std::size_t>(cinfo.next_scanline) * width * components]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes result(out, out + outSize);
  std::free(out);
  return result;
}

TempFile::TempFile(const std::string& name, const Bytes& bytes) {
  Path = (std::filesystem::temp_directory_path() / ("tornelo-textures-" + std::to_string(::getpid()) + "-" + name)).string();
  std::ofstream file(Path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TempFile::~TempFile() { std::filesystem::remove(Path); }
