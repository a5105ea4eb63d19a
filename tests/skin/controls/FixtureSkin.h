// A skin a test writes for itself: its INI text and pictures of flat-coloured pieces, loaded
// through the reader users' skins go through.
#pragma once

#include "tests/support/testing.h"

#include "platform/classlib/Bitmap.h"
#include "skin/data/SkinData.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace fixtureskin {

// A 24-bit picture of Width x Height filled with Color (0x00BBGGRR).
std::unique_ptr<classlib::TBitmap> Picture(int Width, int Height, COLORREF Color);
// Fills R of Picture with Color.
void Fill(classlib::TBitmap& Picture, const classlib::TRect& R, COLORREF Color);

class TFixtureSkin {
public:
  // Ini is the skin's INI text; its [PICTURES] section names Pictures in order as 0.bmp, 1.bmp...
  TFixtureSkin(const std::string& Ini, const std::vector<const classlib::TBitmap*>& Pictures);
  skin::TskSkinData& Skin() { return *FSkin; }
  // Gives the skin up (to free it while controls still point at it).
  std::unique_ptr<skin::TskSkinData> Release() { return std::move(FSkin); }

private:
  testing_support::TempDir FDir;
  std::unique_ptr<skin::TskSkinData> FSkin;
};

// The INI text of a skin with the given control descriptions ("name:kind" and their sections) and
// as many pictures.
std::string SkinIni(int PictureCount, const std::vector<std::string>& Controls, const std::string& Sections);

}  // namespace fixtureskin

namespace fixtureskin {

// Where the pixels of one colour lie in an area of a painted window, and how many there are.
struct TColourScan {
  classlib::TRect Box;
  int Count = 0;
};

// Paints Window (over magenta) and scans Area of its client for Colour.
TColourScan ScanColour(HWND Window, const classlib::TRect& Area, COLORREF Colour);

}  // namespace fixtureskin
