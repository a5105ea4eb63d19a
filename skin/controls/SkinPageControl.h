// The skinned page control and its tab sheets: the system's page control painted entirely by the
// skin engine from a "tab" description, or in a flat default look. The frame around the pages is
// built from the skin picture, each tab from one of four state images made as a top tab and then
// flipped for bottom tabs or turned for side tabs; the tab under the pointer is drawn hot, and a
// skinned up-down takes the place of the system's scroller of a single row of tabs.
//
// The tab drawing, the geometry corrections and the frame are shared with the skinned tab control.
//
// Classes in this file: TskTabSkin, TskTabLook, TskSkinPageControl, TskSkinCustomTabSheet,
// TskSkinTabSheet.
#pragma once

#include "platform/classlib/ComCtrls.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinData.h"

#include <memory>

namespace skin {

// ---------------------------------------------------------------------------------------------
// Drawing procedures of the tab controls

// B's rows in reverse order.
void FlipBitmapVert(classlib::TBitmap& B);
// B turned a quarter anticlockwise (its top edge to the left) and drawn at X, Y.
void DrawRotated90Left(classlib::TCanvas& Canvas, classlib::TBitmap& B, int X, int Y);
// B turned a quarter clockwise (its top edge to the right) and drawn at X, Y.
void DrawRotated90Right(classlib::TCanvas& Canvas, classlib::TBitmap& B, int X, int Y);
// Picture ImageIndex of Images and the text beside it, centred together in W x H.
void DrawTabImageAndText(classlib::TCanvas& Canvas, int W, int H, bool Enabled, int ImageIndex,
                         classlib::TImageList* Images, const classlib::String& Text);

// The copies of a "tab" description that the page and tab controls keep. A description of
// another kind, or one whose picture is missing, counts as none: the control draws its default
// look.
struct TskTabSkin {
  int SkinControlIndex = -1;
  classlib::TBitmap* SkinBitmap = nullptr;
  classlib::TRect SkinRect{}, ClRect{}, TabRect{}, ActiveTabRect{}, FocusTabRect{}, MouseInTabRect{}, TabsBGRect{};
  classlib::TPoint LTPoint{}, RTPoint{}, LBPoint{}, RBPoint{};
  int TabLeftOffset = 0, TabRightOffset = 0;
  classlib::String FontName = "Arial";
  classlib::TFontStyles FontStyle;
  int FontHeight = 14;
  classlib::TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
  classlib::String UpDown;
  // -1 (and no picture) also when the description's index names no picture of the skin.
  int BGPictureIndex = -1;
  classlib::TBitmap* BGPicture = nullptr;
  bool TabStretchEffect = false;

