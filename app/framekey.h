#pragma once
// The frame key: the value of everything a frame reads from the program's state (the
// client size, the scene options, the view, the drawn cube, the face maps' stickers,
// colours, marks and paint colour, the face pictures' texture objects), taken when a
// frame is drawn.
// The drawing's own fixed state (lights, fog) is set when the window starts, and a new
// window forgets the frame drawn. The tick draws only when the key of the state it
// leaves differs from the key of the last frame drawn, so an idle window costs no
// drawing; so do the handlers that change what the frame shows, through
// RedrawIfChanged; paints and exposes of the window system always draw.

#include "render/draw.h"

// The scene options of the program's state now: the menu marks and run flags a
// frame shows.
SceneOptions CurrentSceneOptions();

// Records the key of the frame just drawn at width x height with options.
void RememberDrawnFrame(int width, int height, const SceneOptions& options);
// True when a frame drawn now at width x height with options would differ from the
// last frame drawn, if at all, in its arrows alone (shown or not, their layer,
// direction and phase): the frames in which only the arrows move.
bool OnlyArrowsChanged(int width, int height, const SceneOptions& options);
// No frame counts as drawn: the next tick draws (a new window, a lost context).
void ForgetDrawnFrame();

// True when a frame drawn now at the window's client size would show something other
// than the last frame drawn, when none has been drawn, or when SkipUnchangedFrames is
// off.
bool FrameNeedsDrawing();

// Draws a frame now (SysRedraw) when FrameNeedsDrawing: what every handler that changes
// what the frame shows calls last, so that no picture stays stale until a tick, which
// may not come (paused, a menu opened).
void RedrawIfChanged();

// On by default; off, every tick draws (for comparing and measuring).
extern bool SkipUnchangedFrames;
