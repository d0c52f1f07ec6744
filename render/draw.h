#pragma once
// What the program asks of the drawing. The program proper (app/) never calls OpenGL:
// it calls these with the window's rendering context current, and the executable links
// one side of them. render/draw_gl.cpp draws; render/draw_none.cpp is the side for the
// programs that never have a context (the command-line tool, the unit suites): its
// routines are never reached there, and do nothing.

// Everything a frame reads from the program's state besides the drawn cube, the view
// and Stickers.
struct SceneOptions {
  bool Projections = false;   // the Projections menu mark: face maps drawn
  bool Texture = true;        // the Texture menu mark: stickers show the face pictures
  bool ShowArrows = false;
  bool FaceLetters = false;   // the face letters on the centres of the cube and maps
  int CurrentLayer = 1;
  int TurnDirection = 1;
  float SpinAngles[3] = {45, 45, 45};
  float ArrowPhase = 0;
  int PaintColour = 0;        // 1..6: shown beside the face maps as the colour a click paints

  bool operator==(const SceneOptions&) const = default;
};

// Once, with the new context current: its fixed state and the six face pictures
// ("texture1.jpg" .. "texture6.jpg"; one that cannot be read has been reported and its
// face stays without a picture).
void StartDrawing();
// Once, before the context goes.
void StopDrawing();
// The texture object of face 1..6's picture, which its stickers show in Texture mode;
// 0 for none.
unsigned int FacePicture(int face);
// Frame steps before the swap: clear, viewport, projection, lighting, scene. A client
// height of 0 is drawn as height 1.
void RenderFrame(int width, int height, const SceneOptions& options);
