// The skinned form's key short cuts with real keys: its main menu's short cuts run their items, and
// Alt+F4 stays the system's close key.
#include "tests/skin/form/FormSkinTesting.h"

#include "platform/classlib/Menus.h"

using namespace classlib;
using namespace formskintesting;

namespace {

TMenuItem* AddItem(TComponent* Owner, TMenuItem* Parent, const char* Caption, TShortCut Key, int* Clicks) {
  auto* item = new TMenuItem(Owner);
  item->SetCaption(Caption);
  item->SetShortCut(Key);
  item->OnClick = [Clicks](TObject*) { ++*Clicks; };
  Parent->Add(item);
  return item;
}

}  // namespace

TEST(FormSkinShortCut, MenuShortCutsRunTheirItemsAndAltF4StillClosesTheForm) {
  auto form = ShowFrameForm(nullptr);
  skin::TskFormSkin& fs = FormSkinOf(*form);
  SetForegroundWindow(form->Handle());
  windowtesting::PumpFor(50);
  auto* menu = new TMainMenu(form.get());
  int saves = 0, others = 0;
  // F4's key code (115) is also the letter "s": the accelerator of "&Settings".
  TMenuItem* settings = AddItem(form.get(), menu->Items(), "&Settings", scNone, &others);
  AddItem(form.get(), settings, "&Save", ShortCut('S', TShiftState{TShiftStateItem::ssCtrl}), &saves);
  AddItem(form.get(), settings, "Off", ShortCut('D', TShiftState{TShiftStateItem::ssCtrl}), &others)->SetEnabled(false);
  TMenuItem* locked = AddItem(form.get(), menu->Items(), "Locked", scNone, &others);
  locked->SetEnabled(false);
  AddItem(form.get(), locked, "Inside", ShortCut('L', TShiftState{TShiftStateItem::ssCtrl}), &others);
  fs.SetMainMenu(menu);

  PressKeys({VK_CONTROL, 'S'});
  EXPECT_EQ(saves, 1);
  EXPECT_TRUE(fs.ShortCutHandled);
  PressKeys({'S'});
  EXPECT_EQ(saves, 1) << "S without Ctrl is no short cut";
  EXPECT_FALSE(fs.ShortCutHandled);
  // A disabled item, and an item under a disabled one, keep their short cuts to themselves.
  PressKeys({VK_CONTROL, 'D'});
  PressKeys({VK_CONTROL, 'L'});
  EXPECT_EQ(others, 0);
  ASSERT_TRUE(IsWindowVisible(form->Handle()));
  PressKeys({VK_MENU, VK_F4});
  EXPECT_EQ(others, 0) << "Alt+F4 taken as the hot key of \"&Settings\"";
  EXPECT_FALSE(IsWindowVisible(form->Handle())) << "Alt+F4 did not close the form";
}
