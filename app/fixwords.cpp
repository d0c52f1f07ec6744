#include "app/fixwords.h"

#include "cube/diagnose.h"
#include "cube/notation.h"
#include "render/model.h"

namespace {

struct NamedColour {
  const char* Name;
  double Rgb[3];
};

// The plain names a cube's stickers go by, and a few more for the colours one may pick.
constexpr NamedColour PlainColours[] = {
    {"white", {1.0, 1.0, 1.0}},    {"yellow", {1.0, 1.0, 0.0}},  {"red", {1.0, 0.0, 0.0}},
    {"orange", {1.0, 0.5, 0.0}},   {"blue", {0.0, 0.0, 1.0}},    {"green", {0.0, 1.0, 0.0}},
    {"magenta", {1.0, 0.0, 1.0}},  {"cyan", {0.0, 1.0, 1.0}},    {"purple", {0.5, 0.0, 0.5}},
    {"pink", {1.0, 0.75, 0.8}},    {"brown", {0.55, 0.27, 0.07}}, {"grey", {0.5, 0.5, 0.5}},
    {"black", {0.0, 0.0, 0.0}},
};

std::string FaceWords(int face) {
  return std::string("face ") + (face >= 1 && face <= 6 ? FaceLetters[face] : '?');
}

}  // namespace

const char* NearestColourName(const double (&rgb)[3]) {
  const char* best = PlainColours[0].Name;
  double bestDistance = 1e9;
  for (const NamedColour& c : PlainColours) {
    double d = 0;
    for (int i = 0; i < 3; ++i) d += (rgb[i] - c.Rgb[i]) * (rgb[i] - c.Rgb[i]);
    if (d < bestDistance) {
      bestDistance = d;
      best = c.Name;
    }
  }
  return best;
}

std::string ColourWords(int colour) {
  if (colour < 1 || colour > 6) return "the number " + std::to_string(colour) + ", which is no colour";
  return "colour " + std::to_string(colour) + " (" + NearestColourName(FaceColors[colour]) + ")";
}

std::string FixWords(const std::vector<CubeRepair>& repairs) {
  if (repairs.empty()) return {};
  const CubeRepair& r = repairs[0];
  const bool tied = repairs.size() > 1 && repairs[1].Changed.size() == r.Changed.size();
  std::string text = tied ? "One of several fixes as small: " : "Likely fix: ";
  switch (r.Kind) {
    case RepairKind::Sticker:
      text += StickerWords(r.At[0]) + " is " + ColourWords(r.From) + "; make it " + ColourWords(r.To) + ".";
      break;
    case RepairKind::Swap:
      text += "exchange the colours of " + StickerWords(r.At[0]) + ", " + ColourWords(r.From) + ", and " +
              StickerWords(r.At[1]) + ", " + ColourWords(r.To) + ".";
      break;
    case RepairKind::Face: {
      static const char* const Entered[4] = {
          "", "a quarter turn clockwise (as its map shows it)", "a half turn",
          "a quarter turn counter-clockwise (as its map shows it)"};
      static const char* const Back[4] = {"", "a quarter turn counter-clockwise", "a half turn",
                                          "a quarter turn clockwise"};
      const int q = r.Quarters % 4;
      text += FaceWords(r.Face) + " was entered turned " + Entered[q] + ": turn its eight outer stickers back " +
              Back[q] + " (its centre stays).";
      break;
    }
  }
  return text;
}
