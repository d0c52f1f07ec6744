// JPEG reader, decoding by libjpeg.

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "platform/platform.h"
#include "textures/decode.h"
#include "textures/sources.h"
#include "textures/textures.h"

namespace {

// libjpeg's own error handler ends the process. This one jumps back into
// RunDecoder, which then reports the picture as corrupt.
struct JpegErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
};

void ExitByJump(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->Jump, 1);
}

// Warnings (damaged but still decodable data) are not printed.
void IgnoreMessage(j_common_ptr) {}

// Decodes into *pixels. Every object with a destructor lives in the caller, so that
// a jump out of libjpeg skips none.
JpegStatus RunDecoder(jpeg_decompress_struct* cinfo, JpegErrorManager* errors, const uint8_t* data,
                      std::size_t size, int maxSide, std::vector<uint8_t>* pixels, int* width, int* height) {
  if (setjmp(errors->Jump)) return JpegStatus::Corrupt;

  jpeg_create_decompress(cinfo);
  jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(cinfo, TRUE);
  if (cinfo->image_width > static_cast<JDIMENSION>(maxSide) ||
      cinfo->image_height > static_cast<JDIMENSION>(maxSide))
    return JpegStatus::BadDimensions;
  cinfo->out_color_space = JCS_RGB;
  jpeg_start_decompress(cinfo);
  if (cinfo->output_components != 3) return JpegStatus::Corrupt;

  const JDIMENSION w = cinfo->output_width;
  const JDIMENSION h = cinfo->output_height;
  pixels->assign(static_cast<std::size_t>(w) * h * 4, 255);
  JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, w * 3, 1);
  while (cinfo->output_scanline < h) {
    // Picture row y goes to buffer row h - 1 - y: the bottom row comes first.
    const JDIMENSION y = cinfo->output_scanline;
    if (jpeg_read_scanlines(cinfo, row, 1) != 1) return JpegStatus::Corrupt;
    uint8_t* out = pixels->data() + static_cast<std::size_t>(h - 1 - y) * w * 4;
    const JSAMPLE* in = row[0];
    for (JDIMENSION x = 0; x < w; ++x, in += 3, out += 4) {
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
    }
  }
  jpeg_finish_decompress(cinfo);
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return JpegStatus::Ok;
}

}  // namespace

JpegStatus DecodeJpeg(std::span<const uint8_t> bytes, DecodedImage& image, int maxSide) {
  jpeg_decompress_struct cinfo{};
  JpegErrorManager errors{};
  cinfo.err = jpeg_std_error(&errors.Base);
  errors.Base.error_exit = ExitByJump;
  errors.Base.output_message = IgnoreMessage;

  std::vector<uint8_t> pixels;
  int width = 0;
  int height = 0;
  JpegStatus status =
      RunDecoder(&cinfo, &errors, bytes.data(), bytes.size(), maxSide, &pixels, &width, &height);
  jpeg_destroy_decompress(&cinfo);
  if (status != JpegStatus::Ok) return status;

  image.Width = width;
  image.Height = height;
  image.Format = PixelFormatRGBA;
  image.Pixels = std::move(pixels);
  return JpegStatus::Ok;
}

bool ReadJpegImage(const std::string& fileName, unsigned int& textureName, bool fromResource) {
  const std::string quoted = "\"" + fileName + "\"";
  DecodedImage image;
  if (fromResource) {
    const std::vector<uint8_t>* block = FindEmbeddedBlock(fileName, "JPEG");
    if (!block) {
      SysMessageBox("File not found in resource - " + fileName, "JPG Texture");
      return false;
    }
    if (DecodeJpeg(*block, image) != JpegStatus::Ok) {
      SysMessageBox("Couldn't load JPG Resource - " + quoted, "BMP Unit");
      return false;
    }
  } else {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(fileName, bytes) || DecodeJpeg(bytes, image) != JpegStatus::Ok) {
      SysMessageBox("Couldn't load JPG - " + quoted, "BMP Unit");
      return false;
    }
  }
  textureName = MakeGLTexture(static_cast<uint16_t>(image.Width), static_cast<uint16_t>(image.Height),
                              image.Format, image.Pixels.data());
  return true;
}
