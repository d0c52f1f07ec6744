#pragma once
// The frame report, for the tests that watch the real window: with the environment
// variable TORNELO_FRAME_REPORT naming a file, the window keeps one line in it,
// "FRAMES TICKS RUNNING": the frames shown so far (counted after each swap), the ticks
// run so far, and 1 while Timer1 runs, 0 while it is stopped. A test waits on it for
// the first frame, for a new frame and for rest (no new frame for some ticks) rather
// than for a time. Without the variable nothing is written.

void ReportFrameShown();
void ReportTick();
// Timer1 was started or stopped.
void ReportTimer();
