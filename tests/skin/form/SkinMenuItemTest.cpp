#include "tests/skin/form/SkinMenuTesting.h"

#include "skin/data/SkinObjectDescriptions.h"
#include "skin/data/Skutils.h"
#include "skin/form/SkinMenu.h"

#include <memory>
#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinmenutesting;

namespace {

const char* const PlainForm = R"(object TestForm: TForm
  Width = 300
  Height = 200
end
)";

COLORREF System(int Index) { return GetSysColor(Index); }

class SkinMenuLooks : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(0, 0);
    Form = ShowForm(PlainForm);
    Menu = std::make_unique<TPopupMenu>(nullptr);
    Engine = std::make_unique<TskSkinMenu>(nullptr, Form.get());
  }
  void TearDown() override {
    Engine.reset();
    Menu.reset();
    Form.reset();
    windowtesting::Pump();
  }

  TMenuItem* Add(const std::string& Caption, const std::string& Name = "") {
    auto* item = new TMenuItem(Menu.get());
    item->SetCaption(Caption);
    if (!Name.empty()) item->SetName(Name);
    Menu->Items()->Add(item);
    return item;
  }

  // Opens the menu at (300, 300) and waits for its window to paint.
  TskSkinPopupWindow& Open(TskSkinData* Skin = nullptr) {
    Engine->Popup(nullptr, Skin, 0, Rect(300, 300, 300, 300), Menu->Items(), false);
    windowtesting::PumpFor(100);
    TskSkinPopupWindow& window = *Engine->PopupWindows.at(0);
    UpdateWindow(window.Handle());
    return window;
  }

  std::unique_ptr<TForm> Form;
  std::unique_ptr<TPopupMenu> Menu;
  std::unique_ptr<TskSkinMenu> Engine;
};

TEST_F(SkinMenuLooks, TheDefaultLookFramesTheHotItemAndDrawsColumnSeparatorAndChecks) {
  Add("First");
  Add("-");
  Add("Second")->SetEnabled(false);
  Add("Third")->SetChecked(true);
  TMenuItem* radio = Add("Radio");
  radio->SetChecked(true);
  radio->SetRadioItem(true);
  Add("Close", "FSK_CLOSE");
  TskSkinPopupWindow& w = Open();
  ASSERT_EQ(w.WindowDescription, nullptr);
  EXPECT_TRUE(w.MenuItems[0]->Hot);
  EXPECT_EQ(w.HotIndex, 0);
  const int width = w.Width();
  EXPECT_EQ(w.Height(), 5 * 20 + 4 + 6);
  const TScreenCopy screen;
  const int x = w.ShowLeft;
  const int y = w.ShowTop;
  // The window: a shadow frame, a window-coloured frame inside it, the button-face column.
  EXPECT_EQ(screen.Pixel(x, y + 30), System(COLOR_BTNSHADOW));
  EXPECT_EQ(screen.Pixel(x + 1, y + 30), System(COLOR_WINDOW));
  EXPECT_EQ(screen.Pixel(x + 2, y + 30), System(COLOR_BTNFACE));
  // The first item is lit: a navy frame around a light fill.
  EXPECT_EQ(screen.Pixel(x + 3, y + 3), RGB(0, 0, 128));
  EXPECT_EQ(screen.Pixel(x + width - 4, y + 22), RGB(0, 0, 128));
  EXPECT_EQ(screen.Pixel(x + width - 6, y + 6), RGB(182, 189, 210));
  // The separator (rows 23 to 26): a shadow line in its middle row from the column on.
  EXPECT_EQ(screen.Pixel(x + 40, y + 25), System(COLOR_BTNSHADOW));
  EXPECT_EQ(screen.Pixel(x + 40, y + 24), System(COLOR_WINDOW));
  EXPECT_EQ(screen.Pixel(x + 10, y + 24), System(COLOR_BTNFACE));
  // "Third" (rows 47 to 66) has a tick, "Radio" (67 to 86) a dot and "Close" (87 to 106) the cross.
  EXPECT_EQ(screen.Pixel(x + 9, y + 59), System(COLOR_WINDOWTEXT));
  EXPECT_EQ(screen.Pixel(x + 11, y + 77), System(COLOR_WINDOWTEXT));
  EXPECT_EQ(screen.Pixel(x + 10, y + 96), System(COLOR_WINDOWTEXT));
  EXPECT_EQ(screen.Pixel(x + 10, y + 39), System(COLOR_BTNFACE)) << "nothing in the column of a plain item";
}

