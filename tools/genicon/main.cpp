// Draws the program's icon: three faces of 3 x 3 stickers meeting at the corner nearest
// the viewer (red on top, blue on the left, yellow on the right, black lines), the same
// picture as the window's icon. It is written as a scalable SVG and as PNGs of the usual
// icon sizes, in the icon theme's folder layout. Everything is computed from the design
// below and the PNGs are stored uncompressed, so the files come out the same byte for byte
// on any machine.
//
//   tornelo-genicon OUTDIR   writes OUTDIR/hicolor/scalable/apps/ID.svg and
//                            OUTDIR/hicolor/NxN/apps/ID.png (ID: the application id)

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifndef TORNELO_APP_ID
#error "TORNELO_APP_ID names the icon files"
#endif

namespace {

// The design, in a 64 x 64 box (x right, y down).
constexpr double Design = 64;
constexpr double LineWidth = 1.2;
struct Vec {
  double X, Y;
};
constexpr Vec Corner{32, 33};
constexpr Vec UpLeft{-26, -15}, UpRight{26, -15}, Down{0, 30};
struct Rgb {
  int R, G, B;
};
struct Face {
  Vec U, V;
  Rgb Colour;
};
constexpr Face Faces[] = {
    {UpLeft, UpRight, {230, 30, 30}},   // top
    {UpLeft, Down, {30, 60, 200}},      // left
    {UpRight, Down, {240, 220, 20}},    // right
};
constexpr int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int Samples = 8;   // per axis and pixel, for smooth edges

struct Sticker {
  Vec P[4];
  Rgb Colour;
};

std::vector<Sticker> Stickers() {
  std::vector<Sticker> out;
  for (const Face& f : Faces)
    for (int a = 0; a < 3; ++a)
      for (int b = 0; b < 3; ++b) {
        auto at = [&](int i, int j) {
          return Vec{Corner.X + f.U.X * i / 3 + f.V.X * j / 3, Corner.Y + f.U.Y * i / 3 + f.V.Y * j / 3};
        };
        out.push_back({{at(a, b), at(a + 1, b), at(a + 1, b + 1), at(a, b + 1)}, f.Colour});
      }
  return out;
}

double SegmentDistance(Vec p, Vec a, Vec b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  double t = ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / (dx * dx + dy * dy);
  t = std::clamp(t, 0.0, 1.0);
  const double ex = p.X - (a.X + t * dx), ey = p.Y - (a.Y + t * dy);
  return std::sqrt(ex * ex + ey * ey);
}

bool Inside(Vec p, const Sticker& s) {
  // Convex, and every sticker's corners run the same way round: inside when p is on the
  // same side of all four edges.
  int positive = 0, negative = 0;
  for (int i = 0; i < 4; ++i) {
    const Vec a = s.P[i], b = s.P[(i + 1) % 4];
    const double cross = (b.X - a.X) * (p.Y - a.Y) - (b.Y - a.Y) * (p.X - a.X);
    if (cross > 0) ++positive;
    if (cross < 0) ++negative;
  }
  return positive == 0 || negative == 0;
}

// The colour at a point of the design; false where it is transparent. Lines are drawn
// over the stickers, centred on their edges, with round joins.
bool ColourAt(const std::vector<Sticker>& stickers, Vec p, Rgb& colour) {
  for (const Sticker& s : stickers)
    for (int i = 0; i < 4; ++i)
      if (SegmentDistance(p, s.P[i], s.P[(i + 1) % 4]) <= LineWidth / 2) {
        colour = {0, 0, 0};
        return true;
      }
  for (const Sticker& s : stickers)
    if (Inside(p, s)) {
      colour = s.Colour;
      return true;
    }
  return false;
}

// RGBA rows, top first, not premultiplied.
std::vector<uint8_t> Render(const std::vector<Sticker>& stickers, int size) {
  std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * 4);
  const double scale = Design / size;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      long r = 0, g = 0, b = 0, covered = 0;
      for (int sy = 0; sy < Samples; ++sy)
        for (int sx = 0; sx < Samples; ++sx) {
          const Vec p{(x + (sx + 0.5) / Samples) * scale, (y + (sy + 0.5) / Samples) * scale};
          Rgb c;
          if (!ColourAt(stickers, p, c)) continue;
          r += c.R, g += c.G, b += c.B, ++covered;
        }
      uint8_t* out = &pixels[(static_cast<size_t>(y) * size + x) * 4];
      if (covered > 0) {
        out[0] = static_cast<uint8_t>((r + covered / 2) / covered);
        out[1] = static_cast<uint8_t>((g + covered / 2) / covered);
        out[2] = static_cast<uint8_t>((b + covered / 2) / covered);
      }
      out[3] = static_cast<uint8_t>((covered * 255 + Samples * Samples / 2) / (Samples * Samples));
    }
  return pixels;
}

