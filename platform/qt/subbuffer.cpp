#include "platform/qt/subbuffer.h"

#include <QOpenGLContext>
#include <QtGui/qopenglcontext_platform.h>

// Xlib's macros (None, Bool, Status...) stay below every Qt header.
#include <GL/glx.h>

#include <cstring>

namespace {

bool HasExtension(const char* list, const char* name) {
  const size_t length = std::strlen(name);
  for (const char* at = list; at && (at = std::strstr(at, name)) != nullptr; at += length) {
    const bool starts = at == list || at[-1] == ' ';
    const bool ends = at[length] == ' ' || at[length] == '\0';
    if (starts && ends) return true;
  }
  return false;
}

}  // namespace

bool TSubBufferCopy::Find(QOpenGLContext* context) {
  Copy = nullptr;
  // Only a GLX context draws into the window through GLX (Wayland and EGL do not).
  if (!context || !context->nativeInterface<QNativeInterface::QGLXContext>()) return false;
  Display* display = glXGetCurrentDisplay();
  if (!display || !glXGetCurrentDrawable()) return false;
  if (!HasExtension(glXQueryExtensionsString(display, DefaultScreen(display)), "GLX_MESA_copy_sub_buffer"))
    return false;
  Copy = glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA"));
  return Copy != nullptr;
}

void TSubBufferCopy::CopyToWindow(int x, int y, int width, int height) const {
  if (!Copy || width <= 0 || height <= 0) return;
  // The drawable and display the context draws into now: those of the window made
  // current, whatever the toolkit has made of its native window since.
  reinterpret_cast<PFNGLXCOPYSUBBUFFERMESAPROC>(Copy)(glXGetCurrentDisplay(), glXGetCurrentDrawable(), x, y,
                                                       width, height);
}
