#include "tests/skin/form/FormSkinObjectsTesting.h"
#include "tests/skin/form/FormSkinTesting.h"

#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"

#include <cmath>

using namespace classlib;
using namespace skin;
using namespace formskinobjectstesting;

namespace {

class FrameObjectsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Skinned.FormSkin->AlwaysActive = true;
    Skinned.FormSkin->NCActive = true;
    Skinned.FormSkin->SetSkinData(&Skin.Skin());
    // The objects stand where the skin puts them: the form has the skin picture's size.
    for (const auto& object : Skinned.FormSkin->FrameObjects) object->ObjectRect = object->SkinRect;
  }

  TskActiveSkinObject& Object(const char* Name) {
    const int index = Skinned.FormSkin->GetIndex(Name);
    EXPECT_NE(index, -1) << Name;
    return *Skinned.FormSkin->FrameObjects.at(static_cast<size_t>(index));
  }
  template <class T>
  T& As(const char* Name) {
    return dynamic_cast<T&>(Object(Name));
  }
  // The object drawn alone (UpDate true) on a white sheet; the colour at its centre.
  COLORREF Look(TskActiveSkinObject& O, bool UpDate = true) {
    auto sheet = Picture(200, 120, 0xFFFFFF);
    O.Draw(*sheet->Canvas(), UpDate);
    return BitmapPixel(*sheet, (O.ObjectRect.left + O.ObjectRect.right) / 2, (O.ObjectRect.top + O.ObjectRect.bottom) / 2);
  }

  TObjectSkin Skin;
  TSkinnedForm Skinned{200, 120, "Objects", false};
};

}  // namespace

TEST_F(FrameObjectsTest, ButtonLooksFollowItsStates) {
  auto& close = As<TskSkinStdButtonObject>("closebutton");
  struct Case {
    const char* Name;
    bool Active, Hovered, Down, Enabled, UpDate;
    COLORREF Expected;
  } cases[] = {
      {"normal, alone", false, false, false, true, true, NormalColor},
      {"normal, in a whole frame", false, false, false, true, false, 0xFFFFFF},
      {"hot", true, true, false, true, true, HotColor},
      {"pressed, pointer in", true, true, true, true, true, DownColor},
      {"pressed, pointer away", false, false, true, true, true, NormalColor},
      {"disabled without a disabled look", false, false, false, false, true, NormalColor},
  };
  for (const auto& c : cases) {
    close.Active = c.Active;
    close.Hovered = c.Hovered;
    close.Down = c.Down;
    close.Enabled = c.Enabled;
    EXPECT_EQ(Look(close, c.UpDate), c.Expected) << c.Name;
  }
  auto& min = As<TskSkinStdButtonObject>("minbutton");
  min.Enabled = false;
  EXPECT_EQ(Look(min), DisabledColor);
}

TEST_F(FrameObjectsTest, InactiveFormShowsInactiveLooks) {
  // A form never shown is not active.
  Skinned.FormSkin->AlwaysActive = false;
  ASSERT_FALSE(Skinned.FormSkin->GetFormActive());
  auto& close = Object("closebutton");
  EXPECT_EQ(Look(close), InActiveColor);
  close.Active = true;
  EXPECT_EQ(Look(close), InActiveColor);
  // A button without an inactive look keeps its normal one.
  EXPECT_EQ(Look(Object("minbutton")), NormalColor);
}

TEST_F(FrameObjectsTest, MaximizeButtonOfMaximizedFormShowsRestoreLooks) {
  auto& max = As<TskSkinStdButtonObject>("maxbutton");
  EXPECT_EQ(Look(max), NormalColor);
  Skinned.FormSkin->WindowState = TWindowState::wsMaximized;
  EXPECT_EQ(Look(max), RestoreColor);
  max.Active = max.Hovered = true;
  EXPECT_EQ(Look(max), RestoreHotColor);
  max.Down = true;
  EXPECT_EQ(Look(max), RestoreDownColor);
  // The restore look of an inactive frame follows the frame's last activation message.
  Skinned.FormSkin->NCActive = false;
  EXPECT_EQ(Look(max), RestoreInActiveColor);
  // The minimize button is in restore mode only for a minimized form: it has no restore look.
  Skinned.FormSkin->WindowState = TWindowState::wsMinimized;
  EXPECT_EQ(Look(Object("minbutton")), NormalColor);
}

