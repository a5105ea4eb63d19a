#include "tools/skinart/SkinLooks.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace skinart {

using artwork::Bytes;
using artwork::Ink;
using artwork::Mix;
using artwork::Point;
using artwork::RoundedBox;
using artwork::Segment;
using artwork::ShapeDistance;

const Rgb kKeyColour = Bytes(255, 0, 255);

const Accent& AccentNamed(const std::string& name) {
  // Blue to violet, as the home page's highlight bars run.
  static const Accent kBlue{Bytes(40, 98, 190), Bytes(22, 60, 136), Bytes(130, 190, 245), Bytes(14, 36, 84),
                            Bytes(22, 54, 116), Bytes(22, 92, 212), Bytes(84, 44, 170)};
  static const Accent kViolet{Bytes(98, 62, 192), Bytes(62, 36, 140), Bytes(200, 176, 255), Bytes(38, 22, 90),
                              Bytes(58, 34, 124), Bytes(64, 58, 204), Bytes(120, 46, 164)};
  if (name == "blue") return kBlue;
  if (name == "violet") return kViolet;
  throw std::invalid_argument("no accent named \"" + name + "\" (blue or violet)");
}

namespace {

// The neutral night colours every look shares.
const Rgb kPage = Bytes(24, 26, 32);
const Rgb kPanel = Bytes(27, 30, 38);
const Rgb kFieldColour = Bytes(13, 15, 20);
const Rgb kEdgeDark = Bytes(7, 8, 11);
const Rgb kRim = Bytes(62, 72, 92);
const Rgb kFaceTop = Bytes(48, 56, 74);
const Rgb kFaceBottom = Bytes(31, 36, 48);
const Rgb kGlyphColour = Bytes(172, 186, 208);
const Rgb kGlyphDim = Bytes(86, 94, 110);
const Rgb kDisabledFace = Bytes(31, 34, 41);
const Rgb kDisabledRim = Bytes(46, 50, 60);
const Rgb kIce = Bytes(150, 210, 255);
const Rgb kWhite = Bytes(255, 255, 255);
const Rgb kTrack = Bytes(12, 14, 19);
const Rgb kMenuBody = Bytes(20, 23, 30);

float Width(Box box) { return static_cast<float>(box.right - box.left); }
float Height(Box box) { return static_cast<float>(box.bottom - box.top); }
Point Centre(Box box) { return {box.left + Width(box) / 2, box.top + Height(box) / 2}; }

void Flat(Canvas& sheet, Box box, Rgb colour) {
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) sheet.At(x, y) = colour;
}

// A rounded box `inset` pixels inside `box`.
ShapeDistance Rounded(Box box, float inset, float radius) {
  return RoundedBox(box.left + inset, box.top + inset, box.right - inset, box.bottom - inset, radius);
}

// The band one pixel wide just inside a shape's outline.
ShapeDistance Rim(const ShapeDistance& shape) {
  return [shape](Point p) { return std::fabs(shape(p) + 0.5f) - 0.5f; };
}

// A shape filled from `top` at the box's top row to `bottom` at its last.
void Gradient(Canvas& sheet, const ShapeDistance& shape, Box box, Rgb top, Rgb bottom) {
  sheet.Fill(shape,
             [&](Point p) { return Ink{Mix(top, bottom, std::clamp((p.y - box.top) / Height(box), 0.0f, 1.0f)), 1}; },
             box);
}

// A soft sheen over the upper half of a face.
void Gloss(Canvas& sheet, Box box, float radius, float strength) {
  const Box upper{box.left, box.top, box.right, box.top + (box.bottom - box.top) / 2};
  sheet.Fill(Rounded(upper, 1.5f, std::max(radius - 1, 0.5f)),
             [&](Point p) { return Ink{kWhite, strength * (1 - (p.y - upper.top) / Height(upper))}; }, box);
}

// Every pixel whose centre lies outside the shape takes the transparent colour exactly, so the skin
// engine leaves it out; the edge pixels keep their blend with the dark ground they were drawn on.
void KnockOut(Canvas& sheet, Box box, const ShapeDistance& shape) {
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if (shape({x + 0.5f, y + 0.5f}) > 0) sheet.At(x, y) = kKeyColour;
}

