// The loader: picks a reader by the file name's extension, and the one step that
// turns decoded pixels into a texture object.

#include <GL/gl.h>
#include <GL/glu.h>

#include "textures/textures.h"

#include <string>
#include <vector>

#include "platform/datafiles.h"
#include "platform/files.h"

unsigned int TextureNames[7] = {};

bool LoadImageTexture(const std::string& fileName, unsigned int& textureName, bool fromResource) {
  if (fileName.size() < 4) return false;
  std::string extension = fileName.substr(fileName.size() - 4);
  for (char& c : extension)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');

  if (extension == ".BMP") return ReadBmpImage(fileName, textureName, fromResource);
  if (extension == ".JPG") return ReadJpegImage(fileName, textureName, fromResource);
  if (extension == ".TGA") return ReadTgaImage(fileName, textureName, fromResource);
  return false;
}

unsigned int MakeGLTexture(uint16_t width, uint16_t height, unsigned int format, const uint8_t* pixels) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  if (format == GL_RGBA)
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  else
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
  return name;
}

std::string FacePictureFile(int face, const std::vector<std::string>& folders) {
  static constexpr const char* Extensions[] = {".jpg", ".bmp", ".tga"};
  const std::string stem = "texture" + std::to_string(face);
  for (const std::string& folder : folders)
    for (const char* extension : Extensions) {
      const std::string path = (folder.empty() ? "" : folder + "/") + stem + extension;
      if (SysIsRegularFile(path)) return path;
    }
  return stem + Extensions[0];
}

void LoadFaceTextures() {
  glEnable(GL_TEXTURE_2D);
  const std::vector<std::string> folders = DataFolders();
  for (int face = 1; face <= 6; ++face) {
    TextureNames[face] = 0;
    // A picture that cannot be read has been reported by the loader; its face stays
    // without a texture and start-up goes on.
    LoadImageTexture(FacePictureFile(face, folders), TextureNames[face], false);
  }
  glDisable(GL_TEXTURE_2D);
}