// --- PNG without a compression library: the image data as stored deflate blocks ---

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  Put32(out, Crc32(body.data(), body.size()));
}

std::vector<uint8_t> Png(const std::vector<uint8_t>& rgba, int size) {
  std::vector<uint8_t> raw;   // each row: filter type 0, then its pixels
  for (int y = 0; y < size; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), rgba.begin() + static_cast<long>(y) * size * 4,
               rgba.begin() + static_cast<long>(y + 1) * size * 4);
  }

  std::vector<uint8_t> z = {0x78, 0x01};   // zlib header: deflate, 32 KiB window
  for (size_t at = 0; at < raw.size() || at == 0;) {
    const size_t n = std::min<size_t>(raw.size() - at, 65535);
    const bool last = at + n == raw.size();
    z.push_back(last ? 1 : 0);   // BFINAL, BTYPE 00: stored
    z.push_back(static_cast<uint8_t>(n)), z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n)), z.push_back(static_cast<uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
    at += n;
    if (last) break;
  }
  uint32_t s1 = 1, s2 = 0;   // Adler-32 of the uncompressed data
  for (uint8_t byte : raw) {
    s1 = (s1 + byte) % 65521;
    s2 = (s2 + s1) % 65521;
  }
  Put32(z, (s2 << 16) | s1);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  Put32(header, static_cast<uint32_t>(size));
  Put32(header, static_cast<uint32_t>(size));
  header.insert(header.end(), {8, 6, 0, 0, 0});   // 8 bits, RGBA, deflate, no filter choice, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", {});
  return png;
}

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", v);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

std::string Svg(const std::vector<Sticker>& stickers) {
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n"
      "  <g stroke=\"#000000\" stroke-width=\"" + Number(LineWidth) + "\" stroke-linejoin=\"round\">\n";
  for (const Sticker& s : stickers) {
    char fill[8];
    std::snprintf(fill, sizeof fill, "#%02x%02x%02x", s.Colour.R, s.Colour.G, s.Colour.B);
    svg += "    <path fill=\"" + std::string(fill) + "\" d=\"M";
    for (int i = 0; i < 4; ++i) svg += (i ? " " : "") + Number(s.P[i].X) + "," + Number(s.P[i].Y);
    svg += "Z\"/>\n";
  }
  svg += "  </g>\n</svg>\n";
  return svg;
}

bool WriteFile(const std::filesystem::path& path, const void* data, size_t size) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  if (!out) std::fprintf(stderr, "tornelo-genicon: cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tornelo-genicon OUTDIR\n");
    return 2;
  }
  const std::filesystem::path theme = std::filesystem::path(argv[1]) / "hicolor";
  const std::string file = TORNELO_APP_ID;
  const std::vector<Sticker> stickers = Stickers();

  bool ok = true;
  const std::string svg = Svg(stickers);
  ok &= WriteFile(theme / "scalable/apps" / (file + ".svg"), svg.data(), svg.size());
  for (int size : Sizes) {
    const std::vector<uint8_t> png = Png(Render(stickers, size), size);
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    ok &= WriteFile(theme / folder / "apps" / (file + ".png"), png.data(), png.size());
  }
  return ok ? 0 : 1;
}
