#pragma once
// Pictures into OpenGL texture objects: one loader that picks a reader by the file
// name's extension, three readers (BMP, JPEG, TGA), one creation step.

#include <cstdint>
#include <string>
#include <vector>

// Texture object of each face [1..6]; 0 when none was loaded.
extern unsigned int TextureNames[7];

// With the context current: the pictures of the six faces (FacePictureFile, in the
// data folders) into TextureNames[1..6]. A picture that cannot be read is reported by
// its reader and its face stays without one.
void LoadFaceTextures();

// The picture file of face 1..6: in the first of folders ("" the working directory)
// that has one, "texture<face>.jpg", else ".bmp", else ".tga" there. "texture<face>.jpg"
// when no folder has any, so that the JPEG reader reports it missing by that name.
std::string FacePictureFile(int face, const std::vector<std::string>& folders);

// Picks the reader by the last four characters of the upper-cased name (".BMP",
// ".JPG", ".TGA"). False, without a message, for any other name; false after the
// reader's message when reading failed. textureName is written only on success.
bool LoadImageTexture(const std::string& fileName, unsigned int& textureName, bool fromResource);

// format is GL_RGB or GL_RGBA; rows bottom first. Leaves the texture bound.
unsigned int MakeGLTexture(uint16_t width, uint16_t height, unsigned int format, const uint8_t* pixels);

bool ReadBmpImage(const std::string& fileName, unsigned int& textureName, bool fromResource);
bool ReadJpegImage(const std::string& fileName, unsigned int& textureName, bool fromResource);
bool ReadTgaImage(const std::string& fileName, unsigned int& textureName, bool fromResource);
