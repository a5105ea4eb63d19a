#include "skin/form/SkinMenuButtons.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/Skutils.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/SkinPopupMenu.h"

namespace skin {

using namespace classlib;

namespace {

constexpr TColor LightFill = 0xD2BDB6;
constexpr TColor DarkFill = 0xB59385;

// How a face of the button is drawn.
enum class TLook { None, Normal, Hot, Pressed };

void Face(TCanvas& Canvas, const TRect& R, TColor Frame, TColor Fill) {
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(Frame);
  Canvas.FrameRect(R);
  Canvas.Brush()->SetColor(Fill);
  Canvas.FillRect(Rect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1));
}

// The body's and the track part's looks (the same for both outside track-button mode), from the
// button's state; Idle is the look of a button neither pointed at nor pressed.
std::pair<TLook, TLook> Looks(bool TrackMode, bool MenuOpen, bool DownHot, bool Hot, TLook Idle) {
  if (TrackMode && MenuOpen) return {TLook::Hot, TLook::Pressed};
  if (DownHot) return {TLook::Pressed, TLook::Pressed};
  if (Hot) return {TLook::Hot, TLook::Hot};
  return {Idle, Idle};
}

void DefaultFace(TCanvas& Canvas, const TRect& R, TLook Look) {
  switch (Look) {
    case TLook::Pressed: Face(Canvas, R, clNavy, DarkFill); break;
    case TLook::Hot: Face(Canvas, R, clNavy, LightFill); break;
    case TLook::Normal: Face(Canvas, R, clBtnShadow, clBtnFace); break;
    case TLook::None: break;
  }
}

// Draws the default faces; true when the caption is drawn pressed.
bool DrawDefaultFaces(TCanvas& Canvas, int W, int H, bool TrackMode, bool MenuOpen, bool DownHot, bool Hot) {
  const auto [body, track] = Looks(TrackMode, MenuOpen, DownHot, Hot, TLook::Normal);
  if (TrackMode) {
    DefaultFace(Canvas, Rect(0, 0, W - TskMenuTrack::TrackPartWidth, H), body);
    DefaultFace(Canvas, Rect(W - TskMenuTrack::TrackPartWidth, 0, W, H), track);
  } else {
    DefaultFace(Canvas, Rect(0, 0, W, H), body);
  }
  return body == TLook::Pressed;
}

// The drop-down arrow in the part at the right edge, moved when pressed or open.
void DrawMenuArrow(TCanvas& Canvas, int W, int H, TColor Color, bool Shifted) {
  TRect r = Rect(W - TskMenuTrack::TrackPartWidth, 0, W, H);
  if (Shifted) OffsetRect(&r, 2, 2);
  DrawTrackArrowImage(Canvas, r, Color);
}

// The piece R of the skin laid out as a nine-part image W x H, drawn at X.
void DrawPiece(TskSkinGeometry Geometry, TCanvas& Canvas, const TRect& R, int X, int W, int H) {
  if (W <= 0 || H <= 0 || !Geometry.SkinBitmap || Geometry.SkinBitmap->Empty()) return;
  int w = W, h = H;
  Geometry.CalcGeometry(w, h);
  TBitmap piece;
  piece.SetSize(w, h);
  Geometry.CreateSkinControlImage(piece, Geometry.SkinBitmap, R, w, h);
  Canvas.Draw(X, 0, &piece);
}

struct TStateRects {
  TRect Normal, Hot, Pressed;
  const TRect& Of(TLook Look) const { return Look == TLook::Pressed ? Pressed : Look == TLook::Hot ? Hot : Normal; }
};

// The skinned faces of a "resizebutton" button: body and track part as two images in track-button
// mode, one otherwise. Returns the look of the body, which the caption follows.
TLook DrawResizeFaces(const TskSkinGeometry& Geometry, TCanvas& Canvas, int W, int H, const TStateRects& Rects,
                      bool TrackMode, bool MenuOpen, bool DownHot, bool Hot, bool DrawIdle) {
  const auto [body, track] = Looks(TrackMode, MenuOpen, DownHot, Hot, DrawIdle ? TLook::Normal : TLook::None);
  if (body == TLook::None) return TLook::Normal;
  const int part = TskMenuTrack::TrackPartWidth;
  if (TrackMode) {
    DrawPiece(Geometry, Canvas, Rects.Of(body), 0, W - part, H);
    DrawPiece(Geometry, Canvas, Rects.Of(track), W - part, part, H);
  } else {
    DrawPiece(Geometry, Canvas, Rects.Of(body), 0, W, H);
  }
  return body;
}

// The client rectangle laid out for W x H, less the track part.
TRect ResizeLayout(TskSkinGeometry Geometry, int W, int H) {
  int w = W, h = H;
  Geometry.CalcGeometry(w, h);
  TRect r = Geometry.RealClientRect;
  r.right -= TskMenuTrack::TrackPartWidth;
  return r;
}

TRect MovedTrackRect(const TskSkinGeometry& Geometry, const TRect& R, int W, int H) {
  TRect r = R;
  if (Geometry.SkinResizeMode == 2) OffsetRect(&r, W - RectWidth(Geometry.SkinRect), 0);
  else if (Geometry.SkinResizeMode == 3) OffsetRect(&r, 0, H - RectHeight(Geometry.SkinRect));
  return r;
}

bool Contains(const TRect& R, int X, int Y) { return X >= R.left && X <= R.right && Y >= R.top && Y <= R.bottom; }

// The button's rectangle on the screen, below which the menu drops.
TRect ScreenRect(const TControl& Control) {
  const TPoint origin = Control.ClientToScreen(Point(0, 0));
  return Rect(origin.x, origin.y, origin.x + Control.Width(), origin.y + Control.Height());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskMenuTrack

void TskMenuTrack::SetPopupMenu(TskSkinPopupMenu* Value) {
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(&FButton);
  FPopupMenu = Value;
  if (FPopupMenu) FPopupMenu->FreeNotification(&FButton);
}

void TskMenuTrack::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TskMenuTrack::ReadDescription(const TskSkinData* Skin, int Index) {
  FTrackPartRect = FOwnDownSkinRect = TRect{};
  if (Index == -1) return;
  const TskDataSkinControl* data = Skin->CtrlList[static_cast<size_t>(Index)].get();
  if (const auto* menu = dynamic_cast<const TskDataSkinMenuButtonControl*>(data)) {
    FTrackPartRect = menu->TrackButtonRect;
  }
  if (const auto* button = dynamic_cast<const TskDataSkinButtonControl*>(data)) FOwnDownSkinRect = button->DownSkinRect;
}

TRect TskMenuTrack::NewTrackButtonRect() const {
  return MovedTrackRect(FGeometry, FTrackPartRect, FButton.Width(), FButton.Height());
}

// In track-button mode the part that opens the menu is the right 15 pixels without a description of
// the button's own, or when the description names no track part.
bool TskMenuTrack::CanTrack(bool Skinned, const String& Name, int X, int Y) const {
  if (!FPopupMenu) return false;
  if (!FTrackButtonMode) return true;
  const int w = FButton.Width(), h = FButton.Height();
  const TRect part = Skinned && Name != "resizebutton" && !IsNullRect(FTrackPartRect)
                         ? MovedTrackRect(FGeometry, FTrackPartRect, w, h)
                         : Rect(w - TrackPartWidth, 0, w, h);
  return Contains(part, X, Y);
}

void TskMenuTrack::Popup(const TNotifyEvent& OnShow) const {
  if (!FPopupMenu) return;
  FPopupMenu->PopupFromRect2(&FButton, ScreenRect(FButton), false);
  if (OnShow) OnShow(&FButton);
}

bool TskMenuTrack::HasPressedTrackPart() const {
  return FMenuOpen && FTrackButtonMode && !IsNullRect(FTrackPartRect) && !IsNullRect(FOwnDownSkinRect);
}

void TskMenuTrack::CopyPressedTrackPart(TBitmap& B, TBitmap* Picture) const {
  if (!Picture || Picture->Empty()) return;
  TRect source = FTrackPartRect;
  OffsetRect(&source, FOwnDownSkinRect.left, FOwnDownSkinRect.top);
  B.Canvas()->CopyRect(NewTrackButtonRect(), *Picture->Canvas(), source);
}

// ---------------------------------------------------------------------------------------------
// TskSkinMenuButton

TskSkinMenuButton::TskSkinMenuButton(TComponent* AOwner) : TskSkinButton(AOwner), FMenuTrack(*this, *this) {
  FSkinDataName = "toolmenubutton";
}

void TskSkinMenuButton::SetSkinPopupMenu(TskSkinPopupMenu* Value) { FMenuTrack.SetPopupMenu(Value); }

void TskSkinMenuButton::SetTrackButtonMode(bool Value) {
  FMenuTrack.SetTrackButtonMode(Value);
  if (FSkinControlIndex == -1) Repaint();
}

void TskSkinMenuButton::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinButton::Notification(AComponent, Operation);
  FMenuTrack.Notification(AComponent, Operation);
}

void TskSkinMenuButton::GetSkinData() {
  TskSkinButton::GetSkinData();
  FMenuTrack.ReadDescription(FSkinData, FSkinControlIndex);
}

TRect TskSkinMenuButton::GetNewTrackButtonRect() const { return FMenuTrack.NewTrackButtonRect(); }

bool TskSkinMenuButton::CanMenuTrack(int X, int Y) {
  return FMenuTrack.CanTrack(FSkinControlIndex != -1, FSkinDataName, X, Y);
}

void TskSkinMenuButton::TrackMenu() {
  if (!FMenuTrack.PopupMenu()) return;
  if (EnableMorphing()) FMorphKf = 1;
  FMenuTrack.Popup(OnShowTrackMenu);
}

void TskSkinMenuButton::OpenMenu() {
  FMenuTrack.SetMenuOpen(true);
  if (!FDown) SetDown(true);
  TrackMenu();
}

void TskSkinMenuButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft) {
    FMenuTrack.SetMenuOpen(CanMenuTrack(X, Y));
    if (TrackMenuOpen()) {
      OpenMenu();
      return;
    }
  }
  TskSkinButton::MouseDown(Button, Shift, X, Y);
}

