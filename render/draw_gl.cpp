// The drawing side of the program: the frame, the face maps and the face pictures.

#include "render/draw.h"

#include "render/frame.h"
#include "textures/textures.h"

void StartDrawing() {
  ContextSetUp();
  LoadFaceTextures();
}

void StopDrawing() { ContextRelease(); }

unsigned int FacePicture(int face) { return face >= 1 && face <= 6 ? TextureNames[face] : 0; }
