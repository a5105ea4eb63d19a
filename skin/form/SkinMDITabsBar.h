// The MDI tabs bar: a row of tabs on the MDI main form, one per child. A click brings the child
// forward (restoring it when minimized), a right click opens the child's skinned system menu, and
// tabs can be dragged to a new place in the row. The tabs take the skin's "tab" description, or in
// button mode its "resizebutton", and plain coloured rectangles without a skin.
//
// Classes in this file: TskMDITab, TskSkinMDITabsBar.
#pragma once

#include "platform/classlib/Forms.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinTabDescriptions.h"

#include <functional>
#include <memory>
#include <vector>

namespace skin {

class TskFormSkin;
class TskSkinMDITabsBar;

enum class TskSkinMDITabKind { sktkTab, sktkButton };

// The tab of one child; its caption is read from the child whenever it is drawn.
class TskMDITab : public classlib::TObject {
public:
  TskMDITab(TskSkinMDITabsBar* AOwnerTabsBar, classlib::TForm* AChild);

  void Draw(classlib::TCanvas& Canvas);
  void ButtonDraw(classlib::TCanvas& Canvas);
  void ResizeDraw(classlib::TCanvas& Canvas);

  TskSkinMDITabsBar* OwnerTabsBar;
  bool Active = false;
  bool Hovered = false;
  classlib::TRect ObjectRect{};
  classlib::TForm* Child;

private:
  // The tab picture of the skin's "tab" description for the tab's state at its width; the caption
  // colour that goes with it.
  classlib::TColor TabImage(classlib::TBitmap& B);
  void DrawCaption(classlib::TCanvas& Canvas, classlib::TRect R);
};

using TskMDITabEvent = std::function<void(TskMDITab* MDITab)>;
using TskMDITabMouseEvent =
    std::function<void(classlib::TMouseButton Button, classlib::TShiftState Shift, TskMDITab* MDITab)>;

class TskSkinMDITabsBar : public TskSkinControl {
public:
  explicit TskSkinMDITabsBar(classlib::TComponent* AOwner);
  ~TskSkinMDITabsBar() override;

  // Published properties
  TskSkinMDITabKind TabKind() const { return FTabKind; }
  void SetTabKind(TskSkinMDITabKind Value);
  TskFormSkin* FormSkin() const { return FFormSkin; }
  void SetFormSkin(TskFormSkin* Value);
  bool SupportChildMenus() const { return FSupportChildMenus; }
  void SetSupportChildMenus(bool Value) { FSupportChildMenus = Value; }
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  bool MoveTabs() const { return FMoveTabs; }
  void SetMoveTabs(bool Value) { FMoveTabs = Value; }
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int Value);
  classlib::TFont& DefaultFont() { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  int DefaultTabWidth() const { return FDefaultTabWidth; }
  void SetDefaultTabWidth(int Value) { FDefaultTabWidth = Value; }

  // Published events
  TskMDITabEvent OnTabMouseEnter;
  TskMDITabEvent OnTabMouseLeave;
  TskMDITabMouseEvent OnTabMouseDown;
  TskMDITabMouseEvent OnTabMouseUp;

  // Operations
  void AddTab(classlib::TForm* Form);
  void DeleteTab(classlib::TForm* Form);
  void CheckActive();
  void ClearObjects();
  int GetTabIndex(int X, int Y) const;
  TskMDITab* GetTab(int X, int Y) const;
  void TestActive(int X, int Y);
  void CalcObjectRects();
  int GetMoveIndex() const;
  void GetSkinData() override;
  void ChangeSkinData() override;

  int TabCount() const { return static_cast<int>(FTabs.size()); }
  TskMDITab* Tabs(int Index) const { return FTabs.at(static_cast<size_t>(Index)).get(); }
  int HotTabIndex() const { return FHotTabIndex; }
  int DraggedTabIndex() const { return FDraggedTabIndex; }
  bool DragInProgress() const { return FDragInProgress; }

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

private:
  friend class TskMDITab;
  // The description in use, or null.
  const TskDataSkinTabControl* Description() const;
  void DrawTabs(classlib::TBitmap& B);
  void DrawDropMark(classlib::TCanvas& Canvas);
  // The font of the captions: the skin's with UseSkinFont, else DefaultFont, in the skin's
  // character set when its string table has one.
  void SetCaptionFont(classlib::TCanvas& Canvas, bool Skinned, classlib::TColor SkinColor) const;
  void RightClickTab(TskMDITab& Tab);
  // Takes the tab out of the row, keeping the hot and dragged indexes on their tabs.
  void RemoveTab(int Index);

  TskSkinMDITabKind FTabKind = TskSkinMDITabKind::sktkTab;
  bool FSupportChildMenus = true;
  TskFormSkin* FFormSkin = nullptr;
  bool FDragInProgress = false;
  int FDownX = 0;
  int FDragGrabOffset = 0;
  bool FMouseDownOnTab = false;
  int FDraggedTabIndex = -1;
  int FDefaultTabWidth = 100;
  int FDefaultHeight = 21;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  int FHotTabIndex = -1;
  int FOldHotTabIndex = -1;
  bool FMoveTabs = true;
  bool FUseSkinSize = true;
  bool FUseSkinFont = true;
  std::vector<std::unique_ptr<TskMDITab>> FTabs;
  // Values of the "tab" description.
  classlib::TBitmap* FSourcePicture = nullptr;
  classlib::TRect FTabRect{}, FActiveTabRect{}, FMouseInTabRect{}, FTabsBGRect{};
  int FTabLeftOffset = 0, FTabRightOffset = 0;
  classlib::String FFontName;
  classlib::TFontStyles FFontStyle;
  int FFontHeight = 0;
  classlib::TColor FFontColor = 0, FActiveFontColor = 0, FMouseInFontColor = 0;
};

}  // namespace skin
