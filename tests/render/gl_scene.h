#pragma once
// An OSMesa context for the drawing tests, and the scene's transform and projection
// worked out on the CPU to check the pictures against.

#include <GL/osmesa.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "render/frame.h"
#include "render/model.h"
#include "render/view.h"

class OffscreenContext {
 public:
  OffscreenContext(int width, int height) : width_(width), height_(height), buffer_(size_t(width) * height * 4) {
    const int attributes[] = {OSMESA_FORMAT,      OSMESA_RGBA,          OSMESA_DEPTH_BITS, 24,
                              OSMESA_STENCIL_BITS, 8,                   OSMESA_PROFILE,    OSMESA_COMPAT_PROFILE,
                              0};
    context_ = OSMesaCreateContextAttribs(attributes, nullptr);
    if (context_ != nullptr) made_ = OSMesaMakeCurrent(context_, buffer_.data(), GL_UNSIGNED_BYTE, width, height);
  }
  ~OffscreenContext() {
    if (context_ != nullptr) OSMesaDestroyContext(context_);
  }
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  bool Ready() const { return context_ != nullptr && made_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_, height_;
  std::vector<uint8_t> buffer_;
  OSMesaContext context_ = nullptr;
  bool made_ = false;
};

// A 4 x 4 matrix, column-major like GL's.
struct Matrix4 {
  double m[16];
  static Matrix4 Identity() { return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }
  double& at(int row, int col) { return m[col * 4 + row]; }
  double at(int row, int col) const { return m[col * 4 + row]; }
};

inline Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
  Matrix4 r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r.at(i, j) += a.at(i, k) * b.at(k, j);
  return r;
}

inline Matrix4 Translation(double x, double y, double z) {
  Matrix4 r = Matrix4::Identity();
  r.at(0, 3) = x;
  r.at(1, 3) = y;
  r.at(2, 3) = z;
  return r;
}

inline Matrix4 Scaling(double s) {
  Matrix4 r = Matrix4::Identity();
  r.at(0, 0) = r.at(1, 1) = r.at(2, 2) = s;
  return r;
}

inline Matrix4 Rotation(double degrees, double x, double y, double z) {
  const double len = std::sqrt(x * x + y * y + z * z);
  x /= len;
  y /= len;
  z /= len;
  const double a = degrees * M_PI / 180, c = std::cos(a), s = std::sin(a), t = 1 - c;
  Matrix4 r = Matrix4::Identity();
  r.at(0, 0) = t * x * x + c;
  r.at(0, 1) = t * x * y - s * z;
  r.at(0, 2) = t * x * z + s * y;
  r.at(1, 0) = t * x * y + s * z;
  r.at(1, 1) = t * y * y + c;
  r.at(1, 2) = t * y * z - s * x;
  r.at(2, 0) = t * x * z - s * y;
  r.at(2, 1) = t * y * z + s * x;
  r.at(2, 2) = t * z * z + c;
  return r;
}

struct Vec3 {
  double x, y, z;
};

inline Vec3 Transform(const Matrix4& a, const Vec3& p, double w = 1) {
  return {a.at(0, 0) * p.x + a.at(0, 1) * p.y + a.at(0, 2) * p.z + a.at(0, 3) * w,
          a.at(1, 0) * p.x + a.at(1, 1) * p.y + a.at(1, 2) * p.z + a.at(1, 3) * w,
          a.at(2, 0) * p.x + a.at(2, 1) * p.y + a.at(2, 2) * p.z + a.at(2, 3) * w};
}

// Model space of the cube to eye space: the cube 8 units ahead, the view orientation,
// the three spins, the scale.
inline Matrix4 SceneTransform(const SceneOptions& options) {
  Matrix4 m = Translation(0, 0, -8);
  ViewRotation rotations[2];
  const int count = ViewRotations(ViewUp, ViewRight, rotations);
  for (int i = 0; i < count; ++i) {
    m = m * Rotation(rotations[i].degrees, rotations[i].axis.x, rotations[i].axis.y, rotations[i].axis.z);
  }
  m = m * Rotation(options.SpinAngles[0], 1, 0, 0);
  m = m * Rotation(options.SpinAngles[1], 0, 1, 0);
  m = m * Rotation(options.SpinAngles[2], 0, 0, 1);
  return m * Scaling(0.3);
}

// Window coordinates (x right, y up, pixels) of an eye point under the frame's
// perspective for a client area of width x height.
struct WindowPoint {
  double x, y;
};
inline WindowPoint Project(const Vec3& eye, int width, int height) {
  const double f = 1 / std::tan(15 * M_PI / 180);
  const double aspect = double(width) / height;
  const double nx = f / aspect * eye.x / -eye.z;
  const double ny = f * eye.y / -eye.z;
  return {(nx + 1) / 2 * width, (ny + 1) / 2 * height};
}

struct Rgb {
  double r, g, b;
};

// The frame as 0..1 colours, bottom row first.
class Picture {
 public:
  Picture(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * height * 4) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels_.data());
  }
  Rgb At(int x, int y) const {
    const uint8_t* p = &pixels_[(size_t(y) * width_ + x) * 4];
    return {p[0] / 255.0, p[1] / 255.0, p[2] / 255.0};
  }
  Rgb At(const WindowPoint& w) const { return At(int(std::floor(w.x)), int(std::floor(w.y))); }
  const std::vector<uint8_t>& Bytes() const { return pixels_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_, height_;
  std::vector<uint8_t> pixels_;
};
