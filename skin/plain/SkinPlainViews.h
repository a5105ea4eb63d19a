// Plain stand-ins for the skinned list view and the external scroll bar placed beside it. The plain
// list view keeps its own native scroll bars; the external bar is only a strip that holds its place
// on the form.
//
// Classes in this file: TskSkinScrollBar, TskSkinListView.
#pragma once

#include "platform/classlib/ComCtrls.h"

namespace skin {

class TskSkinScrollBar : public classlib::TCustomControl {
public:
  explicit TskSkinScrollBar(classlib::TComponent* AOwner);
};

class TskSkinListView : public classlib::TListView {
public:
  explicit TskSkinListView(classlib::TComponent* AOwner);

  // The external vertical bar; cleared when that bar is destroyed.
  TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  void SetVScrollBar(TskSkinScrollBar* Value);

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  TskSkinScrollBar* FVScrollBar = nullptr;
};

}  // namespace skin
