// The decoders on pictures built in memory: pixel order and colours, and headers that
// lie about the data.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "pictures.h"
#include "textures/decode.h"

namespace {

const uint8_t* PixelAt(const DecodedImage& image, int x, int row) {
  const std::size_t bytesPerPixel = image.Format == PixelFormatRGBA ? 4 : 3;
  return image.Pixels.data() + static_cast<std::size_t>(row) * RowBytes(image.Width, image.Format) +
         static_cast<std::size_t>(x) * bytesPerPixel;
}

void ExpectRgb(const DecodedImage& image, int x, int row, Rgb c, int tolerance = 0) {
  const uint8_t* p = PixelAt(image, x, row);
  EXPECT_NEAR(p[0], c.R, tolerance) << "x " << x << " row " << row;
  EXPECT_NEAR(p[1], c.G, tolerance) << "x " << x << " row " << row;
  EXPECT_NEAR(p[2], c.B, tolerance) << "x " << x << " row " << row;
}

std::vector<Rgb> Gradient(int width, int height) {
  std::vector<Rgb> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels.push_back({static_cast<uint8_t>(10 + 40 * x), static_cast<uint8_t>(100 + 30 * y),
                        static_cast<uint8_t>(200 + x + 7 * y)});
  return pixels;
}

void ExpectPicture(const DecodedImage& image, int width, int height, const std::vector<Rgb>& bottomUp) {
  ASSERT_EQ(image.Width, width);
  ASSERT_EQ(image.Height, height);
  ASSERT_EQ(image.Format, PixelFormatRGB);
  ASSERT_EQ(image.Pixels.size(), RowBytes(width, PixelFormatRGB) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ExpectRgb(image, x, y, bottomUp[y * width + x]);
}

// --- BMP ------------------------------------------------------------------------------

TEST(DecodeBmp, GivesRedGreenBlueInFileRowOrder) {
  const auto pixels = Gradient(4, 3);
  DecodedImage image;
  ASSERT_EQ(DecodeBmp(MakeBmp(4, 3, pixels), image), BmpStatus::Ok);
  ExpectPicture(image, 4, 3, pixels);

  // An image-size field of 0 means: work it out from width, height and bit count.
  DecodedImage unsized;
  ASSERT_EQ(DecodeBmp(MakeBmp(4, 3, pixels, {.SizeFieldZero = true}), unsized), BmpStatus::Ok);
  EXPECT_EQ(unsized.Pixels, image.Pixels);
}

TEST(DecodeBmp, OddWidthKeepsPaddedRowsAndSwapsOnlyPixels) {
  for (int width : {1, 2, 3, 5}) {
    SCOPED_TRACE(width);
    const auto pixels = Gradient(width, 3);
    DecodedImage image;
    ASSERT_EQ(DecodeBmp(MakeBmp(width, 3, pixels, {.SizeFieldZero = width == 5, .PadByte = 0xEE}), image),
              BmpStatus::Ok);
    ExpectPicture(image, width, 3, pixels);
    // The padding bytes stay where OpenGL skips them, unchanged.
    const std::size_t stride = RowBytes(width, PixelFormatRGB);
    for (int y = 0; y < 3; ++y)
      for (std::size_t i = static_cast<std::size_t>(width) * 3; i < stride; ++i)
        EXPECT_EQ(image.Pixels[y * stride + i], 0xEE);
  }
}

TEST(DecodeBmp, ReadsPixelsFromTheOffsetInTheFileHeader) {
  const auto pixels = Gradient(4, 2);
  // A 124-byte information header, as today's tools write, and a palette.
  DecodedImage image;
  ASSERT_EQ(DecodeBmp(MakeBmp(4, 2, pixels, {.InfoSize = 124}), image), BmpStatus::Ok);
  ExpectPicture(image, 4, 2, pixels);
  ASSERT_EQ(DecodeBmp(MakeBmp(4, 2, pixels, {.ColoursUsed = 3}), image), BmpStatus::Ok);
  ExpectPicture(image, 4, 2, pixels);

  // An offset that points into the headers or past the file: the data follow the palette.
  for (uint32_t offset : {0u, 53u, 0xFFFFFFF0u}) {
    SCOPED_TRACE(offset);
    Bytes bmp = MakeBmp(4, 2, pixels, {.ColoursUsed = 2});
    PutU32(bmp, BmpOffsetField, offset);
    ASSERT_EQ(DecodeBmp(bmp, image), BmpStatus::Ok);
    ExpectPicture(image, 4, 2, pixels);
  }
}

struct HostileBmp {
  const char* What;
  std::size_t Field;     // 0: cut the file to Value bytes instead
  uint32_t Value;
  BmpStatus Expected;
};

const HostileBmp HostileBmps[] = {
    {"short headers", 0, 53, BmpStatus::HeaderShort},
    {"no pixel data", 0, 54, BmpStatus::DataShort},
    {"one byte short", 0, 54 + 24 - 1, BmpStatus::DataShort},
    {"width 0", BmpWidthField, 0, BmpStatus::BadDimensions},
    {"height 0", BmpHeightField, 0, BmpStatus::BadDimensions},
    {"negative width", BmpWidthField, 0xFFFFFFFE, BmpStatus::BadDimensions},
    {"top-down (negative height)", BmpHeightField, 0xFFFFFFFE, BmpStatus::BadDimensions},
    {"width past the limit", BmpWidthField, MaxImageSide + 1, BmpStatus::TooLarge},
    {"height past the limit", BmpHeightField, MaxImageSide + 1, BmpStatus::TooLarge},
    {"huge width and height", BmpWidthField, 0x7FFFFFFF, BmpStatus::TooLarge},
    {"height beyond the data", BmpHeightField, 3, BmpStatus::SizeTooSmall},
    {"size field too small", BmpSizeField, 23, BmpStatus::SizeTooSmall},
    {"size field past the file", BmpSizeField, 0xFFFFFFFF, BmpStatus::DataShort},
    {"palette past the file", BmpColoursUsedField, 7, BmpStatus::PaletteShort},
    {"huge palette", BmpColoursUsedField, 0xFFFFFFFF, BmpStatus::PaletteShort},
};

TEST(DecodeBmp, RefusesHeadersThatDoNotMatchTheData) {
  for (const HostileBmp& c : HostileBmps) {
    SCOPED_TRACE(c.What);
    Bytes bmp = MakeBmp(4, 2, Gradient(4, 2));   // 54 + 24 bytes
    if (c.Field == 0)
      bmp.resize(c.Value);
    else
      PutU32(bmp, c.Field, c.Value);
    DecodedImage image;
    EXPECT_EQ(DecodeBmp(bmp, image), c.Expected);
    EXPECT_TRUE(image.Pixels.empty());
  }
  // A size field 0 on a 1-bit picture gives less than the 24-bit rows it is read as.
  Bytes bmp = MakeBmp(4, 2, Gradient(4, 2), {.SizeFieldZero = true});
  PutU16(bmp, 28, 1);
  DecodedImage image;
  EXPECT_EQ(DecodeBmp(bmp, image), BmpStatus::SizeTooSmall);

  // The colour table is read before the sizes are looked at: a short one is what is
  // told, whatever the sizes say.
  bmp = MakeBmp(4, 2, Gradient(4, 2));
  PutU32(bmp, BmpColoursUsedField, 7);
  PutU32(bmp, BmpWidthField, 0);
  EXPECT_EQ(DecodeBmp(bmp, image), BmpStatus::PaletteShort);
}

TEST(DecodeBmp, HonoursASmallerLimit) {
  DecodedImage image;
  EXPECT_EQ(DecodeBmp(MakeBmp(4, 2, Gradient(4, 2)), image, 3), BmpStatus::TooLarge);
  EXPECT_EQ(DecodeBmp(MakeBmp(4, 2, Gradient(4, 2)), image, 4), BmpStatus::Ok);
}

// --- TGA ------------------------------------------------------------------------------

Bytes Bgr(std::initializer_list<Rgb> pixels) {
  Bytes b;
  for (const Rgb& c : pixels) b.insert(b.end(), {c.B, c.G, c.R});
  return b;
}

const Rgb A{1, 2, 3}, B{40, 50, 60}, C{200, 100, 0}, D{7, 8, 9};

// Run-length packets of 128 pixels (and one shorter) for count pixels of 24 bits.
Bytes RunsOf(std::size_t count) {
  Bytes packets;
  for (; count > 0; count -= std::min<std::size_t>(count, 128))
    packets.insert(packets.end(), {static_cast<uint8_t>(127 + std::min<std::size_t>(count, 128)), 9, 8, 7});
  return packets;
}

TEST(DecodeTga, UncompressedGivesRgbRowsInFileOrder) {
  DecodedImage image;
  // Width 3: the rows are padded to 12 bytes for OpenGL.
  ASSERT_EQ(DecodeTga(MakeTga(2, 3, 2, 24, Bgr({A, B, C, D, A, B})), image), TgaStatus::Ok);
  ExpectPicture(image, 3, 2, {A, B, C, D, A, B});
}

TEST(DecodeTga, ThirtyTwoBitKeepsAlphaInPlace) {
  const Bytes data = {3, 2, 1, 0x44, 6, 5, 4, 0x99};   // B, G, R, A
  for (uint8_t type : {uint8_t(2), uint8_t(10)}) {
    SCOPED_TRACE(int(type));
    Bytes packed = type == 2 ? data : Bytes{0x01, 3, 2, 1, 0x44, 6, 5, 4, 0x99};
    DecodedImage image;
    ASSERT_EQ(DecodeTga(MakeTga(type, 2, 1, 32, packed), image), TgaStatus::Ok);
    EXPECT_EQ(image.Format, PixelFormatRGBA);
    EXPECT_EQ(image.Pixels, (Bytes{1, 2, 3, 0x44, 4, 5, 6, 0x99}));
  }
}

TEST(DecodeTga, IdentificationFieldIsNotSkipped) {
  DecodedImage image;
  ASSERT_EQ(DecodeTga(MakeTga(2, 2, 1, 24, Bgr({A, B}), 0, 5), image), TgaStatus::Ok);
  ExpectPicture(image, 2, 1, {A, B});
}

TEST(DecodeTga, RunLengthPacketCounts) {
  // 0x80: the pixel once; 0xFF: 128 times; raw 0x00: one pixel; raw 0x01: two.
  Bytes packed = {0x80};
  for (uint8_t v : Bgr({A})) packed.push_back(v);
  packed.push_back(0xFF);
  for (uint8_t v : Bgr({B})) packed.push_back(v);
  packed.push_back(0x00);
  for (uint8_t v : Bgr({C})) packed.push_back(v);
  packed.push_back(0x01);
  for (uint8_t v : Bgr({D, A})) packed.push_back(v);

  DecodedImage image;
  ASSERT_EQ(DecodeTga(MakeTga(10, 132, 1, 24, packed), image), TgaStatus::Ok);
  std::vector<Rgb> expected{A};
  expected.insert(expected.end(), 128, B);
  expected.insert(expected.end(), {C, D, A});
  ExpectPicture(image, 132, 1, expected);

  // Packets run on across rows: the 2 x 2 picture is one run.
  ASSERT_EQ(DecodeTga(MakeTga(10, 2, 2, 24, {0x83, 9, 8, 7}), image), TgaStatus::Ok);
  ExpectPicture(image, 2, 2, {D, D, D, D});
}

TEST(DecodeTga, ChecksTypeThenColourMapThenDepth) {
  DecodedImage image;
  const Bytes pixels = Bgr({A});
  EXPECT_EQ(DecodeTga(MakeTga(1, 1, 1, 8, pixels, 1), image), TgaStatus::NotTrueColour);
  EXPECT_EQ(DecodeTga(MakeTga(3, 1, 1, 24, pixels), image), TgaStatus::NotTrueColour);
  EXPECT_EQ(DecodeTga(MakeTga(9, 1, 1, 24, pixels), image), TgaStatus::NotTrueColour);
  EXPECT_EQ(DecodeTga(MakeTga(2, 1, 1, 16, pixels, 1), image), TgaStatus::ColourMapped);
  EXPECT_EQ(DecodeTga(MakeTga(10, 1, 1, 16, pixels), image), TgaStatus::BadDepth);
  EXPECT_EQ(DecodeTga(MakeTga(2, 1, 1, 8, pixels), image), TgaStatus::BadDepth);
}

TEST(DecodeTga, RefusesDataThatDoNotMatchTheHeader) {
  struct Case {
    const char* What;
    Bytes File;
    TgaStatus Expected;
  };
  Bytes header = MakeTga(2, 1, 1, 24, {});
  header.resize(17);
  const Case cases[] = {
      {"short header", header, TgaStatus::HeaderShort},
      {"empty file", {}, TgaStatus::HeaderShort},
      {"width 0", MakeTga(2, 0, 1, 24, Bgr({A})), TgaStatus::BadDimensions},
      {"height 0", MakeTga(10, 1, 0, 24, {0x80, 1, 2, 3}), TgaStatus::BadDimensions},
      {"width past the limit", MakeTga(2, MaxImageSide + 1, 1, 24, Bgr({A})), TgaStatus::TooLarge},
      {"uncompressed, one byte short", MakeTga(2, 2, 1, 24, {1, 2, 3, 4, 5}), TgaStatus::DataShort},
      {"uncompressed, 65535 x 65535", MakeTga(2, 65535, 65535, 32, Bgr({A})), TgaStatus::TooLarge},
      // A run-length file of 128 kB would give 2048 x 2049 pixels, 16 MB.
      {"more pixels than the limit", MakeTga(10, 2048, 2049, 24, RunsOf(2048 * 2049)), TgaStatus::TooLarge},
      {"run-length, no packets", MakeTga(10, 2, 1, 24, {}), TgaStatus::DataShort},
      {"run-length, too few packets", MakeTga(10, 2, 1, 24, {0x80, 1, 2, 3}), TgaStatus::DataShort},
      {"run packet without its pixel", MakeTga(10, 2, 1, 24, {0x81, 1, 2}), TgaStatus::DataShort},
      {"raw packet past the data", MakeTga(10, 2, 1, 24, {0x01, 1, 2, 3, 4, 5}), TgaStatus::DataShort},
      {"run past the last pixel", MakeTga(10, 2, 2, 24, {0xFF, 1, 2, 3}), TgaStatus::RunPastImage},
      {"raw packet past the last pixel", MakeTga(10, 1, 1, 24, {0x01, 1, 2, 3, 4, 5, 6}), TgaStatus::RunPastImage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    DecodedImage image;
    EXPECT_EQ(DecodeTga(c.File, image), c.Expected);
    EXPECT_TRUE(image.Pixels.empty());
  }
}

// --- JPEG -----------------------------------------------------------------------------

TEST(DecodeJpeg, BottomRowFirstWithOpaqueAlpha) {
  // Top row red, green, blue; bottom row white, black, grey.
  const Bytes topDown = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128};
  DecodedImage image;
  ASSERT_EQ(DecodeJpeg(MakeJpeg(3, 2, 3, topDown), image), JpegStatus::Ok);
  ASSERT_EQ(image.Width, 3);
  ASSERT_EQ(image.Height, 2);
  ASSERT_EQ(image.Format, PixelFormatRGBA);
  ASSERT_EQ(image.Pixels.size(), 6u * 4);
  const Rgb expected[6] = {{255, 255, 255}, {0, 0, 0}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  for (int i = 0; i < 6; ++i) {
    ExpectRgb(image, i % 3, i / 3, expected[i], 40);
    EXPECT_EQ(image.Pixels[i * 4 + 3], 255);
  }
}

TEST(DecodeJpeg, GreyPictureGivesEqualSamples) {
  const Bytes topDown = {0, 60, 120, 250};
  DecodedImage image;
  ASSERT_EQ(DecodeJpeg(MakeJpeg(2, 2, 1, topDown), image), JpegStatus::Ok);
  for (int i = 0; i < 4; ++i) {
    const uint8_t* p = &image.Pixels[i * 4];
    EXPECT_EQ(p[0], p[1]);
    EXPECT_EQ(p[1], p[2]);
    EXPECT_EQ(p[3], 255);
  }
  EXPECT_NEAR(image.Pixels[0], 120, 4);   // bottom left
  EXPECT_NEAR(image.Pixels[8], 0, 4);     // top left
}

// The offset of the frame header's height field (SOF0: FF C0, length, precision).
std::size_t FrameHeightOffset(const Bytes& jpeg) {
  for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) return i + 5;
  return 0;
}

TEST(DecodeJpeg, RefusesCorruptDataWithoutEndingTheProcess) {
  const Bytes good = MakeJpeg(8, 8, 3, Bytes(8 * 8 * 3, 90));
  Bytes noImage(good.begin(), good.begin() + 20);   // cut inside the headers
  Bytes garbage(good.size(), 0x42);
  const std::size_t at = FrameHeightOffset(good);
  ASSERT_NE(at, 0u);
  Bytes badMarker = good;
  badMarker[at - 1] = 7;   // sample precision
  Bytes zeroSize = good;
  zeroSize[at] = zeroSize[at + 1] = 0;   // height 0
  const std::pair<const Bytes*, JpegStatus> cases[] = {{&noImage, JpegStatus::DataMissing},
                                                        {&garbage, JpegStatus::Corrupt},
                                                        {&badMarker, JpegStatus::Corrupt},
                                                        {&zeroSize, JpegStatus::Corrupt}};
  for (const auto& [bytes, expected] : cases) {
    DecodedImage image;
    EXPECT_EQ(DecodeJpeg(*bytes, image), expected);
    EXPECT_TRUE(image.Pixels.empty());
  }
  DecodedImage image;
  EXPECT_EQ(DecodeJpeg({}, image), JpegStatus::Corrupt);
  // The decoder is still usable afterwards.
  EXPECT_EQ(DecodeJpeg(good, image), JpegStatus::Ok);
}

TEST(DecodeJpeg, DecodesAtTheLargestScaleThatFits) {
  // {width, height, maxSide, scaled width, scaled height}; grey, the top half white.
  const int cases[][5] = {{4096, 4096, MaxImageSide, 2048, 2048},   // 1/2: exactly the pixel limit
                          {4097, 4096, MaxImageSide, 1025, 1024},   // 1/2 would be a row too many
                          {64, 48, 8, 8, 6}};                       // a side limit: 1/8
  for (const auto& c : cases) {
    Bytes topDown(static_cast<std::size_t>(c[0]) * c[1], 0);
    std::fill_n(topDown.begin(), topDown.size() / 2, 255);
    DecodedImage image;
    ASSERT_EQ(DecodeJpeg(MakeJpeg(c[0], c[1], 1, topDown), image, c[2]), JpegStatus::Ok) << c[0];
    EXPECT_EQ(image.Width, c[3]);
    ASSERT_EQ(image.Pixels.size(), static_cast<std::size_t>(c[3]) * c[4] * 4);
    EXPECT_NEAR(image.Pixels[0], 0, 8);   // bottom row first
    EXPECT_NEAR(image.Pixels[image.Pixels.size() - 4], 255, 8);
  }
  DecodedImage image;
  EXPECT_EQ(DecodeJpeg(MakeJpeg(64, 48, 1, Bytes(64 * 48, 9)), image, 7), JpegStatus::TooLarge);
  EXPECT_EQ(image.Width, 64);   // the size it announced, for the message
}

TEST(DecodeJpeg, CmykAndYcckBecomeRgb) {
  // Inks: the left half cyan, the right half half black. Adobe's writers store 255 - ink.
  const auto inks = [](int flip) {
    Bytes b;
    for (int i = 0; i < 32 * 16; ++i)
      for (int v : {i % 32 < 16 ? 255 : 0, 0, 0, i % 32 < 16 ? 0 : 128}) b.push_back(static_cast<uint8_t>(v ^ flip));
    return b;
  };
  for (const Bytes& jpeg : {MakeJpeg(32, 16, 4, inks(255)), MakeJpeg(32, 16, 4, inks(255), {.Ycck = true}),
                            MakeJpeg(32, 16, 4, inks(0), {.NoAdobe = true})}) {
    DecodedImage image;
    ASSERT_EQ(DecodeJpeg(jpeg, image), JpegStatus::Ok);
    ExpectRgb(image, 4, 8, {0, 255, 255}, 12);
    ExpectRgb(image, 27, 8, {127, 127, 127}, 12);
  }
}

// Positions of every marker FF <code> in a JPEG, in file order.
std::vector<std::size_t> Markers(const Bytes& jpeg, uint8_t code) {
  std::vector<std::size_t> at;
  for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == code) at.push_back(i);
  return at;
}

Bytes Noise(std::size_t count) {
  Bytes bytes(count);
  uint32_t state = 12345;
  for (uint8_t& b : bytes) b = static_cast<uint8_t>((state = state * 1103515245 + 12345) >> 16);
  return bytes;
}

Bytes Cut(const Bytes& bytes, std::size_t size) { return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)); }

