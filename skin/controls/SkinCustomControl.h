// Resizable skinned controls: the geometry of a resizable control description (a piece of the
// skin picture, four anchors that say how it grows, the client rectangle, a mask), a default font
// and a default size for the unskinned look.
//
// Classes in this file: TskSkinGeometry, TskSkinCustomControl (windowed),
// TskGraphicSkinCustomControl (windowless).
#pragma once

#include "skin/controls/SkinControl.h"
#include "skin/data/SkinDescriptions.h"

#include <memory>

namespace skin {

// The skin geometry both resizable bases keep. Points and the client rectangle are relative to
// SkinRect's top-left corner; the Real... values are laid out for the control's current size.
struct TskSkinGeometry {
  classlib::TPoint SkinLeftTopPoint{}, SkinRightTopPoint{}, SkinLeftBottomPoint{}, SkinRightBottomPoint{};
  classlib::TRect SkinRect{};
  classlib::TRect SkinClientRect{};
  classlib::TPoint RealLeftTopPoint{}, RealRightTopPoint{}, RealLeftBottomPoint{}, RealRightBottomPoint{};
  classlib::TRect RealClientRect{};
  classlib::TBitmap* SkinBitmap = nullptr;
  classlib::TBitmap* SkinMaskPicture = nullptr;
  int SkinResizeMode = 0;
  bool SkinStretchEffect = false;

  // -1 without a skin piece, 1 growing both ways, 2 in width only, 3 in height only, 0 fixed.
  int GetResizeMode() const;
  // Copies the description's geometry and pictures and computes the resize mode.
  void CopyGeometry(const TskDataSkinCustomControl& Data, const TskSkinData& Skin, int& CursorIndex);
  // Lays the anchors out for a requested W x H, pinning the dimensions the mode fixes.
  void CalcGeometry(int& W, int& H);
  // R (in skin coordinates) placed for a control of W x H.
  classlib::TRect GetNewRect(const classlib::TRect& R, int W, int H) const;
  // The piece R of Picture laid out on B for a control of W x H.
  void CreateSkinControlImage(classlib::TBitmap& B, classlib::TBitmap* Picture, const classlib::TRect& R, int W,
                              int H);
  // The region of the mask laid out for W x H (the caller owns it), 0 when none.
  HRGN CreateRegion(int W, int H) const;
};

// The picture of the skin's extra picture list at Index, or none.
classlib::TBitmap* SkinPicture(const TskSkinData& Skin, int Index);

class TskSkinCustomControl : public TskSkinControl, public TskSkinGeometry {
public:
  explicit TskSkinCustomControl(classlib::TComponent* AOwner);
  ~TskSkinCustomControl() override;

  // Attributes
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int Value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int Value);
  classlib::TFont& DefaultFont() { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  HRGN RegionHandle() const { return FRegionHandle; }

  int GetRealClientLeft() const { return RealClientRect.left; }
  int GetRealClientTop() const { return RealClientRect.top; }
  int GetRealClientWidth() const { return RealClientRect.right - RealClientRect.left; }
  int GetRealClientHeight() const { return RealClientRect.bottom - RealClientRect.top; }
  classlib::TRect GetNewRect(const classlib::TRect& R) const { return TskSkinGeometry::GetNewRect(R, Width(), Height()); }

  // Operations
  void GetSkinData() override;
  void ChangeSkinData() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  virtual void CalcSize(int& W, int& H) { CalcGeometry(W, H); }

protected:
  virtual void DefaultFontChange() {}
  virtual void SetControlRegion();
  void CreateControlRegion();
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void CreateSkinControlImage(classlib::TBitmap& B, classlib::TBitmap* Picture, const classlib::TRect& R) {
    TskSkinGeometry::CreateSkinControlImage(B, Picture, R, Width(), Height());
  }
  void CreateHandleDone() override;

  bool FUseSkinFont = true;
  int FDefaultWidth = 0;
  int FDefaultHeight = 0;
  std::unique_ptr<classlib::TFont> FDefaultFont;
};

class TskGraphicSkinCustomControl : public TskGraphicSkinControl, public TskSkinGeometry {
public:
  explicit TskGraphicSkinCustomControl(classlib::TComponent* AOwner);

  // Attributes
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int Value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int Value);
  classlib::TFont& DefaultFont() { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);

  int GetRealClientLeft() const { return RealClientRect.left; }
  int GetRealClientTop() const { return RealClientRect.top; }
  int GetRealClientWidth() const { return RealClientRect.right - RealClientRect.left; }
  int GetRealClientHeight() const { return RealClientRect.bottom - RealClientRect.top; }
  classlib::TRect GetNewRect(const classlib::TRect& R) const { return TskSkinGeometry::GetNewRect(R, Width(), Height()); }

  // Operations
  void GetSkinData() override;
  void ChangeSkinData() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  virtual void CalcSize(int& W, int& H) { CalcGeometry(W, H); }

protected:
  virtual void DefaultFontChange() {}
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void CreateSkinControlImage(classlib::TBitmap& B, classlib::TBitmap* Picture, const classlib::TRect& R) {
    TskSkinGeometry::CreateSkinControlImage(B, Picture, R, Width(), Height());
  }

  int FDefaultWidth = 0;
  int FDefaultHeight = 0;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  bool FUseSkinFont = true;
};

}  // namespace skin
