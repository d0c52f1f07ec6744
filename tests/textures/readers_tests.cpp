// What the readers tell the user when a picture cannot be had, from a file or from an
// embedded block. Every case here fails before a texture is made, so no GL is needed.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "pictures.h"
#include "platform/headless/headless.h"
#include "textures/sources.h"
#include "textures/textures.h"

namespace {

class Readers : public testing::Test {
 protected:
  void SetUp() override {
    HeadlessReset();
    ClearEmbeddedBlocks();
  }
  void TearDown() override { ClearEmbeddedBlocks(); }

  // Runs the loader and checks that it failed with exactly this one message and left
  // the out-parameter alone.
  void ExpectRefused(const std::string& name, bool fromResource, const std::string& text,
                     const std::string& caption) {
    SCOPED_TRACE(name);
    HeadlessReset();
    unsigned int texture = 4242;
    EXPECT_FALSE(LoadImageTexture(name, texture, fromResource));
    EXPECT_EQ(texture, 4242u);
    ASSERT_EQ(Headless.Messages.size(), 1u);
    EXPECT_EQ(Headless.Messages[0].Text, text);
    EXPECT_EQ(Headless.Messages[0].Caption, caption);
    EXPECT_FALSE(Headless.Messages[0].OkCancel);
  }
};

std::vector<Rgb> Grey(int count) { return std::vector<Rgb>(static_cast<std::size_t>(count), Rgb{9, 9, 9}); }

TEST_F(Readers, OtherExtensionsLoadNothingAndSayNothing) {
  for (const char* name : {"texture1.jpeg", "texture1.png", "texture1", "bmp", ".bm", "", "x.BMPX", "x.tga "}) {
    SCOPED_TRACE(name);
    unsigned int texture = 77;
    EXPECT_FALSE(LoadImageTexture(name, texture, false));
    EXPECT_FALSE(LoadImageTexture(name, texture, true));
    EXPECT_EQ(texture, 77u);
  }
  EXPECT_TRUE(Headless.Messages.empty());
}

TEST_F(Readers, MissingFilesByExtension) {
  const std::string dir = testing::TempDir() + "no-such-dir/";
  ExpectRefused(dir + "texture1.jpg", false, "Couldn't load JPG - \"" + dir + "texture1.jpg\"", "BMP Unit");
  ExpectRefused(dir + "TEXTURE1.JPG", false, "Couldn't load JPG - \"" + dir + "TEXTURE1.JPG\"", "BMP Unit");
  ExpectRefused(dir + "face.Bmp", false, "Error opening " + dir + "face.Bmp", "BMP Unit");
  ExpectRefused(dir + "face.tGa", false, "File not found  - " + dir + "face.tGa", "TGA Texture");
  // A directory is no picture.
  const std::string directory = testing::TempDir() + "tornelo-directory.bmp";
  std::filesystem::create_directory(directory);
  ExpectRefused(directory, false, "Error opening " + directory, "BMP Unit");
  std::filesystem::remove(directory);
}

TEST_F(Readers, BmpFileMessages) {
  const Bytes good = MakeBmp(4, 2, Grey(8));
  struct Case {
    const char* What;
    std::size_t Field;   // 0: cut the file to Value bytes
    uint32_t Value;
    const char* Text;
  };
  const Case cases[] = {
      {"palette past the end", BmpColoursUsedField, 100, "Error reading palette"},
      {"pixel data short", 0, 60, "Error reading bitmap data"},
      {"headers short", 0, 30, "Error reading bitmap data"},
      {"size field too small", BmpSizeField, 12, "Error reading bitmap data"},
      {"negative height", BmpHeightField, 0xFFFFFFFF, "Error reading bitmap data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    Bytes bmp = good;
    if (c.Field == 0)
      bmp.resize(c.Value);
    else
      PutU32(bmp, c.Field, c.Value);
    TempFile file("bad.bmp", bmp);
    ExpectRefused(file.Path, false, c.Text, "BMP Unit");
  }
}

TEST_F(Readers, TgaFileMessages) {
  struct Case {
    const char* What;
    Bytes File;
    const char* Ending;   // after Couldn't load "name"
  };
  const Case refusals[] = {
      {"type 1 with a colour map", MakeTga(1, 1, 1, 8, {1}, 1), ". Only 24 and 32bit TGA supported."},
      {"colour map", MakeTga(2, 1, 1, 24, {1, 2, 3}, 1), ". Colormapped TGA files not supported."},
      {"16 bits", MakeTga(2, 1, 1, 16, {1, 2}), ". Only 24 and 32 bit TGA files supported."},
  };
  for (const Case& c : refusals) {
    SCOPED_TRACE(c.What);
    TempFile file("bad.tga", c.File);
    ExpectRefused(file.Path, false, "Couldn't load \"" + file.Path + "\"" + c.Ending, "TGA File Error");
  }

  const Bytes unreadable[] = {
      {1, 2, 3},                                  // shorter than the header
      MakeTga(2, 2, 2, 24, {1, 2, 3}),            // pixel data short
      MakeTga(10, 2, 2, 24, {0xFF, 1, 2, 3}),     // run past the last pixel
      MakeTga(2, 0, 2, 24, {}),                   // width 0
  };
  for (const Bytes& bytes : unreadable) {
    TempFile file("bad.tga", bytes);
    ExpectRefused(file.Path, false, "Couldn't read file \"" + file.Path + "\".", "TGA File Error");
  }
}

TEST_F(Readers, CorruptJpegFileIsReportedAndLoadingGoesOn) {
  TempFile file("bad.jpg", Bytes(300, 0x42));
  ExpectRefused(file.Path, false, "Couldn't load JPG - \"" + file.Path + "\"", "BMP Unit");
  TempFile empty("empty.jpg", {});
  ExpectRefused(empty.Path, false, "Couldn't load JPG - \"" + empty.Path + "\"", "BMP Unit");
  // Cut short: libjpeg would give grey rows where the data end.
  Bytes jpeg = MakeJpeg(16, 16, 3, Bytes(16 * 16 * 3, 90));
  jpeg.resize(jpeg.size() - 10);
  TempFile cut("cut.jpg", jpeg);
  ExpectRefused(cut.Path, false, "Couldn't load JPG - \"" + cut.Path + "\"", "BMP Unit");
  RegisterEmbeddedBlock("cut", "JPEG", jpeg);
  ExpectRefused("cut.jpg", true, "Couldn't load JPG Resource - \"cut.jpg\"", "BMP Unit");
}

// What is not a regular file is not read and counts as missing: a named pipe would
// keep the reader waiting for a writer for ever. The readers run in a child process
// that an alarm ends should one of them wait.
TEST_F(Readers, PipesAndDevicesCountAsMissingFiles) {
  const std::string dir = testing::TempDir() + "tornelo-pipes-" + std::to_string(::getpid()) + "/";
  std::filesystem::create_directory(dir);
  for (const char* name : {"texture1.jpg", "face.bmp", "face.tga"})
    ASSERT_EQ(::mkfifo((dir + name).c_str(), 0600), 0) << name;
  std::filesystem::create_symlink("/dev/zero", dir + "zero.jpg");
  EXPECT_EXIT(
      {
        ::alarm(20);
        ExpectRefused(dir + "texture1.jpg", false, "Couldn't load JPG - \"" + dir + "texture1.jpg\"", "BMP Unit");
        ExpectRefused(dir + "zero.jpg", false, "Couldn't load JPG - \"" + dir + "zero.jpg\"", "BMP Unit");
        ExpectRefused(dir + "face.bmp", false, "Error opening " + dir + "face.bmp", "BMP Unit");
        ExpectRefused(dir + "face.tga", false, "File not found  - " + dir + "face.tga", "TGA Texture");
        std::exit(HasFailure() ? 1 : 0);
      },
      testing::ExitedWithCode(0), "");
  std::filesystem::remove_all(dir);
}

TEST_F(Readers, RefusalsByALimitSayWhichOne) {
  Bytes jpeg = MakeJpeg(8, 8, 3, Bytes(8 * 8 * 3, 90));
  for (std::size_t i = 2; i + 8 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) jpeg[i + 5] = jpeg[i + 7] = 0x40, jpeg[i + 6] = jpeg[i + 8] = 0;
  TempFile few("few.jpg", jpeg);
  ExpectRefused(few.Path, false,
                "Couldn't load JPG - \"" + few.Path + "\"\nIt announces 16384 × 16384 pixels in " +
                    std::to_string(jpeg.size()) + " bytes: more than 1024 pixels for every byte, more than its data can hold.",
                "BMP Unit");
  TempFile huge("huge.tga", {});
  std::filesystem::resize_file(huge.Path, MaxPictureFileBytes + 1);
  ExpectRefused(huge.Path, false,
                "Couldn't read file \"" + huge.Path + "\".\nThe file is larger than 32 MB, the most a picture file may have.",
                "TGA File Error");
}

TEST(FacePictureFile, TheFirstFolderWithOneAndThereJpegThenBmpThenTga) {
  const std::string a = testing::TempDir() + "tornelo-faces-a-" + std::to_string(::getpid());
  const std::string b = testing::TempDir() + "tornelo-faces-b-" + std::to_string(::getpid());
  std::filesystem::create_directories(b + "/texture4.jpg");   // a folder, no picture
  std::filesystem::create_directories(a);
  for (const std::string& path : {a + "/texture2.tga", b + "/texture2.jpg", b + "/texture3.tga", b + "/texture3.bmp"})
    std::ofstream(path) << "x";
  EXPECT_EQ(FacePictureFile(2, {a, b}), a + "/texture2.tga");
  EXPECT_EQ(FacePictureFile(2, {b, a}), b + "/texture2.jpg");
  EXPECT_EQ(FacePictureFile(3, {a, b}), b + "/texture3.bmp");
  EXPECT_EQ(FacePictureFile(4, {a, b}), "texture4.jpg");
  std::filesystem::remove_all(a);
  std::filesystem::remove_all(b);
}

TEST(ReadFileBytes, LeavesFilesLargerThanAnyPictureUnread) {
  // A sparse file: no disk is spent on it.
  TempFile file("huge.jpg", {});
  std::filesystem::resize_file(file.Path, MaxPictureFileBytes + 1);
  Bytes bytes{1, 2, 3};
  EXPECT_FALSE(ReadFileBytes(file.Path, bytes));
  EXPECT_TRUE(bytes.empty());
  std::filesystem::resize_file(file.Path, 1000);
  EXPECT_TRUE(ReadFileBytes(file.Path, bytes));
  EXPECT_EQ(bytes, Bytes(1000, 0));

  // A read that fails after the open is no picture, not a short one.
  HeadlessFailFileOp(3, EIO);   // open, fstat, read
  EXPECT_FALSE(ReadFileBytes(file.Path, bytes));
  EXPECT_EQ(Headless.FailedFileOp, "read");
  EXPECT_TRUE(bytes.empty());
  HeadlessFailFileOp(0, 0);
}

TEST_F(Readers, EmbeddedBlocksNotFound) {
  ExpectRefused("face.bmp", true, "File not found in resource - face.bmp", "BMP Texture");
  ExpectRefused("face.jpg", true, "File not found in resource - face.jpg", "JPG Texture");
  ExpectRefused("face.tga", true, "File not found in resource - face.tga", "TGA Texture");
  // A block is found by name and type: a BMP block does not serve the TGA reader.
  RegisterEmbeddedBlock("FACE", "BMP", MakeBmp(4, 2, Grey(8)));
  ExpectRefused("face.tga", true, "File not found in resource - face.tga", "TGA Texture");
  ExpectRefused("other.bmp", true, "File not found in resource - other.bmp", "BMP Texture");
}

TEST_F(Readers, EmbeddedBlocksThatCannotBeRead) {
  RegisterEmbeddedBlock("face", "BMP", Bytes(40, 0));
  ExpectRefused("face.bmp", true, "Unable to read from resource - face.bmp", "BMP Unit");
  RegisterEmbeddedBlock("face", "JPEG", Bytes(40, 0));
  ExpectRefused("face.jpg", true, "Couldn't load JPG Resource - \"face.jpg\"", "BMP Unit");
  RegisterEmbeddedBlock("face", "TGA", MakeTga(10, 4, 4, 24, {0x80, 1, 2, 3}));
  ExpectRefused("face.tga", true, "Unable to read from resource - face.tga", "BMP Unit");
  RegisterEmbeddedBlock("face", "TGA", {0, 0, 2});
  ExpectRefused("face.tga", true, "Unable to read from resource - face.tga", "BMP Unit");
  // The header checks speak as for a file.
  RegisterEmbeddedBlock("face", "TGA", MakeTga(2, 1, 1, 16, {1, 2}));
  ExpectRefused("face.tga", true, "Couldn't load \"face.tga\". Only 24 and 32 bit TGA files supported.",
                "TGA File Error");
}

TEST(EmbeddedBlockName, IsThePartBeforeTheFirstDot) {
  EXPECT_EQ(EmbeddedBlockName("texture1.jpg"), "texture1");
  EXPECT_EQ(EmbeddedBlockName("my.face.bmp"), "my");
  EXPECT_EQ(EmbeddedBlockName("noextension"), "");
  EXPECT_EQ(EmbeddedBlockName(".bmp"), "");
}

}  // namespace