TEST_F(FrameObjectsTest, GroupButtonsAreDownOneAtATime) {
  auto& a = As<TskSkinButtonObject>("groupa");
  auto& b = As<TskSkinButtonObject>("groupb");
  a.MouseEnter();
  a.MouseDown(1, 1, TMouseButton::mbLeft);
  a.MouseUp(1, 1, TMouseButton::mbLeft);
  a.MouseLeave();
  EXPECT_TRUE(a.Down);
  // A group button keeps its pressed look with the pointer away.
  EXPECT_EQ(Look(a), DownColor);
  b.MouseEnter();
  b.MouseDown(1, 1, TMouseButton::mbLeft);
  EXPECT_FALSE(a.Down);
  EXPECT_TRUE(b.Down);
  EXPECT_EQ(Look(a), NormalColor);
  b.MouseUp(1, 1, TMouseButton::mbLeft);
  b.MouseDown(1, 1, TMouseButton::mbLeft);
  b.MouseUp(1, 1, TMouseButton::mbLeft);
  EXPECT_TRUE(b.Down);
}

TEST_F(FrameObjectsTest, InvalidActivePictureLeavesTheObjectWithoutLooksAndTheSkinAsItWas) {
  auto& bad = As<TskSkinButtonObject>("badpicture");
  EXPECT_EQ(bad.ObjectPicture, nullptr);
  EXPECT_TRUE(IsNullRect(bad.ActiveSkinRect));
  EXPECT_TRUE(IsNullRect(bad.DownRect));
  const auto& description = *Skin.Skin().ObjectList[7];
  ASSERT_EQ(description.IDName, "badpicture");
  EXPECT_TRUE(EqRects(description.ActiveSkinRect, Rect(16, 0, 32, 16)));
  // Hover and press fall back to the normal look.
  bad.MouseEnter();
  bad.MouseDown(1, 1, TMouseButton::mbLeft);
  EXPECT_EQ(Look(bad), NormalColor);
  // A second load from the same skin still finds the description whole.
  Skinned.FormSkin->LoadObjects();
  EXPECT_TRUE(EqRects(description.ActiveSkinRect, Rect(16, 0, 32, 16)));
}

TEST_F(FrameObjectsTest, HoverMorphsInFiveSteps) {
  auto& close = Object("closebutton");
  close.Morphing = true;
  Skinned.FormSkin->MorphingTimer->SetEnabled(false);
  close.MouseEnter();
  EXPECT_TRUE(Skinned.FormSkin->MorphingTimer->Enabled());
  EXPECT_EQ(close.MorphKf, 0);
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(close.CanMorphing()) << i;
    close.DoMorphing();
  }
  EXPECT_EQ(close.MorphKf, 1);
  EXPECT_FALSE(close.CanMorphing());
  EXPECT_EQ(Look(close), HotColor);
  close.MouseLeave();
  close.DoMorphing();
  // Half way between the normal and the hot look.
  const COLORREF mixed = Look(close);
  EXPECT_NE(mixed, HotColor);
  EXPECT_NE(mixed, NormalColor);
  for (int i = 0; i < 4; ++i) close.DoMorphing();
  EXPECT_EQ(close.MorphKf, 0);
  EXPECT_FALSE(close.CanMorphing());

  // Without the skin's effects the looks change at once.
  Skin.Skin().EnableSkinEffects = false;
  Skinned.FormSkin->MorphingTimer->SetEnabled(false);
  close.MouseEnter();
  EXPECT_FALSE(Skinned.FormSkin->MorphingTimer->Enabled());
  EXPECT_EQ(Look(close), HotColor);
}

TEST_F(FrameObjectsTest, MorphFactorStaysWithinItsRange) {
  auto& close = Object("closebutton");
  for (const auto& [in, out] : std::initializer_list<std::pair<double, double>>{{-0.5, 0.0}, {1.5, 1.0}, {0.4, 0.4}, {std::nan(""), 0.0}}) {
    close.SetMorphKf(in);
    EXPECT_EQ(close.MorphKf, out) << in;
  }
}