struct Face {
  Rgb top, bottom, rim;
  float gloss;
};

Face FaceFor(State state, const Accent& accent) {
  switch (state) {
    case State::Hot: return {accent.hotTop, accent.hotBottom, accent.rim, 0.16f};
    case State::Down: return {accent.downTop, accent.downBottom, Mix(accent.rim, kPage, 0.35f), 0};
    case State::Disabled:
    case State::Inactive: return {kDisabledFace, kDisabledFace, kDisabledRim, 0};
    case State::Focused:
    case State::Normal: break;
  }
  return {kFaceTop, kFaceBottom, Bytes(76, 90, 116), 0.08f};
}

Rgb GlyphFor(State state) {
  switch (state) {
    case State::Hot: return kWhite;
    case State::Down: return kIce;
    case State::Disabled:
    case State::Inactive: return kGlyphDim;
    case State::Focused:
    case State::Normal: break;
  }
  return kGlyphColour;
}

void DrawFace(Canvas& sheet, Box box, const Face& face, float inset, float radius) {
  const auto shape = Rounded(box, inset, radius);
  Gradient(sheet, shape, box, face.top, face.bottom);
  if (face.gloss > 0) Gloss(sheet, box, radius, face.gloss);
  sheet.Fill(Rim(shape), face.rim, 0.85f, box);
}

// A chevron of two strokes: `size` is half its width.
void Chevron(Canvas& sheet, Box box, Point tip, float dx, float dy, float size, Rgb colour, float thickness) {
  const Point a{tip.x - dx * size - dy * size, tip.y - dy * size - dx * size};
  const Point b{tip.x - dx * size + dy * size, tip.y - dy * size + dx * size};
  sheet.Fill(Segment(a, tip, thickness), colour, 1, box);
  sheet.Fill(Segment(b, tip, thickness), colour, 1, box);
}

void DrawGlyph(Canvas& sheet, Box box, Glyph glyph, Rgb colour, Point offset = {}) {
  const Point c{Centre(box).x + offset.x, Centre(box).y + offset.y};
  const float s = std::min(Width(box), Height(box)) / 18.0f;  // designed on an 18-pixel cell
  switch (glyph) {
    case Glyph::Close:
      sheet.Fill(Segment({c.x - 4 * s, c.y - 4 * s}, {c.x + 4 * s, c.y + 4 * s}, 1.7f), colour, 1, box);
      sheet.Fill(Segment({c.x + 4 * s, c.y - 4 * s}, {c.x - 4 * s, c.y + 4 * s}, 1.7f), colour, 1, box);
      break;
    case Glyph::Minimize:
      sheet.Fill(Segment({c.x - 4.5f * s, c.y + 3.5f * s}, {c.x + 4.5f * s, c.y + 3.5f * s}, 2), colour, 1, box);
      break;
    case Glyph::RollUp: Chevron(sheet, box, {c.x, c.y - 2.5f * s}, 0, -1, 4.5f * s, colour, 1.7f); break;
    case Glyph::Unroll: Chevron(sheet, box, {c.x, c.y + 2.5f * s}, 0, 1, 4.5f * s, colour, 1.7f); break;
    case Glyph::SysMenu:
      // The disc of the home page, small.
      sheet.Fill(artwork::Ring(c, 4.6f * s, 1.4f), colour, 1, box);
      sheet.Fill(artwork::Circle(c, 1.6f * s), colour, 1, box);
      break;
    case Glyph::ArrowUp: Chevron(sheet, box, {c.x, c.y - 2 * s}, 0, -1, 4 * s, colour, 1.6f); break;
    case Glyph::ArrowDown: Chevron(sheet, box, {c.x, c.y + 2 * s}, 0, 1, 4 * s, colour, 1.6f); break;
    case Glyph::ArrowLeft: Chevron(sheet, box, {c.x - 2 * s, c.y}, -1, 0, 4 * s, colour, 1.6f); break;
    case Glyph::ArrowRight: Chevron(sheet, box, {c.x + 2 * s, c.y}, 1, 0, 4 * s, colour, 1.6f); break;
    case Glyph::Ellipsis:
      for (int i = -1; i <= 1; ++i) sheet.Fill(artwork::Circle({c.x + i * 4.0f, c.y + 2}, 1.2f), colour, 1, box);
      break;
  }
}

