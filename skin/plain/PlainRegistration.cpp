#include "skin/plain/PlainRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "skin/plain/SkinPlainBars.h"
#include "skin/plain/SkinPlainBoxes.h"
#include "skin/plain/SkinPlainButtons.h"
#include "skin/plain/SkinPlainDialogs.h"
#include "skin/plain/SkinPlainMenus.h"
#include "skin/plain/SkinPlainPages.h"
#include "skin/plain/SkinPlainPanels.h"
#include "skin/plain/SkinPlainViews.h"

#include <mutex>

using namespace classlib;
using namespace skin;

namespace {

void RegisterAll(TClassRegistry& Registry) {
  Registry.Register<TskSkinPageControl>("TskSkinPageControl", "TPageControl");
  Registry.Register<TskSkinTabSheet>("TskSkinTabSheet", "TTabSheet");

  Registry.Register<TskSkinScrollBar>("TskSkinScrollBar", "TCustomControl");
  Registry.Register<TskSkinListView>("TskSkinListView", "TListView")
      .Reference("VScrollBar", &TskSkinListView::SetVScrollBar);

  Registry.Register<TskSkinTrackBar>("TskSkinTrackBar", "TCustomControl")
      .Integer("MinValue", &TskSkinTrackBar::SetMinValue)
      .Integer("MaxValue", &TskSkinTrackBar::SetMaxValue)
      .Integer("Value", &TskSkinTrackBar::SetValue)
      .Boolean("Vertical", &TskSkinTrackBar::SetVertical)
      .Event("OnChange", &TskSkinTrackBar::OnChange);
  Registry.Register<TskSkinGauge>("TskSkinGauge", "TCustomControl")
      .Integer("MinValue", &TskSkinGauge::SetMinValue)
      .Integer("MaxValue", &TskSkinGauge::SetMaxValue)
      .Integer("Value", &TskSkinGauge::SetValue)
      .Text("ProgressText", &TskSkinGauge::SetProgressText)
      .Boolean("ShowProgressText", &TskSkinGauge::SetShowProgressText)
      .Boolean("ShowPercent", &TskSkinGauge::SetShowPercent);

  Registry.Register<TskSkinButton>("TskSkinButton", "TButton");
  Registry.Register<TskSkinSpeedButton>("TskSkinSpeedButton", "TGraphicControl");
  Registry.Register<TskSkinCheckRadioBox>("TskSkinCheckRadioBox", "TCheckBox");

  Registry.Register<TskSkinPanel>("TskSkinPanel", "TCustomControl");

  Registry.Register<TskSkinCustomComboBox>("TskSkinCustomComboBox", "TComboBox");
  Registry.Register<TskSkinComboBox>("TskSkinComboBox", "TskSkinCustomComboBox");
  Registry.Register<TskSkinCustomListBox>("TskSkinCustomListBox", "TListBox");
  Registry.Register<TskSkinListBox>("TskSkinListBox", "TskSkinCustomListBox");

  Registry.Register<TskSkinPopupMenu>("TskSkinPopupMenu", "TPopupMenu");

  Registry.Register<TskSkinOpenDialog>("TskSkinOpenDialog", "TOpenDialog")
      .Boolean("MultiSelection", &TskSkinOpenDialog::SetMultiSelection)
      .Boolean("CheckFileExists", &TskSkinOpenDialog::SetCheckFileExists);
  Registry.Register<TskSkinSaveDialog>("TskSkinSaveDialog", "TskSkinOpenDialog");
}

}  // namespace

void RegisterPlainSkinClasses() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterAll(TClassRegistry::Instance()); });
}