// The release of the press that opened the menu is no click.
void TskSkinMenuButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!TrackMenuOpen()) TskSkinButton::MouseUp(Button, Shift, X, Y);
}

void TskSkinMenuButton::CreateControlDefaultImage(TBitmap& B) {
  TskSkinCustomControl::CreateControlDefaultImage(B);
  TCanvas& canvas = *B.Canvas();
  canvas.Font()->Assign(*FDefaultFont);
  if (FSkinData && FSkinData->ResourceStrData()) canvas.Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
  if (!Enabled()) canvas.Font()->SetColor(clBtnShadow);
  const int w = Width(), h = Height();
  const bool pressed =
      DrawDefaultFaces(canvas, w, h, TrackButtonMode(), TrackMenuOpen(), FDown && FHovered, FHovered || IsFocused());
  DrawGlyphAndText(canvas, Rect(0, 0, w - TrackPartWidth, h), FMargin, FSpacing, FLayout, Caption(), *FGlyph,
                   FNumGlyphs, 1, pressed);
  DrawMenuArrow(canvas, w, h, clBtnText, pressed || TrackMenuOpen());
}

void TskSkinMenuButton::CreateButtonImage(TBitmap& B, const TRect& R, bool ADown, bool AHot) {
  if (FSkinDataName == "resizebutton") {
    CreateResizeImage(B);
    return;
  }
  if (FMenuTrack.HasPressedTrackPart()) {
    TskSkinButton::CreateButtonImage(B, FActiveSkinRect, false, true);
    FMenuTrack.CopyPressedTrackPart(B, SkinBitmap);
    return;
  }
  TskSkinButton::CreateButtonImage(B, R, ADown, AHot);
}