TEST_F(FrameObjectsTest, CaptionButtonRunsItsCommandOnlyWhenReleasedOverIt) {
  int closes = 0;
  Skinned.Form->OnClose = [&](TObject*, TCloseAction& Action) {
    ++closes;
    Action = TCloseAction::caNone;
  };
  std::vector<String> downs;
  Skinned.FormSkin->OnMouseDownEvent = [&](const String& Name, int, int, const TRect&, TMouseButton) {
    downs.push_back(Name);
  };
  auto& close = As<TskSkinStdButtonObject>("closebutton");
  close.MouseEnter();
  close.MouseDown(2, 2, TMouseButton::mbLeft);
  close.MouseLeave();
  close.MouseUp(30, 30, TMouseButton::mbLeft);
  EXPECT_EQ(closes, 0);
  EXPECT_FALSE(close.Down);
  close.MouseEnter();
  close.MouseDown(2, 2, TMouseButton::mbLeft);
  close.MouseUp(2, 2, TMouseButton::mbLeft);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(close.Down);
  // A caption button relays no press; a plain button does.
  EXPECT_TRUE(downs.empty());
  auto& a = Object("groupa");
  a.MouseEnter();
  a.MouseDown(3, 4, TMouseButton::mbLeft);
  EXPECT_EQ(downs, std::vector<String>{"groupa"});
  // A disabled button takes no press at all.
  auto& b = As<TskSkinButtonObject>("groupb");
  b.Enabled = false;
  b.MouseDown(1, 1, TMouseButton::mbLeft);
  EXPECT_FALSE(b.Down);
  EXPECT_EQ(downs.size(), 1u);
}

TEST_F(FrameObjectsTest, UserObjectIsDrawnByTheApplication) {
  String painted;
  TRect where{};
  Skinned.FormSkin->OnPaintEvent = [&](const String& Name, TCanvas& Canvas, const TRect& R) {
    painted = Name;
    where = R;
    Canvas.Brush()->SetColor(static_cast<TColor>(HotColor));
    Canvas.FillRect(R);
  };
  auto& user = Object("userobj");
  EXPECT_EQ(Look(user, false), HotColor);
  EXPECT_EQ(painted, "userobj");
  EXPECT_TRUE(EqRects(where, Rect(70, 98, 86, 114)));
}

TEST(DefaultCaptionButtons, LookWithoutSkin) {
  TSkinnedForm plain(300, 200, "Plain", false);
  auto& f = *plain.FormSkin;
  f.LoadDefObjects();
  auto& close = dynamic_cast<TskSkinStdButtonObject&>(*f.FrameObjects[0]);
  close.ObjectRect = Rect(10, 10, 27, 27);
  struct Case {
    const char* Name;
    bool Hovered, Down;
    COLORREF Corner, Inside;
  } cases[] = {
      {"normal", false, false, ColorToRGB(clBtnFace), ColorToRGB(clBtnFace)},
      {"hot", true, false, RGB(0, 0, 128), RGB(182, 189, 210)},
      {"pressed", true, true, RGB(0, 0, 128), RGB(133, 147, 181)},
      {"pressed, pointer away", false, true, ColorToRGB(clBtnFace), ColorToRGB(clBtnFace)},
  };
  for (const auto& c : cases) {
    close.Hovered = c.Hovered;
    close.Down = c.Down;
    auto sheet = Picture(40, 40, 0xFFFFFF);
    close.Draw(*sheet->Canvas(), true);
    EXPECT_EQ(BitmapPixel(*sheet, 10, 10), c.Corner) << c.Name;
    EXPECT_EQ(BitmapPixel(*sheet, 12, 12), c.Inside) << c.Name;
    // The glyph lies at the centre, one pixel further right and down while pressed.
    int glyph = 0, sumX = 0;
    for (int y = 10; y < 27; ++y)
      for (int x = 10; x < 27; ++x)
        if (BitmapPixel(*sheet, x, y) == ColorToRGB(clBtnText)) ++glyph, sumX += x;
    ASSERT_GT(glyph, 0) << c.Name;
    EXPECT_NEAR(static_cast<double>(sumX) / glyph, c.Hovered && c.Down ? 19.5 : 18.5, 1.0) << c.Name;
  }
}