TEST(DecodeJpeg, RefusesPicturesWhoseDataEndEarly) {
  // libjpeg would fill the missing rows with grey and call it a picture.
  const Bytes baseline = MakeJpeg(64, 64, 3, Noise(64 * 64 * 3));
  const Bytes progressive = MakeJpeg(64, 64, 3, Noise(64 * 64 * 3), {.Progressive = true});
  const std::size_t scans = Markers(progressive, 0xDA).size();
  ASSERT_EQ(scans, 10u);
  DecodedImage image;
  EXPECT_EQ(DecodeJpeg(Cut(baseline, baseline.size() / 2), image), JpegStatus::DataMissing);
  EXPECT_EQ(DecodeJpeg(Cut(baseline, baseline.size() - 100), image), JpegStatus::DataMissing);
  // Cut inside a scan, and cut cleanly between two scans.
  EXPECT_EQ(DecodeJpeg(Cut(progressive, progressive.size() - 100), image), JpegStatus::DataMissing);
  EXPECT_EQ(DecodeJpeg(Cut(progressive, Markers(progressive, 0xDA)[3]), image), JpegStatus::DataMissing);
  // Without its end marker a file is taken for cut short, as it nearly always is.
  EXPECT_EQ(DecodeJpeg(Cut(baseline, baseline.size() - 2), image), JpegStatus::DataMissing);
  EXPECT_TRUE(image.Pixels.empty());
  EXPECT_EQ(DecodeJpeg(baseline, image), JpegStatus::Ok);
}

