#pragma once
// Showing the back buffer, or parts of it, in the window by copying rather than by a
// swap: the back buffer then keeps what was drawn into it. Only where the window
// system offers such a copy (GLX with GLX_MESA_copy_sub_buffer); elsewhere every frame
// is shown by a swap.

class QOpenGLContext;

class TSubBufferCopy {
 public:
  // Looks for the copy, with context current on its window. False where there is none.
  bool Find(QOpenGLContext* context);
  bool Available() const { return Copy != nullptr; }
  // Copies the rectangle (x, y from the bottom left, in device pixels) of the current
  // window's back buffer to the window; the back buffer is left as it is.
  void CopyToWindow(int x, int y, int width, int height) const;

 private:
  void (*Copy)() = nullptr;   // glXCopySubBufferMESA
};
