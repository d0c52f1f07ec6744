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

// A rectangle of the client area in window pixels: from (X, Y), counted from the
// bottom left, Width to the right and Height up.
struct ClientRect {
  int X = 0, Y = 0, Width = 0, Height = 0;
};

// The most rectangles RenderArrowChange redraws: those the arrows of the last frame
// covered and those they cover now.
constexpr int MaxArrowChangeRects = 60;

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
// keepScene: the frame keeps its picture without the arrows, for RenderArrowChange.
void RenderFrame(int width, int height, const SceneOptions& options, bool keepScene = false);
// The frame of options drawn only where it can differ from the last frame, for a frame
// that differs from it in the arrows alone (shown or not, their layer, direction and
// phase): the caller knows that everything else the frame reads is as it was at the
// last RenderFrame, which kept its scene, and that the buffer drawn into still holds
// the last frame. In the rectangles the arrows of either frame cover, the kept scene
// is put back and the arrows drawn over it, so every pixel comes out as RenderFrame
// would draw it. Returns how many rectangles were redrawn (into changed), or -1 with
// nothing drawn when the last frame was not drawn by these two at this size, its scene
// was not kept, or the buffer may have been touched since.
int RenderArrowChange(int width, int height, const SceneOptions& options,
                      ClientRect changed[MaxArrowChangeRects]);
