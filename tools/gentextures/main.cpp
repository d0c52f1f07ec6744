// Draws the six face pictures: 256 x 256, the face's colour with a large face number,
// an upward arrow, a thin frame around each ninth and a mark in each ninth's top left
// corner. Nothing in the design is the same after a quarter or half turn, so every
// sticker of a scrambled cube shows which way it sits. The drawing is procedural (a 5 x 7 bitmap font for the digits) and
// deterministic, so the pictures can be made again byte for byte.
//
//   tornelo-gentextures OUTDIR   writes OUTDIR/texture1.jpg .. OUTDIR/texture6.jpg

#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int Size = 256;
constexpr int Samples = 4;   // per axis, for smooth edges

struct Colour {
  double R, G, B;
};

// The default face colours, face 1..6.
constexpr Colour FaceColours[7] = {
    {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0.7}, {1, 1, 1}, {1, 0, 1}, {1, 1, 0},
};

// 5 x 7 bitmap digits 1..6, top row first.
constexpr const char* Digits[7][7] = {
    {},
    {"..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "#####"},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
};

// Layout in picture coordinates (x right, y down, 0..256).
constexpr double DigitLeft = 14, DigitTop = 22, DigitCell = 30;   // 150 x 210
constexpr double ArrowTipX = 213, ArrowTipY = 12, ArrowHeadBase = 104, ArrowHeadHalf = 34;
constexpr double ArrowShaftHalf = 11, ArrowBottom = 242;
constexpr double Outline = 3;   // light rim around the digit and the arrow

bool InDigit(int face, double x, double y) {
  int col = static_cast<int>((x - DigitLeft) / DigitCell);
  int row = static_cast<int>((y - DigitTop) / DigitCell);
  if (x < DigitLeft || y < DigitTop || col > 4 || row > 6) return false;
  return Digits[face][row][col] == '#';
}

bool InArrow(double x, double y) {
  if (y >= ArrowTipY && y <= ArrowHeadBase) {
    double half = ArrowHeadHalf * (y - ArrowTipY) / (ArrowHeadBase - ArrowTipY);
    if (x >= ArrowTipX - half && x <= ArrowTipX + half) return true;
  }
  return y > ArrowHeadBase && y <= ArrowBottom && x >= ArrowTipX - ArrowShaftHalf &&
         x <= ArrowTipX + ArrowShaftHalf;
}

bool InEmblem(int face, double x, double y) { return InDigit(face, x, y) || InArrow(x, y); }

// A small triangle in the top left corner of each ninth, so that even a ninth with
// little of the number or the arrow on it shows its top and its left.
bool InCornerMark(double x, double y) {
  constexpr double Bounds[3] = {0, 0.333 * Size, 0.666 * Size};
  constexpr double Leg = 16;
  for (double bx : Bounds)
    for (double by : Bounds)
      if (x >= bx && y >= by && (x - bx) + (y - by) <= Leg) return true;
  return false;
}

bool NearEmblem(int face, double x, double y) {
  for (double dy = -Outline; dy <= Outline; dy += Outline / 2)
    for (double dx = -Outline; dx <= Outline; dx += Outline / 2)
      if (InEmblem(face, x + dx, y + dy)) return true;
  return false;
}

// The frame of each ninth: lines along the cell bounds 0, 0.333, 0.666 and 1 of the
// texture coordinates the cube drawing uses.
bool InFrame(double x, double y) {
  constexpr double Bounds[4] = {0, 0.333 * Size, 0.666 * Size, Size};
  constexpr double HalfWidth = 1.5;
  for (double b : Bounds)
    if ((x > b - HalfWidth && x < b + HalfWidth) || (y > b - HalfWidth && y < b + HalfWidth)) return true;
  return false;
}

Colour Mix(Colour a, Colour b, double t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

Colour SampleColour(int face, double x, double y) {
  const Colour base = FaceColours[face];
  if (InFrame(x, y) || InCornerMark(x, y)) return {0.08, 0.08, 0.08};
  if (InEmblem(face, x, y)) return Mix(base, {0, 0, 0}, 0.65);
  if (NearEmblem(face, x, y)) return Mix(base, {1, 1, 1}, 0.6);
  // A faint shading from the top left corner to the bottom right one.
  return Mix(base, {0, 0, 0}, 0.16 * (x + y) / (2.0 * Size));
}

std::vector<unsigned char> DrawFace(int face) {
  std::vector<unsigned char> rgb(Size * Size * 3);
  for (int py = 0; py < Size; ++py)
    for (int px = 0; px < Size; ++px) {
      Colour sum{0, 0, 0};
      for (int sy = 0; sy < Samples; ++sy)
        for (int sx = 0; sx < Samples; ++sx) {
          Colour c = SampleColour(face, px + (sx + 0.5) / Samples, py + (sy + 0.5) / Samples);
          sum = {sum.R + c.R, sum.G + c.G, sum.B + c.B};
        }
      const double n = Samples * Samples;
      unsigned char* p = &rgb[(static_cast<std::size_t>(py) * Size + px) * 3];
      p[0] = static_cast<unsigned char>(sum.R / n * 255 + 0.5);
      p[1] = static_cast<unsigned char>(sum.G / n * 255 + 0.5);
      p[2] = static_cast<unsigned char>(sum.B / n * 255 + 0.5);
    }
  return rgb;
}

bool WriteJpeg(const std::string& path, const std::vector<unsigned char>& rgb) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = Size;
  cinfo.image_height = Size;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 92, TRUE);
  for (int i = 0; i < cinfo.num_components; ++i) {   // no chroma subsampling: crisp edges
    cinfo.comp_info[i].h_samp_factor = 1;
    cinfo.comp_info[i].v_samp_factor = 1;
  }
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(&rgb[static_cast<std::size_t>(cinfo.next_scanline) * Size * 3]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  for (int face = 1; face <= 6; ++face) {
    std::string path = std::string(argv[1]) + "/texture" + std::to_string(face) + ".jpg";
    if (!WriteJpeg(path, DrawFace(face))) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
