// Draws the program's own pictures and writes them as 24-bit BMP files into one folder:
// the home page background with the highlight bars of its four labels, the background of the
// other pages, the viewer's canvas "can.bmp", the skinned slider's built-in thumbs and rulers, the
// skinned button bar's scroll glyphs, the month calendar's step-button glyphs and the file
// dialog's tool-bar glyphs.
//
//   artwork <output folder>
//
// A build-time tool of the host: it only writes files and needs no Wine.
#include "tools/artwork/ButtonsBarArt.h"
#include "tools/artwork/CalendarArt.h"
#include "tools/artwork/DialogArt.h"
#include "tools/artwork/PictureDialogArt.h"
#include "tools/artwork/FileListArt.h"
#include "tools/artwork/Canvas.h"
#include "tools/artwork/Lettering.h"
#include "tools/artwork/PlayBarArt.h"
#include "tools/artwork/SliderArt.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <iterator>
#include <string>

namespace {

using namespace artwork;

constexpr float kPi = 3.14159265f;
constexpr int kPageWidth = 701;
constexpr int kPageHeight = 529;

// Where the home page's labels and their highlight bars go (notes/artwork-layout.txt tells the
// application the same rectangles). The background keeps this column calm so the labels read well.
struct HomeItem {
  const char* bitmapName;
  int barWidth;
};
constexpr HomeItem kHomeItems[] = {
    {"HILITE_PICTURES", 228}, {"HILITE_PLAYER", 184}, {"HILITE_TV", 144}, {"HILITE_CD", 160}};
constexpr int kBarLeft = 60;
constexpr int kFirstSlotTop = 150;
constexpr int kSlotPitch = 80;
constexpr int kBarInset = 5;  // from the top of a 50-pixel slot to its 40-pixel bar
constexpr int kBarHeight = 40;

int BarTop(int index) { return kFirstSlotTop + index * kSlotPitch + kBarInset; }

const Rgb kIce = Bytes(150, 210, 255);

float Smooth(float edge0, float edge1, float x) {
  const float t = std::fmin(std::fmax((x - edge0) / (edge1 - edge0), 0.0f), 1.0f);
  return t * t * (3 - 2 * t);
}

// Deep blue at the top left, falling to near black at the bottom right, with a violet cast on the right.
void PaintHomeSky(Canvas& page) {
  page.Shade([](Point p) {
    const float down = (p.y / kPageHeight) * 0.75f + (p.x / kPageWidth) * 0.25f;
    const Rgb sky = Mix(Bytes(14, 22, 44), Bytes(3, 4, 9), Smooth(0, 1, down));
    return Mix(sky, Bytes(20, 10, 34), 0.35f * Smooth(0.45f, 1, p.x / kPageWidth) * (1 - p.y / kPageHeight));
  });
  page.Glow({545, 300}, 170, Bytes(10, 38, 70));
  page.Glow({650, 95}, 80, Bytes(34, 12, 50));
  page.Glow({150, 80}, 130, Bytes(8, 16, 34));
}

// A disc of faint concentric grooves on the right, with a few brighter arcs catching the light.
void PaintDisc(Canvas& page) {
  const Point centre{545, 300};
  const float radii[] = {40, 78, 116, 154, 192};
  for (size_t i = 0; i < std::size(radii); ++i)
    page.Fill(Ring(centre, radii[i], 1.1f), kIce, 0.22f - 0.035f * i, page.Bounds());
  page.Fill(Circle(centre, 9), Bytes(2, 3, 8), 0.9f, page.Bounds());
  page.Fill(Ring(centre, 14, 2), kIce, 0.45f, page.Bounds());

  struct Highlight {
    float radius, from, to, opacity;
  };
  const Highlight arcs[] = {{78, 200, 250, 0.55f}, {116, 290, 330, 0.5f}, {154, 20, 48, 0.4f},
                            {192, 215, 236, 0.3f}, {40, 100, 170, 0.5f}};
  for (const Highlight& arc : arcs) {
    const auto shape = Arc(centre, arc.radius, 2.0f, arc.from, arc.to);
    page.Halo(shape, 5, Bytes(6, 22, 40), page.Bounds());
    page.Fill(shape, Bytes(190, 230, 255), arc.opacity, page.Bounds());
  }
}

// Long hairlines across the lower right, fading out towards both ends.
void PaintHairlines(Canvas& page) {
  for (int i = 0; i < 4; ++i) {
    const Point from{300.0f + i * 44, kPageHeight + 2.0f}, to{kPageWidth + 2.0f, 300.0f + i * 24};
    page.Fill(Segment(from, to, 0.9f),
              [&](Point p) {
                const float along = (p.x - from.x) / (to.x - from.x);
                return Ink{kIce, 0.16f * std::sin(kPi * std::fmin(std::fmax(along, 0.0f), 1.0f))};
              },
              page.Bounds());
  }
}

// The program's name above the label column, with a soft halo and an underline that fades out.
void PaintTitle(Canvas& page) {
  const float capHeight = 62;
  const Point topLeft{kBarLeft + 4, 48};
  const TextShape title = Lettering("Tavrel", topLeft, capHeight);
  const Box haloArea{title.bounds.left - 40, title.bounds.top - 40, title.bounds.right + 40, title.bounds.bottom + 40};
  page.Halo(title.distance, 14, Bytes(6, 20, 46), haloArea);
  page.Fill(title.distance,
            [&](Point p) {
              const float t = (p.y - topLeft.y) / capHeight;
              return Ink{Mix(Bytes(250, 252, 255), Bytes(140, 200, 255), Smooth(0.2f, 1.1f, t)), 1};
            },
            title.bounds);

  const Point lineFrom{kBarLeft + 4, 130}, lineTo{kBarLeft + 300, 130};
  page.Fill(Segment(lineFrom, lineTo, 1.2f),
            [&](Point p) { return Ink{kIce, 0.6f * (1 - Smooth(0, 1, (p.x - lineFrom.x) / (lineTo.x - lineFrom.x)))}; },
            page.Bounds());
}

// A thin rail left of the labels with a dot at the middle of each one.
void PaintRail(Canvas& page) {
  const float x = kBarLeft - 18;
  const float top = static_cast<float>(BarTop(0)), bottom = static_cast<float>(BarTop(3) + kBarHeight);
  page.Fill(Segment({x, top}, {x, bottom}, 1),
            [&](Point p) { return Ink{kIce, 0.22f * std::sin(kPi * (p.y - top) / (bottom - top))}; },
            page.Bounds());
  for (int i = 0; i < 4; ++i) {
    const Point dot{x, BarTop(i) + kBarHeight / 2.0f};
    page.Glow(dot, 6, Bytes(10, 40, 80));
    page.Fill(Circle(dot, 2.6f), Bytes(170, 220, 255), 0.85f, page.Bounds());
  }
}

Canvas HomeBackground() {
  Canvas page(kPageWidth, kPageHeight);
  PaintHomeSky(page);
  PaintDisc(page);
  PaintHairlines(page);
  page.Vignette(0.55f);
  PaintTitle(page);
  PaintRail(page);
  return page;
}

// A glowing pill over the part of the home background it covers, so its rounded ends blend in.
Canvas HighlightBar(const Canvas& home, int index) {
  const int width = kHomeItems[index].barWidth;
  Canvas bar = home.Crop({kBarLeft, BarTop(index), kBarLeft + width, BarTop(index) + kBarHeight});
  const float left = 2, top = 3, right = width - 2.0f, bottom = kBarHeight - 3.0f;
  const float radius = (bottom - top) / 2;
  const auto pill = RoundedBox(left, top, right, bottom, radius);

  bar.Halo(pill, 3, Bytes(14, 50, 110), bar.Bounds());
  // Blue to violet along the bar, kept dark enough for white text; lighter at the top edge.
  bar.Fill(pill,
           [&](Point p) {
             const float along = p.x / width, down = (p.y - top) / (bottom - top);
             const Rgb hue = Mix(Bytes(22, 92, 212), Bytes(84, 44, 170), Smooth(0, 1, along));
             const Rgb shaded = Mix(hue * 1.18f, hue * 0.78f, down);
             return Ink{shaded, 0.96f - 0.4f * along * along};
           },
           bar.Bounds());
  // A soft gloss over the upper half.
  const auto gloss = RoundedBox(left + 8, top + 2, right - 8, top + radius, radius / 2);
  bar.Fill(gloss, [&](Point p) { return Ink{Bytes(255, 255, 255), 0.16f * (1 - (p.y - top) / radius)}; }, bar.Bounds());
  // A hairline rim, brightest at the left where the bar starts to grow.
  const auto rim = [&](Point p) { return std::fabs(pill(p) + 0.6f) - 0.6f; };
  bar.Fill(rim, [&](Point p) { return Ink{Bytes(150, 205, 255), 0.7f - 0.45f * p.x / width}; }, bar.Bounds());
  return bar;
}

// Neutral charcoal for the other pages: their own controls carry the colour.
Canvas PageBackground() {
  Canvas page(kPageWidth, kPageHeight);
  page.Shade([](Point p) { return Mix(Bytes(24, 26, 32), Bytes(9, 10, 13), Smooth(0, 1, p.y / kPageHeight)); });
  page.Glow({kPageWidth / 2.0f, -60}, 260, Bytes(8, 10, 14));
  page.Fill(Segment({0, 0.5f}, {kPageWidth, 0.5f}, 1),
            [](Point p) { return Ink{Bytes(120, 130, 150), 0.25f * std::sin(kPi * p.x / kPageWidth)}; },
            page.Bounds());
  page.Vignette(0.4f);
  return page;
}

// Behind the picture list's thumbnails: the page background where the list lies, under a faint
// darker pane with a lit top edge, so that the list reads as a well in the page.
Canvas ListBackground() {
  constexpr Box kListArea{213, 39, 213 + 469, 39 + 463};
  Canvas list = PageBackground().Crop(kListArea);
  const float width = static_cast<float>(list.Width()), height = static_cast<float>(list.Height());
  list.Fill(RoundedBox(0.5f, 0.5f, width - 0.5f, height - 0.5f, 6),
            [&](Point p) { return Ink{Bytes(4, 5, 8), 0.45f - 0.15f * p.y / height}; }, list.Bounds());
  list.Fill(Segment({6, 1}, {width - 6, 1}, 1),
            [&](Point p) { return Ink{Bytes(120, 150, 200), 0.3f * std::sin(kPi * p.x / width)}; }, list.Bounds());
  return list;
}

// The viewer's canvas: a quiet dark checker that shows where a picture ends, lit a little in the middle.
Canvas ViewerCanvas() {
  constexpr int kWidth = 700, kHeight = 530, kSquare = 16;
  Canvas canvas(kWidth, kHeight);
  canvas.Shade([](Point p) {
    const bool light = ((static_cast<int>(p.x) / kSquare) + (static_cast<int>(p.y) / kSquare)) % 2 != 0;
    return light ? Bytes(38, 40, 46) : Bytes(30, 32, 37);
  });
  canvas.Glow({kWidth / 2.0f, kHeight / 2.0f}, 260, Bytes(6, 7, 9));
  canvas.Vignette(0.45f);
  return canvas;
}

void WriteAll(const std::string& folder) {
  const Canvas home = HomeBackground();
  home.SaveBmp(folder + "/HOME_BACKGROUND.bmp");
  for (int i = 0; i < static_cast<int>(std::size(kHomeItems)); ++i)
    HighlightBar(home, i).SaveBmp(folder + "/" + kHomeItems[i].bitmapName + ".bmp");
  PageBackground().SaveBmp(folder + "/PAGE_BACKGROUND.bmp");
  ListBackground().SaveBmp(folder + "/LIST_BACKGROUND.bmp");
  ViewerCanvas().SaveBmp(folder + "/can.bmp");
  WriteSliderPictures(folder);
  WriteButtonsBarPictures(folder);
  WriteCalendarGlyphs(folder);
  WriteDialogGlyphs(folder);
  WritePictureDialogGlyphs(folder);
  WritePlayBarGlyphs(folder);
  WriteFileListGlyphs(folder);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artwork <output folder>\n");
    return 2;
  }
  try {
    WriteAll(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
