// The drawing side of the programs that never have a rendering context: the program
// reaches these only with a context current, so here they are never called.

#include "render/draw.h"

void StartDrawing() {}
void StopDrawing() {}
unsigned int FacePicture(int) { return 0; }
void RenderFrame(int, int, const SceneOptions&, bool) {}
int RenderArrowChange(int, int, const SceneOptions&, ClientRect*) { return -1; }