TEST(DecodeJpeg, ArithmeticCodingHasNoFloorOfBytesPerPixel) {
  // One colour at 1024 x 1024 takes some 200 bytes, 5000 pixels a byte.
  const Bytes flat = MakeJpeg(1024, 1024, 1, Bytes(1024 * 1024, 77), {.Arithmetic = true});
  ASSERT_LT(flat.size() * MaxJpegPixelsPerByte, 1024u * 1024);
  DecodedImage image;
  ASSERT_EQ(DecodeJpeg(flat, image), JpegStatus::Ok);
  EXPECT_NEAR(image.Pixels[0], 77, 2);
  // A file cut short is still told.
  const Bytes noisy = MakeJpeg(64, 64, 3, Noise(64 * 64 * 3), {.Arithmetic = true});
  EXPECT_EQ(DecodeJpeg(Cut(noisy, noisy.size() / 2), image), JpegStatus::DataMissing);
}

// A JPEG of 8 x 8 pixels padded with comments of 60,000 bytes, announcing width x height.
Bytes LargeFileAnnouncing(int width, int height, int comments = 1) {
  Bytes jpeg = MakeJpeg(8, 8, 3, Bytes(8 * 8 * 3, 90));
  const std::size_t at = FrameHeightOffset(jpeg);
  jpeg[at] = static_cast<uint8_t>(height >> 8);
  jpeg[at + 1] = static_cast<uint8_t>(height);
  jpeg[at + 2] = static_cast<uint8_t>(width >> 8);
  jpeg[at + 3] = static_cast<uint8_t>(width);
  Bytes comment = {0xFF, 0xFE, 60002 >> 8, 60002 & 0xFF};
  comment.resize(60004, 'x');
  for (int i = 0; i < comments; ++i) jpeg.insert(jpeg.begin() + 2, comment.begin(), comment.end());
  return jpeg;
}

