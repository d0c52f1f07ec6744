// JPEG reader, decoding by libjpeg.

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "textures/decode.h"

namespace {

// libjpeg's own error handler ends the process. This one jumps back into
// RunDecoder, which then reports Failure.
struct JpegErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
  JpegStatus Failure = JpegStatus::Corrupt;
};

JpegErrorManager* ErrorsOf(j_common_ptr cinfo) { return reinterpret_cast<JpegErrorManager*>(cinfo->err); }

[[noreturn]] void FailWith(j_common_ptr cinfo, JpegStatus failure) {
  ErrorsOf(cinfo)->Failure = failure;
  std::longjmp(ErrorsOf(cinfo)->Jump, 1);
}

void ExitByJump(j_common_ptr cinfo) { FailWith(cinfo, JpegStatus::Corrupt); }

// Warnings that pixels are missing or wrong end the decoding; libjpeg would go on with
// grey or with garbage. (A file without its end marker counts as cut short: libjpeg
// reads ahead and cannot tell the two apart.) Other warnings (stray bytes between
// segments, an unknown JFIF revision, a bad colour profile) leave the pixels whole;
// nothing is printed.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
      FailWith(cinfo, JpegStatus::DataMissing);
    default:
      return;
  }
}

// libjpeg calls this at every scan and every row of coefficients it reads.
void CountScans(j_common_ptr cinfo) {
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxJpegScans)
    FailWith(cinfo, JpegStatus::TooManyScans);
}

// Decodes into *pixels. Every object with a destructor lives in the caller, so that
// a jump out of libjpeg skips none.
JpegStatus RunDecoder(jpeg_decompress_struct* cinfo, JpegErrorManager* errors, jpeg_progress_mgr* progress,
                      const uint8_t* data, std::size_t size, int maxSide, std::vector<uint8_t>* pixels,
                      int* width, int* height) {
  if (setjmp(errors->Jump)) return errors->Failure;

  jpeg_create_decompress(cinfo);
  cinfo->mem->max_memory_to_use = MaxJpegWorkBytes;
  cinfo->progress = progress;
  jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(cinfo, TRUE);
  const uint64_t announced = uint64_t(cinfo->image_width) * cinfo->image_height;
  if (cinfo->image_width > static_cast<JDIMENSION>(maxSide) ||
      cinfo->image_height > static_cast<JDIMENSION>(maxSide) || announced > MaxImagePixels ||
      announced > MaxJpegPixelsPerByte * size)
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
  errors.Base.emit_message = EmitMessage;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = CountScans;

  std::vector<uint8_t> pixels;
  int width = 0;
  int height = 0;
  JpegStatus status =
      RunDecoder(&cinfo, &errors, &progress, bytes.data(), bytes.size(), maxSide, &pixels, &width, &height);
  jpeg_destroy_decompress(&cinfo);
  if (status != JpegStatus::Ok) return status;

  image.Width = width;
  image.Height = height;
  image.Format = PixelFormatRGBA;
  image.Pixels = std::move(pixels);
  return JpegStatus::Ok;
}
