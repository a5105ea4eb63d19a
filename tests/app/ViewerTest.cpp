// The picture viewer: opening with the fit rule, every effect of its menu, "Reset All", saving, and
// the hand-back from the colour-space and rotation dialogs.
#include "tests/app/PictureTesting.h"

#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/Unit9.h"
#include "platform/classlib/Bitmap.h"
#include "platform/classlib/SysUtils.h"

#include <algorithm>

using namespace classlib;
using picturetesting::MakePicture;
using picturetesting::PictureWindow;
using picturetesting::WritePicture;

namespace {

class Viewer : public PictureWindow {
protected:
  // Lists the file and opens it in the viewer, as a double click on its item does.
  void Open(const String& Path) {
    Form->Show();  // the pages take their sizes from the shown window
    Chosen = {Path};
    Form->Add1Click(nullptr);
    Select(ItemCount() - 1);
    Form->skSkinListView1DblClick(nullptr);
  }
  // A 9 x 7 picture with a different colour in every pixel.
  String Pattern() {
    const std::string path = Pictures.windowsFile("pattern.bmp");
    EXPECT_TRUE(MakePicture(9, 7, [](int x, int y) {
                  return MakeColor(static_cast<std::uint8_t>(20 * x + 10), static_cast<std::uint8_t>(30 * y + 5),
                                   static_cast<std::uint8_t>((x * 37 + y * 11) % 256));
                })->SaveFile(path.c_str(), FMT_BMP));
    return path;
  }
};

bool SamePixels(const PxImage& a, const PxImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (!SameRgb(a.PixelColor(x, y), b.PixelColor(x, y))) return false;
  return true;
}

TEST_F(Viewer, OpensThePictureFittedAndCentred) {
  const std::string big = Pictures.windowsFile("big.png");
  WritePicture(big, 1024, 768, MakeColor(200, 100, 50), FMT_PNG);
  Open(big);
  // The page's size is the page control's business; the rule's own sizes are checked in PictureFit.
  const int W = Form->Image12->Width(), H = Form->Image12->Height();
  ASSERT_GT(W, 600);
  ASSERT_GT(H, 450);
  ASSERT_TRUE(Form->ViewerImage);
  EXPECT_EQ(Form->ViewerFileName, big);
  EXPECT_EQ(Form->ViewerFormat, FMT_PNG);
  EXPECT_EQ(Form->ViewerRect, FitPicture(W, H, 1024, 768));
  EXPECT_LT(Form->ViewerRect.Width, 1024);
  EXPECT_EQ(Form->ViewerRect.Left, (W - Form->ViewerRect.Width) / 2);
  EXPECT_EQ(Form->ViewerRect.Top, (H - Form->ViewerRect.Height) / 2);
  EXPECT_EQ(Form->skSkinPageControl1->ActivePage(), Form->skSkinTabSheet5);
  const HDC canvas = Form->Image12->Canvas().Handle();
  EXPECT_EQ(GetPixel(canvas, W / 2, H / 2), RGB(200, 100, 50));
  EXPECT_EQ(GetPixel(canvas, 5, 5), RGB(0, 0, 200));  // the background "can.bmp" around it

  // Leaving the page frees the picture.
  Form->return1Click(nullptr);
  EXPECT_EQ(Form->skSkinPageControl1->ActivePage(), Form->skSkinTabSheet2);
  EXPECT_FALSE(Form->ViewerImage);
}

// The pictures as the screen shows them: the viewer's area is 700 x 530 at the top left of the
// main window's client area, which every page fills; the fit table holds to the pixel.
TEST_F(Viewer, FitTableHoldsOnTheScreen) {
  const RGBQUAD colour = MakeColor(200, 100, 50);
  struct Case {
    int width, height;
    TPictureRect expected;
  };
  const Case cases[] = {{1024, 768, {31, 26, 638, 478}},
                        {640, 480, {30, 25, 640, 480}},
                        {700, 530, {0, 0, 700, 530}},
                        {701, 530, {38, 29, 623, 471}}};
  for (const Case& c : cases) {
    const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) + ".bmp";
    WritePicture(Pictures.windowsFile(name), c.width, c.height, colour, FMT_BMP);
    Open(Pictures.windowsFile(name));
    ASSERT_TRUE(Form->ViewerImage) << name;
    EXPECT_EQ(Form->ViewerRect, c.expected) << name;

    // Every page covers the client area exactly.
    RECT client, page;
    GetClientRect(Form->Handle(), &client);
    GetWindowRect(Form->skSkinTabSheet5->Handle(), &page);
    MapWindowPoints(nullptr, Form->Handle(), reinterpret_cast<POINT*>(&page), 2);
    EXPECT_EQ(page.left, 0);
    EXPECT_EQ(page.top, 0);
    EXPECT_EQ(page.right, client.right);
    EXPECT_EQ(page.bottom, client.bottom);

    // Where the picture's colour shows in a shot of the client area (its last row may lie below it).
    SetWindowPos(Form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application->ProcessMessages();
    TBitmap shot;
    shot.SetPixelFormat(TPixelFormat::pf24bit);
    shot.SetSize(client.right, client.bottom);
    POINT origin{0, 0};
    ClientToScreen(Form->Handle(), &origin);
    const HDC screen = GetDC(nullptr);
    BitBlt(shot.Canvas()->Handle(), 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    RECT seen{client.right, client.bottom, 0, 0};
    for (int y = 0; y < client.bottom; ++y) {
      const auto* row = static_cast<const std::uint8_t*>(shot.ScanLine(y));
      for (int x = 0; x < client.right; ++x)
        if (row[3 * x] == colour.rgbBlue && row[3 * x + 1] == colour.rgbGreen && row[3 * x + 2] == colour.rgbRed) {
          seen.left = std::min<LONG>(seen.left, x);
          seen.top = std::min<LONG>(seen.top, y);
          seen.right = std::max<LONG>(seen.right, x + 1);
          seen.bottom = std::max<LONG>(seen.bottom, y + 1);
        }
    }
    EXPECT_EQ(seen.left, c.expected.Left) << name;
    EXPECT_EQ(seen.top, c.expected.Top) << name;
    EXPECT_EQ(seen.right, c.expected.Left + c.expected.Width) << name;
    EXPECT_EQ(seen.bottom, std::min<LONG>(c.expected.Top + c.expected.Height, client.bottom)) << name;
    Form->return1Click(nullptr);
  }
}

TEST_F(Viewer, UnreadablePictureIsReportedAndNotShown) {
  testing_support::WriteUnixFile(Pictures.unixFile("broken.jpg"), "no picture here");
  apptesting::TDialogAnswerer answerer(IDOK);
  Open(Pictures.windowsFile("broken.jpg"));
  EXPECT_FALSE(Form->ViewerImage);
  EXPECT_NE(Form->skSkinPageControl1->ActivePage(), Form->skSkinTabSheet5);
  const auto seen = answerer.Seen();
  ASSERT_EQ(seen.size(), 2u);  // the list's report, then the viewer's
  EXPECT_NE(seen[1].Text.find("broken.jpg"), std::string::npos);
}

TEST_F(Viewer, EveryEffectAppliesItsOwnOperationAndConstants) {
  using Operation = std::function<void(PxImage&)>;
  struct Case {
    const char* name;
    void (TForm1::*handler)(TObject*);
    Operation expected;
  };
  auto kernel = [](std::initializer_list<std::int32_t> k, std::int32_t divisor, std::int32_t offset) {
    const std::vector<std::int32_t> values(k);
    return [values, divisor, offset](PxImage& image) { image.ApplyKernel(values.data(), 3, divisor, offset); };
  };
  const Case cases[] = {
      {"Mirror", &TForm1::Mirror1Click, [](PxImage& i) { i.Mirror(); }},
      {"Flip", &TForm1::Flip1Click, [](PxImage& i) { i.Flip(); }},
      {"Negative", &TForm1::Negative1Click, [](PxImage& i) { i.Negative(); }},
      {"Gray Scale", &TForm1::GrayScale1Click, [](PxImage& i) { i.GrayScale(); }},
      {"Dither", &TForm1::Dither1Click, [](PxImage& i) { i.Dilate(2); }},
      {"Lighten", &TForm1::Lighten1Click, [](PxImage& i) { i.BrightContrast(20, 0); }},
      {"Darken", &TForm1::Darken1Click, [](PxImage& i) { i.BrightContrast(-20, 0); }},
      {"Contrast", &TForm1::Contrast1Click,
       [](PxImage& i) { i.BrightContrast(static_cast<std::int32_t>((128 - i.AverageLevel()) * 0.25), 120); }},
      {"Erode", &TForm1::Erode1Click, [](PxImage& i) { i.Erode(2); }},
      {"Dilate", &TForm1::Dilate1Click, [](PxImage& i) { i.Dilate(2); }},
      {"Blur", &TForm1::Blur1Click, kernel({1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0)},
      {"Soften", &TForm1::Soften1Click, kernel({1, 1, 1, 1, 8, 1, 1, 1, 1}, 16, 0)},
      {"Sharpen", &TForm1::Sharpen1Click, kernel({-1, -1, -1, -1, 15, -1, -1, -1, -1}, 7, 0)},
      {"Edge", &TForm1::Edge1Click, kernel({-1, -1, -1, -1, 8, -1, -1, -1, -1}, 0, 0)},
      {"Emobss", &TForm1::Emobss1Click, kernel({-1, 0, 0, 0, 0, 0, 0, 0, 1}, 0, 127)},
  };
  const String path = Pattern();
  PxImage original;
  ASSERT_TRUE(original.LoadFile(path.c_str(), FMT_BMP));
  Open(path);
  ASSERT_TRUE(Form->ViewerImage);
  for (const Case& c : cases) {
    Form->ResetGraph1Click(nullptr);
    PxImage expected;
    ASSERT_TRUE(expected.LoadFile(path.c_str(), FMT_BMP));
    ASSERT_TRUE(SamePixels(*Form->ViewerImage, expected)) << "Reset All before " << c.name;
    (Form.get()->*c.handler)(nullptr);
    c.expected(expected);
    EXPECT_TRUE(SamePixels(*Form->ViewerImage, expected)) << c.name;
    EXPECT_FALSE(SamePixels(*Form->ViewerImage, original)) << c.name << " left the picture as it was";
  }
  EXPECT_EQ(Form->ViewerRect, FitPicture(Form->Image12->Width(), Form->Image12->Height(), 9, 7));  // never recomputed
}

TEST_F(Viewer, ConstantsOfTheEffectsOnKnownPixels) {
  // A gray field of 100 with one white pixel in the middle.
  const std::string path = Pictures.windowsFile("dot.bmp");
  ASSERT_TRUE(MakePicture(5, 5, [](int x, int y) {
                return x == 2 && y == 2 ? MakeColor(255, 255, 255) : MakeColor(100, 100, 100);
              })->SaveFile(path.c_str(), FMT_BMP));
  struct Case {
    const char* name;
    void (TForm1::*handler)(TObject*);
    int centre, beside;  // red level at the middle and at its left neighbour
  };
  const Case cases[] = {
      {"Blur", &TForm1::Blur1Click, (255 + 8 * 100) / 9, (255 + 8 * 100) / 9},
      {"Soften", &TForm1::Soften1Click, (8 * 255 + 8 * 100) / 16, (255 + 15 * 100) / 16},
      {"Edge", &TForm1::Edge1Click, 255, 0},
      {"Negative", &TForm1::Negative1Click, 0, 155},
      {"Lighten", &TForm1::Lighten1Click, 255, 120},
      {"Darken", &TForm1::Darken1Click, 235, 80},
  };
  Open(path);
  for (const Case& c : cases) {
    Form->ResetGraph1Click(nullptr);
    (Form.get()->*c.handler)(nullptr);
    EXPECT_EQ(Form->ViewerImage->PixelColor(2, 2).rgbRed, c.centre) << c.name;
    EXPECT_EQ(Form->ViewerImage->PixelColor(1, 2).rgbRed, c.beside) << c.name;
  }
}

TEST_F(Viewer, AddFolderOpenBlurAndSaveAsPng) {
  ASSERT_TRUE(testing_support::HasTool("convert") && testing_support::HasTool("identify"));
  for (const char* name : {"one.png", "two.jpg", "three.gif", "four.bmp", "five.tif"})
    ASSERT_EQ(testing_support::RunTool("convert -size 48x32 gradient:red-blue " + Pictures.unixFile(name)), 0) << name;
  Folder = Pictures.windowsPath();
  Form->AddRot1Click(nullptr);
  ASSERT_EQ(ItemCount(), 5);
  for (int i = 0; i < ItemCount(); ++i)
    if (Item(i)->Caption() == "one.png") Select(i);
  Form->skSkinListView1DblClick(nullptr);
  ASSERT_TRUE(Form->ViewerImage);
  PxImage blurred;
  ASSERT_TRUE(blurred.LoadFile(Pictures.windowsFile("one.png").c_str(), FMT_PNG));
  const std::int32_t ones[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  blurred.ApplyKernel(ones, 3, 9, 0);
  Form->Blur1Click(nullptr);

  // Saved under the name the PNG filter makes of "copy".
  SaveName = Work.windowsFile("copy.png");
  Form->Saveto1Click(nullptr);
  EXPECT_EQ(testing_support::ToolOutput("identify -format '%m %w %h' " + Work.unixFile("copy.png")), "PNG 48 32");
  PxImage saved;
  ASSERT_TRUE(saved.LoadFile(Work.windowsFile("copy.png").c_str(), FMT_PNG));
  EXPECT_TRUE(SamePixels(saved, blurred));
}

TEST_F(Viewer, SaveChoosesTheEncoderByTheLastExtensionAndReportsFailures) {
  Open(Pattern());
  // "copy.jpg" typed with the BMP filter selected arrives as copy.jpg.bmp and is a BMP file.
  SaveName = Work.windowsFile("copy.jpg.bmp");
  Form->Saveto1Click(nullptr);
  EXPECT_EQ(testing_support::ToolOutput("identify -format '%m' " + Work.unixFile("copy.jpg.bmp")).substr(0, 3), "BMP");

  struct Case {
    String name;
    std::string unixFile;
  };
  const Case failures[] = {{Work.windowsFile("copy.xyz"), Work.unixFile("copy.xyz")},
                           {Work.windowsFile("none\\copy.png"), Work.unixFile("none/copy.png")}};
  for (const Case& c : failures) {
    SaveName = c.name;
    apptesting::TDialogAnswerer answerer(IDOK);
    Form->Saveto1Click(nullptr);
    const auto seen = answerer.Seen();
    ASSERT_EQ(seen.size(), 1u) << c.name;
    EXPECT_EQ(seen[0].Caption, "Error to save file");
    EXPECT_EQ(seen[0].Text, "Error");
    EXPECT_NE(testing_support::RunTool("test -e " + c.unixFile), 0) << c.name;
  }
}

// The save dialog, answered twice: a long name, then a shorter one typed over the long one that the
// dialog proposes; both pictures are written under the names given, with the first type's extension.
TEST_F(Viewer, SaveToTwiceUnderAShorterName) {
  Open(Pattern());
  {
    apptesting::TDialogAnswerer errors(IDOK);
    apptesting::TFileDialogAnswerer answerer({Work.windowsFile("a-rather-long-copy"), "z"});
    Form->Saveto1Click(nullptr);
    Form->Saveto1Click(nullptr);
    EXPECT_EQ(answerer.Answered(), 2);
    EXPECT_TRUE(errors.Seen().empty()) << errors.Seen()[0].Caption;
  }
  for (const char* name : {"a-rather-long-copy.bmp", "z.bmp"}) {
    PxImage saved;
    EXPECT_TRUE(saved.LoadFile(Work.windowsFile(name).c_str(), FMT_BMP)) << name;
    EXPECT_TRUE(SamePixels(saved, *Form->ViewerImage)) << name;
  }
}

TEST_F(Viewer, RotateAndColourSpaceHandTheirResultBackIntoTheOldRectangle) {
  const String path = Pattern();
  Open(path);
  const TPictureRect rect = Form->ViewerRect;
  ASSERT_TRUE(Form->ViewerImage->SaveFile("rgb.tmp", FMT_BMP));

  auto rotate = apptesting::MakeForm<TForm9>();
  rotate->PrepareRotate("0");
  rotate->FormShow(nullptr);
  rotate->skSkinTrackBar1->SetValue(90);
  EXPECT_EQ(rotate->Label6->Caption(), "90");
  rotate->skSkinButton1Click(nullptr);
  EXPECT_FALSE(rotate->RotateImage);
  EXPECT_GT(Form->ViewerImage->Height(), Form->ViewerImage->Width());  // the proportions swap
  EXPECT_EQ(Form->ViewerRect, rect);
  Form->ResetGraph1Click(nullptr);
  EXPECT_EQ(Form->ViewerImage->Width(), 9);

  auto colour = apptesting::MakeForm<TForm3>();
  colour->PrepareColorSpace("0");
  colour->FormShow(nullptr);
  colour->skSkinCheckRadioBox1->SetChecked(false);  // without preview the adjustment still applies
  colour->skSkinTrackBar4->SetValue(50);
  colour->skSkinTrackBar1->SetValue(100);
  EXPECT_EQ(colour->Label9->Caption(), "50");
  EXPECT_EQ(colour->Label6->Caption(), "100");
  colour->skSkinButton1Click(nullptr);
  PxImage expected;
  ASSERT_TRUE(expected.LoadFile(path.c_str(), FMT_BMP));
  expected.BrightContrast(50, 0);
  expected.OffsetRGB(100, 0, 0);
  EXPECT_TRUE(SamePixels(*Form->ViewerImage, expected));
}

// Each value label beside its bar shows the widest value whole ("-185" used to show as "-18"):
// it lies right of the bar and inside the form.
TEST(PictureDialogs, ValueLabelsHoldTheWidestValue) {
  auto colour = apptesting::MakeForm<TForm3>();
  auto rotate = apptesting::MakeForm<TForm9>();
  colour->Show();
  rotate->Show();
  struct Case {
    TForm* form;
    skin::TskSkinTrackBar* bar;
    TLabel* label;
  };
  const Case cases[] = {{colour.get(), colour->skSkinTrackBar1, colour->Label6},
                        {colour.get(), colour->skSkinTrackBar2, colour->Label7},
                        {colour.get(), colour->skSkinTrackBar3, colour->Label8},
                        {colour.get(), colour->skSkinTrackBar4, colour->Label9},
                        {colour.get(), colour->skSkinTrackBar5, colour->Label10},
                        {rotate.get(), rotate->skSkinTrackBar1, rotate->Label6}};
  for (const Case& c : cases) {
    c.bar->SetValue(c.bar->MinValue());
    const String text = IntToStr(c.bar->MinValue());
    ASSERT_EQ(c.label->Caption(), text) << c.label->Name();
    const HDC dc = GetDC(c.form->Handle());
    const HGDIOBJ old = SelectObject(dc, c.label->Font().Handle());
    SIZE extent{};
    GetTextExtentPoint32W(dc, ToWide(text).c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(c.form->Handle(), dc);
    EXPECT_GE(c.label->Width(), extent.cx) << c.label->Name();
    EXPECT_GE(c.label->Left(), c.bar->Left() + c.bar->Width()) << c.label->Name();
    EXPECT_LE(c.label->Left() + c.label->Width(), c.form->ClientWidth()) << c.label->Name();
  }
}

TEST_F(Viewer, FullScreenFormCentresThePictureOverTheBackground) {
  WritePicture(Work.windowsFile("temp.jpg"), 40, 30, MakeColor(255, 255, 255), FMT_JPG);
  auto full = apptesting::MakeForm<TForm4>();
  full->FormShow(nullptr);
  ASSERT_TRUE(full->FullScreenImage);
  const int W = full->Width(), H = full->Height();
  const HDC canvas = full->Image1->Canvas().Handle();
  EXPECT_EQ(GetPixel(canvas, W / 2, H / 2), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(canvas, (W - 40) / 2 - 2, H / 2), RGB(0, 0, 200));
  full->Image1DblClick(nullptr);
  EXPECT_FALSE(full->FullScreenImage);
}

}  // namespace