TEST(DecodeJpeg, RefusesAnnouncedSizesBeyondThePixelLimitsBeforeDecoding) {
  DecodedImage image;
  // A file cut short that announces 16384 x 16384: once decoded as 1 GB of grey.
  Bytes huge = MakeJpeg(8, 8, 3, Bytes(8 * 8 * 3, 90));
  const std::size_t at = FrameHeightOffset(huge);
  huge[at] = huge[at + 2] = 0x40;
  huge[at + 1] = huge[at + 3] = 0;
  EXPECT_EQ(DecodeJpeg(Cut(huge, Markers(huge, 0xDA)[0] + 20), image), JpegStatus::TooFewBytes);
  EXPECT_EQ(DecodeJpeg(huge, image), JpegStatus::TooFewBytes);

  // The limit on the whole: at 1/8, 16384 x 16384 and not a pixel more, in a file of
  // 300 kB; the data of 8 x 8 pixels are then missing.
  EXPECT_EQ(DecodeJpeg(LargeFileAnnouncing(16385, 16384, 5), image), JpegStatus::TooLarge);
  EXPECT_EQ(DecodeJpeg(LargeFileAnnouncing(65500, 4100, 5), image), JpegStatus::TooLarge);
  EXPECT_EQ(DecodeJpeg(LargeFileAnnouncing(16384, 16384, 5), image), JpegStatus::DataMissing);

  // The limit for the file's size: no 8 x 8 file of a few hundred bytes holds a
  // 1024 x 1024 picture.
  Bytes small = MakeJpeg(8, 8, 3, Bytes(8 * 8 * 3, 90));
  ASSERT_LT(small.size() * MaxJpegPixelsPerByte, 1024u * 1024);
  small[at] = small[at + 2] = 4;
  small[at + 1] = small[at + 3] = 0;
  EXPECT_EQ(DecodeJpeg(small, image), JpegStatus::TooFewBytes);
  EXPECT_TRUE(image.Pixels.empty());
}

