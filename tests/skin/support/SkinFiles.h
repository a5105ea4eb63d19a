// A skin a test writes for itself: its INI text and pictures in a folder of its own, loaded through
// the reader users' skins go through, and the flat-coloured pictures such skins are made of.
#pragma once

#include "tests/support/testing.h"

#include "platform/classlib/Bitmap.h"
#include "skin/data/SkinData.h"

#include <memory>
#include <string>

namespace skintesting {

// A 24-bit picture of Width x Height filled with Color (0x00BBGGRR).
std::unique_ptr<classlib::TBitmap> Picture(int Width, int Height, COLORREF Color);
// Fills R of Picture with Color.
void Fill(classlib::TBitmap& Picture, const classlib::TRect& R, COLORREF Color);

class TSkinFiles {
public:
  TSkinFiles();
  ~TSkinFiles();
  TSkinFiles(const TSkinFiles&) = delete;
  TSkinFiles& operator=(const TSkinFiles&) = delete;

  // Saves a picture into the skin's folder as the INI text names it.
  void SavePicture(const std::string& Name, const classlib::TBitmap& Picture) const;
  // Writes the INI text as the skin's file and loads the skin from it.
  void Load(const std::string& Ini);
  // Loads the skin's file again (the skin-change messages go to every form).
  void Reload();
  skin::TskSkinData& Skin() { return *FSkin; }
  // Gives the skin up (to free it while controls still point at it).
  std::unique_ptr<skin::TskSkinData> Release() { return std::move(FSkin); }

private:
  testing_support::TempDir FDir;
  std::unique_ptr<skin::TskSkinData> FSkin;
};

}  // namespace skintesting
