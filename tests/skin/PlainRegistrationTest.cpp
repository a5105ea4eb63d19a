#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/ClassRegistry.h"
#include "skin/plain/PlainRegistration.h"
#include "skin/plain/SkinPlainBars.h"
#include "skin/plain/SkinPlainBoxes.h"
#include "skin/plain/SkinPlainButtons.h"
#include "skin/plain/SkinPlainDialogs.h"
#include "skin/plain/SkinPlainMenus.h"
#include "skin/plain/SkinPlainPages.h"
#include "skin/plain/SkinPlainPanels.h"
#include "skin/plain/SkinPlainViews.h"

#include <memory>

using namespace classlib;
using namespace skin;

namespace {

// Every stand-in as the application's forms hold them.
const char* const EveryClassForm = R"(object TestForm: TForm
  ClientWidth = 701
  ClientHeight = 529
  object Pages: TskSkinPageControl
    Width = 702
    Height = 552
    ActivePage = Sheet1
    object Sheet1: TskSkinTabSheet
      PageControl = Pages
      object Panel1: TskSkinPanel
        Width = 480
        Height = 470
        object List: TskSkinListView
          Width = 450
          Height = 460
          VScrollBar = Bar
          PopupMenu = Menu
        end
        object Bar: TskSkinScrollBar
          Left = 455
          Height = 460
        end
      end
      object Seek: TskSkinTrackBar
        Top = 480
        Value = 0
      end
      object Volume: TskSkinTrackBar
        Top = 500
        Value = -2500
        MinValue = -5000
        MaxValue = 0
        Vertical = True
      end
      object Gauge: TskSkinGauge
        Left = 200
        Top = 480
        Width = 417
        Height = 25
        ProgressText = 'Doing job'
        ShowProgressText = True
        ShowPercent = True
        Value = 0
      end
      object Start: TskSkinButton
        Left = 500
        Caption = 'Start'
        OnClick = Clicked
      end
      object Play: TskSkinSpeedButton
        Left = 600
        Caption = 'Play'
        OnClick = Clicked
      end
      object Preview: TskSkinCheckRadioBox
        Left = 500
        Top = 40
        Caption = 'Enable Preview'
        Checked = True
      end
      object Drives: TskSkinComboBox
        Left = 508
        Top = 100
        Style = csDropDownList
        Items.Strings = (
          'D:'
          'E:')
        ItemIndex = 0
        OnChange = Clicked
      end
      object Lines: TskSkinListBox
        Left = 500
        Top = 200
        Visible = False
        Items.Strings = (
          'Z:\a.mp3')
      end
    end
  end
  object Menu: TskSkinPopupMenu
    object Add1: TMenuItem
      Caption = 'Add'
      OnClick = Clicked
    end
    object SlideShow1: TMenuItem
      Caption = 'SlideShow'
      object Play1: TMenuItem
        Caption = 'Play'
        Checked = True
      end
    end
  end
  object OpenDialog1: TskSkinOpenDialog
    Title = 'Open Audio files'
    Filter = 'All(*.mp3;*.wma;*.wav;)|*.mp3;*.wma;*.wav;'
    MultiSelection = True
  end
  object SaveDialog1: TskSkinSaveDialog
    Filter = 'All files|*.lst'
    FilterIndex = 1
    CheckFileExists = False
  end
end
)";

template <class T>
T& Find(TForm& Form, const char* Name) {
  auto* component = dynamic_cast<T*>(Form.FindComponent(Name));
  if (!component) throw EComponentError(String("no ") + Name);
  return *component;
}

