#include "tests/skin/form/SkinMenuTesting.h"

#include "platform/classlib/StdCtrls.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinFormRegistration.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinMenuButtons.h"
#include "skin/form/SkinPopupMenu.h"

#include <memory>
#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinmenutesting;

namespace {

const char* const ButtonsForm = R"(object TestForm: TForm
  Width = 400
  Height = 300
  object FormSkin: TskFormSkin
  end
  object Edit: TEdit
    Left = 10
    Top = 200
    Width = 100
    Height = 21
  end
  object Plain: TskSkinMenuButton
    Left = 10
    Top = 10
    Width = 80
    Height = 25
    Caption = 'Plain'
    SkinPopupMenu = Menu
  end
  object Track: TskSkinMenuButton
    Left = 100
    Top = 10
    Width = 80
    Height = 25
    Caption = 'Track'
    TrackButtonMode = True
    SkinPopupMenu = Menu
  end
  object NoMenu: TskSkinMenuButton
    Left = 200
    Top = 10
    Width = 80
    Height = 25
    Caption = 'None'
  end
  object Bar: TskSkinToolBar
    Left = 10
    Top = 60
    Width = 300
    object Tool: TskSkinMenuSpeedButton
      Left = 0
      Top = 0
      Width = 60
      Height = 25
      Flat = True
      TrackButtonMode = True
      SkinPopupMenu = Menu
    end
  end
  object Menu: TskSkinPopupMenu
    object Open1: TMenuItem
      Caption = '&Open'
    end
  end
end
)";

constexpr COLORREF NormalColor = 0x0000C8;
constexpr COLORREF HotColor = 0x00C800;
constexpr COLORREF DownColor = 0xC80000;

// Two button descriptions in flat colours: "resizebutton" (30 x 20 looks, growing both ways) and a
// fixed 80 x 20 "toolmenubutton" whose track part is its right 15 pixels.
class TButtonSkin {
public:
  TButtonSkin() {
    testing_support::WriteUnixFile(FDir.unixFile("skin.ini"), R"([VERSION]
ver=2
skinname=Buttons

[PICTURES]
activepicturescount=1
0=buttons.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=2
0=resizebutton:button
1=toolmenubutton:menubutton

[resizebutton]
pictureindex=0
skinrect=0,0,30,20
lefttoppoint=2,2
righttoppoint=28,2
leftbottompoint=2,18
rightbottompoint=28,18
clientrect=2,2,28,18
activeskinrect=30,0,60,20
downskinrect=60,0,90,20
fontname=Arial
fontheight=14

[toolmenubutton]
pictureindex=0
skinrect=0,20,80,40
activeskinrect=80,20,160,40
downskinrect=160,20,240,40
trackbuttonrect=65,0,80,20
fontname=Arial
fontheight=14
)");
    TBitmap picture;
    picture.SetPixelFormat(TPixelFormat::pf24bit);
    picture.SetSize(240, 40);
    const auto fill = [&picture](const TRect& R, COLORREF Color) {
      picture.Canvas()->Brush()->SetColor(static_cast<TColor>(Color));
      picture.Canvas()->FillRect(R);
    };
    fill(Rect(0, 0, 240, 40), NormalColor);
    fill(Rect(30, 0, 60, 20), HotColor);
    fill(Rect(60, 0, 90, 20), DownColor);
    fill(Rect(80, 20, 160, 40), HotColor);
    fill(Rect(160, 20, 240, 40), DownColor);
    picture.SaveToFile(FDir.windowsFile("buttons.bmp"));
    FSkin = std::make_unique<TskSkinData>(nullptr);
    FSkin->LoadFromFile(FDir.windowsFile("skin.ini"));
    EXPECT_FALSE(FSkin->Empty);
  }
  TskSkinData& Skin() { return *FSkin; }

private:
  testing_support::TempDir FDir;
  std::unique_ptr<TskSkinData> FSkin;
};

// Paints a window into memory and reads its pixel.
COLORREF Pixel(HWND Window, int X, int Y) {
  RECT r;
  GetClientRect(Window, &r);
  windowtesting::TPaintTarget target(r.right, r.bottom, 0xFF00FF);
  target.Paint(Window);
  return target.Pixel(X, Y);
}

