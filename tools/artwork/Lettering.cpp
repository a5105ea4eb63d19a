#include "tools/artwork/Lettering.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace artwork {

namespace {

// Glyph coordinates are in capital heights: y = 0 is the top of a capital, y = 1 the baseline,
// and lower-case letters rise to y = 0.30. Points are stroke centre lines.
constexpr float kStroke = 0.13f;
constexpr float kHalf = kStroke / 2;
constexpr float kXTop = 0.30f + kHalf;  // centre line at the top of a lower-case letter
constexpr float kFoot = 1 - kHalf;      // centre line at the baseline
constexpr float kBowl = 0.35f - kHalf;  // centre-line radius of a round lower-case letter

struct LineStroke {
  Point from, to;
};
struct ArcStroke {
  Point centre;
  float radius, fromDegrees, toDegrees;
};
struct Glyph {
  char letter;
  float advance;
  std::vector<LineStroke> lines;
  std::vector<ArcStroke> arcs;
};

const std::vector<Glyph>& Typeface() {
  static const std::vector<Glyph> glyphs = {
      {'T', 0.72f, {{{kHalf, kHalf}, {0.66f - kHalf, kHalf}}, {{0.33f, kHalf}, {0.33f, kFoot}}}, {}},
      {'a', 0.80f, {{{0.35f + kBowl, kXTop}, {0.35f + kBowl, kFoot}}}, {{{0.35f, 0.65f}, kBowl, 0, 360}}},
      {'v', 0.74f, {{{kHalf, kXTop}, {0.33f, kFoot}}, {{0.33f, kFoot}, {0.66f - kHalf, kXTop}}}, {}},
      {'r', 0.56f, {{{kHalf, kXTop}, {kHalf, kFoot}}}, {{{kHalf + 0.26f, kXTop + 0.26f}, 0.26f, 180, 300}}},
      {'e', 0.80f, {{{0.35f - kBowl, 0.65f}, {0.35f + kBowl, 0.65f}}}, {{{0.35f, 0.65f}, kBowl, 35, 360}}},
      {'l', 0.29f, {{{kHalf, kHalf}, {kHalf, kFoot}}}, {}},
  };
  return glyphs;
}

// Pairs whose shapes leave a hole between them when set at their plain advances.
float Kerning(char left, char right) {
  return left == 'T' && right == 'a' ? -0.10f : 0.0f;
}

const Glyph& GlyphOf(char letter) {
  const auto& glyphs = Typeface();
  const auto found = std::find_if(glyphs.begin(), glyphs.end(), [&](const Glyph& g) { return g.letter == letter; });
  if (found == glyphs.end()) throw std::invalid_argument(std::string("artwork: no glyph for '") + letter + "'");
  return *found;
}

// Pen positions of each letter, in capital heights from the left edge.
std::vector<float> PenPositions(const std::string& text) {
  std::vector<float> positions;
  float pen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i > 0) pen += GlyphOf(text[i - 1]).advance + Kerning(text[i - 1], text[i]);
    positions.push_back(pen);
  }
  return positions;
}

}  // namespace

float LetteringWidth(const std::string& text, float capHeight) {
  if (text.empty()) return 0;
  return (PenPositions(text).back() + GlyphOf(text.back()).advance) * capHeight;
}

TextShape Lettering(const std::string& text, Point topLeft, float capHeight) {
  std::vector<ShapeDistance> strokes;
  const std::vector<float> pens = PenPositions(text);
  const float thickness = kStroke * capHeight;
  for (size_t i = 0; i < text.size(); ++i) {
    const Glyph& glyph = GlyphOf(text[i]);
    const auto place = [&](Point p) {
      return Point{topLeft.x + (pens[i] + p.x) * capHeight, topLeft.y + p.y * capHeight};
    };
    for (const LineStroke& line : glyph.lines) strokes.push_back(Segment(place(line.from), place(line.to), thickness));
    for (const ArcStroke& arc : glyph.arcs)
      strokes.push_back(Arc(place(arc.centre), arc.radius * capHeight, thickness, arc.fromDegrees, arc.toDegrees));
  }

  const int margin = 2;
  const Box bounds{static_cast<int>(std::floor(topLeft.x)) - margin, static_cast<int>(std::floor(topLeft.y)) - margin,
                   static_cast<int>(std::ceil(topLeft.x + LetteringWidth(text, capHeight))) + margin,
                   static_cast<int>(std::ceil(topLeft.y + capHeight)) + margin};
  auto distance = [strokes = std::move(strokes)](Point p) {
    float nearest = std::numeric_limits<float>::max();
    for (const ShapeDistance& stroke : strokes) nearest = std::min(nearest, stroke(p));
    return nearest;
  };
  return {distance, bounds};
}

}  // namespace artwork
