// The active objects of a skinned form's frame: rectangles of the skin's pictures placed on the form
// that react to the mouse and redraw themselves (hover, pressed and inactive-form looks, morphing
// between looks), the caption buttons with their look when there is no skin, the caption, the items
// of the main menu drawn in the frame, and the base of non-visual components that follow a skin.
//
// Classes in this file: TskActiveSkinObject, TskUserObject, TskSkinButtonObject,
// TskSkinStdButtonObject, TskSkinCaptionObject, TskSkinMainMenuItem, TskSkinComponent.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls.h"
#include "skin/data/Skeffbmp.h"
#include "skin/form/FormSkin.h"

namespace skin {

// The skin's look of an inactive form applied to a buffer.
void ApplyInActiveEffect(TskEffectBmp& Buffer, TskInActiveEffect Effect);

// ObjectRect of an object of F in screen coordinates (where its menu drops).
classlib::TRect ObjectScreenRect(const TskFormSkin& F, const classlib::TRect& ObjectRect);

// Rectangles read from a description are in the coordinates of the skin's pictures; ObjectRect is in
// the coordinates of the form's window (of its client area when the frame is drawn there), the space
// of the mouse points the form component passes in. A rectangle whose width or height is not
// positive counts as absent. The objects share the skin's pictures and never free them.
class TskActiveSkinObject {
public:
  // Without a description only Parent, SkinData and the flags are set; the form component completes
  // the default caption buttons.
  TskActiveSkinObject(TskFormSkin* AParent, const TskDataSkinObject* AData);
  virtual ~TskActiveSkinObject() = default;
  TskActiveSkinObject(const TskActiveSkinObject&) = delete;
  TskActiveSkinObject& operator=(const TskActiveSkinObject&) = delete;

  // UpDate is true when the object alone is redrawn over a frame already on screen, false when it is
  // drawn as part of a whole frame whose picture already shows every object's normal look.
  virtual void Draw(classlib::TCanvas& Canvas, bool UpDate);
  virtual void DblClick() {}
  virtual void MouseDown(int X, int Y, classlib::TMouseButton Button);
  virtual void MouseUp(int X, int Y, classlib::TMouseButton Button);
  virtual void MouseMove(int X, int Y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual bool CanMorphing() const;

  bool EnableMorphing() const;
  // Starts the form component's morph timer when morphing, else draws the object at once.
  void Redraw();
  // One step of the hover fade (0.2 toward the active or the normal look), then a redraw.
  void DoMorphing();
  // Stores Value within 0..1 (a value that is not a number counts as 0).
  void SetMorphKf(double Value);

  TskFormSkin* Parent;
  double MorphKf = 0;
  bool Hovered = false;
  classlib::TBitmap* SourcePicture = nullptr;
  classlib::TBitmap* ObjectPicture = nullptr;
  TskSkinData* SkinData;
  classlib::String IDName;
  classlib::String Hint;
  classlib::TRect SkinRect{};
  classlib::TRect ActiveSkinRect{};
  classlib::TRect InActiveSkinRect{};
  bool Morphing = false;
  TMorphKind MorphKind = TMorphKind::mkDefault;
  classlib::TRect ObjectRect{};
  bool Active = false;
  bool Enabled = true;
  int CursorIndex = -1;
  bool RollUp = false;
  bool Visible = true;
  bool SkinRectInAPicture = false;

protected:
  // The picture of the normal look: the object's own picture when its look lives there, else the
  // frame picture.
  classlib::TBitmap* NormalPicture() const { return SkinRectInAPicture ? ObjectPicture : SourcePicture; }
  // Source of Picture copied onto ObjectRect, stretched when the sizes differ; nothing without a
  // picture or with an absent source.
  void CopyLook(classlib::TCanvas& Canvas, classlib::TBitmap* Picture, const classlib::TRect& Source) const;
  // Whether the hover fade stands between its two ends.
  bool MorphRunning() const;
  // The normal look morphed toward the active look by MorphKf, drawn at ObjectRect's corner.
  void DrawMorph(classlib::TCanvas& Canvas, classlib::TBitmap* NormalPic, const classlib::TRect& NormalRect,
                 classlib::TBitmap* ActivePic, const classlib::TRect& ActiveRect) const;
};

// Drawn by the application: its Draw fires the form component's OnPaintEvent.
class TskUserObject : public TskActiveSkinObject {
public:
  using TskActiveSkinObject::TskActiveSkinObject;

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;
};

// A push button of the frame. Buttons of one group (GroupIndex other than -1) stay down one at a
// time; a button with a menu stays down while its menu is open.
class TskSkinButtonObject : public TskActiveSkinObject {
public:
  TskSkinButtonObject(TskFormSkin* AParent, const TskDataSkinObject* AData);

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;
  void MouseDown(int X, int Y, classlib::TMouseButton Button) override;
  void MouseUp(int X, int Y, classlib::TMouseButton Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  void SetDown(bool Value);
  // Opens MenuItem's subitems as a skinned menu beside the button.
  void TrackMenu();

  bool Down = false;
  bool OpenUpward = false;
  classlib::TRect DownRect{};
  classlib::TRect DisabledSkinRect{};
  int GroupIndex = -1;
  classlib::TMenuItem* MenuItem = nullptr;

protected:
  // The button's rectangle on the screen.
  classlib::TRect ScreenRect() const;

private:
  void ReleaseGroup();
};

// A caption button: close, maximize, minimize, system menu, roll-up, minimize to tray or one the
// application handles itself (cmDefault). While the form is in the state its command undoes, it
// shows its restore looks.
class TskSkinStdButtonObject : public TskSkinButtonObject {
public:
  TskSkinStdButtonObject(TskFormSkin* AParent, const TskDataSkinObject* AData);

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;
  void DblClick() override;
  void MouseDown(int X, int Y, classlib::TMouseButton Button) override;
  void MouseUp(int X, int Y, classlib::TMouseButton Button) override;
  bool CanMorphing() const override;