class SkinMenuButtons : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(0, 0);
    RegisterSkinFormClasses();
    Form = ShowForm(ButtonsForm);
    FormSkin = dynamic_cast<TskFormSkin*>(Form->FindComponent("FormSkin"));
    Edit = dynamic_cast<TEdit*>(Form->FindComponent("Edit"));
    Tool = dynamic_cast<TskSkinMenuSpeedButton*>(Form->FindComponent("Tool"));
    ASSERT_TRUE(FormSkin && Edit && Tool);
    for (const char* name : {"Plain", "Track", "NoMenu"}) {
      auto* button = dynamic_cast<TskSkinMenuButton*>(Form->FindComponent(name));
      ASSERT_TRUE(button) << name;
      Watch(*button, name);
    }
    Watch(*Tool, "Tool");
    windowtesting::Pump();
  }
  void TearDown() override {
    Form.reset();
    windowtesting::Pump();
  }
  template <class B>
  void Watch(B& Button, const std::string& Name) {
    Button.OnClick = [this, Name](TObject*) { Log.push_back(Name + " click"); };
    Button.OnShowTrackMenu = [this, Name](TObject*) { Log.push_back(Name + " show"); };
    Button.OnHideTrackMenu = [this, Name](TObject*) { Log.push_back(Name + " hide"); };
  }
  TskSkinMenuButton& Button(const char* Name) { return *dynamic_cast<TskSkinMenuButton*>(Form->FindComponent(Name)); }
  TskSkinMenu& Engine() { return *FormSkin->SkinMenu; }
  // A press and a release at a point of a window.
  void Press(HWND Window, int X, int Y) {
    PostMessageW(Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    windowtesting::Pump();
  }
  void Release(HWND Window, int X, int Y) {
    PostMessageW(Window, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    windowtesting::Pump();
  }
  // A key as the application's loop receives it, posted to the edit.
  void Post(WORD Key) {
    PostMessageW(Edit->Handle(), WM_KEYDOWN, Key, 0);
    windowtesting::Pump();
  }

  std::unique_ptr<TForm> Form;
  TskFormSkin* FormSkin = nullptr;
  TEdit* Edit = nullptr;
  TskSkinMenuSpeedButton* Tool = nullptr;
  std::vector<std::string> Log;
};

TEST_F(SkinMenuButtons, TheTrackPartOpensTheMenuBelowAndTheRestClicks) {
  TskSkinMenuButton& track = Button("Track");
  const HWND window = track.Handle();
  // The body: an ordinary click.
  Press(window, 20, 10);
  Release(window, 20, 10);
  EXPECT_FALSE(Engine().IsOpen);
  EXPECT_EQ(Log, (std::vector<std::string>{"Track click"}));

  // The right 15 pixels, edges included: the menu drops below the button, no click on release.
  Log.clear();
  EXPECT_FALSE(track.CanMenuTrack(64, 10));
  EXPECT_TRUE(track.CanMenuTrack(65, 10));
  Press(window, 72, 10);
  ASSERT_TRUE(Engine().IsOpen);
  EXPECT_EQ(Engine().PopupControl, &track);
  EXPECT_TRUE(track.TrackMenuOpen());
  EXPECT_TRUE(track.Down());
  RECT button, menu;
  GetWindowRect(window, &button);
  GetWindowRect(Engine().PopupWindows.at(0)->Handle(), &menu);
  EXPECT_GE(menu.top, button.bottom);
  // The open look: the body hot, the track part pressed.
  EXPECT_EQ(0xD2BDB6u, Pixel(window, 5, 5));
  EXPECT_EQ(0xB59385u, Pixel(window, 67, 2));
  Release(window, 72, 10);
  EXPECT_EQ(Log, (std::vector<std::string>{"Track show"}));

  // Escape closes the menu and releases the button once.
  Post(VK_ESCAPE);
  EXPECT_FALSE(Engine().IsOpen);
  EXPECT_FALSE(track.TrackMenuOpen());
  EXPECT_FALSE(track.Down());
  EXPECT_EQ(Log, (std::vector<std::string>{"Track show", "Track hide"}));
  EXPECT_EQ(0xD2BDB6u, Pixel(window, 67, 2)) << "released, with the focus the press gave it";
}

TEST_F(SkinMenuButtons, SkinnedOpenLooksPressOnlyTheTrackPart) {
  TButtonSkin skin;
  TskSkinMenuButton& track = Button("Track");
  struct Case {
    const char* Description;
    int Width;
  } cases[] = {{"resizebutton", 80}, {"toolmenubutton", 80}};
  for (const Case& c : cases) {
    // Focused, a skinned button shows its hot look.
    Edit->SetFocus();
    track.SetSkinDataName(c.Description);
    track.SetSkinData(&skin.Skin());
    ASSERT_EQ(c.Width, track.Width()) << c.Description;
    EXPECT_EQ(NormalColor, Pixel(track.Handle(), 1, 1)) << c.Description;
    Press(track.Handle(), 70, 10);
    ASSERT_TRUE(track.TrackMenuOpen()) << c.Description;
    EXPECT_EQ(HotColor, Pixel(track.Handle(), 1, 1)) << c.Description;
    EXPECT_EQ(HotColor, Pixel(track.Handle(), 63, 1)) << c.Description;
    EXPECT_EQ(DownColor, Pixel(track.Handle(), 66, 1)) << c.Description;
    Release(track.Handle(), 70, 10);
    Post(VK_ESCAPE);
    EXPECT_FALSE(track.Down()) << c.Description;
  }
  track.SetSkinData(nullptr);
}

TEST_F(SkinMenuButtons, PlainButtonsOpenAnywhereAndNeedAMenu) {
  Press(Button("Plain").Handle(), 5, 5);
  EXPECT_TRUE(Engine().IsOpen);
  EXPECT_EQ(Engine().PopupControl, &Button("Plain"));
  Release(Button("Plain").Handle(), 5, 5);
  Post(VK_ESCAPE);
  EXPECT_EQ(Log, (std::vector<std::string>{"Plain show", "Plain hide"}));

  // Without a menu the button is an ordinary one.
  Log.clear();
  Press(Button("NoMenu").Handle(), 5, 5);
  Release(Button("NoMenu").Handle(), 5, 5);
  EXPECT_FALSE(Engine().IsOpen);
  EXPECT_EQ(Log, (std::vector<std::string>{"NoMenu click"}));

  // A menu freed elsewhere is forgotten.
  delete Form->FindComponent("Menu");
  EXPECT_EQ(nullptr, Button("Plain").SkinPopupMenu());
  EXPECT_EQ(nullptr, Tool->SkinPopupMenu());
}

TEST_F(SkinMenuButtons, KeysOpenTheMenuAndReturnClicksOnce) {
  TskSkinMenuButton& plain = Button("Plain");
  plain.SetFocus();
  PostMessageW(plain.Handle(), WM_KEYDOWN, VK_SPACE, 0);
  windowtesting::Pump();
  EXPECT_TRUE(Engine().IsOpen);
  EXPECT_TRUE(plain.TrackMenuOpen());
  Post(VK_ESCAPE);
  EXPECT_FALSE(plain.Down());

  // The caption's accelerator focuses the button and opens its menu.
  plain.SetCaption("&Plain");
  Edit->SetFocus();
  PostMessageW(Edit->Handle(), WM_SYSCHAR, 'p', 0);
  windowtesting::Pump();
  EXPECT_TRUE(plain.Focused());
  EXPECT_EQ(Engine().PopupControl, &plain);
  Post(VK_ESCAPE);
  EXPECT_FALSE(plain.TrackMenuOpen());

  Log.clear();
  TskSkinMenuButton& none = Button("NoMenu");
  none.SetFocus();
  PostMessageW(none.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(none.Handle(), WM_KEYUP, VK_RETURN, 0);
  windowtesting::Pump();
  EXPECT_EQ(Log, (std::vector<std::string>{"NoMenu click"})) << "one click for one key";
  PostMessageW(none.Handle(), WM_KEYDOWN, VK_SPACE, 0);
  PostMessageW(none.Handle(), WM_KEYUP, VK_SPACE, 0);
  windowtesting::Pump();
  EXPECT_EQ(Log, (std::vector<std::string>{"NoMenu click", "NoMenu click"}));
  EXPECT_FALSE(none.Down());
}

TEST_F(SkinMenuButtons, AWindowlessButtonOnAToolBar) {
  auto& bar = *dynamic_cast<TskSkinToolBar*>(Form->FindComponent("Bar"));
  Press(bar.Handle(), 10, 10);
  Release(bar.Handle(), 10, 10);
  EXPECT_FALSE(Engine().IsOpen);
  EXPECT_EQ(Log, (std::vector<std::string>{"Tool click"}));
  Log.clear();
  Press(bar.Handle(), 55, 10);
  ASSERT_TRUE(Engine().IsOpen);
  EXPECT_EQ(Engine().PopupControl, Tool);
  EXPECT_TRUE(Tool->Down());
  Release(bar.Handle(), 55, 10);
  Post(VK_ESCAPE);
  EXPECT_FALSE(Tool->Down());
  EXPECT_EQ(Log, (std::vector<std::string>{"Tool show", "Tool hide"}));
}

TEST_F(SkinMenuButtons, AFlatToolBarButtonShowsTheHotImageWhilePointedAt) {
  auto& bar = *dynamic_cast<TskSkinToolBar*>(Form->FindComponent("Bar"));
  const auto list = [](COLORREF Color) {
    auto images = std::make_unique<TImageList>(nullptr);
    images->SetWidth(16);
    images->SetHeight(16);
    TBitmap picture;
    picture.SetPixelFormat(TPixelFormat::pf24bit);
    picture.SetSize(16, 16);
    picture.Canvas()->Brush()->SetColor(static_cast<TColor>(Color));
    picture.Canvas()->FillRect(Rect(0, 0, 16, 16));
    images->Add(&picture, nullptr);
    return images;
  };
  auto images = list(NormalColor);
  auto hot = list(HotColor);
  bar.SetImages(images.get());
  bar.SetHotImages(hot.get());
  Tool->SetImageIndex(0);
  // The image is centred in the part left of the arrow.
  EXPECT_EQ(NormalColor, Pixel(bar.Handle(), 22, 12));
  Tool->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(HotColor, Pixel(bar.Handle(), 22, 12));
  Tool->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(NormalColor, Pixel(bar.Handle(), 22, 12));
}

}  // namespace
