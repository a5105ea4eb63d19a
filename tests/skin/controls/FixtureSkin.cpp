#include "tests/skin/controls/FixtureSkin.h"

#include "tests/classlib/WindowTesting.h"

#include <algorithm>

namespace fixtureskin {

using namespace classlib;

std::string SkinIni(int PictureCount, const std::vector<std::string>& Controls, const std::string& Sections) {
  std::string ini = "[VERSION]\nver=2\nskinname=Fixture\n\n[PICTURES]\nactivepicturescount=" +
                    std::to_string(PictureCount) + "\n";
  for (int i = 0; i < PictureCount; ++i) ini += std::to_string(i) + "=" + std::to_string(i) + ".bmp\n";
  ini += "\n[FORMINFO]\nbgpictureindex=-1\n\n[SKINAREAS]\ncount=0\n\n[SKINOBJECTS]\ncount=0\n\n[SKINCONTROLS]\ncount=" +
         std::to_string(Controls.size()) + "\n";
  for (size_t i = 0; i < Controls.size(); ++i) ini += std::to_string(i) + "=" + Controls[i] + "\n";
  return ini + "\n" + Sections;
}

TFixtureSkin::TFixtureSkin(const std::string& Ini, const std::vector<const TBitmap*>& Pictures) {
  for (size_t i = 0; i < Pictures.size(); ++i) SavePicture(std::to_string(i) + ".bmp", *Pictures[i]);
  Load(Ini);
}

TColourScan ScanColour(HWND Window, const TRect& Area, COLORREF Colour) {
  RECT client;
  GetClientRect(Window, &client);
  windowtesting::TPaintTarget target(std::max(1, static_cast<int>(client.right)),
                                     std::max(1, static_cast<int>(client.bottom)), 0xFF00FF);
  target.Paint(Window);
  TColourScan scan{Rect(Area.right, Area.bottom, Area.left, Area.top), 0};
  for (int y = Area.top; y < Area.bottom; ++y)
    for (int x = Area.left; x < Area.right; ++x) {
      if (target.Pixel(x, y) != Colour) continue;
      ++scan.Count;
      scan.Box = Rect(std::min<int>(scan.Box.left, x), std::min<int>(scan.Box.top, y),
                      std::max<int>(scan.Box.right, x + 1), std::max<int>(scan.Box.bottom, y + 1));
    }
  return scan;
}

}  // namespace fixtureskin