TEST_F(FrameObjectsTest, CaptionBackgroundKeepsItsCapsAndTilesItsMiddle) {
  auto& caption = As<TskSkinCaptionObject>("caption");
  EXPECT_EQ(caption.Band(), 0);
  caption.ObjectRect = Rect(4, 4, 240, 20);  // 100 wider than the skin
  EXPECT_EQ(caption.Band(), 1);
  const auto pixelAt = [&](int X) {
    auto sheet = Picture(300, 120, 0xFFFFFF);
    caption.Draw(*sheet->Canvas(), true);
    return BitmapPixel(*sheet, X, 5);
  };
  EXPECT_EQ(pixelAt(5), CapLeftColor);
  EXPECT_EQ(pixelAt(40), ActiveCaptionColor);
  EXPECT_EQ(pixelAt(200), ActiveCaptionColor);
  EXPECT_EQ(pixelAt(238), CapRightColor);
  EXPECT_EQ(pixelAt(215), ActiveCaptionColor);
  // A skin that cannot be scaled stretches the whole look: the left cap grows with it.
  Skin.Skin().RightBottomPoint.x = Skin.Skin().LeftTopPoint.x;
  EXPECT_EQ(pixelAt(40), CapLeftColor);
}

TEST_F(FrameObjectsTest, InactiveCaptionRedrawsItselfWithTheSkinsEffect) {
  Skinned.FormSkin->AlwaysActive = false;
  ASSERT_FALSE(Skinned.FormSkin->GetFormActive());
  auto& caption = As<TskSkinCaptionObject>("caption");
  auto sheet = Picture(200, 120, 0xFFFFFF);
  caption.Draw(*sheet->Canvas(), true);
  EXPECT_EQ(BitmapPixel(*sheet, 60, 6), CaptionColor);
  Skin.Skin().AutoRenderingInActiveImage = true;
  caption.Draw(*sheet->Canvas(), true);
  const COLORREF grey = BitmapPixel(*sheet, 60, 6);
  EXPECT_NE(grey, CaptionColor);
  EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey)) << std::hex << grey;
  // A whole-frame paint draws the text only: the frame picture holds the background.
  auto frame = Picture(200, 120, 0xFFFFFF);
  caption.Draw(*frame->Canvas(), false);
  EXPECT_EQ(BitmapPixel(*frame, 60, 6), 0xFFFFFFu);
}

TEST_F(FrameObjectsTest, CaptionWhoseCapsLeaveNoMiddleIsStretchedNotTiled) {
  auto& caption = As<TskSkinCaptionObject>("caption");
  // Caps of 68 columns each take the whole 136 of the look.
  Skin.Skin().LeftTopPoint.x = 72;
  Skin.Skin().RightTopPoint.x = 72;
  caption.ObjectRect = Rect(4, 4, 240, 20);
  auto sheet = Picture(300, 120, 0xFFFFFF);
  caption.Draw(*sheet->Canvas(), true);
  EXPECT_EQ(BitmapPixel(*sheet, 5, 5), CapLeftColor);
  EXPECT_EQ(BitmapPixel(*sheet, 238, 5), CapRightColor);
  EXPECT_NE(BitmapPixel(*sheet, 120, 5), 0xFFFFFFu);
}