  // The look without a skin: a flat face with a glyph, framed while the pointer is in.
  void DefaultDraw(classlib::TCanvas& Canvas);
  void DoMax();
  void DoMin();
  void DoClose();
  void DoRollUp();
  void DoMinimizeToTray();
  void DoCommand();

  bool SkinSupport = false;
  TStdCommand Command = TStdCommand::cmDefault;
  classlib::TRect RestoreRect{};
  classlib::TRect RestoreActiveRect{};
  classlib::TRect RestoreDownRect{};
  classlib::TRect RestoreInActiveRect{};

private:
  // The form is in the state the command undoes.
  bool RestoreMode() const;
  // A system-menu button that shows the form's icon.
  bool DrawsIcon() const;
};

// The form's caption: its background from the skin (tiled or stretched as the frame grows), the
// caption text cut to fit, with an optional plate, light and shadow, one look for the active form and
// one for the inactive form. In client mode it also drags the form.
class TskSkinCaptionObject : public TskActiveSkinObject {
public:
  TskSkinCaptionObject(TskFormSkin* AParent, const TskDataSkinCaption* AData);

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;
  void MouseDown(int X, int Y, classlib::TMouseButton Button) override;
  void MouseUp(int X, int Y, classlib::TMouseButton Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // Stores the text and redraws; the caption shows the form's own caption whatever is stored.
  void SetTextValue(const classlib::String& Value);
  void SimpleSetTextValue(const classlib::String& Value) { TextValue = Value; }

  // Where SkinRect lies against the skin's anchors: 0 not stretched, 1 top band, 2 bottom band,
  // 3 left side, 4 right side.
  int Band() const;
  // The text area at the present size, in the object's own coordinates.
  classlib::TRect TextArea() const;

  classlib::String TextValue;
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight = 14;
  classlib::TColor FontColor = 0;
  classlib::TColor ActiveFontColor = 0;
  classlib::TColor ShadowColor = 0;
  classlib::TColor ActiveShadowColor = 0;
  bool Shadow = false;
  classlib::TAlignment Alignment = classlib::TAlignment::taCenter;
  classlib::TRect TextRect{};
  bool DefaultCaption = false;
  classlib::TRect FrameRect{};
  classlib::TRect ActiveFrameRect{};
  int FrameLeftOffset = 0;
  int FrameRightOffset = 0;
  classlib::TRect FrameTextRect{};
  classlib::TColor LightColor = 0;
  classlib::TColor ActiveLightColor = 0;
  bool Light = false;

private:
  // The background of the look whose source is S of Picture, at ObjectRect's size.
  void MakeBackground(classlib::TBitmap& B, classlib::TBitmap* Picture, const classlib::TRect& S) const;
  void DrawCaptionText(classlib::TCanvas& Canvas, int DX, int DY, classlib::TColor Color, bool AActive) const;
  void DrawInActiveEffect(classlib::TCanvas& Canvas, classlib::TBitmap& B, bool ApplyEffect) const;
};

// One top-level item of the form's main menu drawn in the frame: placed after the item before it,
// sized to its caption, hidden when the menu area has no more room.
class TskSkinMainMenuItem : public TskActiveSkinObject {
public:
  TskSkinMainMenuItem(TskFormSkin* AParent, const TskDataSkinMainMenuItem* AData);

  void Draw(classlib::TCanvas& Canvas, bool UpDate) override;
  void MouseDown(int X, int Y, classlib::TMouseButton Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  void SetDown(bool Value);
  // The first other pressed item is released; whether there was one.
  bool SearchDown();
  // The first other hot item gets its MouseLeave.
  void SearchActive();
  void TrackMenu();

  classlib::TRect ScratchRect{};
  bool Down = false;
  bool PreviousEnabled = true;
  bool Fits = true;
  classlib::TMenuItem* MenuItem = nullptr;
  classlib::String FontName;
  int FontHeight = 14;
  classlib::TFontStyles FontStyle;
  classlib::TColor UnEnabledFontColor = 0;
  classlib::TColor FontColor = 0;
  classlib::TColor ActiveFontColor = 0;
  classlib::TColor DownFontColor = 0;
  classlib::TRect TextRect{};
  classlib::TRect DownRect{};
  int LeftCapWidth = 0;
  int RightCapWidth = 0;

private:
  void Layout(classlib::TCanvas& Canvas, bool UpDate);
  void MakeImage(classlib::TBitmap& B, const classlib::TRect& S, classlib::TColor Color) const;
  classlib::String Caption() const;
};

// Base of the non-visual components that follow a skin; the form component calls the two change
// operations on every such component of its form around a skin change.
class TskSkinComponent : public classlib::TComponent {
public:
  explicit TskSkinComponent(classlib::TComponent* AOwner) : TComponent(AOwner) {}

  TskSkinData* SkinData() const { return FSkinData; }
  virtual void SetSkinData(TskSkinData* Value);
  virtual void BeforeChangeSkinData() {}
  virtual void ChangeSkinData() {}

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

  TskSkinData* FSkinData = nullptr;
};

}  // namespace skin
