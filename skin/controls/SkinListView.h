// The system list view in a skinned form: its background colour and font come from a "listview"
// description, skinned scroll bars placed beside it stand in for its own (kept in step both ways),
// and the report view's column header is drawn section by section from a "button" description.
//
// Classes in this file: TskSkinCustomListView, TskSkinListView.
#pragma once

#include "platform/classlib/ComCtrls.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/controls/SkinViewBars.h"
#include "skin/data/SkinData.h"

#include <functional>
#include <memory>

namespace skin {

class TskSkinScrollBar;

// Draws a header section's caption and picture in place of the view: Cnvs is the section's
// off-screen canvas, already holding the background, and R the whole section from (0, 0). Column
// is null for a header item the view has no column for.
using TskDrawHeaderSectionEvent =
    std::function<void(classlib::TCanvas& Cnvs, classlib::TListColumn* Column, bool Pressed, classlib::TRect& R)>;

class TskSkinCustomListView : public classlib::TListView, public TskSkinChangeClient {
public:
  explicit TskSkinCustomListView(classlib::TComponent* AOwner);
  ~TskSkinCustomListView() override;

  TskDrawHeaderSectionEvent OnDrawHeaderSection;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  const classlib::String& HeaderSkinDataName() const { return FHeaderSkinDataName; }
  void SetHeaderSkinDataName(const classlib::String& Value);
  // The font without a skin, and with one when UseSkinFont is off.
  classlib::TFont& DefaultFont() { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  // The background colour without a skin.
  classlib::TColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(classlib::TColor Value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  // The bars beside the view. Linking one takes over its OnChange; the view forgets a bar that is
  // destroyed.
  TskSkinScrollBar* HScrollBar() const { return FBars.H; }
  void SetHScrollBar(TskSkinScrollBar* Value);
  TskSkinScrollBar* VScrollBar() const { return FBars.V; }
  void SetVScrollBar(TskSkinScrollBar* Value);
  int SkinControlIndex() const { return FSkinControlIndex; }
  // The column header this view draws; 0 while there is none.
  HWND HeaderWindow() const { return FHeaderWindow; }

  // Operations

  // Reads the "listview" description again (the form calls it on every skin change).
  void ChangeSkinData() override;
  // Brings the bars into line with the view's own scroll state.
  void UpDateScrollBars();
  // The rectangle of the header section at display position Index.
  classlib::TRect GetHeaderSectionRect(int Index) const;
  // Draws one section of the header on Cnvs at R, from the skin or in the default look.
  void DrawHeaderSection(classlib::TCanvas& Cnvs, classlib::TListColumn* Column, bool Active, bool Pressed,
                         const classlib::TRect& R);

  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  // The header description's values as last copied.
  struct THeaderLook {
    classlib::TPoint LeftTopPoint{}, RightTopPoint{}, LeftBottomPoint{}, RightBottomPoint{};
    classlib::TRect SkinRect{};
    classlib::TRect ClientRect{};
    classlib::TRect ActiveSkinRect{};
    classlib::TRect DownSkinRect{};
    classlib::TBitmap* Picture = nullptr;
    classlib::TColor FontColor = 0;
    classlib::TColor ActiveFontColor = 0;
    classlib::TColor DownFontColor = 0;
    bool StretchEffect = false;
  };
  // A section's caption, alignment and picture: its column's, or the header item's own.
  struct TSectionText;

  // Keeps the system's own bars hidden, the scroll styles with them.
  void HideOwnScrollBars();
  void UpDateScrollBars1();
  void UpDateScrollBars2();
  void UpDateScrollBars3();
  int ItemBoundsHeight() const;
  int ItemBoundsWidth() const;
  void OnVScrollBarChange(classlib::TObject* Sender);
  void OnHScrollBarChange(classlib::TObject* Sender);
  void CMVisibleChanged(classlib::TMessage& Message);

  void HookHeader(HWND Header);
  void UnhookHeader();
  static LRESULT CALLBACK HeaderProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  void HeaderWndProc(classlib::TMessage& Message);
  void PressHeader(int X, int Y);
  void HGetSkinData();
  bool HeaderSkinned() const { return FHeaderSkinIndex != -1 && FHeaderLook.Picture; }
  void PaintHeader(HDC DC);
  void PaintHeaderSections(classlib::TCanvas& Canvas);
  void DrawHeaderFiller(classlib::TCanvas& Canvas, const classlib::TRect& F);
  TSectionText SectionText(const classlib::TListColumn* Column, int Item) const;
  void DrawSection(classlib::TCanvas& Cnvs, classlib::TListColumn* Column, const TSectionText& Text, bool Active,
                   bool Pressed, const classlib::TRect& R);
  void BuildSectionImage(classlib::TBitmap& B, const classlib::TRect& StateRect, int W, int H, bool OpenEnded);
  void DrawSectionContent(classlib::TCanvas& Canvas, const TSectionText& Text, const classlib::TRect& B);
  int HeaderItemCount() const;
  int ColumnOfSection(int Index) const;

  classlib::String FHeaderSkinDataName = "resizebutton";
  bool FScrollingByBar = false;
  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "listview";
  int FSkinControlIndex = -1;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  bool FUseSkinFont = true;
  classlib::TColor FDefaultColor = classlib::clWindow;
  TskViewBars FBars{*this};
  int FLastVPosition = 0;
  int FLastHPosition = 0;
  HWND FHeaderWindow = nullptr;
  WNDPROC FSavedHeaderProc = nullptr;
  int FPressedSection = -1;
  bool FHeaderPressed = false;
  int FHeaderSkinIndex = -1;
  THeaderLook FHeaderLook;
};

class TskSkinListView : public TskSkinCustomListView {
public:
  using TskSkinCustomListView::TskSkinCustomListView;
};

}  // namespace skin
