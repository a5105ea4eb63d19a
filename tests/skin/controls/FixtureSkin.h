// A skin a control test writes for itself from its INI text and numbered pictures of flat-coloured
// pieces, and where a colour lies in a painted window.
#pragma once

#include "tests/skin/support/SkinFiles.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace fixtureskin {

using skintesting::Fill;
using skintesting::Picture;

class TFixtureSkin : public skintesting::TSkinFiles {
public:
  // Ini is the skin's INI text; its [PICTURES] section names Pictures in order as 0.bmp, 1.bmp...
  TFixtureSkin(const std::string& Ini, const std::vector<const classlib::TBitmap*>& Pictures);
};

// The INI text of a skin with the given control descriptions ("name:kind" and their sections) and
// as many pictures.
std::string SkinIni(int PictureCount, const std::vector<std::string>& Controls, const std::string& Sections);

// Where the pixels of one colour lie in an area of a painted window, and how many there are.
struct TColourScan {
  classlib::TRect Box;
  int Count = 0;
};

// Paints Window (over magenta) and scans Area of its client for Colour.
TColourScan ScanColour(HWND Window, const classlib::TRect& Area, COLORREF Colour);

}  // namespace fixtureskin
