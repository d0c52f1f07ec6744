// The one way a picture becomes a texture: its bytes from a file or an embedded block,
// decoded by its format's decoder, uploaded by MakeGLTexture; and, when that fails,
// the message its format gives for the reason, from the format's table.

#include <span>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/platform.h"
#include "textures/decode.h"
#include "textures/sources.h"
#include "textures/textures.h"

namespace {

// Where the bytes come from.
enum class From : uint8_t { File, Resource, Either };

// Reasons before any decoding; a decoder's own reasons are its status values (> 0).
constexpr int NoBlock = -1;      // no embedded block of that name and type
constexpr int NoFile = -2;       // checked first: there is no such file
constexpr int Unreadable = -3;   // the file could not be opened or read
constexpr int AnyReason = 0;     // a row for every reason not named before it

// One row of a format's message table. In Text, %N stands for the file name and %Q for
// the name in double quotes. The first row that matches the reason and the source is
// the one shown.
struct MessageRow {
  int Reason;
  From Source;
  const char* Text;
  const char* Caption;
};

// The readers' limits on what a picture may cost. A picture refused by one is
// reported with its format's message and a line that says which limit it hit.
enum class Limit : uint8_t { FileSize, Size, ScaledSize, PixelsPerByte, Scans, WorkMemory };

// A decoder's reason that is one of the limits.
struct LimitRow {
  int Reason;
  Limit Which;
};

struct PictureFormat {
  const char* BlockType;               // the type of its embedded blocks
  bool ChecksFileFirst;                // says "not found" before trying to read
  int (*Decode)(std::span<const uint8_t> bytes, DecodedImage& image);   // 0 when decoded
  std::span<const MessageRow> Messages;
  std::span<const LimitRow> Limits;
};

template <typename Status, Status (*Decoder)(std::span<const uint8_t>, DecodedImage&, int)>
int DecodeAs(std::span<const uint8_t> bytes, DecodedImage& image) {
  return static_cast<int>(Decoder(bytes, image, MaxImageSide));
}

constexpr MessageRow BmpMessages[] = {
    // reason                                   source          text                                   caption
    {NoBlock,                                   From::Resource, "File not found in resource - %N",     "BMP Texture"},
    {AnyReason,                                 From::Resource, "Unable to read from resource - %N",   "BMP Unit"},
    {Unreadable,                                From::File,     "Error opening %N",                    "BMP Unit"},
    {static_cast<int>(BmpStatus::PaletteShort), From::File,     "Error reading palette",               "BMP Unit"},
    {AnyReason,                                 From::File,     "Error reading bitmap data",           "BMP Unit"},
};

constexpr MessageRow JpegMessages[] = {
    {NoBlock,   From::Resource, "File not found in resource - %N", "JPG Texture"},
    {AnyReason, From::Resource, "Couldn't load JPG Resource - %Q", "BMP Unit"},
    {AnyReason, From::File,     "Couldn't load JPG - %Q",          "BMP Unit"},
};

constexpr MessageRow TgaMessages[] = {
    {NoBlock,                                    From::Resource, "File not found in resource - %N",                        "TGA Texture"},
    {NoFile,                                     From::File,     "File not found  - %N",                                   "TGA Texture"},
    {Unreadable,                                 From::File,     "Couldn't read file %Q.",                                 "TGA File Error"},
    {static_cast<int>(TgaStatus::NotTrueColour), From::Either,   "Couldn't load %Q. Only 24 and 32bit TGA supported.",     "TGA File Error"},
    {static_cast<int>(TgaStatus::ColourMapped),  From::Either,   "Couldn't load %Q. Colormapped TGA files not supported.", "TGA File Error"},
    {static_cast<int>(TgaStatus::BadDepth),      From::Either,   "Couldn't load %Q. Only 24 and 32 bit TGA files supported.", "TGA File Error"},
    {AnyReason,                                  From::Resource, "Unable to read from resource - %N",                      "BMP Unit"},
    {AnyReason,                                  From::File,     "Couldn't read file %Q.",                                 "TGA File Error"},
};

constexpr LimitRow BmpLimits[] = {
    {static_cast<int>(BmpStatus::TooLarge), Limit::Size},
};

constexpr LimitRow JpegLimits[] = {
    {static_cast<int>(JpegStatus::TooLarge),      Limit::ScaledSize},
    {static_cast<int>(JpegStatus::TooFewBytes),   Limit::PixelsPerByte},
    {static_cast<int>(JpegStatus::TooManyScans),  Limit::Scans},
    {static_cast<int>(JpegStatus::TooMuchMemory), Limit::WorkMemory},
};

constexpr LimitRow TgaLimits[] = {
    {static_cast<int>(TgaStatus::TooLarge), Limit::Size},
};

constexpr PictureFormat Bmp = {"BMP", false, DecodeAs<BmpStatus, DecodeBmp>, BmpMessages, BmpLimits};
constexpr PictureFormat Jpeg = {"JPEG", false, DecodeAs<JpegStatus, DecodeJpeg>, JpegMessages, JpegLimits};
constexpr PictureFormat Tga = {"TGA", true, DecodeAs<TgaStatus, DecodeTga>, TgaMessages, TgaLimits};

std::string Times(uint64_t width, uint64_t height) { return std::to_string(width) + " × " + std::to_string(height); }

// The line that says which limit a picture hit; image holds the size it announced,
// fileBytes the size of its file or block.
std::string LimitLine(Limit limit, const DecodedImage& image, std::size_t fileBytes) {
  const std::string size = Times(static_cast<uint64_t>(image.Width), static_cast<uint64_t>(image.Height));
  const std::string most = Times(MaxImagePixelsSide, MaxImagePixelsSide);
  switch (limit) {
    case Limit::FileSize:
      return "The file is larger than " + std::to_string(MaxPictureFileBytes >> 20) +
             " MB, the most a picture file may have.";
    case Limit::Size:
      if (image.Width > MaxImageSide || image.Height > MaxImageSide)
        return "It is " + size + " pixels; no side may be longer than " + std::to_string(MaxImageSide) + " pixels.";
      return "It is " + size + " pixels; a picture may have at most " + most + " pixels.";
    case Limit::ScaledSize:
      return "It is " + size + " pixels; even at 1/8 of that size it would have more than " + most + " pixels.";
    case Limit::PixelsPerByte:
      return "It announces " + size + " pixels in " + std::to_string(fileBytes) + " bytes: more than " +
             std::to_string(MaxJpegPixelsPerByte) + " pixels for every byte, more than its data can hold.";
    case Limit::Scans:
      return "It has more than " +
             std::to_string(MaxJpegScansFor(static_cast<uint64_t>(image.Width) * static_cast<uint64_t>(image.Height))) +
             " scans, the most for a picture of " + size + " pixels.";
    case Limit::WorkMemory:
      return "Decoding it would need more than " + std::to_string(MaxJpegWorkBytes >> 20) + " MB of memory.";
  }
  return "";
}

std::string Expand(const char* text, const std::string& name) {
  std::string out;
  for (const char* p = text; *p; ++p) {
    if (p[0] == '%' && (p[1] == 'N' || p[1] == 'Q')) {
      out += p[1] == 'Q' ? "\"" + name + "\"" : name;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

// Shows the format's message for reason, with the line `limit` on a line of its own
// after it when there is one.
bool Fail(const PictureFormat& format, int reason, bool fromResource, const std::string& name,
          const std::string& limit = "") {
  const From source = fromResource ? From::Resource : From::File;
  for (const MessageRow& row : format.Messages) {
    if (row.Source != From::Either && row.Source != source) continue;
    if (row.Reason != reason && row.Reason != AnyReason) continue;
    SysMessageBox(limit.empty() ? Expand(row.Text, name) : Expand(row.Text, name) + "\n" + limit, row.Caption);
    break;
  }
  return false;
}

// Whether a file that could not be read is a regular file past MaxPictureFileBytes.
bool LargerThanAnyPicture(const std::string& fileName) {
  SysFileInfo info;
  return SysFileInfoAt(fileName, true, info) && info.Kind == SysFileKind::Regular &&
         info.Size > static_cast<uint64_t>(MaxPictureFileBytes);
}

std::string LimitLineFor(const PictureFormat& format, int status, const DecodedImage& image, std::size_t fileBytes) {
  for (const LimitRow& row : format.Limits)
    if (row.Reason == status) return LimitLine(row.Which, image, fileBytes);
  return "";
}

bool ReadPicture(const PictureFormat& format, const std::string& fileName, unsigned int& textureName,
                 bool fromResource) {
  std::vector<uint8_t> fileBytes;
  std::span<const uint8_t> bytes;
  if (fromResource) {
    const std::vector<uint8_t>* block = FindEmbeddedBlock(fileName, format.BlockType);
    if (!block) return Fail(format, NoBlock, true, fileName);
    bytes = *block;
  } else {
    if (format.ChecksFileFirst && !SysIsRegularFile(fileName)) return Fail(format, NoFile, false, fileName);
    if (!ReadFileBytes(fileName, fileBytes))
      return Fail(format, Unreadable, false, fileName,
                  LargerThanAnyPicture(fileName) ? LimitLine(Limit::FileSize, DecodedImage{}, 0) : "");
    bytes = fileBytes;
  }
  DecodedImage image;
  if (const int status = format.Decode(bytes, image); status != 0)
    return Fail(format, status, fromResource, fileName, LimitLineFor(format, status, image, bytes.size()));
  textureName = MakeGLTexture(static_cast<uint16_t>(image.Width), static_cast<uint16_t>(image.Height),
                              image.Format, image.Pixels.data());
  return true;
}

}  // namespace

bool ReadBmpImage(const std::string& fileName, unsigned int& textureName, bool fromResource) {
  return ReadPicture(Bmp, fileName, textureName, fromResource);
}

bool ReadJpegImage(const std::string& fileName, unsigned int& textureName, bool fromResource) {
  return ReadPicture(Jpeg, fileName, textureName, fromResource);
}

bool ReadTgaImage(const std::string& fileName, unsigned int& textureName, bool fromResource) {
  return ReadPicture(Tga, fileName, textureName, fromResource);
}
