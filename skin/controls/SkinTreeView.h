// The system tree view in a skinned form: its background colour and font come from a "treeview"
// description, and skinned scroll bars placed beside it stand in for its own, kept in step both
// ways.
//
// Classes in this file: TskSkinCustomTreeView, TskSkinTreeView.
#pragma once

#include "platform/classlib/TreeView.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/controls/SkinViewBars.h"
#include "skin/data/SkinData.h"

#include <memory>

namespace skin {

class TskSkinScrollBar;

class TskSkinCustomTreeView : public classlib::TTreeView, public TskSkinChangeClient {
public:
  explicit TskSkinCustomTreeView(classlib::TComponent* AOwner);
  ~TskSkinCustomTreeView() override;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  // The font without a skin, and with one when UseSkinFont is off.
  classlib::TFont& DefaultFont() { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  // The background colour without a skin.
  classlib::TColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(classlib::TColor Value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  // The bars beside the tree. Linking one takes over its OnChange; the tree forgets a bar that is
  // destroyed.
  TskSkinScrollBar* HScrollBar() const { return FBars.H; }
  void SetHScrollBar(TskSkinScrollBar* Value);
  TskSkinScrollBar* VScrollBar() const { return FBars.V; }
  void SetVScrollBar(TskSkinScrollBar* Value);
  int SkinControlIndex() const { return FSkinControlIndex; }

  // Operations

  // Reads the "treeview" description again (the form calls it on every skin change); derived trees
  // may add to it.
  void ChangeSkinData() override;
  // Brings the bars into line with the tree's own scroll state.
  void UpDateScrollBars();

  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void Change(classlib::TTreeNode* Node) override;

private:
  bool Loading() const;
  // The range of the tree's own bar, 0 .. 0 while the tree does not want that bar.
  void OwnRange(int Bar, DWORD Style, int& Min, int& Max) const;
  void ScrollToRow(int Row);
  void OnVScrollBarChange(classlib::TObject* Sender);
  void OnHScrollBarChange(classlib::TObject* Sender);
  void CMVisibleChanged(classlib::TMessage& Message);

  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "treeview";
  int FSkinControlIndex = -1;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  classlib::TColor FDefaultColor = classlib::clWindow;
  bool FUseSkinFont = true;
  TskViewBars FBars{*this};
};

class TskSkinTreeView : public TskSkinCustomTreeView {
public:
  using TskSkinCustomTreeView::TskSkinCustomTreeView;
};

}  // namespace skin
