// The system header control with skinned sections: drawn from a "button" description in three
// states (normal, active under the pointer, pressed), with hot tracking and a click event of its own.
// It paints itself completely; the system header draws nothing.
//
// Classes in this file: TskSkinHeaderControl.
#pragma once

#include "platform/classlib/HeaderControl.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/data/SkinData.h"

#include <functional>
#include <memory>

namespace skin {

// Draws a section's caption and picture in place of the control: Rect is the caption rectangle inside
// the section bitmap, Cnvs that bitmap's canvas, already holding the background.
using TskCustomDrawSkinSectionEvent =
    std::function<void(classlib::THeaderControl* HeaderControl, classlib::THeaderSection* Section,
                       classlib::TRect& Rect, bool Active, bool Pressed, classlib::TCanvas& Cnvs)>;

class TskSkinHeaderControl : public classlib::THeaderControl, public TskSkinChangeClient {
public:
  explicit TskSkinHeaderControl(classlib::TComponent* AOwner);
  ~TskSkinHeaderControl() override;

  classlib::TSectionNotifyEvent OnSkinSectionClick;
  TskCustomDrawSkinSectionEvent OnDrawSkinSection;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  classlib::TFont& DefaultFont() { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  // The height without a skin; 0 leaves the height as asked.
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int Value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  int SkinControlIndex() const { return FSkinControlIndex; }
  // The section under the pointer, -1 for none; and whether a section is held down.
  int HotSection() const { return FHotSection; }
  bool HeaderPressed() const { return FHeaderPressed; }

  // Operations
  void GetSkinData();
  void ChangeSkinData() override;
  // The rectangle of the section at display position Index.
  classlib::TRect GetSkinItemRect(int Index) const;
  // Draws Section at R of Cnvs, from the skin or in the default look.
  void DrawSkinSectionR(classlib::TCanvas& Cnvs, classlib::THeaderSection* Section, bool Active, bool Pressed,
                        const classlib::TRect& R);
  // Draws the section at display position Index; returns where.
  classlib::TRect DrawSkinSection(classlib::TCanvas& Cnvs, int Index, bool Active, bool Pressed);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void PaintWindow(HDC DC) override;
  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateHandleDone() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void DrawSection(classlib::THeaderSection* Section, const classlib::TRect& Rect, bool Pressed) override;

private:
  // The description's values as last copied.
  struct TLook {
    classlib::TPoint LeftTopPoint{}, RightTopPoint{}, LeftBottomPoint{}, RightBottomPoint{};
    classlib::TRect SkinRect{};
    classlib::TRect ClientRect{};
    classlib::TRect ActiveSkinRect{};
    classlib::TRect DownSkinRect{};
    classlib::TBitmap* Picture = nullptr;
    classlib::String FontName;
    classlib::TFontStyles FontStyle;
    int FontHeight = 0;
    classlib::TColor FontColor = 0;
    classlib::TColor ActiveFontColor = 0;
    classlib::TColor DownFontColor = 0;
    bool StretchEffect = false;
  };

  // A description of the right kind was found, with a picture to draw from.
  bool Skinned() const { return FSkinControlIndex != -1 && FLook.Picture; }
  // The skin's picture is a strip one section high (no bottom anchors).
  bool ThreePart() const { return FLook.LeftBottomPoint.x == 0 && FLook.LeftBottomPoint.y == 0; }
  // The height the skin or DefaultHeight sets, or Height when neither does.
  int FixedHeight(int Height) const;
  bool Designing() const;
  int SectionAt(int Index) const;
  void BuildImage(classlib::TBitmap& B, const classlib::TRect& StateRect, int W, int H, bool OpenEnded);
  void DrawContent(classlib::TCanvas& Canvas, classlib::THeaderSection& Section, const classlib::TRect& T);
  void DrawFiller(classlib::TCanvas& Canvas, const classlib::TRect& F);
  void TestActive(int X, int Y);

  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "resizebutton";
  int FSkinControlIndex = -1;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  bool FUseSkinFont = true;
  int FDefaultHeight = 0;
  bool FDividerHit = false;
  bool FHeaderPressed = false;
  bool FDragTracking = false;
  int FHotSection = -1;
  int FOldHotSection = -1;
  TLook FLook;
};

}  // namespace skin