TEST(PlainRegistration, AFormDescriptionBuildsEveryStandIn) {
  RegisterPlainSkinClasses();
  RegisterPlainSkinClasses();  // a second call changes nothing
  int clicks = 0;
  auto form = windowtesting::ReadForm(EveryClassForm, [&](TForm& f) {
    f.RegisterHandler<TNotifyEvent>("Clicked", [&](TObject*) { ++clicks; });
  });
  EXPECT_EQ(clicks, 0);

  auto& pages = Find<TskSkinPageControl>(*form, "Pages");
  EXPECT_EQ(pages.ActivePage(), &Find<TskSkinTabSheet>(*form, "Sheet1"));
  auto& list = Find<TskSkinListView>(*form, "List");
  EXPECT_EQ(list.VScrollBar(), &Find<TskSkinScrollBar>(*form, "Bar"));
  EXPECT_EQ(list.PopupMenu(), &Find<TskSkinPopupMenu>(*form, "Menu"));
  EXPECT_EQ(list.Parent(), &Find<TskSkinPanel>(*form, "Panel1"));

  auto& seek = Find<TskSkinTrackBar>(*form, "Seek");
  EXPECT_EQ(seek.Value(), 0);
  EXPECT_EQ(seek.MaxValue(), 100);
  EXPECT_FALSE(seek.Vertical());
  auto& volume = Find<TskSkinTrackBar>(*form, "Volume");
  EXPECT_EQ(volume.Value(), -2500);
  EXPECT_TRUE(volume.Vertical());
  auto& gauge = Find<TskSkinGauge>(*form, "Gauge");
  EXPECT_EQ(gauge.ShownText(), "Doing job0%");

  EXPECT_EQ(Find<TskSkinButton>(*form, "Start").Caption(), "Start");
  auto& play = Find<TskSkinSpeedButton>(*form, "Play");
  EXPECT_EQ(play.Caption(), "Play");
  ASSERT_TRUE(play.OnClick);
  play.OnClick(&play);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(Find<TskSkinCheckRadioBox>(*form, "Preview").Checked());
  EXPECT_EQ(Find<TskSkinComboBox>(*form, "Drives").Text(), "D:");
  EXPECT_EQ(Find<TskSkinListBox>(*form, "Lines").GetItems()[0], "Z:\\a.mp3");

  auto& menu = Find<TskSkinPopupMenu>(*form, "Menu");
  ASSERT_EQ(menu.Items()->Count(), 2);
  EXPECT_TRUE(menu.Items()->Items(1)->Items(0)->Checked());

  auto& open = Find<TskSkinOpenDialog>(*form, "OpenDialog1");
  EXPECT_EQ(open.Title(), "Open Audio files");
  EXPECT_TRUE(open.MultiSelection());
  EXPECT_TRUE(open.CheckFileExists());
  auto& save = Find<TskSkinSaveDialog>(*form, "SaveDialog1");
  EXPECT_EQ(save.Title(), "Save file");
  EXPECT_EQ(save.Filter(), "All files|*.lst");
  EXPECT_FALSE(save.CheckFileExists());

  // The whole form comes up as windows.
  form->HandleNeeded();
  list.HandleNeeded();
  EXPECT_TRUE(IsWindow(list.Handle()));
}

TEST(PlainRegistration, EveryClassIsKnownByItsSkinnedName) {
  RegisterPlainSkinClasses();
  const char* names[] = {"TskSkinPageControl", "TskSkinTabSheet", "TskSkinListView", "TskSkinScrollBar",
                         "TskSkinTrackBar", "TskSkinGauge", "TskSkinButton", "TskSkinSpeedButton",
                         "TskSkinCheckRadioBox", "TskSkinPanel", "TskSkinCustomComboBox", "TskSkinComboBox",
                         "TskSkinCustomListBox", "TskSkinListBox", "TskSkinPopupMenu", "TskSkinOpenDialog",
                         "TskSkinSaveDialog"};
  for (const char* name : names) {
    const TClassInfo* info = TClassRegistry::Instance().Find(name);
    ASSERT_NE(info, nullptr) << name;
    ASSERT_TRUE(info->Factory()) << name;
    std::unique_ptr<TComponent> component(info->Factory()(nullptr));
    EXPECT_EQ(component->ClassName(), name);
  }
}

}  // namespace
