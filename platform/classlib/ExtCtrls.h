// Further controls: the bevelled panel and the picture control.
//
// Classes in this file: TPanel, TImage.
#pragma once

#include "platform/classlib/Picture.h"
#include "platform/classlib/StdCtrls.h"

#include <memory>

namespace classlib {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A container with a raised or lowered edge and a caption drawn in its middle.
class TPanel : public TCustomControl {
public:
  explicit TPanel(TComponent* AOwner);

  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  void Paint() override;
  void TextChanged() override;

private:
  void Redraw();

  TBevelCut FBevelOuter = TBevelCut::bvRaised;
  TBevelCut FBevelInner = TBevelCut::bvNone;
  int FBevelWidth = 1;
  TAlignment FAlignment = TAlignment::taCenter;
};

// Where a picture of PictureWidth x PictureHeight goes in a client area of ClientWidth x ClientHeight:
// at its own size in the top-left corner, or scaled to fill it (Stretch), or scaled keeping its
// proportions (Proportional, which also shrinks a picture too large without Stretch); Center
// puts the result in the middle.
TRect ImageDestRect(int PictureWidth, int PictureHeight, int ClientWidth, int ClientHeight, bool Stretch,
                    bool Proportional, bool Center);

// A picture shown on its parent.
class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* AOwner);

  TPicture& Picture() { return *FPicture; }
  void SetPicture(const TPicture& Value) { FPicture->Assign(Value); }
  // The canvas of the picture's bitmap, to draw into the picture. An empty picture first becomes a
  // bitmap of the control's size; a picture of another kind raises EInvalidGraphicOperation.
  // (The control's own canvas is TGraphicControl::Canvas.)
  TCanvas& Canvas();

  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value);
  // Leaves out the picture's transparent colour (what that is depends on the kind of picture).
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // The control takes the size of each picture it is given.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

protected:
  void Paint() override;

private:
  void PictureChanged();

  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
  bool FAutoSize = false;
};

// Registers the classes of this unit with the form reader. A TImage also reads
// "Picture.ResourceName", the name of a BITMAP resource of the program to show.
void RegisterExtControls(TClassRegistry& Registry);

}  // namespace classlib