TEST_F(SkinMenuLooks, TheSkinDrawsTheFramePiecesTheItemsAndTheDivider) {
  TMenuSkin skin;
  Add("First");
  Add("-");
  Add("Second");
  TskSkinPopupWindow& w = Open(&skin.Skin());
  ASSERT_NE(w.WindowDescription, nullptr);
  ASSERT_NE(w.ItemDescription, nullptr);
  EXPECT_EQ(w.Height(), 20 + 6 + 20 + (40 - 32));
  EXPECT_TRUE(EqRects(w.FrameItemsRect, Rect(4, 4, w.Width() - 4, w.Height() - 4)));
  const TScreenCopy screen;
  const int x = w.ShowLeft;
  const int y = w.ShowTop;
  EXPECT_EQ(screen.Pixel(x + 1, y + 10), FrameColor);
  EXPECT_EQ(screen.Pixel(x + w.Width() - 2, y + w.Height() - 2), FrameColor);
  EXPECT_EQ(screen.Pixel(x + 6, y + 6), ActiveItemColor) << "the lit first item";
  EXPECT_EQ(screen.Pixel(x + 6, y + 26), DividerColor);
  EXPECT_EQ(screen.Pixel(x + 6, y + 32), ItemColor);
  // The mask cuts the top-left corner out of the window.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(w.Handle(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 1, 1));
  EXPECT_TRUE(PtInRegion(region, 2, 0));
  EXPECT_TRUE(PtInRegion(region, 0, 2));
  DeleteObject(region);
}

TEST_F(SkinMenuLooks, ASkinThatCannotPaintMenusGivesTheDefaultLookAndStaysAsLoaded) {
  Add("First");
  Add("Second");
  for (TMenuSkinKind kind : {TMenuSkinKind::NoMenuItem, TMenuSkinKind::FarWindowPicture, TMenuSkinKind::FarItemPicture}) {
    SCOPED_TRACE(static_cast<int>(kind));
    TMenuSkin skin(kind);
    TskSkinPopupWindow& w = Open(&skin.Skin());
    EXPECT_EQ(w.WindowDescription, nullptr);
    EXPECT_EQ(w.ItemDescription, nullptr);
    EXPECT_EQ(w.Height(), 2 * 20 + 6);
    const TScreenCopy screen;
    EXPECT_EQ(screen.Pixel(w.ShowLeft, w.ShowTop + 10), System(COLOR_BTNSHADOW));
    const int index = skin.Skin().GetIndex("MENUITEM");
    if (index >= 0) {
      const auto& item = dynamic_cast<const TskDataSkinMenuItem&>(*skin.Skin().ObjectList[static_cast<size_t>(index)]);
      // An item made with the description keeps the default look and leaves the description alone.
      TskSkinMenuItem own(&w, Menu->Items()->Items(0), &item);
      EXPECT_EQ(own.ItemPicture, nullptr);
      EXPECT_TRUE(EqRects(item.SkinRect, Rect(0, 0, 60, 20)));
      EXPECT_TRUE(EqRects(item.ActiveSkinRect, Rect(0, 20, 60, 40)));
    }
    Engine->CloseMenu(0);
  }
}

TEST_F(SkinMenuLooks, AnItemWithItsOwnDrawingPaintsItsTextArea) {
  TMenuSkin skin;
  TMenuItem* own = Add("Own");
  std::vector<TRect> rects;
  own->OnDrawItem = [&rects, own](TObject* Sender, TCanvas& Canvas, const TRect& R, bool) {
    auto* item = dynamic_cast<TskSkinMenuItem*>(Sender);
    if (item && item->SourceItem == own) rects.push_back(R);
    Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas.Brush()->SetColor(0x123456);
    Canvas.FillRect(R);
  };
  TskSkinPopupWindow& w = Open(&skin.Skin());
  ASSERT_FALSE(rects.empty());
  EXPECT_TRUE(EqRects(rects.back(), Rect(4, 0, w.Width() - 8 - 4, 20))) << "the text rectangle grown with the item";
  const TScreenCopy screen;
  EXPECT_EQ(screen.Pixel(w.ShowLeft + 4 + 10, w.ShowTop + 4 + 10), static_cast<COLORREF>(0x123456));
  Engine->CloseMenu(0);

  // The default look draws every item itself.
  rects.clear();
  Open();
  EXPECT_TRUE(rects.empty());
}

