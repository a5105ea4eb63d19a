// Plain stand-in for the skinned list view. It keeps its own native scroll bars; the skinned bar
// placed beside it as its VScrollBar only holds its place on the form.
//
// Classes in this file: TskSkinListView.
#pragma once

#include "platform/classlib/ComCtrls.h"
#include "skin/controls/SkinScrollBar.h"

namespace skin {

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
