// The program's popup menus open skinned, through the form's skinning component, on a right click
// on their control, and the keyboard runs their items.
#include "tests/app/PictureTesting.h"

#include "app/Unit2.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinPopupMenu.h"

#include <string>

using namespace classlib;
using namespace skin;

namespace {

void Pump(DWORD Milliseconds = 100) {
  const DWORD start = GetTickCount();
  do {
    Application->ProcessMessages();
    Sleep(5);
  } while (GetTickCount() - start < Milliseconds);
}

template <class T>
T& Find(TComponent& Owner, const char* Name) {
  auto* found = dynamic_cast<T*>(Owner.FindComponent(Name));
  if (!found) throw EComponentError(String("no ") + Name);
  return *found;
}

// A right click as the control receives it: the context-menu request at a point of the control.
void RightClick(TWinControl& Control) {
  Control.HandleNeeded();
  const TPoint at = Control.ClientToScreen(Point(5, 5));
  PostMessageW(Control.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Control.Handle()), MAKELPARAM(at.x, at.y));
  Pump();
}

// Keys as the program's message loop receives them.
void Press(TForm& Form, std::initializer_list<WORD> Keys) {
  for (WORD key : Keys) {
    PostMessageW(Form.Handle(), WM_KEYDOWN, key, 0);
    Pump(50);
  }
}

// The captions of the open menu's first window.
std::vector<std::string> OpenCaptions(const TskFormSkin& FormSkin) {
  std::vector<std::string> captions;
  if (FormSkin.SkinMenu->PopupWindows.empty()) return captions;
  for (const auto& item : FormSkin.SkinMenu->PopupWindows[0]->MenuItems) captions.push_back(item->SourceItem->Caption());
  return captions;
}

class MainWindowMenus : public picturetesting::PictureWindow {};

TEST_F(MainWindowMenus, EachMenuOpensSkinnedOnItsControl) {
  Form->Show();
  Pump();
  auto& formSkin = Find<TskFormSkin>(*Form, "skFormSkin1");
  struct TCase {
    const char* control;
    const char* menu;
    const char* first;
  };
  for (const TCase& c : {TCase{"skSkinListView1", "skSkinPopupMenu1", "Edit"},
                         TCase{"Panel4", "skSkinPopupMenu2", "Mirror"},
                         TCase{"Panel2", "skSkinPopupMenu3", "Play"},
                         TCase{"Panel1", "skSkinPopupMenu4", "FullScreen"}}) {
    SCOPED_TRACE(c.menu);
    RightClick(Find<TWinControl>(*Form, c.control));
    ASSERT_TRUE(formSkin.SkinMenu->IsOpen);
    ASSERT_FALSE(OpenCaptions(formSkin).empty());
    EXPECT_EQ(OpenCaptions(formSkin)[0], c.first);
    // The menus take the form's skin, which draws them.
    EXPECT_EQ(Find<TskSkinPopupMenu>(*Form, c.menu).SkinData(), formSkin.SkinData());
    EXPECT_NE(formSkin.SkinMenu->PopupWindows[0]->WindowDescription, nullptr);
    Press(*Form, {VK_ESCAPE});
    EXPECT_FALSE(formSkin.SkinMenu->IsOpen);
    EXPECT_FALSE(formSkin.MenuLoop);
  }
  // The CD ripper label opens its menu at the cursor; its one item leads to the ripper page.
  Form->Label21Click(nullptr);
  Pump();
  EXPECT_EQ(OpenCaptions(formSkin), (std::vector<std::string>{"CD ripper"}));
  Press(*Form, {VK_RETURN});
  EXPECT_FALSE(formSkin.SkinMenu->IsOpen);
  EXPECT_EQ(Form->skSkinPageControl1->ActivePage(), Form->skSkinTabSheet6);
}

TEST_F(MainWindowMenus, TheViewersMenuRunsTheChosenEffect) {
  const std::string path = Pictures.windowsFile("pattern.bmp");
  ASSERT_TRUE(picturetesting::MakePicture(9, 7, [](int x, int y) {
                return MakeColor(static_cast<std::uint8_t>(20 * x + 10), static_cast<std::uint8_t>(30 * y + 5), 0);
              })->SaveFile(path.c_str(), FMT_BMP));
  Form->Show();
  Chosen = {path};
  Form->Add1Click(nullptr);
  Select(ItemCount() - 1);
  Form->skSkinListView1DblClick(nullptr);
  ASSERT_TRUE(Form->ViewerImage);
  const RGBQUAD corner = Form->ViewerImage->PixelColor(0, 0);
  RightClick(Find<TWinControl>(*Form, "Panel4"));
  Press(*Form, {VK_RETURN});  // "Mirror", lit first
  EXPECT_TRUE(SameRgb(Form->ViewerImage->PixelColor(8, 0), corner));
  EXPECT_FALSE(SameRgb(Form->ViewerImage->PixelColor(0, 0), corner));
}

TEST(PlayListMenu, TheListsMenuOpensSkinnedAndClearsTheList) {
  auto form = apptesting::MakeForm<TForm2>();
  form->Show();
  Pump();
  TStringList files;
  files.Add("C:\\a.mp3");
  files.Add("C:\\b.mp3");
  form->AddPlayListFiles(files);
  ASSERT_EQ(form->skSkinListView1->Items().Count(), 2);
  auto& formSkin = Find<TskFormSkin>(*form, "skFormSkin1");
  RightClick(*form->skSkinListView1);
  ASSERT_TRUE(formSkin.SkinMenu->IsOpen);
  EXPECT_EQ(OpenCaptions(formSkin)[1], "Clear List");
  Press(*form, {VK_DOWN, VK_RETURN});
  EXPECT_FALSE(formSkin.SkinMenu->IsOpen);
  EXPECT_EQ(form->skSkinListView1->Items().Count(), 0);
}

}  // namespace