// A progressive picture whose last scan is repeated until there are `scans` scans.
Bytes WithScans(const Bytes& progressive, std::size_t scans) {
  const std::vector<std::size_t> sos = Markers(progressive, 0xDA);
  const Bytes last(progressive.begin() + static_cast<std::ptrdiff_t>(sos.back()), progressive.end() - 2);
  Bytes result(progressive.begin(), progressive.end() - 2);
  for (std::size_t i = sos.size(); i < scans; ++i) result.insert(result.end(), last.begin(), last.end());
  result.insert(result.end(), {0xFF, 0xD9});
  return result;
}

TEST(DecodeJpeg, RefusesProgressivePicturesOfTooManyScans) {
  // Every scan goes over the whole picture again, however few bytes it has.
  const Bytes progressive = MakeJpeg(16, 16, 3, Noise(16 * 16 * 3), {.Progressive = true});
  DecodedImage image;
  EXPECT_EQ(DecodeJpeg(WithScans(progressive, MaxJpegScans), image), JpegStatus::Ok);
  EXPECT_EQ(DecodeJpeg(WithScans(progressive, MaxJpegScans + 1), image), JpegStatus::TooManyScans);
  EXPECT_EQ(DecodeJpeg(WithScans(progressive, 5000), image), JpegStatus::TooManyScans);
  // A larger picture may have as many fewer: twice the pixel limit, half the scans.
  const Bytes large = MakeJpeg(4096, 2048, 1, Bytes(4096 * 2048, 60), {.Progressive = true});
  EXPECT_EQ(DecodeJpeg(WithScans(large, MaxJpegScans / 2), image), JpegStatus::Ok);
  EXPECT_EQ(DecodeJpeg(WithScans(large, MaxJpegScans / 2 + 1), image), JpegStatus::TooManyScans);
}

}  // namespace
