#include "tests/skin/support/SkinFiles.h"

namespace skintesting {

using namespace classlib;

std::unique_ptr<TBitmap> Picture(int Width, int Height, COLORREF Color) {
  auto picture = std::make_unique<TBitmap>();
  picture->SetPixelFormat(TPixelFormat::pf24bit);
  picture->SetSize(Width, Height);
  Fill(*picture, Rect(0, 0, Width, Height), Color);
  return picture;
}

void Fill(TBitmap& Picture, const TRect& R, COLORREF Color) {
  Picture.Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
  Picture.Canvas()->Brush()->SetColor(static_cast<TColor>(Color));
  Picture.Canvas()->FillRect(R);
}

TSkinFiles::TSkinFiles() : FSkin(std::make_unique<skin::TskSkinData>(nullptr)) {}

TSkinFiles::~TSkinFiles() = default;

void TSkinFiles::SavePicture(const std::string& Name, const TBitmap& Picture) const {
  Picture.SaveToFile(FDir.windowsFile(Name));
}

void TSkinFiles::Load(const std::string& Ini) {
  testing_support::WriteUnixFile(FDir.unixFile("skin.ini"), Ini);
  Reload();
  EXPECT_FALSE(FSkin->Empty) << "the test's skin did not load";
}

void TSkinFiles::Reload() { FSkin->LoadFromFile(FDir.windowsFile("skin.ini")); }

}  // namespace skintesting
