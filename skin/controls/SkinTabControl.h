// The skinned tab control: the system's tab control (a row of tabs from a list of strings, without
// pages) painted by the skin engine from the same "tab" description as the skinned page control,
// with its own page area: the description's background picture, or its client piece tiled inside
// the skinned frame.
//
// Classes in this file: TskSkinTabControl.
#pragma once

#include "skin/controls/SkinChangeClient.h"
#include "skin/controls/SkinPageControl.h"

namespace skin {

class TskSkinTabControl : public classlib::TTabControl, public TskSkinChangeClient {
public:
  explicit TskSkinTabControl(classlib::TComponent* AOwner);
  ~TskSkinTabControl() override;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  classlib::TFont& DefaultFont() { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  int DefaultItemHeight() const { return FDefaultItemHeight; }
  void SetDefaultItemHeight(int Value);
  int SkinControlIndex() const { return FSkin.SkinControlIndex; }
  const TskTabSkin& TabSkin() const { return FSkin; }
  int HotTab() const { return FHotTab; }
  TskSkinUpDown* TabScroller() const { return FTabScroller.get(); }

  // Operations
  void GetSkinData();
  void ChangeSkinData() override;
  void UpDateTabs();
  void SetItemSize(int W, int H);
  classlib::TRect GetItemRect(int Index);
  void DrawTabs(classlib::TCanvas& Canvas);
  void DrawTab(int Index, const classlib::TRect& R, bool Active, bool Hovered, classlib::TCanvas& Canvas);
  int GetInVisibleItemCount();
  int GetPosition();
  void PaintBG(HDC DC);

  void PaintWindow(HDC DC) override;
  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void CreateHandleDone() override;
  void Change() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;

private:
  void PaintDefaultWindow(classlib::TCanvas& Canvas);
  void PaintSkinWindow(classlib::TCanvas& Canvas);
  void TestActive(int X, int Y);
  void CMMouseLeave();
  void CheckScroll();
  void ShowSkinUpDown();
  void HideSkinUpDown();
  void OnUpDownChange(classlib::TObject* Sender);
  void Change2();
  int ItemHeight() const;
  void RedrawTab(int Index, bool Hovered);

  int FHotTab = -1;
  int FOldHotTab = -1;
  bool FUseSkinFont = true;
  bool FInPaint = false;
  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "tab";
  std::unique_ptr<TskSkinUpDown> FTabScroller;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  int FDefaultItemHeight = 20;
  TskTabSkin FSkin;
  std::unique_ptr<classlib::TControlCanvas> FCanvas;
};

}  // namespace skin