  // Looks the description Name up in Skin and copies it; "activetabrect" falls back to "tabrect"
  // and "focustabrect" to the resolved "activetabrect".
  void Read(const TskSkinData* Skin, const classlib::String& Name);
  bool Described() const { return SkinControlIndex != -1; }
  // The widths of the frame's four sides in the description.
  classlib::TRect Borders() const;
};

// Rewrites the system's TCM_ADJUSTRECT answer R for a client area of CW x CH: the default frame
// without Borders, else the skin frame of those side widths.
void CorrectDisplayRect(classlib::TRect& R, classlib::TTabPosition Position, int CW, int CH,
                        const classlib::TRect* Borders);
// Moves the system's tab rectangle R (TCM_GETITEMRECT) onto the tab the skin draws.
void CorrectItemRect(classlib::TRect& R, classlib::TTabPosition Position, bool MultiLine);

// The default frame: the client area in the face colour, a shadow line just around Display.
void PaintDefaultTabFrame(classlib::TCanvas& Canvas, const classlib::TRect& Client, const classlib::TRect& Display);
// The skin frame around Display in a W x H control: the tab strip's background outside it, the
// four edges tiled between the anchors and the four corners.
void PaintSkinTabFrame(classlib::TCanvas& Canvas, const TskTabSkin& Skin, const classlib::TRect& Display,
                       classlib::TTabPosition Position, int W, int H);
// Source of Picture tiled over Area from its top-left corner, the last tiles cut at its edges.
void TilePiece(classlib::TCanvas& Canvas, classlib::TBitmap& Picture, const classlib::TRect& Source,
               const classlib::TRect& Area);
// The background of a page (or of a tab control) of W x H: the description's background picture
// tiled, else its client piece tiled, else the face colour.
void PaintTabBackground(HDC DC, int W, int H, const TskTabSkin& Skin);

// Arial of height 14 in the button text colour: the default font of the tab controls.
void SetDefaultTabFont(classlib::TFont& Font);
// The font a tab control takes from its description: DefaultFont without one (or without
// UseSkinFont), the description's name, height and style with it; the colour is the description's,
// the character set that of Strings where set.
void ApplyTabSkinFont(classlib::TFont& Font, const classlib::TFont& DefaultFont, const TskTabSkin& Skin,
                      bool UseSkinFont, const TskResourceStrData* Strings);

// One tab as the tab controls draw it.
struct TskTabLook {
  classlib::TRect Rect{};
  bool Active = false;
  bool Hovered = false;
  bool Focused = false;  // the control has the keyboard focus
  classlib::String Caption;
  classlib::TImageList* Images = nullptr;  // the picture ImageIndex of it shows beside the caption
  int ImageIndex = -1;
  bool Enabled = true;
};

// Draws a tab in the default look or from Skin's state images, with Font (or the skin's font with
// UseSkinFont), Strings giving the character set when set.
void DrawSkinTab(classlib::TCanvas& Canvas, const TskTabSkin& Skin, const TskTabLook& Look,
                 classlib::TTabPosition Position, int TabHeight, bool UseSkinFont, const classlib::TFont& Font,
                 const TskResourceStrData* Strings);

// ---------------------------------------------------------------------------------------------

class TskSkinPageControl : public classlib::TPageControl, public TskSkinChangeClient {
public:
  explicit TskSkinPageControl(classlib::TComponent* AOwner);
  ~TskSkinPageControl() override;

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
  int HotTabPage() const { return FHotTabPage; }
  TskSkinUpDown* TabScroller() const { return FTabScroller.get(); }

  // Operations
  void GetSkinData();
  void ChangeSkinData() override;
  void UpDateTabs();
  void SetItemSize(int W, int H);
  classlib::TRect GetItemRect(int Index);
  void DrawTabs(classlib::TCanvas& Canvas);
  void DrawTab(int PageIndex, const classlib::TRect& R, bool Active, bool Hovered, classlib::TCanvas& Canvas);
  int GetInVisibleItemCount();
  int GetPosition();

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
  // The tab height of the rules: TabHeight when set, else the description's or the default one.
  int ItemHeight() const;
  // Redraws the tab t of page PageIndex on the window outside painting.
  void RedrawTab(int PageIndex, int T, bool Hovered);

  int FHotTabPage = -1;
  int FOldHotTabPage = -1;
  int FHotTab = -1;
  int FOldHotTab = -1;
  bool FUseSkinFont = true;
  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "tab";
  std::unique_ptr<TskSkinUpDown> FTabScroller;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  int FDefaultItemHeight = 20;
  TskTabSkin FSkin;
  std::unique_ptr<classlib::TControlCanvas> FCanvas;
};

// A page whose background is tiled from its page control's description.
class TskSkinCustomTabSheet : public classlib::TTabSheet {
public:
  explicit TskSkinCustomTabSheet(classlib::TComponent* AOwner);

  void PaintBG(HDC DC);
  void Dispatch(classlib::TMessage& Message) override;
};

class TskSkinTabSheet : public TskSkinCustomTabSheet {
public:
  using TskSkinCustomTabSheet::TskSkinCustomTabSheet;
};

}  // namespace skin
