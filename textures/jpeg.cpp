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

// libjpeg's memory manager refuses what would pass max_memory_to_use (it has no
// backing store to spill to); everything else it gives up on is damage.
void ExitByJump(j_common_ptr cinfo) {
  const int code = cinfo->err->msg_code;
  FailWith(cinfo, code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE ? JpegStatus::TooMuchMemory
                                                                              : JpegStatus::Corrupt);
}

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

// The progress monitor, with the number of scans the picture may have.
struct ScanCounter {
  jpeg_progress_mgr Base;
  int MaxScans = MaxJpegScans;
};

// libjpeg calls this at every scan and every row of coefficients it reads.
void CountScans(j_common_ptr cinfo) {
  const auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompress->input_scan_number > reinterpret_cast<const ScanCounter*>(decompress->progress)->MaxScans)
    FailWith(cinfo, JpegStatus::TooManyScans);
}

// The reduced sizes libjpeg decodes at, largest first.
constexpr unsigned int ScaleDenominators[] = {1, 2, 4, 8};

// Sets the largest scale at which the output fits the limits; false when none does.
bool ChooseScale(jpeg_decompress_struct* cinfo, int maxSide) {
  for (const unsigned int denominator : ScaleDenominators) {
    cinfo->scale_num = 1;
    cinfo->scale_denom = denominator;
    jpeg_calc_output_dimensions(cinfo);
    if (cinfo->output_width <= static_cast<JDIMENSION>(maxSide) &&
        cinfo->output_height <= static_cast<JDIMENSION>(maxSide) &&
        uint64_t(cinfo->output_width) * cinfo->output_height <= MaxImagePixels)
      return true;
  }
  return false;
}

// Ink (0 = none) to light, 0..255, rounded.
inline uint8_t Light(unsigned int ink, unsigned int black) { return static_cast<uint8_t>(((255 - ink) * (255 - black) + 127) / 255); }

// Rows of C, M, Y, K samples to R, G, B, 255; inverted: the samples are 255 - ink.
void CmykToRgba(const JSAMPLE* in, uint8_t* out, JDIMENSION width, bool inverted) {
  const unsigned int flip = inverted ? 255 : 0;
  for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 4) {
    const unsigned int k = in[3] ^ flip;
    out[0] = Light(in[0] ^ flip, k);
    out[1] = Light(in[1] ^ flip, k);
    out[2] = Light(in[2] ^ flip, k);
    out[3] = 255;
  }
}

// Decodes into *pixels. Every object with a destructor lives in the caller, so that
// a jump out of libjpeg skips none.
JpegStatus RunDecoder(jpeg_decompress_struct* cinfo, JpegErrorManager* errors, ScanCounter* progress,
                      const uint8_t* data, std::size_t size, int maxSide, std::vector<uint8_t>* pixels,
                      int* width, int* height) {
  if (setjmp(errors->Jump)) return errors->Failure;

  jpeg_create_decompress(cinfo);
  cinfo->mem->max_memory_to_use = MaxJpegWorkBytes;
  cinfo->progress = &progress->Base;
  jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(cinfo, TRUE);
  // The size the file announces, for a refusal's message.
  *width = static_cast<int>(cinfo->image_width);
  *height = static_cast<int>(cinfo->image_height);
  progress->MaxScans = MaxJpegScansFor(uint64_t(cinfo->image_width) * cinfo->image_height);

  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  // libjpeg-turbo writes R, G, B, 255 itself, straight into the buffer.
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
  if (!ChooseScale(cinfo, maxSide)) return JpegStatus::TooLarge;
  if (!cinfo->arith_code && uint64_t(cinfo->image_width) * cinfo->image_height > MaxJpegPixelsPerByte * size)
    return JpegStatus::TooFewBytes;
  jpeg_start_decompress(cinfo);
  if (cinfo->output_components != 4) return JpegStatus::Corrupt;

  const JDIMENSION w = cinfo->output_width;
  const JDIMENSION h = cinfo->output_height;
  const std::size_t stride = static_cast<std::size_t>(w) * 4;
  pixels->assign(stride * h, 255);
  JSAMPARRAY cmykRow =
      cmyk ? (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, w * 4, 1) : nullptr;
  while (cinfo->output_scanline < h) {
    // Picture row y goes to buffer row h - 1 - y: the bottom row comes first.
    uint8_t* out = pixels->data() + static_cast<std::size_t>(h - 1 - cinfo->output_scanline) * stride;
    JSAMPROW row = cmyk ? cmykRow[0] : out;
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return JpegStatus::Corrupt;
    if (cmyk) CmykToRgba(row, out, w, cinfo->saw_Adobe_marker);
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
  ScanCounter progress{};
  progress.Base.progress_monitor = CountScans;

  std::vector<uint8_t> pixels;
  int width = 0;
  int height = 0;
  JpegStatus status =
      RunDecoder(&cinfo, &errors, &progress, bytes.data(), bytes.size(), maxSide, &pixels, &width, &height);
  jpeg_destroy_decompress(&cinfo);
  if (status == JpegStatus::TooLarge || status == JpegStatus::TooFewBytes || status == JpegStatus::TooManyScans ||
      status == JpegStatus::TooMuchMemory) {
    image.Width = width;
    image.Height = height;
    image.Pixels.clear();
  }
  if (status != JpegStatus::Ok) return status;

  image.Width = width;
  image.Height = height;
  image.Format = PixelFormatRGBA;
  image.Pixels = std::move(pixels);
  return JpegStatus::Ok;
}
