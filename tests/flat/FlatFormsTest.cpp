// The program's two forms with flat group boxes, read from their descriptions in the source tree:
// the boxes stand where they belong, hold their labels and lists inside the frame, and the
// device-settings form is photographed for a person to look at.
#include "tests/flat/FlatTesting.h"

#include "flat/FlatRegistration.h"
#include "skin/data/SkinDataRegistration.h"
#include "flat/PlainGroupBox.h"
#include "skin/boxes/SkinBoxesRegistration.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/form/SkinFormRegistration.h"
#include "skin/shell/SkinShellRegistration.h"

#include <iostream>

using namespace classlib;
using namespace flat;
using testing_support::ReadUnixFile;

namespace {

// A program form read as a plain TForm (its own class only binds handlers, which get stand-ins here).
std::unique_ptr<TForm> ReadProgramForm(const String& File, const String& FormClass) {
  // The build's copy: the description with its packed skins in place.
  String text = ReadUnixFile(String(TAVREL_BINARY_DIR) + "/app/forms/" + File);
  const String root = ": " + FormClass + "\n";
  const size_t at = text.find(root);
  if (at == String::npos) throw Exception(File + " does not describe " + FormClass);
  text.replace(at, root.size(), ": TForm\n");
  RegisterSkinControlClasses();
  RegisterSkinFormClasses();
  RegisterSkinShellClasses();
  RegisterSkinBoxClasses();
  RegisterFlatClasses();
  RegisterSkinDataClasses();
  return windowtesting::ReadForm(text, [](TForm& Form) {
    for (const char* handler : {"skSkinButton1Click", "skSkinButton2Click"})
      Form.RegisterHandler<TNotifyEvent>(handler, [](TObject*) {});
  });
}

TPlainGroupBox& Box(TForm& Form, const char* Name) {
  auto* box = dynamic_cast<TPlainGroupBox*>(Form.FindComponent(Name));
  if (!box) throw Exception(String("no flat group box ") + Name);
  return *box;
}

struct TPlacedBox {
  const char* Name;
  const char* Caption;
  TRect Bounds;
};

// Each box has its place and four children inside its frame, below the caption's line.
void ExpectBoxes(TForm& Form, std::initializer_list<TPlacedBox> Boxes) {
  for (const TPlacedBox& placed : Boxes) {
    SCOPED_TRACE(placed.Name);
    TPlainGroupBox& box = Box(Form, placed.Name);
    EXPECT_EQ(box.Caption(), placed.Caption);
    const TRect r = box.BoundsRect();
    EXPECT_TRUE(EqualRect(&r, &placed.Bounds)) << r.left << "," << r.top << " " << box.Width() << "x" << box.Height();
    EXPECT_EQ(box.ColorBorder(), 8623776);
    EXPECT_FALSE(box.Transparent());
    EXPECT_TRUE(box.ParentColor());
    ASSERT_EQ(box.ControlCount(), 4);
    for (int i = 0; i < box.ControlCount(); ++i) {
      const TRect child = box.Controls(i)->BoundsRect();
      EXPECT_GE(child.left, 1) << box.Controls(i)->Name();
      EXPECT_GE(child.top, 16) << box.Controls(i)->Name();
      EXPECT_LE(child.right, box.Width() - 1) << box.Controls(i)->Name();
      EXPECT_LE(child.bottom, box.Height() - 1) << box.Controls(i)->Name();
    }
  }
}

// The client area of a shown window as the screen has it.
std::unique_ptr<TBitmap> Photograph(HWND Window, bool WithFrame) {
  RECT r;
  if (WithFrame)
    GetWindowRect(Window, &r);
  else
    GetClientRect(Window, &r);
  auto photo = flattesting::FilledBitmap(r.right - r.left, r.bottom - r.top, RGB(0, 0, 0));
  const HDC dc = WithFrame ? GetWindowDC(Window) : GetDC(Window);
  BitBlt(photo->Canvas()->Handle(), 0, 0, photo->Width(), photo->Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(Window, dc);
  return photo;
}

TEST(FlatForms, DeviceSettingsHoldsTheTwoBoxes) {
  auto form = ReadProgramForm("Unit10.dfm", "TForm10");
  ExpectBoxes(*form, {{"PlainGroupBox1", "Video Source", Rect(16, 8, 16 + 385, 8 + 129)},
                      {"PlainGroupBox2", "Audio Source", Rect(16, 144, 16 + 385, 144 + 137)}});
  EXPECT_EQ(form->ClientWidth(), 422);
  EXPECT_EQ(form->ClientHeight(), 345);

  form->Show();
  windowtesting::PumpFor(300);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  windowtesting::PumpFor(100);

  // The frames on the screen: corners and the caption's gap of the first box, the second's bottom.
  auto client = Photograph(form->Handle(), false);
  const COLORREF border = RGB(160, 150, 131);
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->SetFont(Box(*form, "PlainGroupBox1").Font());
  const TSize text = measure.Canvas()->TextExtent("Video Source");
  const int y = 8 + text.cy / 2;
  for (auto [x, yy] : {std::pair{16, y}, {16 + 384, y}, {16, 8 + 128}, {16 + 384, 8 + 128}, {16 + 3, y},
                       {16 + text.cx + 13, y}, {16, 144 + 136}, {16 + 384, 144 + 136}, {200, 144 + 136}})
    EXPECT_EQ(flattesting::PixelOf(*client, x, yy), border) << x << "," << yy;
  EXPECT_NE(flattesting::PixelOf(*client, 16 + 8, y), border);

  // For a person to look at.
  auto photo = Photograph(form->Handle(), true);
  const std::string bmp = std::string(TAVREL_BINARY_DIR) + "/tests/DeviceSettings.bmp";
  const std::string png = std::string(TAVREL_BINARY_DIR) + "/tests/DeviceSettings.png";
  photo->SaveToFile(testing_support::UnixToWindowsPath(bmp));
  ASSERT_EQ(testing_support::RunTool("bmptopnm '" + bmp + "' 2>/dev/null | pnmtopng > '" + png + "' && rm '" + bmp + "'"),
            0);
  std::cout << "device-settings form: " << png << "\n";
  form->Hide();
}

TEST(FlatForms, ConfigInputPageHoldsTheSameBoxesInsideIt) {
  auto form = ReadProgramForm("Unit7.dfm", "TForm7");
  ExpectBoxes(*form, {{"PlainGroupBox1", "Video Source", Rect(24, 16, 24 + 385, 16 + 129)},
                      {"PlainGroupBox2", "Audio Source", Rect(24, 160, 24 + 385, 160 + 137)}});
  form->HandleNeeded();
  auto* page = dynamic_cast<TWinControl*>(form->FindComponent("skSkinTabSheet2"));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(Box(*form, "PlainGroupBox1").Parent(), page);
  // The page leaves at least the boxes' left margin to their right and 16 pixels below them.
  EXPECT_GE(page->ClientWidth(), 24 + 385 + 24);
  EXPECT_GE(page->ClientHeight(), 160 + 137 + 16);
}

}  // namespace
