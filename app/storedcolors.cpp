// The six colours of Options > Colors kept between runs: each stored as "#rrggbb"
// under "Colors/1" .. "Colors/6" when the colour dialog confirms it, and read back at
// start-up over the defaults.

#include <cstdio>
#include <string>

#include "app/entry.h"
#include "platform/platform.h"
#include "render/model.h"

namespace {

std::string ColorKey(int k) { return "Colors/" + std::to_string(k); }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "#rrggbb" and nothing else: red, green, blue as bytes.
bool ParseColor(const std::string& text, int (&bytes)[3]) {
  if (text.size() != 7 || text[0] != '#') return false;
  for (int channel = 0; channel < 3; ++channel) {
    const int high = HexDigit(text[1 + 2 * channel]), low = HexDigit(text[2 + 2 * channel]);
    if (high < 0 || low < 0) return false;
    bytes[channel] = 16 * high + low;
  }
  return true;
}

}  // namespace

void LoadStoredColors() {
  for (int k = 1; k <= 6; ++k) {
    std::string text;
    int bytes[3];
    if (!SysReadSetting(ColorKey(k), text) || !ParseColor(text, bytes)) continue;
    for (int channel = 0; channel < 3; ++channel) FaceColors[k][channel] = bytes[channel] / 255.0;
  }
}

bool StoreFaceColor(int k) {
  if (k < 1 || k > 6) return false;
  const SysColor colour = FaceColorRGB(k, 0);
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                (colour >> 16) & 0xFF);
  return SysWriteSetting(ColorKey(k), text);
}