TEST_F(FrameObjectsTest, CaptionTextIsCutToItsAreaAndLitAndShadowed) {
  auto& caption = As<TskSkinCaptionObject>("caption");
  caption.ActiveFontColor = RGB(255, 0, 0);
  const auto redColumns = [&](int& First, int& Last) {
    auto sheet = Picture(300, 120, 0xFFFFFF);
    caption.Draw(*sheet->Canvas(), true);
    First = 1000, Last = -1;
    for (int x = 0; x < 300; ++x)
      for (int y = 4; y < 20; ++y)
        if (BitmapPixel(*sheet, x, y) == RGB(255, 0, 0)) First = std::min(First, x), Last = std::max(Last, x);
  };
  int first = 0, last = 0;
  Skinned.Form->SetCaption("Short");
  redColumns(first, last);
  EXPECT_GE(first, 34);  // text area from 4 + 30, left-justified
  EXPECT_LT(last, 4 + 70);
  Skinned.Form->SetCaption(String(60, 'W'));
  redColumns(first, last);
  EXPECT_GE(first, 34);
  EXPECT_LT(last, 4 + 110);
  EXPECT_GT(last, 4 + 90);
  // Light and shadow copies one pixel up-left and down-right, the text on top.
  caption.Light = caption.Shadow = true;
  caption.ActiveLightColor = RGB(0, 255, 0);
  caption.ActiveShadowColor = RGB(0, 0, 255);
  Skinned.Form->SetCaption("I");
  auto sheet = Picture(300, 120, 0xFFFFFF);
  caption.Draw(*sheet->Canvas(), true);
  int light = 0, shadow = 0, text = 0;
  for (int x = 30; x < 60; ++x)
    for (int y = 2; y < 22; ++y) {
      const COLORREF p = BitmapPixel(*sheet, x, y);
      light += p == RGB(0, 255, 0);
      shadow += p == RGB(0, 0, 255);
      text += p == RGB(255, 0, 0);
    }
  EXPECT_GT(light, 0);
  EXPECT_GT(shadow, 0);
  EXPECT_GT(text, 0);
}

TEST_F(FrameObjectsTest, CorrectCaptionTextEndsACutTextWithDots) {
  auto sheet = Picture(10, 10, 0xFFFFFF);
  TCanvas& c = *sheet->Canvas();
  c.Font()->SetName("Arial");
  c.Font()->SetHeight(14);
  const int dots = c.TextWidth("...");
  struct Case {
    String Text;
    int Width;
    bool Cut;
  } cases[] = {{"Fits", 200, false}, {String(50, 'W'), 100, true}, {"Wide", dots - 1, true}, {"", 0, false}};
  for (const auto& k : cases) {
    String s = k.Text;
    Skinned.FormSkin->CorrectCaptionText(c, s, k.Width);
    if (!k.Cut) {
      EXPECT_EQ(s, k.Text);
      continue;
    }
    ASSERT_GE(s.size(), 3u) << k.Text;
    EXPECT_EQ(s.substr(s.size() - 3), "...") << k.Text;
    if (s != "...") {
      EXPECT_LE(c.TextWidth(s), k.Width) << k.Text;
    }
  }
}

namespace {

// Main-menu items laid out in a menu area on a frame of their own.
class MainMenuItemsTest : public FrameObjectsTest {
protected:
  void SetUp() override {
    FrameObjectsTest::SetUp();
    Menu = std::make_unique<TMainMenu>(nullptr);
    for (const char* caption : {"File", "Edit", "View"}) {
      auto* item = new TMenuItem(Menu.get());  // owned by the menu
      item->SetCaption(caption);
      Menu->Items()->Add(item);
    }
    Description.SkinRect = Rect(0, 0, 48, 16);
    Description.TextRect = Rect(8, 0, 40, 16);
    Description.ItemLeftOffset = 4;
    Description.ItemRightOffset = 4;
    Description.ActivePictureIndex = 0;
    Description.FontName = "Arial";
    Description.FontHeight = 14;
    auto& f = *Skinned.FormSkin;
    f.RealMainMenuRect = Rect(10, 30, 400, 46);
    for (int i = 0; i < 3; ++i) {
      auto item = std::make_unique<TskSkinMainMenuItem>(&f, &Description);
      item->MenuItem = Menu->Items()->Items(i);
      item->IDName = item->MenuItem->Caption();
      Items.push_back(item.get());
      f.FrameObjects.push_back(std::move(item));
    }
  }
  void DrawAll() {
    auto sheet = Picture(400, 120, 0xFFFFFF);
    for (auto* item : Items) item->Draw(*sheet->Canvas(), true);
  }

  std::unique_ptr<TMainMenu> Menu;
  TskDataSkinMainMenuItem Description{"MAINMENUITEM"};
  std::vector<TskSkinMainMenuItem*> Items;
};

}  // namespace