// The caption band's colour at a row, active or not: lit at the top, deep below, a violet cast low down.
Rgb BandColour(float row, int captionHeight, bool active) {
  const float t = std::clamp(row / captionHeight, 0.0f, 1.0f);
  if (!active) return Mix(Bytes(44, 48, 58), Bytes(24, 26, 32), t);
  const Rgb blue = Mix(Bytes(40, 64, 112), Bytes(16, 26, 52), t);
  return Mix(blue, Bytes(30, 20, 54), 0.35f * t * t);
}

void Band(Canvas& sheet, Box box, int bandRow, int captionHeight, bool active) {
  for (int y = box.top; y < box.bottom; ++y) {
    const Rgb colour = BandColour(y - box.top + bandRow + 0.5f, captionHeight, active);
    for (int x = box.left; x < box.right; ++x) sheet.At(x, y) = colour;
  }
}

// The frame's outline: a box with rounded corners.
ShapeDistance Outline(Box box) { return Rounded(box, 0, 6); }

}  // namespace

namespace look {

void Backdrop(Canvas& sheet, Box box) { Flat(sheet, box, kPage); }

void Frame(Canvas& sheet, Box box, Box client, bool active, const Accent& accent) {
  const int captionHeight = client.top - box.top;
  Flat(sheet, box, kEdgeDark);
  const auto outline = Outline(box);
  // The borders, lit on their inner side.
  sheet.Fill(outline, active ? Bytes(22, 25, 33) : Bytes(20, 22, 27), 1, box);
  const Box band{box.left, box.top, box.right, client.top};
  sheet.Fill(outline, [&](Point p) { return Ink{BandColour(p.y - box.top, captionHeight, active), 1}; }, band);
  // Hairlines: light along the top, the accent under the caption, a dark line round the client area.
  sheet.Fill(Segment({box.left + 6.0f, box.top + 1.5f}, {box.right - 6.0f, box.top + 1.5f}, 1),
             active ? kIce : Bytes(110, 118, 132), active ? 0.35f : 0.2f, box);
  if (active)
    sheet.Fill(Segment({static_cast<float>(box.left), client.top - 0.5f}, {static_cast<float>(box.right), client.top - 0.5f}, 1),
               Mix(accent.selectFrom, accent.rim, 0.3f), 0.8f, box);
  sheet.Fill(Rim(Outline(box)), active ? Bytes(70, 92, 130) : Bytes(48, 52, 62), 0.9f, box);
  if (client.bottom > client.top) {
    sheet.Fill(Rim(RoundedBox(client.left - 1.0f, client.top - 1.0f, client.right + 1.0f, client.bottom + 1.0f, 0.5f)),
               kEdgeDark, 1, box);
    Flat(sheet, client, kPage);
  }
}

void FrameMask(Canvas& sheet, Box box) {
  const auto outline = Outline(box);
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      sheet.At(x, y) = outline({x + 0.5f, y + 0.5f}) <= 0 ? Rgb{} : kWhite;
}

void CaptionStrip(Canvas& sheet, Box box, int bandRow, int captionHeight) {
  Band(sheet, box, bandRow, captionHeight, true);
}

void CaptionButton(Canvas& sheet, Box box, Glyph glyph, State state, int bandRow, int captionHeight) {
  const bool inactive = state == State::Inactive || state == State::Disabled;
  Band(sheet, box, bandRow, captionHeight, !inactive);
  if (state == State::Hot || state == State::Down) {
    // Closing is the one warm colour of the skin.
    const bool close = glyph == Glyph::Close;
    const Rgb top = close ? Bytes(170, 52, 104) : Bytes(40, 98, 190);
    const Rgb bottom = close ? Bytes(112, 30, 74) : Bytes(22, 60, 136);
    const Face face = state == State::Hot ? Face{top, bottom, Mix(top, kWhite, 0.45f), 0.18f}
                                          : Face{bottom * 0.7f, top * 0.7f, Mix(top, kWhite, 0.2f), 0};
    DrawFace(sheet, box, face, 1, 4);
  }
  DrawGlyph(sheet, box, glyph, GlyphFor(state), state == State::Down ? Point{0.5f, 0.5f} : Point{});
}

void PushButton(Canvas& sheet, Box box, State state, const Accent& accent) {
  Flat(sheet, box, kPage);
  DrawFace(sheet, box, FaceFor(state, accent), 0, 4);
}

void HeaderSection(Canvas& sheet, Box box, State state, const Accent& accent) {
  const Face face = state == State::Normal ? Face{Bytes(40, 46, 60), Bytes(27, 31, 41), kRim, 0} : FaceFor(state, accent);
  Gradient(sheet, RoundedBox(box.left, box.top, box.right, box.bottom, 0.01f), box, face.top, face.bottom);
  // A divider at the right end and a dark line under the section.
  sheet.Fill(Segment({box.right - 1.5f, box.top + 3.0f}, {box.right - 1.5f, box.bottom - 3.0f}, 1), kEdgeDark, 0.9f, box);
  sheet.Fill(Segment({box.right - 0.5f, box.top + 3.0f}, {box.right - 0.5f, box.bottom - 3.0f}, 1), kRim, 0.7f, box);
  sheet.Fill(Segment({static_cast<float>(box.left), box.bottom - 0.5f}, {static_cast<float>(box.right), box.bottom - 0.5f}, 1),
             kEdgeDark, 1, box);
  sheet.Fill(Segment({static_cast<float>(box.left), box.top + 0.5f}, {static_cast<float>(box.right), box.top + 0.5f}, 1),
             state == State::Hot ? accent.rim : Bytes(70, 80, 100), 0.5f, box);
}

void ToolButton(Canvas& sheet, Box box, State state, const Accent& accent) {
  Flat(sheet, box, kPanel);
  // At rest a tool button is only a faint plate on its tool bar; it lights up under the mouse.
  const Face face = state == State::Normal ? Face{Bytes(36, 41, 53), Bytes(29, 33, 43), Bytes(52, 60, 78), 0.05f}
                                           : FaceFor(state, accent);
  DrawFace(sheet, box, face, 1, 4);
}

void MenuButton(Canvas& sheet, Box box, Box drop, State state, const Accent& accent) {
  ToolButton(sheet, box, state, accent);
  sheet.Fill(Segment({drop.left + 0.5f, drop.top + 5.0f}, {drop.left + 0.5f, drop.bottom - 5.0f}, 1), kEdgeDark, 0.8f, box);
  sheet.Fill(Segment({drop.left + 1.5f, drop.top + 5.0f}, {drop.left + 1.5f, drop.bottom - 5.0f}, 1), kRim, 0.5f, box);
  DrawGlyph(sheet, {drop.left + 1, drop.top, drop.right, drop.bottom}, Glyph::ArrowDown, GlyphFor(state));
}

void CheckBackground(Canvas& sheet, Box box, State state) {
  Flat(sheet, box, state == State::Hot ? Bytes(31, 35, 45) : kPanel);
}

void CheckBox(Canvas& sheet, Box box, bool checked, State state, const Accent& accent) {
  Flat(sheet, box, kPanel);
  const auto shape = Rounded(box, 0, 2.5f);
  const bool disabled = state == State::Disabled;
  sheet.Fill(shape, disabled ? kDisabledFace : kFieldColour, 1, box);
  sheet.Fill(Rim(shape), disabled ? kDisabledRim : state == State::Hot ? accent.rim : Bytes(96, 112, 140), 1, box);
  if (!checked) return;
  const Rgb tick = disabled ? kGlyphDim : state == State::Hot ? kWhite : kIce;
  const float l = box.left, t = box.top;
  sheet.Fill(Segment({l + 3.2f, t + 6.8f}, {l + 5.6f, t + 9.2f}, 1.8f), tick, 1, box);
  sheet.Fill(Segment({l + 5.6f, t + 9.2f}, {l + 9.8f, t + 3.8f}, 1.8f), tick, 1, box);
}

void Field(Canvas& sheet, Box box, bool focused, const Accent& accent) {
  Flat(sheet, box, kPage);
  const auto shape = Rounded(box, 0, 2);
  sheet.Fill(shape, kFieldColour, 1, box);
  sheet.Fill(Segment({box.left + 2.0f, box.top + 1.5f}, {box.right - 2.0f, box.top + 1.5f}, 1), Rgb{}, 0.6f, box);
  sheet.Fill(Rim(shape), focused ? accent.rim : kRim, 0.9f, box);
}

void FieldButton(Canvas& sheet, Box box, Glyph glyph, State state, const Accent& accent) {
  Flat(sheet, box, kFieldColour);
  const Face face = state == State::Normal ? Face{Bytes(42, 48, 63), Bytes(30, 34, 45), Bytes(70, 80, 102), 0.06f}
                                           : FaceFor(state, accent);
  DrawFace(sheet, box, face, 0, 2);
  DrawGlyph(sheet, box, glyph, GlyphFor(state), state == State::Down ? Point{0.5f, 0.5f} : Point{});
}

void Selection(Canvas& sheet, Box box, bool rim, const Accent& accent) {
  Flat(sheet, box, kFieldColour);
  const auto shape = Rounded(box, 0.5f, 2.5f);
  sheet.Fill(shape,
             [&](Point p) {
               const float down = (p.y - box.top) / Height(box);
               const Rgb hue = Mix(accent.selectFrom, accent.selectTo, (p.x - box.left) / Width(box));
               return Ink{Mix(hue * 1.15f, hue * 0.8f, down), 0.95f};
             },
             box);
  if (rim) sheet.Fill(Rim(shape), accent.rim, 0.8f, box);
}

void ListItem(Canvas& sheet, Box box) { Flat(sheet, box, kFieldColour); }

void Panel(Canvas& sheet, Box box) {
  Flat(sheet, box, kPanel);
  const auto outer = RoundedBox(box.left, box.top, box.right, box.bottom, 0.01f);
  sheet.Fill(Rim(outer), kEdgeDark, 1, box);
  const float l = box.left + 1.5f, t = box.top + 1.5f, r = box.right - 1.5f, b = box.bottom - 1.5f;
  sheet.Fill(Segment({l, t}, {r, t}, 1), Bytes(50, 58, 76), 1, box);
  sheet.Fill(Segment({l, t}, {l, b}, 1), Bytes(50, 58, 76), 1, box);
  sheet.Fill(Segment({l, b}, {r, b}, 1), Bytes(17, 19, 24), 1, box);
  sheet.Fill(Segment({r, t}, {r, b}, 1), Bytes(17, 19, 24), 1, box);
}

void ToolPanel(Canvas& sheet, Box box) {
  Gradient(sheet, RoundedBox(box.left, box.top, box.right, box.bottom, 0.01f), box, Bytes(38, 43, 56), Bytes(25, 28, 36));
  sheet.Fill(Segment({static_cast<float>(box.left), box.top + 0.5f}, {static_cast<float>(box.right), box.top + 0.5f}, 1),
             Bytes(64, 74, 96), 0.7f, box);
  sheet.Fill(Segment({static_cast<float>(box.left), box.bottom - 0.5f}, {static_cast<float>(box.right), box.bottom - 0.5f}, 1),
             kEdgeDark, 1, box);
}

void GaugeBar(Canvas& sheet, Box box, const Accent& accent) {
  Flat(sheet, box, kFieldColour);
  Selection(sheet, box, false, accent);
  Gloss(sheet, box, 2, 0.22f);
}

void TrackRail(Canvas& sheet, Box box, Box rail, bool vertical) {
  Flat(sheet, box, kPanel);
  // A groove 5 pixels wide along the middle of the rail.
  const Point c = Centre(rail);
  const auto groove = vertical ? RoundedBox(c.x - 2.5f, rail.top - 4.0f, c.x + 2.5f, rail.bottom + 4.0f, 2.5f)
                               : RoundedBox(rail.left - 4.0f, c.y - 2.5f, rail.right + 4.0f, c.y + 2.5f, 2.5f);
  sheet.Fill(groove, kFieldColour, 1, box);
  sheet.Fill(Rim(groove), kRim, 0.9f, box);
}

void TrackThumb(Canvas& sheet, Box box, bool vertical, State state, const Accent& accent) {
  Flat(sheet, box, kFieldColour);
  const auto shape = Rounded(box, 0.5f, 3);
  const bool hot = state == State::Hot;
  const Rgb top = hot ? Mix(accent.rim, kWhite, 0.3f) : Bytes(200, 212, 230);
  const Rgb bottom = hot ? accent.hotTop : Bytes(118, 132, 158);
  sheet.Fill(shape,
             [&](Point p) {
               const float t = vertical ? (p.y - box.top) / Height(box) : (p.x - box.left) / Width(box);
               const float across = vertical ? (p.x - box.left) / Width(box) : (p.y - box.top) / Height(box);
               return Ink{Mix(Mix(top, bottom, across), Mix(top, bottom, t), 0.3f), 1};
             },
             box);
  // A grip of two lines across the thumb.
  const Point c = Centre(box);
  for (int i = -1; i <= 1; i += 2) {
    const float o = i * 1.5f;
    const auto line = vertical ? Segment({box.left + 5.0f, c.y + o}, {box.right - 5.0f, c.y + o}, 1)
                               : Segment({c.x + o, box.top + 5.0f}, {c.x + o, box.bottom - 5.0f}, 1);
    sheet.Fill(line, Bytes(60, 70, 92), 0.7f, box);
  }
  sheet.Fill(Rim(shape), hot ? accent.rim : Bytes(58, 68, 90), 1, box);
  KnockOut(sheet, box, shape);
}

void TabPage(Canvas& sheet, Box box) {
  Flat(sheet, box, kPage);
  const auto outer = RoundedBox(box.left, box.top, box.right, box.bottom, 0.01f);
  sheet.Fill(Rim(outer), Bytes(54, 62, 80), 1, box);
}

void Tab(Canvas& sheet, Box box, State state, const Accent& accent) {
  Flat(sheet, box, Bytes(20, 22, 28));
  // Rounded at the top only: the shape runs on below the tab.
  const auto shape = RoundedBox(box.left + 0.5f, box.top + 1.0f, box.right - 0.5f, box.bottom + 6.0f, 4);
  Rgb top = Bytes(34, 38, 49), bottom = Bytes(26, 29, 37);
  if (state == State::Hot) top = Bytes(44, 50, 66), bottom = Bytes(30, 34, 44);
  if (state == State::Down || state == State::Focused) top = accent.hotBottom, bottom = kPage;
  Gradient(sheet, shape, box, top, bottom);
  sheet.Fill(Rim(shape), state == State::Focused ? accent.rim : Bytes(54, 62, 80), 1, box);
  if (state == State::Normal || state == State::Hot)
    sheet.Fill(Segment({static_cast<float>(box.left), box.bottom - 0.5f}, {static_cast<float>(box.right), box.bottom - 0.5f}, 1),
               Bytes(54, 62, 80), 1, box);
}

void TabRow(Canvas& sheet, Box box) {
  Flat(sheet, box, Bytes(20, 22, 28));
  sheet.Fill(Segment({static_cast<float>(box.left), box.bottom - 0.5f}, {static_cast<float>(box.right), box.bottom - 0.5f}, 1),
             Bytes(54, 62, 80), 1, box);
}

void ScrollTrack(Canvas& sheet, Box box, bool vertical) {
  Flat(sheet, box, kTrack);
  // Darker edges along the bar's length.
  for (int i = 0; i < 2; ++i) {
    const float o = i == 0 ? 0.5f : -0.5f;
    const auto edge = vertical ? Segment({(i == 0 ? box.left : box.right) + o, static_cast<float>(box.top)},
                                         {(i == 0 ? box.left : box.right) + o, static_cast<float>(box.bottom)}, 1)
                               : Segment({static_cast<float>(box.left), (i == 0 ? box.top : box.bottom) + o},
                                         {static_cast<float>(box.right), (i == 0 ? box.top : box.bottom) + o}, 1);
    sheet.Fill(edge, kEdgeDark, 1, box);
  }
}

void ScrollCorner(Canvas& sheet, Box box) { Flat(sheet, box, kPage); }

void ScrollButton(Canvas& sheet, Box box, Glyph arrow, State state, const Accent& accent) {
  Flat(sheet, box, kTrack);
  const Face face = state == State::Normal ? Face{Bytes(38, 44, 58), Bytes(28, 32, 42), Bytes(56, 64, 82), 0.05f}
                                           : FaceFor(state, accent);
  DrawFace(sheet, box, face, 1, 3);
  DrawGlyph(sheet, box, arrow, GlyphFor(state), state == State::Down ? Point{0.5f, 0.5f} : Point{});
}

namespace {

Rgb ThumbColour(State state, const Accent& accent) {
  if (state == State::Hot) return accent.hotBottom;
  if (state == State::Down) return accent.downBottom;
  return Bytes(62, 74, 100);
}

}  // namespace

void ScrollThumb(Canvas& sheet, Box box, bool vertical, State state, const Accent& accent) {
  Flat(sheet, box, kTrack);
  const float radius = (vertical ? Width(box) : Height(box)) / 2 - 1.5f;
  const auto shape = Rounded(box, 1, radius);
  // Flat along the thumb, so the skin engine may tile its middle and put the grip at the centre.
  sheet.Fill(shape, ThumbColour(state, accent), 1, box);
  sheet.Fill(Rim(shape), state == State::Normal ? Bytes(100, 118, 152) : accent.rim, 1, box);
  KnockOut(sheet, box, shape);
}

void ScrollGrip(Canvas& sheet, Box box, bool vertical, State state, const Accent& accent) {
  Flat(sheet, box, ThumbColour(state, accent));
  const Rgb line = Mix(ThumbColour(state, accent), kWhite, 0.35f);
  for (int i = 0; i < 3; ++i) {
    const float o = 1.5f + 2.5f * i;
    const auto stroke = vertical ? Segment({box.left + 0.5f, box.top + o}, {box.right - 0.5f, box.top + o}, 1)
                                 : Segment({box.left + o, box.top + 0.5f}, {box.left + o, box.bottom - 0.5f}, 1);
    sheet.Fill(stroke, line, 1, box);
  }
}

void MenuItem(Canvas& sheet, Box box, bool active, const Accent& accent) {
  Flat(sheet, box, kMenuBody);
  if (!active) return;
  const auto shape = Rounded(box, 1, 3);
  sheet.Fill(shape,
             [&](Point p) {
               const Rgb hue = Mix(accent.selectFrom, accent.selectTo, (p.x - box.left) / Width(box));
               return Ink{Mix(hue * 1.15f, hue * 0.8f, (p.y - box.top) / Height(box)), 0.95f};
             },
             box);
  Gloss(sheet, box, 3, 0.14f);
  sheet.Fill(Rim(shape), accent.rim, 0.45f, box);
}

void MenuDivider(Canvas& sheet, Box box) {
  Flat(sheet, box, kMenuBody);
  const float y = Centre(box).y;
  sheet.Fill(Segment({static_cast<float>(box.left), y - 0.5f}, {static_cast<float>(box.right), y - 0.5f}, 1), kEdgeDark, 1, box);
  sheet.Fill(Segment({static_cast<float>(box.left), y + 0.5f}, {static_cast<float>(box.right), y + 0.5f}, 1), Bytes(52, 60, 78), 1, box);
}

void PopupWindow(Canvas& sheet, Box box) {
  Flat(sheet, box, kMenuBody);
  const auto outer = RoundedBox(box.left, box.top, box.right, box.bottom, 0.01f);
  sheet.Fill(Rim(outer), Bytes(66, 80, 108), 1, box);
  sheet.Fill(Segment({box.left + 1.0f, box.top + 1.5f}, {box.right - 1.0f, box.top + 1.5f}, 1), kIce, 0.18f, box);
}

void HintWindow(Canvas& sheet, Box box, const Accent& accent) {
  Flat(sheet, box, Bytes(26, 32, 46));
  const auto outer = RoundedBox(box.left, box.top, box.right, box.bottom, 0.01f);
  sheet.Fill(Rim(outer), Mix(accent.rim, kPage, 0.35f), 1, box);
  sheet.Fill(Segment({box.left + 1.0f, box.top + 1.5f}, {box.right - 1.0f, box.top + 1.5f}, 1), kIce, 0.2f, box);
}

}  // namespace look

}  // namespace skinart
