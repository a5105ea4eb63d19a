// One visible item of a skinned popup menu window: its bounds, its hover, submenu and keyboard
// states, the hover morph and its painting from the skin's menu-item object or in the default look.
//
// Classes in this file: TskSkinMenuItem.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Menus.h"
#include "skin/data/SkinObjectDescriptions.h"

namespace skin {

class TskSkinPopupWindow;

// Text in the canvas's font and colour, over a clear background, with the system's DrawText flags;
// with DT_CALCRECT R becomes the text's extent.
void DrawMenuText(classlib::TCanvas& Canvas, const classlib::String& Text, classlib::TRect& R, UINT Flags);
// The width of one line of text in the canvas's font, accelerator prefixes taken out.
int MenuTextWidth(classlib::TCanvas& Canvas, const classlib::String& Text);

class TskSkinMenuItem : public classlib::TObject {
public:
  // ADescription is the skin's menu-item object, or null for the default look. The description is
  // shared by every item and window of the skin and is only read.
  TskSkinMenuItem(TskSkinPopupWindow* AParentWindow, classlib::TMenuItem* ASourceItem,
                  const TskDataSkinMenuItem* ADescription);

  // Data members
  TskSkinPopupWindow* const ParentWindow;
  const TskDataSkinMenuItem* const ItemDescription;
  // The skin's picture of the item looks (not owned); null leaves the item in the default look.
  classlib::TBitmap* ItemPicture = nullptr;
  // 0 shows the normal image, 1 the active one.
  double MorphKf = 0;
  classlib::TMenuItem* const SourceItem;
  classlib::TRect ItemBounds{};
  bool Hot = false;
  bool SubMenuOpen = false;
  bool InView = true;
  bool KeySelected = false;

  // Attributes
  bool IsSeparator() const { return SourceItem->IsLine(); }
  bool Active() const { return Hot || SubMenuOpen; }
  bool EnableMorphing() const;
  // Whether a morph step is due; an item scrolled out of view drops its hover and morph state.
  virtual bool CanMorphing();

  // Operations
  void DoMorphing();
  void SetMorphKf(double Value);
  // Paints the new state: at once, or through the window's morph steps.
  void Redraw();
  void MouseDown(int X, int Y);
  void MouseEnter(bool ByKey);
  void MouseLeave();
  void Draw(classlib::TCanvas& Canvas);
  void DefaultDraw(classlib::TCanvas& Canvas);

private:
  bool Skinned() const { return ItemDescription && ItemPicture; }
  void CreateItemImage(classlib::TBitmap& Image, bool AActive);
  void CreateDividerImage(classlib::TBitmap& Image);
  // Puts a picture of the item at its place, mixed with the screen under an emulated blend.
  void PutImage(classlib::TCanvas& Canvas, classlib::TBitmap& Image);
  // The item's picture of the menu's images, its check frame, the system glyphs, tick or dot.
  void DrawGlyphs(classlib::TCanvas& Canvas, const classlib::TRect& Area, int ImageX, int GlyphX, int CheckX,
                  classlib::TColor Color);
  // The caption, the short cut and the submenu arrow in Area, text between Left and Right.
  void DrawTexts(classlib::TCanvas& Canvas, const classlib::TRect& Area, int Left, int Right, int ArrowX);
};

}  // namespace skin