TEST_F(MainMenuItemsTest, EachItemFollowsTheOneBeforeIt) {
  DrawAll();
  EXPECT_EQ(Items[0]->ObjectRect.left, 10);
  EXPECT_EQ(Items[0]->ObjectRect.top, 30);
  EXPECT_EQ(RectHeight(Items[0]->ObjectRect), 16);
  EXPECT_EQ(Items[1]->ObjectRect.left, Items[0]->ObjectRect.right);
  EXPECT_EQ(Items[2]->ObjectRect.left, Items[1]->ObjectRect.right);
  // The margins of the skin (8 and 8) around the caption, plus 2.
  auto sheet = Picture(10, 10, 0xFFFFFF);
  sheet->Canvas()->Font()->SetName("Arial");
  sheet->Canvas()->Font()->SetHeight(14);
  RECT measure{0, 0, 0, 0};
  DrawTextW(sheet->Canvas()->Handle(), L"File", 4, &measure, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(RectWidth(Items[0]->ObjectRect), 16 + measure.right + 2);
}

TEST_F(MainMenuItemsTest, ItemsPastTheMenuAreaAreHiddenAndComeBackAsTheyWere) {
  Items[2]->Enabled = false;
  DrawAll();
  auto& f = *Skinned.FormSkin;
  f.RealMainMenuRect.right = Items[1]->ObjectRect.right - 1;
  DrawAll();
  EXPECT_TRUE(Items[0]->Enabled);
  EXPECT_FALSE(Items[1]->Enabled);
  EXPECT_FALSE(Items[1]->Fits);
  EXPECT_FALSE(Items[2]->Fits);
  f.RealMainMenuRect.right = 400;
  DrawAll();
  EXPECT_TRUE(Items[1]->Enabled);
  EXPECT_TRUE(Items[1]->Fits);
  EXPECT_FALSE(Items[2]->Enabled);
}

TEST_F(MainMenuItemsTest, ItemWhoseCapsTakeTheWholeLookIsDrawnWithoutTiles) {
  Description.ItemLeftOffset = 24;
  Description.ItemRightOffset = 24;
  auto& f = *Skinned.FormSkin;
  auto item = std::make_unique<TskSkinMainMenuItem>(&f, &Description);
  item->MenuItem = Menu->Items()->Items(0);
  auto* wide = item.get();
  f.FrameObjects.push_back(std::move(item));
  auto sheet = Picture(400, 120, 0xFFFFFF);
  wide->Draw(*sheet->Canvas(), true);
  EXPECT_EQ(BitmapPixel(*sheet, wide->ObjectRect.left + 1, wide->ObjectRect.top + 1), NormalColor);
  EXPECT_EQ(BitmapPixel(*sheet, wide->ObjectRect.right - 2, wide->ObjectRect.top + 1), DownColor);
}

TEST_F(MainMenuItemsTest, ClickOnAnItemWithoutSubitemsRunsItsHandler) {
  int clicks = 0;
  Menu->Items()->Items(1)->OnClick = [&](TObject*) { ++clicks; };
  DrawAll();
  Items[1]->MouseEnter();
  EXPECT_TRUE(Items[1]->Active);
  Items[1]->MouseDown(1, 1, TMouseButton::mbLeft);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(Items[1]->Down);
  // Moving on to another item leaves the first.
  Items[2]->MouseEnter();
  EXPECT_FALSE(Items[1]->Active);
  EXPECT_TRUE(Items[2]->Active);
}

namespace {

// Looks of live frames under real mouse input, read where the window's surface holds them.
class LiveButtonsTest : public ::testing::Test {
protected:
  // The centre of an object, and its look there.
  POINT Centre(TskFormSkin& F, const char* Name) {
    const TRect& r = F.FrameObjects.at(static_cast<size_t>(F.GetIndex(Name)))->ObjectRect;
    const RECT w = formskintesting::WindowRect(F.Form->Handle());
    return POINT{w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
  }
  COLORREF LookAt(TskFormSkin& F, POINT P) {
    const RECT w = formskintesting::WindowRect(F.Form->Handle());
    return FramePixel(F.Form->Handle(), P.x - w.left, P.y - w.top);
  }
};

}  // namespace

TEST_F(LiveButtonsTest, SkinnedCaptionButtonNormalHotPressedAndInactive) {
  TObjectSkin skin;
  auto form = formskintesting::ShowFrameForm(&skin.Skin(), 100, 100, 200, 120);
  auto& f = formskintesting::FormSkinOf(*form);
  form->OnClose = [](TObject*, TCloseAction& Action) { Action = TCloseAction::caNone; };
  const POINT close = Centre(f, "closebutton");
  formskintesting::MouseTo(close.x - 60, close.y + 60);
  EXPECT_EQ(LookAt(f, close), NormalColor);
  formskintesting::MouseTo(close.x, close.y);
  windowtesting::PumpFor(100);
  EXPECT_EQ(LookAt(f, close), HotColor);
  formskintesting::LeftPress(close.x, close.y);
  EXPECT_EQ(LookAt(f, close), DownColor);
  // Dragged away the pressed button shows its normal look, back over it its pressed look again.
  formskintesting::MouseTo(close.x - 60, close.y + 60);
  windowtesting::PumpFor(100);
  EXPECT_EQ(LookAt(f, close), NormalColor);
  formskintesting::MouseTo(close.x, close.y);
  windowtesting::PumpFor(100);
  EXPECT_EQ(LookAt(f, close), DownColor);
  formskintesting::LeftReleaseAt(close.x - 60, close.y + 60);
  windowtesting::PumpFor(100);
  EXPECT_EQ(LookAt(f, close), NormalColor);
  // Another form in front: the inactive look.
  TSkinnedForm other(100, 100, "Other");
  SetWindowPos(other.Form->Handle(), nullptr, 400, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetForegroundWindow(other.Form->Handle());
  windowtesting::PumpFor(100);
  ASSERT_FALSE(f.GetFormActive());
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(LookAt(f, close), InActiveColor);
}

TEST_F(LiveButtonsTest, MaximizeButtonShowsItsRestoreLookOnAMaximizedForm) {
  TObjectSkin skin;
  auto form = formskintesting::ShowFrameForm(&skin.Skin(), 100, 100, 200, 120);
  auto& f = formskintesting::FormSkinOf(*form);
  const POINT max = Centre(f, "maxbutton");
  formskintesting::LeftClick(max.x, max.y);
  windowtesting::PumpFor(100);
  ASSERT_EQ(f.WindowState, TWindowState::wsMaximized);
  const POINT restore = Centre(f, "maxbutton");
  formskintesting::MouseTo(restore.x, restore.y + 200);
  windowtesting::PumpFor(100);
  EXPECT_EQ(LookAt(f, restore), RestoreColor);
  formskintesting::MouseTo(restore.x, restore.y);
  windowtesting::PumpFor(100);
  EXPECT_EQ(LookAt(f, restore), RestoreHotColor);
  formskintesting::LeftClick(restore.x, restore.y);
  windowtesting::PumpFor(100);
  EXPECT_EQ(f.WindowState, TWindowState::wsNormal);
}

TEST_F(LiveButtonsTest, DefaultCaptionButtonFramedWhileHoveredAndDarkerWhilePressed) {
  auto form = formskintesting::ShowFrameForm(nullptr);
  auto& f = formskintesting::FormSkinOf(*form);
  form->OnClose = [](TObject*, TCloseAction& Action) { Action = TCloseAction::caNone; };
  const TRect r = f.FrameObjects.at(0)->ObjectRect;
  const RECT w = formskintesting::WindowRect(form->Handle());
  const POINT inside{w.left + r.left + 3, w.top + r.top + 3};
  const auto corner = [&] { return FramePixel(form->Handle(), r.left, r.top); };
  const auto fill = [&] { return FramePixel(form->Handle(), r.left + 2, r.top + 2); };
  formskintesting::MouseTo(w.left + 100, w.top + 100);
  EXPECT_EQ(fill(), ColorToRGB(clBtnFace));
  formskintesting::MouseTo(inside.x, inside.y);
  windowtesting::PumpFor(100);
  EXPECT_EQ(corner(), RGB(0, 0, 128));
  EXPECT_EQ(fill(), RGB(182, 189, 210));
  formskintesting::LeftPress(inside.x, inside.y);
  EXPECT_EQ(fill(), RGB(133, 147, 181));
  formskintesting::LeftReleaseAt(w.left + 100, w.top + 100);
  windowtesting::PumpFor(100);
  EXPECT_EQ(fill(), ColorToRGB(clBtnFace));
}
