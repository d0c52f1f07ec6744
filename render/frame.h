#pragma once
// The OpenGL frame: projection, the four spot lights, fog, blending, material, and
// the order in which the parts of the scene are drawn.

// Everything a frame reads from the program's state besides the drawn cube and the view.
struct SceneOptions {
  bool Projections = false;   // the Projections menu mark: face maps drawn
  bool Texture = true;        // the Texture menu mark: stickers show the face pictures
  bool ShowArrows = false;
  int CurrentLayer = 1;
  int TurnDirection = 1;
  float SpinAngles[3] = {45, 45, 45};
  float ArrowPhase = 0;
};

struct SpotLight {
  bool Enabled;
  float Position[4];      // eye coordinates
  float Direction[3];
  float Diffuse[3];
  float Ambient[3];
};
extern SpotLight LightTable[4];
extern bool FogEnabled;

// Once, with the new context current: clear colour, the quadric, white lights, fog on,
// and the per-frame state set once.
void ContextSetUp();
// Once, before the context goes: deletes the quadric.
void ContextRelease();

void SetupLighting();
// Frame steps before the swap: clear, viewport, projection, lighting, scene. A client
// height of 0 is drawn as height 1.
void RenderFrame(int width, int height, const SceneOptions& options);
void DrawScene(const SceneOptions& options);
// The perspective of every frame and of picking: 30 degrees, width / height, 0.01, 10.
void ApplyPerspective(int width, int height);

// The one GLU quadric of the program (the arrows' cones, cylinders and disks).
struct GLUquadric;
extern GLUquadric* SceneQuadric;