TEST_F(SkinMenuLooks, HoverMorphsInFiveStepsBothWays) {
  TMenuSkin skin(TMenuSkinKind::Morphing);
  Add("First");
  Add("Second");
  TskSkinPopupWindow& w = Open(&skin.Skin());
  TskSkinMenuItem& first = *w.MenuItems[0];
  TskSkinMenuItem& second = *w.MenuItems[1];
  // The real timer may have stepped already; start again from the normal image.
  w.MorphingTimer->SetEnabled(false);
  first.SetMorphKf(0);
  const auto tick = [&w] { w.MorphingTimer->OnTimer(w.MorphingTimer.get()); };
  for (int i = 0; i < 5; ++i) tick();
  EXPECT_DOUBLE_EQ(first.MorphKf, 1);
  tick();
  EXPECT_FALSE(w.MorphingTimer->Enabled()) << "nothing left to step";

  w.PopupKeyDown(VK_DOWN);
  EXPECT_TRUE(w.MorphingTimer->Enabled());
  w.MorphingTimer->SetEnabled(false);
  tick();
  EXPECT_NEAR(first.MorphKf, 0.8, 1e-9);
  EXPECT_NEAR(second.MorphKf, 0.2, 1e-9);
  for (int i = 0; i < 4; ++i) tick();
  EXPECT_NEAR(first.MorphKf, 0, 1e-9);
  EXPECT_NEAR(second.MorphKf, 1, 1e-9);
}

TEST_F(SkinMenuLooks, WithoutLayeredWindowsABlendedMenuMixesWithTheScreenBelowIt) {
  if (CheckW2KWXP()) GTEST_SKIP() << "layered windows blend there";
  Add("-");
  Add("First");
  Engine->AlphaBlend = true;
  Engine->AlphaBlendValue = 128;
  const TScreenCopy before;
  Engine->Popup(nullptr, nullptr, 0, Rect(300, 300, 300, 300), Menu->Items(), false);
  TskSkinPopupWindow& w = *Engine->PopupWindows.at(0);
  EXPECT_FALSE(IsWindowVisible(w.Handle())) << "shown once the screen below has been read";
  EXPECT_TRUE(PumpUntil([&w] { return IsWindowVisible(w.Handle()) != FALSE; }, 1000));
  UpdateWindow(w.Handle());
  windowtesting::PumpFor(50);
  EXPECT_EQ(w.HotIndex, 0) << "item 0 is lit whatever it is";
  ASSERT_NE(w.ScreenEffect, nullptr);
  const TScreenCopy after;
  // The frame's shadow line, mixed with what lay below by 1 - 128 / 255.
  const COLORREF below = before.Pixel(300, 310);
  const COLORREF shadow = System(COLOR_BTNSHADOW);
  const COLORREF mixed = after.Pixel(300, 310);
  const double k = 1 - 128 / 255.0;
  for (int shift : {0, 8, 16}) {
    const int expected = static_cast<int>(((1 - k) * ((shadow >> shift) & 0xFF) + k * ((below >> shift) & 0xFF)) + 0.5);
    EXPECT_NEAR(static_cast<int>((mixed >> shift) & 0xFF), expected, 1) << shift;
  }
}

TEST_F(SkinMenuLooks, MenuImagesWidenTheColumnAndACheckedImageIsFramed) {
  TImageList images(nullptr);
  TBitmap picture, mask;
  for (TBitmap* b : {&picture, &mask}) {
    b->SetPixelFormat(TPixelFormat::pf24bit);
    b->SetSize(16, 16);
  }
  picture.Canvas()->Brush()->SetColor(0xFF0000);
  picture.Canvas()->FillRect(Rect(0, 0, 16, 16));
  mask.Canvas()->Brush()->SetColor(0);
  mask.Canvas()->FillRect(Rect(0, 0, 16, 16));
  images.Add(&picture, &mask);
  Menu->SetImages(&images);
  TMenuItem* pictured = Add("Pictured");
  pictured->SetImageIndex(0);
  pictured->SetChecked(true);
  TMenuItem* missing = Add("Far");
  missing->SetImageIndex(5);
  missing->SetChecked(true);
  Add("Plain");
  TskSkinPopupWindow& w = Open();
  EXPECT_EQ(w.GlyphColumnWidth, 16 + 5);
  // Leave the first item unlit, so that its column shows.
  w.PopupKeyDown(VK_DOWN);
  w.PopupKeyDown(VK_DOWN);
  UpdateWindow(w.Handle());
  const TScreenCopy screen;
  const int x = w.ShowLeft;
  const int y = w.ShowTop;
  // The picture at the item's inner left edge (x 3 + 2), centred in its 20 rows, in a text-coloured frame.
  EXPECT_EQ(screen.Pixel(x + 5 + 8, y + 3 + 10), RGB(0, 0, 255));
  EXPECT_EQ(screen.Pixel(x + 4, y + 3 + 10), System(COLOR_WINDOWTEXT));
  // An index past the list counts as no picture: the tick.
  EXPECT_EQ(screen.Pixel(x + 9, y + 23 + 12), System(COLOR_WINDOWTEXT));
  EXPECT_EQ(screen.Pixel(x + 3 + 20, y + 23 + 2), System(COLOR_BTNFACE)) << "the wider column";
}

}  // namespace
