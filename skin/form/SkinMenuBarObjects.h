// The light objects a main-menu bar draws itself: one per top-level menu item and, while an MDI child
// is maximized, the child's four buttons. They keep their hover state, fade between their normal
// and hot looks and paint onto the bar's canvas; the bar owns them and passes the mouse on.
//
// Classes in this file: TskMenuBarObject, TskSkinMainMenuBarButton, TskSkinMainMenuBarItem.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Menus.h"
#include "skin/data/SkinObjectDescriptions.h"

namespace skin {

class TskSkinMainMenuBar;

// Rectangles read from a description are in the coordinates of the skin picture the description
// names; ObjectRect is in the bar's client coordinates. A rectangle whose width or height is not
// positive counts as absent.
class TskMenuBarObject {
public:
  // Without a description only the bar is set.
  TskMenuBarObject(TskSkinMainMenuBar* AParent, const TskDataSkinObject* AData);
  virtual ~TskMenuBarObject() = default;
  TskMenuBarObject(const TskMenuBarObject&) = delete;
  TskMenuBarObject& operator=(const TskMenuBarObject&) = delete;

  virtual void Draw(classlib::TCanvas&) {}
  virtual void DblClick() {}
  virtual void MouseDown(int, int, classlib::TMouseButton) {}
  virtual void MouseUp(int, int, classlib::TMouseButton) {}
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual bool CanMorphing() const;

  bool EnableMorphing() const;
  // Starts the bar's morph timer when morphing, else draws the object at once.
  void Redraw();
  // One step of the hover fade, then a redraw on the bar.
  void DoMorphing();
  // Stores Value within 0..1.
  void SetMorphKf(double Value);

  TskSkinMainMenuBar* Parent;
  double MorphKf = 0;
  bool Hovered = false;
  classlib::TBitmap* SourcePicture = nullptr;
  bool Down = false;
  classlib::String IDName;
  classlib::TRect SkinRect{};
  classlib::TRect ActiveSkinRect{};
  classlib::TRect DownRect{};
  bool Morphing = false;
  TMorphKind MorphKind = TMorphKind::mkDefault;
  classlib::TRect ObjectRect{};
  bool Active = false;
  bool Enabled = true;
  bool Visible = true;

protected:
  // The fade stands between its two ends.
  bool MorphRunning() const;
};

// A button of the maximized MDI child: its system menu, close, restore or minimize.
class TskSkinMainMenuBarButton : public TskMenuBarObject {
public:
  TskSkinMainMenuBarButton(TskSkinMainMenuBar* AParent, const TskDataSkinMainMenuBarButton* AData);

  void Draw(classlib::TCanvas& Canvas) override;
  void DblClick() override;
  void MouseDown(int X, int Y, classlib::TMouseButton Button) override;
  void MouseUp(int X, int Y, classlib::TMouseButton Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // Acts on the maximized child: closes, restores or minimizes it, or opens its system menu.
  void DoCommand();

  bool SkinSupport;
  TStdCommand Command = TStdCommand::cmClose;

private:
  // The look without a skin: a flat face with the command's glyph.
  void DefaultDraw(classlib::TCanvas& Canvas);
};

// A top-level menu item on the bar: sized to its caption, placed after the item before it, cut off
// when the bar has no more room.
class TskSkinMainMenuBarItem : public TskMenuBarObject {
public:
  TskSkinMainMenuBarItem(TskSkinMainMenuBar* AParent, const TskDataSkinMainMenuBarItem* AData);

  void Draw(classlib::TCanvas& Canvas) override;
  void MouseDown(int X, int Y, classlib::TMouseButton Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // Down opens the item's drop-down; up lets the item fade out.
  void SetDown(bool Value);
  // Opens the subitems of MenuItem as a skinned menu below (or above) the item.
  void TrackMenu();
  bool HasSubItems() const { return MenuItem && MenuItem->Count() > 0; }

  bool SkinSupport;
  bool SavedEnabled = true;
  bool InBar = true;
  classlib::TMenuItem* MenuItem = nullptr;
  classlib::String FontName = "Arial";
  int FontHeight = 14;
  classlib::TFontStyles FontStyle;
  classlib::TColor UnEnabledFontColor = 0;
  classlib::TColor FontColor = 0;
  classlib::TColor ActiveFontColor = 0;
  classlib::TColor DownFontColor = 0;
  classlib::TRect TextRect{};
  classlib::TRect ItemDownRect{};
  int ItemLeftOffset = 0;
  int ItemRightOffset = 0;
  bool StretchEffect = false;

private:
  // Places the item after the one before it; false when it does not fit (it is then cut off).
  bool Layout(classlib::TCanvas& Canvas);
  void PrepareFont(classlib::TCanvas& Canvas) const;
  // The item's skinned image from the source S with its caption in Color.
  void SkinImage(classlib::TBitmap& B, const classlib::TRect& S, classlib::TColor Color, bool Stretch) const;
  void DefaultImage(classlib::TBitmap& B) const;
  classlib::String Caption() const { return MenuItem ? MenuItem->Caption() : classlib::String(); }
};

}  // namespace skin