void TskSkinMenuButton::CreateResizeImage(TBitmap& B) {
  const int w = Width(), h = Height();
  TCanvas& canvas = *B.Canvas();
  const TLook look = DrawResizeFaces(*this, canvas, w, h, {SkinRect, FActiveSkinRect, FDownSkinRect}, TrackButtonMode(),
                                     TrackMenuOpen(), FDown && FHovered, FHovered, true);
  const bool pressed = look == TLook::Pressed;
  const bool hot = look != TLook::Normal;
  PrepareFont(canvas, pressed, hot);
  DrawGlyphAndText(canvas, ResizeLayout(*this, w, h), FMargin, FSpacing, FLayout, Caption(), *FGlyph, FNumGlyphs,
                   GlyphNumber(pressed, hot), pressed);
  DrawMenuArrow(canvas, w, h, TrackMenuOpen() ? FDownFontColor : canvas.Font()->Color(), pressed || TrackMenuOpen());
}

void TskSkinMenuButton::WndProc(TMessage& Message) {
  if (FCanFocused && Message.WParam == VK_SPACE) {
    if (Message.Msg == WM_KEYDOWN && !TrackButtonMode() && CanMenuTrack(0, 0)) {
      OpenMenu();
      return;
    }
    if (Message.Msg == WM_KEYUP && !TrackMenuOpen()) {
      SetDown(false);
      if (OnClick) OnClick(this);
      return;
    }
  }
  // Return clicks once, through the base on key down; its release adds no second click.
  TskSkinButton::WndProc(Message);
}

void TskSkinMenuButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSESKINMENU:
      FMenuTrack.SetMenuOpen(false);
      SetDown(false);
      if (OnHideTrackMenu) OnHideTrackMenu(this);
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (TrackMenuOpen()) {
        TskSkinCustomControl::Dispatch(Message);
        FHovered = Message.Msg == CM_MOUSEENTER;
        return;
      }
      break;
    case CM_DIALOGCHAR:
      if (!TrackButtonMode() && CanMenuTrack(0, 0) && IsCaptionAccelerator(Message.WParam, Caption()) && CanFocus() &&
          FCanFocused) {
        SetFocus();
        OpenMenu();
        Message.Result = 1;
        return;
      }
      break;
  }
  TskSkinButton::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskSkinMenuSpeedButton

TskSkinMenuSpeedButton::TskSkinMenuSpeedButton(TComponent* AOwner)
    : TskSkinSpeedButton(AOwner), FMenuTrack(*this, *this) {
  FSkinDataName = "menubutton";
}

void TskSkinMenuSpeedButton::SetSkinPopupMenu(TskSkinPopupMenu* Value) { FMenuTrack.SetPopupMenu(Value); }

void TskSkinMenuSpeedButton::SetTrackButtonMode(bool Value) {
  FMenuTrack.SetTrackButtonMode(Value);
  if (FSkinControlIndex == -1) Repaint();
}

void TskSkinMenuSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinSpeedButton::Notification(AComponent, Operation);
  FMenuTrack.Notification(AComponent, Operation);
}

void TskSkinMenuSpeedButton::GetSkinData() {
  TskSkinSpeedButton::GetSkinData();
  FMenuTrack.ReadDescription(FSkinData, FSkinControlIndex);
}

TRect TskSkinMenuSpeedButton::GetNewTrackButtonRect() const { return FMenuTrack.NewTrackButtonRect(); }

bool TskSkinMenuSpeedButton::CanMenuTrack(int X, int Y) {
  return FMenuTrack.CanTrack(FSkinControlIndex != -1, FSkinDataName, X, Y);
}

void TskSkinMenuSpeedButton::TrackMenu() {
  if (!FMenuTrack.PopupMenu()) return;
  if (EnableMorphing()) FMorphKf = 1;
  FMenuTrack.Popup(OnShowTrackMenu);
}

void TskSkinMenuSpeedButton::OpenMenu() {
  FMenuTrack.SetMenuOpen(true);
  if (!FDown) SetDown(true);
  TrackMenu();
}

void TskSkinMenuSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft) {
    FMenuTrack.SetMenuOpen(CanMenuTrack(X, Y));
    if (TrackMenuOpen()) {
      OpenMenu();
      return;
    }
  }
  TskSkinSpeedButton::MouseDown(Button, Shift, X, Y);
}

void TskSkinMenuSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!TrackMenuOpen()) TskSkinSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TskSkinMenuSpeedButton::CreateControlDefaultImage(TBitmap& B) {
  TskGraphicSkinCustomControl::CreateControlDefaultImage(B);
  TCanvas& canvas = *B.Canvas();
  PrepareDefaultFont(canvas);
  const int w = Width(), h = Height();
  const bool pressed = DrawDefaultFaces(canvas, w, h, TrackButtonMode(), TrackMenuOpen(), FDown && FHovered, FHovered);
  DrawContent(canvas, Rect(0, 0, w - TrackPartWidth, h), TPictureMode::Default, FDown, FHovered, pressed,
              GlyphNumber(FDown, FHovered));
  DrawMenuArrow(canvas, w, h, clBtnText, pressed || TrackMenuOpen());
}

void TskSkinMenuSpeedButton::CreateButtonImage(TBitmap& B, const TRect& R, bool ADown, bool AHot) {
  if (FSkinDataName == "resizebutton") {
    CreateResizeImage(B);
    return;
  }
  if (FMenuTrack.HasPressedTrackPart()) {
    TskSkinSpeedButton::CreateButtonImage(B, FActiveSkinRect, false, true);
    FMenuTrack.CopyPressedTrackPart(B, SkinBitmap);
    return;
  }
  TskSkinSpeedButton::CreateButtonImage(B, R, ADown, AHot);
}

void TskSkinMenuSpeedButton::CreateResizeImage(TBitmap& B) {
  const int w = Width(), h = Height();
  TCanvas& canvas = *B.Canvas();
  const TLook look = DrawResizeFaces(*this, canvas, w, h, {SkinRect, FActiveSkinRect, FDownSkinRect}, TrackButtonMode(),
                                     TrackMenuOpen(), FDown && FHovered, FHovered, !FFlat);
  const bool pressed = look == TLook::Pressed;
  const bool hot = look == TLook::Hot || pressed;
  PrepareSkinFont(canvas, pressed, hot, false);
  DrawContent(canvas, ResizeLayout(*this, w, h), TPictureMode::Skinned, FDown, FHovered, pressed,
              GlyphNumber(pressed, hot));
  DrawMenuArrow(canvas, w, h, TrackMenuOpen() ? FDownFontColor : canvas.Font()->Color(), pressed || TrackMenuOpen());
}

void TskSkinMenuSpeedButton::Paint() {
  GetSkinData();
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  if (FHovered || FDown || TrackMenuOpen() || !FFlat) {
    if (FSkinControlIndex == -1) {
      TskGraphicSkinCustomControl::Paint();
    } else if (FSkinDataName == "resizebutton" || TrackMenuOpen()) {
      // The base would draw an open menu's button flat once the pointer is away.
      TBitmap image;
      image.SetSize(w, h);
      const bool pressed = PressedLook();
      CreateButtonImage(image, pressed ? FDownSkinRect : FHovered ? FActiveSkinRect : SkinRect, pressed, FHovered);
      DrawControlImage(image);
    } else {
      TskSkinSpeedButton::Paint();
    }
    return;
  }
  // Flat and idle: the picture and caption only, over whatever lies behind.
  PrepareDefaultFont(Canvas());
  TRect r = Rect(0, 0, w - TrackPartWidth, h);
  if (FSkinControlIndex != -1 && FSkinDataName != "resizebutton") r = RealClientRect;
  DrawContent(Canvas(), r, TPictureMode::Transparent, false, false, false, GlyphNumber(false, false));
  DrawTrackArrowImage(Canvas(), Rect(r.right, 0, w, h), clBtnText);
}

void TskSkinMenuSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSESKINMENU:
      FMenuTrack.SetMenuOpen(false);
      SetDown(false);
      if (OnHideTrackMenu) OnHideTrackMenu(this);
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (TrackMenuOpen()) {
        TskGraphicSkinCustomControl::Dispatch(Message);
        FHovered = Message.Msg == CM_MOUSEENTER;
        return;
      }
      break;
  }
  TskSkinSpeedButton::Dispatch(Message);
}

}  // namespace skin
