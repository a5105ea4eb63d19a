#include "skin/form/FormSkinObjects.h"

#include "platform/classlib/WideText.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinMenu.h"

#include <algorithm>
#include <cmath>

namespace skin {

using classlib::String;
using classlib::TBitmap;
using classlib::TCanvas;
using classlib::TColor;
using classlib::TMouseButton;
using classlib::TRect;
using classlib::TWindowState;

namespace {

TRect SizeRect(const TRect& R) { return TRect{0, 0, RectWidth(R), RectHeight(R)}; }

// A bitmap of ObjectRect's size.
void SizeLike(TBitmap& B, const TRect& R) { B.SetSize(RectWidth(R), RectHeight(R)); }

// Columns [From, From + Width) of Source onto the columns [X, X + Width) of B, heights stretched.
void CopyColumns(TBitmap& B, int X, int Width, TBitmap& Picture, const TRect& Source, int From) {
  B.Canvas()->CopyRect(TRect{X, 0, X + Width, B.Height()}, *Picture.Canvas(),
                       TRect{Source.left + From, Source.top, Source.left + From + Width, Source.bottom});
}

// Rows [From, From + Height) of Source onto the rows [Y, Y + Height) of B, widths stretched.
void CopyRows(TBitmap& B, int Y, int Height, TBitmap& Picture, const TRect& Source, int From) {
  B.Canvas()->CopyRect(TRect{0, Y, B.Width(), Y + Height}, *Picture.Canvas(),
                       TRect{Source.left, Source.top + From, Source.right, Source.top + From + Height});
}

// Source stretched onto the whole of B.
void StretchOnto(TBitmap& B, TBitmap& Picture, const TRect& Source) {
  B.Canvas()->CopyRect(TRect{0, 0, B.Width(), B.Height()}, *Picture.Canvas(), Source);
}

// The middle of Source between caps LO and RO wide, tiled across B from Start to End (the last tile
// cut). Returns false when the middle has no width: such a source cannot be tiled.
bool TileColumns(TBitmap& B, int Start, int End, TBitmap& Picture, const TRect& Source, int LO, int RO) {
  const int tile = RectWidth(Source) - LO - RO;
  if (tile <= 0) return false;
  for (int x = Start; x < End; x += tile) CopyColumns(B, x, std::min(tile, End - x), Picture, Source, LO);
  return true;
}

bool TileRows(TBitmap& B, int Start, int End, TBitmap& Picture, const TRect& Source, int TO, int BO) {
  const int tile = RectHeight(Source) - TO - BO;
  if (tile <= 0) return false;
  for (int y = Start; y < End; y += tile) CopyRows(B, y, std::min(tile, End - y), Picture, Source, TO);
  return true;
}

// A cap width within the source's width.
int Cap(int Width, int SourceWidth) { return std::clamp(Width, 0, std::max(0, SourceWidth)); }

// ObjectRect of an object of F in screen coordinates.
TRect ObjectScreenRect(const TskFormSkin& F, const TRect& ObjectRect) {
  POINT offset{F.Form->Left(), F.Form->Top()};
  if (F.Form->FormStyle() == classlib::TFormStyle::fsMDIChild && F.Form->HandleAllocated()) {
    offset = F.SkinActive ? POINT{-F.LaidOutClientRect.left, -F.LaidOutClientRect.top}
                          : POINT{-3, -(F.GetDefCaptionHeight() + 3)};
    ClientToScreen(F.Form->Handle(), &offset);
  }
  TRect r = ObjectRect;
  OffsetRect(&r, offset.x, offset.y);
  return r;
}

void SetFont(TCanvas& Canvas, const String& Name, classlib::TFontStyles Style, int Height, TColor Color,
             BYTE Charset) {
  auto& font = *Canvas.Font();
  font.SetName(Name);
  font.SetStyle(Style);
  font.SetHeight(Height);
  font.SetColor(Color);
  font.SetCharset(Charset);
}

// The character set of the frame's texts: the skin's string table's when it has one.
BYTE FrameCharset(TskFormSkin& F) {
  if (F.SkinData() && F.SkinData()->ResourceStrData()) return F.SkinData()->ResourceStrData()->CharSet();
  return F.DefCaptionFont().Charset();
}

}  // namespace

void ApplyInActiveEffect(TskEffectBmp& Buffer, TskInActiveEffect Effect) {
  switch (Effect) {
    case TskInActiveEffect::ieBrightness: Buffer.ChangeBrightness(0.5); break;
    case TskInActiveEffect::ieDarkness: Buffer.ChangeDarkness(0.3); break;
    case TskInActiveEffect::ieGrayScale: Buffer.GrayScale(); break;
    case TskInActiveEffect::ieNoise: Buffer.AddMonoNoise(50); break;
    case TskInActiveEffect::ieSplitBlur: Buffer.SplitBlur(1); break;
    case TskInActiveEffect::ieInvert: Buffer.Invert(); break;
  }
}

// ---------------------------------------------------------------------------------------------
// TskActiveSkinObject

TskActiveSkinObject::TskActiveSkinObject(TskFormSkin* AParent, const TskDataSkinObject* AData)
    : Parent(AParent), SkinData(AParent->SkinData()) {
  if (!AData) return;
  IDName = AData->IDName;
  Hint = AData->Hint;
  SkinRectInAPicture = AData->SkinRectInAPicture;
  SkinRect = AData->SkinRect;
  ActiveSkinRect = AData->ActiveSkinRect;
  InActiveSkinRect = AData->InActiveSkinRect;
  Morphing = AData->Morphing;
  MorphKind = AData->MorphKind;
  CursorIndex = AData->CursorIndex;
  RollUp = AData->RollUp;
  if (SkinData) {
    const int index = AData->ActivePictureIndex;
    if (index >= 0 && index < static_cast<int>(SkinData->ActivePictures.size()) &&
        !SkinData->ActivePictures[static_cast<size_t>(index)]->Empty())
      ObjectPicture = SkinData->ActivePictures[static_cast<size_t>(index)].get();
    SourcePicture = RollUp ? SkinData->RollUpPicture.get() : SkinData->Picture.get();
  }
  // Without a picture of its own the object has none of the looks that live there. Only the object
  // loses them: the description is the skin's and is written back as it was read.
  if (!ObjectPicture) {
    ActiveSkinRect = NullRect();
    InActiveSkinRect = NullRect();
  }
  ObjectRect = SkinRect;
}

void TskActiveSkinObject::CopyLook(TCanvas& Canvas, TBitmap* Picture, const TRect& Source) const {
  if (!Picture || Picture->Empty() || IsNullRect(Source) || IsNullRect(ObjectRect)) return;
  Canvas.CopyRect(ObjectRect, *Picture->Canvas(), Source);
}

bool TskActiveSkinObject::MorphRunning() const { return !((Active && MorphKf == 1) || (!Active && MorphKf == 0)); }

void TskActiveSkinObject::DrawMorph(TCanvas& Canvas, TBitmap* NormalPic, const TRect& NormalRect, TBitmap* ActivePic,
                                    const TRect& ActiveRect) const {
  if (IsNullRect(ObjectRect)) return;
  TBitmap normal, active;
  SizeLike(normal, ObjectRect);
  SizeLike(active, ObjectRect);
  const TRect whole = SizeRect(ObjectRect);
  if (NormalPic && !NormalPic->Empty() && !IsNullRect(NormalRect))
    normal.Canvas()->CopyRect(whole, *NormalPic->Canvas(), NormalRect);
  if (ActivePic && !ActivePic->Empty() && !IsNullRect(ActiveRect))
    active.Canvas()->CopyRect(whole, *ActivePic->Canvas(), ActiveRect);
  TskEffectBmp image(normal.Handle());
  const TskEffectBmp hot(active.Handle());
  MorphEffect(image, hot, MorphKind, MorphKf);
  image.Draw(Canvas.Handle(), ObjectRect.left, ObjectRect.top);
}

void TskActiveSkinObject::Draw(TCanvas& Canvas, bool UpDate) {
  if (Enabled && !Parent->GetFormActive() && !IsNullRect(InActiveSkinRect)) {
    CopyLook(Canvas, ObjectPicture, InActiveSkinRect);
    return;
  }
  if (EnableMorphing() && MorphRunning() && !IsNullRect(ActiveSkinRect)) {
    DrawMorph(Canvas, NormalPicture(), SkinRect, ObjectPicture, ActiveSkinRect);
    return;
  }
  if (Active && !IsNullRect(ActiveSkinRect)) {
    CopyLook(Canvas, ObjectPicture, ActiveSkinRect);
    return;
  }
  // A whole-frame paint already shows the normal look of an object drawn in the frame picture.
  if (!UpDate && !SkinRectInAPicture) return;
  CopyLook(Canvas, NormalPicture(), SkinRect);
}

void TskActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button) {
  Parent->MouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TskActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button) {
  if (Hovered) Parent->MouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TskActiveSkinObject::MouseMove(int X, int Y) { Parent->MouseMoveEvent(IDName, X, Y, ObjectRect); }

void TskActiveSkinObject::MouseEnter() {
  Hovered = true;
  Active = true;
  if (!IsNullRect(ActiveSkinRect)) Redraw();
  Parent->MouseEnterEvent(IDName);
}

void TskActiveSkinObject::MouseLeave() {
  Hovered = false;
  Active = false;
  if (!IsNullRect(ActiveSkinRect)) Redraw();
  Parent->MouseLeaveEvent(IDName);
}

bool TskActiveSkinObject::CanMorphing() const { return (Active && MorphKf < 1) || (!Active && MorphKf > 0); }

bool TskActiveSkinObject::EnableMorphing() const {
  return Morphing && Parent->SkinData() && Parent->SkinData()->EnableSkinEffects;
}

void TskActiveSkinObject::Redraw() {
  if (EnableMorphing()) {
    if (Parent->MorphingTimer) Parent->MorphingTimer->SetEnabled(true);
  } else {
    Parent->DrawSkinObject(*this);
  }
}

void TskActiveSkinObject::DoMorphing() {
  SetMorphKf(Active ? MorphKf + 0.2 : MorphKf - 0.2);
  Parent->DrawSkinObject(*this);
}

void TskActiveSkinObject::SetMorphKf(double Value) {
  // Steps of 0.2 do not add up exactly; a rest that small is an end of the fade.
  constexpr double rest = 1e-9;
  if (std::isnan(Value) || Value < rest) Value = 0;
  else if (Value > 1 - rest) Value = 1;
  MorphKf = Value;
}

// ---------------------------------------------------------------------------------------------
// TskUserObject

void TskUserObject::Draw(TCanvas& Canvas, bool) { Parent->PaintEvent(IDName, Canvas, ObjectRect); }

// ---------------------------------------------------------------------------------------------
// TskSkinButtonObject

TskSkinButtonObject::TskSkinButtonObject(TskFormSkin* AParent, const TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData) {
  const auto* data = dynamic_cast<const TskDataSkinButton*>(AData);
  if (!data) return;
  GroupIndex = data->GroupIndex;
  if (ObjectPicture) {
    DownRect = data->DownRect;
    DisabledSkinRect = data->DisableSkinRect;
  }
}

void TskSkinButtonObject::Draw(TCanvas& Canvas, bool UpDate) {
  if (!Enabled && !IsNullRect(DisabledSkinRect)) {
    CopyLook(Canvas, ObjectPicture, DisabledSkinRect);
  } else if (Down && !IsNullRect(DownRect) && (GroupIndex != -1 || Hovered)) {
    CopyLook(Canvas, ObjectPicture, DownRect);
  } else {
    TskActiveSkinObject::Draw(Canvas, UpDate);
  }
}

void TskSkinButtonObject::SetDown(bool Value) {
  Down = Value;
  if (IsNullRect(DownRect)) {
    if (Value) ReleaseGroup();
    return;
  }
  if (Value) {
    if (EnableMorphing()) MorphKf = 1;
    Parent->DrawSkinObject(*this);
    ReleaseGroup();
    return;
  }
  if (GroupIndex != -1 || MenuItem) Active = false;
  if (EnableMorphing()) Parent->DrawSkinObject(*this);
  Redraw();
}

void TskSkinButtonObject::ReleaseGroup() {
  if (GroupIndex == -1) return;
  for (const auto& object : Parent->FrameObjects) {
    auto* button = dynamic_cast<TskSkinButtonObject*>(object.get());
    if (button && button->IDName != IDName && button->GroupIndex == GroupIndex && button->Down) {
      button->SetDown(false);
      return;
    }
  }
}

void TskSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button) {
  if (!Enabled) return;
  if (Button == TMouseButton::mbLeft && !Down) {
    SetDown(true);
    TrackMenu();
  }
  TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button) {
  if (!Enabled) return;
  if (Button == TMouseButton::mbLeft && !MenuItem && Down && GroupIndex == -1) SetDown(false);
  TskActiveSkinObject::MouseUp(X, Y, Button);
}

void TskSkinButtonObject::MouseEnter() {
  Hovered = true;
  Active = true;
  if (IsNullRect(DownRect) || !Down) {
    if (!IsNullRect(ActiveSkinRect)) Redraw();
  } else if (GroupIndex == -1) {
    // Back over a pressed plain button: its pressed look again.
    Parent->DrawSkinObject(*this);
  }
  Parent->MouseEnterEvent(IDName);
}

void TskSkinButtonObject::MouseLeave() {
  Hovered = false;
  // A latched button (its menu open, or down in its group) keeps its look.
  const bool latched = Down && !IsNullRect(DownRect) && (MenuItem || GroupIndex != -1);
  if (!latched) {
    Active = false;
    if (EnableMorphing() && Down) MorphKf = 1;
    if (!IsNullRect(ActiveSkinRect) || (!IsNullRect(DownRect) && GroupIndex == -1)) Redraw();
  }
  Parent->MouseLeaveEvent(IDName);
}

TRect TskSkinButtonObject::ScreenRect() const { return ObjectScreenRect(*Parent, ObjectRect); }

void TskSkinButtonObject::TrackMenu() {
  if (!MenuItem || MenuItem->Count() == 0) return;
  const TRect r = ScreenRect();
  Parent->SkinMenuOpen();
  Parent->PopupSkinMenu(MenuItem, r, OpenUpward);
}

// ---------------------------------------------------------------------------------------------
// TskSkinStdButtonObject

TskSkinStdButtonObject::TskSkinStdButtonObject(TskFormSkin* AParent, const TskDataSkinObject* AData)
    : TskSkinButtonObject(AParent, AData), SkinSupport(AData != nullptr) {
  const auto* data = dynamic_cast<const TskDataSkinStdButton*>(AData);
  if (!data) return;
  Command = data->Command;
  if (ObjectPicture) {
    RestoreRect = data->RestoreRect;
    RestoreActiveRect = data->RestoreActiveRect;
    RestoreDownRect = data->RestoreDownRect;
    RestoreInActiveRect = data->RestoreInActiveRect;
  }
}

bool TskSkinStdButtonObject::RestoreMode() const {
  switch (Command) {
    case TStdCommand::cmMaximize: return Parent->WindowState == TWindowState::wsMaximized;
    case TStdCommand::cmMinimize: return Parent->WindowState == TWindowState::wsMinimized;
    case TStdCommand::cmRollUp: return Parent->RollUpState;
    default: return false;
  }
}

bool TskSkinStdButtonObject::DrawsIcon() const {
  return Command == TStdCommand::cmSysMenu && Parent->ShowIcon() && SkinRectInAPicture;
}

void TskSkinStdButtonObject::Draw(TCanvas& Canvas, bool UpDate) {
  if (!SkinSupport) {
    DefaultDraw(Canvas);
    return;
  }
  const bool restore = RestoreMode();
  if (DrawsIcon()) {
    Parent->DrawFormIcon(Canvas, ObjectRect.left, ObjectRect.top);
    MorphKf = 0;
    return;
  }
  if (!Enabled || (!Parent->GetFormActive() && !IsNullRect(InActiveSkinRect) && !restore) || IsNullRect(RestoreRect) ||
      !restore) {
    TskSkinButtonObject::Draw(Canvas, UpDate);
    return;
  }
  if (!Parent->NCActive && !IsNullRect(RestoreInActiveRect)) {
    CopyLook(Canvas, ObjectPicture, RestoreInActiveRect);
  } else if (Down && !IsNullRect(RestoreDownRect) && Hovered) {
    CopyLook(Canvas, ObjectPicture, RestoreDownRect);
  } else if (EnableMorphing() && MorphRunning() && !IsNullRect(RestoreActiveRect)) {
    DrawMorph(Canvas, ObjectPicture, RestoreRect, ObjectPicture, RestoreActiveRect);
  } else {
    CopyLook(Canvas, ObjectPicture, Active && !IsNullRect(RestoreActiveRect) ? RestoreActiveRect : RestoreRect);
  }
}

bool TskSkinStdButtonObject::CanMorphing() const { return !DrawsIcon() && TskSkinButtonObject::CanMorphing(); }

void TskSkinStdButtonObject::DefaultDraw(TCanvas& Canvas) {
  if (Command == TStdCommand::cmSysMenu && Parent->ShowIcon()) {
    Parent->DrawFormIcon(Canvas, ObjectRect.left, ObjectRect.top);
    return;
  }
  if (IsNullRect(ObjectRect)) return;
  TBitmap image;
  SizeLike(image, ObjectRect);
  TCanvas& c = *image.Canvas();
  const TRect whole = SizeRect(ObjectRect);
  const bool pressed = Down && Hovered;
  if (Hovered) {
    c.Brush()->SetColor(pressed ? RGB(133, 147, 181) : RGB(182, 189, 210));
    c.FillRect(whole);
    c.Brush()->SetColor(RGB(0, 0, 128));
    c.FrameRect(whole);
  } else {
    c.Brush()->SetColor(classlib::clBtnFace);
    c.FillRect(whole);
  }
  int x = RectWidth(whole) / 2 - 5, y = RectHeight(whole) / 2 - 4;
  if (pressed) ++x, ++y;
  const TColor color = Enabled ? classlib::clBtnText : classlib::clBtnShadow;
  switch (Command) {
    case TStdCommand::cmClose: DrawCloseImage(c, x, y, color); break;
    case TStdCommand::cmMaximize:
      if (Parent->WindowState == TWindowState::wsMaximized) DrawRestoreImage(c, x, y, color);
      else DrawMaximizeImage(c, x, y, color);
      break;
    case TStdCommand::cmMinimize:
      if (Parent->WindowState == TWindowState::wsMinimized) DrawRestoreImage(c, x, y, color);
      else DrawMinimizeImage(c, x, y, color);
      break;
    case TStdCommand::cmSysMenu: DrawSysMenuImage(c, x, y, color); break;
    case TStdCommand::cmDefault: break;
    case TStdCommand::cmRollUp:
      if (Parent->RollUpState) DrawRestoreRollUpImage(c, x, y, color);
      else DrawRollUpImage(c, x, y, color);
      break;
    case TStdCommand::cmMinimizeToTray: DrawMTImage(c, x, y, color); break;
  }
  Canvas.Draw(ObjectRect.left, ObjectRect.top, &image);
}

void TskSkinStdButtonObject::DoMax() {
  Parent->SetWindowState(Parent->WindowState == TWindowState::wsMaximized ? TWindowState::wsNormal
                                                                          : TWindowState::wsMaximized);
}

void TskSkinStdButtonObject::DoMin() {
  if (Parent->SupportNCArea() && Parent->WindowState == TWindowState::wsMinimized)
    Parent->SetWindowState(TWindowState::wsNormal);
  else
    Parent->SetWindowState(TWindowState::wsMinimized);
}

void TskSkinStdButtonObject::DoClose() { Parent->Form->Close(); }

void TskSkinStdButtonObject::DoRollUp() { Parent->SetRollUpState(!Parent->RollUpState); }

void TskSkinStdButtonObject::DoMinimizeToTray() { Parent->MinimizeToTray(); }

void TskSkinStdButtonObject::DoCommand() {
  switch (Command) {
    case TStdCommand::cmClose: DoClose(); break;
    case TStdCommand::cmMaximize: DoMax(); break;
    case TStdCommand::cmMinimize:
      if (Parent->AlwaysMinimizeToTray()) Parent->MinimizeToTray();
      else DoMin();
      break;
    case TStdCommand::cmRollUp: DoRollUp(); break;
    case TStdCommand::cmMinimizeToTray: DoMinimizeToTray(); break;
    case TStdCommand::cmSysMenu:
    case TStdCommand::cmDefault: break;
  }
}

void TskSkinStdButtonObject::MouseDown(int, int, TMouseButton Button) {
  if (!Enabled || Button != TMouseButton::mbLeft || Down) return;
  SetDown(true);
  if (Command == TStdCommand::cmSysMenu) {
    MenuItem = Parent->GetSystemMenu();
    TrackMenu();
  }
}

void TskSkinStdButtonObject::MouseUp(int X, int Y, TMouseButton Button) {
  // Only a release over the button runs its command; the close button is released before the form
  // goes away.
  const bool run = Active && Button == TMouseButton::mbLeft;
  if (Command == TStdCommand::cmClose) {
    TskSkinButtonObject::MouseUp(X, Y, Button);
    if (run) DoCommand();
    return;
  }
  if (run) DoCommand();
  TskSkinButtonObject::MouseUp(X, Y, Button);
}

void TskSkinStdButtonObject::DblClick() {
  if (Command == TStdCommand::cmSysMenu) DoClose();
}

// ---------------------------------------------------------------------------------------------
// TskSkinCaptionObject

TskSkinCaptionObject::TskSkinCaptionObject(TskFormSkin* AParent, const TskDataSkinCaption* AData)
    : TskActiveSkinObject(AParent, AData) {
  if (!AData) return;
  FontName = AData->FontName;
  FontStyle = AData->FontStyle;
  FontHeight = AData->FontHeight;
  FontColor = AData->FontColor;
  ActiveFontColor = AData->ActiveFontColor;
  ShadowColor = AData->ShadowColor;
  ActiveShadowColor = AData->ActiveShadowColor;
  Shadow = AData->Shadow;
  Alignment = AData->Alignment;
  TextRect = AData->TextRect;
  DefaultCaption = AData->DefaultCaption;
  if (ObjectPicture) {
    FrameRect = AData->FrameRect;
    ActiveFrameRect = AData->ActiveFrameRect;
  }
  FrameLeftOffset = AData->FrameLeftOffset;
  FrameRightOffset = AData->FrameRightOffset;
  FrameTextRect = AData->FrameTextRect;
  LightColor = AData->LightColor;
  ActiveLightColor = AData->ActiveLightColor;
  Light = AData->Light;
}

void TskSkinCaptionObject::SetTextValue(const String& Value) {
  TextValue = Value;
  Parent->DrawSkinObject(*this);
}

int TskSkinCaptionObject::Band() const {
  if (RectWidth(ObjectRect) == RectWidth(SkinRect) && RectHeight(ObjectRect) == RectHeight(SkinRect)) return 0;
  if (!SkinData) return 0;
  const auto& lt = SkinData->LeftTopPoint;
  const auto& rt = SkinData->RightTopPoint;
  const auto& lb = SkinData->LeftBottomPoint;
  const auto& rb = SkinData->RightBottomPoint;
  if (SkinRect.top <= lt.y && SkinRect.bottom < rt.y) return 1;
  if (SkinRect.top >= lb.y && SkinRect.bottom > rb.y) return 2;
  if (SkinRect.top <= lt.y && SkinRect.bottom > lb.y) return 3;
  return 4;
}

TRect TskSkinCaptionObject::TextArea() const {
  TRect area = TextRect;
  if (!IsNullRect(TextRect)) area.right = RectWidth(ObjectRect) - (RectWidth(SkinRect) - TextRect.right);
  if (!IsNullRect(FrameRect)) {
    area.left += FrameTextRect.left;
    area.top += FrameTextRect.top;
    area.right -= RectWidth(FrameRect) - FrameTextRect.right;
  }
  return area;
}

void TskSkinCaptionObject::MakeBackground(TBitmap& B, TBitmap* Picture, const TRect& S) const {
  SizeLike(B, ObjectRect);
  if (B.Empty() || !Picture || Picture->Empty() || IsNullRect(S)) return;
  if (!Parent->CanScale()) return StretchOnto(B, *Picture, S);
  const int band = Band();
  const auto& lt = SkinData->LeftTopPoint;
  const auto& rt = SkinData->RightTopPoint;
  const auto& lb = SkinData->LeftBottomPoint;
  const auto& rb = SkinData->RightBottomPoint;
  const int w = B.Width(), h = B.Height();
  if (band <= 2) {
    int lo = 0, ro = 0;
    if (band == 1) lo = lt.x - SkinRect.left, ro = SkinRect.right - rt.x;
    if (band == 2) lo = lb.x - SkinRect.left, ro = SkinRect.right - rb.x;
    lo = Cap(lo, RectWidth(S));
    ro = Cap(ro, RectWidth(S) - lo);
    if (lo == 0 && ro == 0) return StretchOnto(B, *Picture, S);
    // A band whose caps leave no middle has nothing to tile: the whole band is stretched under its caps.
    if (!TileColumns(B, 0, w, *Picture, S, lo, ro)) StretchOnto(B, *Picture, S);
    if (lo > 0) CopyColumns(B, 0, lo, *Picture, S, 0);
    if (ro > 0) CopyColumns(B, w - ro, ro, *Picture, S, RectWidth(S) - ro);
    return;
  }
  int to = band == 3 ? lt.y - SkinRect.top : rt.y - SkinRect.top;
  int bo = band == 3 ? SkinRect.bottom - lb.y : SkinRect.bottom - rb.y;
  to = Cap(to, RectHeight(S));
  bo = Cap(bo, RectHeight(S) - to);
  if (!TileRows(B, 0, h, *Picture, S, to, bo)) StretchOnto(B, *Picture, S);
  if (to > 0) CopyRows(B, 0, to, *Picture, S, 0);
  if (bo > 0) CopyRows(B, h - bo, bo, *Picture, S, RectHeight(S) - bo);
}

void TskSkinCaptionObject::DrawCaptionText(TCanvas& Canvas, int DX, int DY, TColor Color, bool AActive) const {
  String text = Parent->FrameCaptionText();
  if (text.empty() || IsNullRect(TextRect)) return;
  SetFont(Canvas, FontName, FontStyle, FontHeight, Color, FrameCharset(*Parent));
  const TRect area = TextArea();
  Parent->CorrectCaptionText(Canvas, text, RectWidth(area));
  const int tw = Canvas.TextWidth(text), th = Canvas.TextHeight(text);
  const int y = area.top + RectHeight(area) / 2 - th / 2 + DY;
  int x = area.left + RectWidth(area) / 2 - tw / 2;
  if (Alignment == classlib::TAlignment::taLeftJustify) x = area.left;
  if (Alignment == classlib::TAlignment::taRightJustify) x = area.right - tw;
  x += DX;
  const auto oldStyle = Canvas.Brush()->Style();
  Canvas.Brush()->SetStyle(classlib::TBrushStyle::bsClear);
  if (!IsNullRect(FrameRect)) {
    const TRect& source = AActive && !IsNullRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
    TBitmap plate;
    CreateHSkinImage(FrameLeftOffset, FrameRightOffset, plate, *ObjectPicture, source,
                     RectWidth(FrameRect) + tw - RectWidth(FrameTextRect), RectHeight(source), false);
    Canvas.Draw(x - FrameTextRect.left, y - FrameTextRect.top, &plate);
  }
  if (Light) {
    Canvas.Font()->SetColor(AActive ? ActiveLightColor : LightColor);
    Canvas.TextOut(x - 1, y - 1, text);
    Canvas.Font()->SetColor(Color);
  }
  if (Shadow) {
    Canvas.Font()->SetColor(AActive ? ActiveShadowColor : ShadowColor);
    Canvas.TextOut(x + 1, y + 1, text);
    Canvas.Font()->SetColor(Color);
  }
  Canvas.TextOut(x, y, text);
  Canvas.Brush()->SetStyle(oldStyle);
}

void TskSkinCaptionObject::DrawInActiveEffect(TCanvas& Canvas, TBitmap& B, bool ApplyEffect) const {
  if (!ApplyEffect) {
    Canvas.Draw(ObjectRect.left, ObjectRect.top, &B);
    return;
  }
  TskEffectBmp buffer(B.Handle());
  ApplyInActiveEffect(buffer, SkinData->InActiveEffect);
  buffer.Draw(Canvas.Handle(), ObjectRect.left, ObjectRect.top);
}

void TskSkinCaptionObject::Draw(TCanvas& Canvas, bool UpDate) {
  Active = Parent->GetFormActive();
  const TColor color = Active ? ActiveFontColor : FontColor;
  const bool effect = Parent->GetAutoRenderingInActiveImage() && !Active;
  if (Parent->SupportNCArea() && IsNullRect(ActiveSkinRect)) {
    DrawCaptionText(Canvas, ObjectRect.left, ObjectRect.top, color, Active);
    return;
  }
  if (!IsNullRect(ActiveSkinRect) && (Active || MorphKf != 0)) {
    TBitmap active;
    MakeBackground(active, ObjectPicture, ActiveSkinRect);
    DrawCaptionText(*active.Canvas(), 0, 0, ActiveFontColor, true);
    if ((Active && MorphKf == 0 && !EnableMorphing()) || (Active && MorphKf == 1)) {
      Canvas.Draw(ObjectRect.left, ObjectRect.top, &active);
      return;
    }
    TBitmap inactive;
    MakeBackground(inactive, SourcePicture, SkinRect);
    DrawCaptionText(*inactive.Canvas(), 0, 0, FontColor, false);
    TskEffectBmp image(inactive.Handle());
    const TskEffectBmp hot(active.Handle());
    MorphEffect(image, hot, MorphKind, MorphKf);
    if (effect) ApplyInActiveEffect(image, SkinData->InActiveEffect);
    image.Draw(Canvas.Handle(), ObjectRect.left, ObjectRect.top);
    return;
  }
  if (UpDate) {
    TBitmap inactive;
    MakeBackground(inactive, SourcePicture, SkinRect);
    DrawCaptionText(*inactive.Canvas(), 0, 0, color, Active);
    DrawInActiveEffect(Canvas, inactive, effect);
    return;
  }
  // A whole-frame paint: the frame picture holds the background already.
  DrawCaptionText(Canvas, ObjectRect.left, ObjectRect.top, color, Active);
}

void TskSkinCaptionObject::MouseDown(int X, int Y, TMouseButton Button) {
  if (!Parent->SupportNCArea() && Parent->WindowState != TWindowState::wsMaximized) Parent->StartDragg(X, Y);
  Parent->MouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TskSkinCaptionObject::MouseUp(int X, int Y, TMouseButton Button) {
  if (!Parent->SupportNCArea()) Parent->EndDragg();
  Parent->MouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TskSkinCaptionObject::MouseEnter() {
  Hovered = true;
  Parent->MouseEnterEvent(IDName);
}

void TskSkinCaptionObject::MouseLeave() {
  Hovered = false;
  Parent->MouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------------------------
// TskSkinMainMenuItem

TskSkinMainMenuItem::TskSkinMainMenuItem(TskFormSkin* AParent, const TskDataSkinMainMenuItem* AData)
    : TskActiveSkinObject(AParent, AData) {
  if (AData) {
    FontName = AData->FontName;
    FontHeight = AData->FontHeight;
    FontStyle = AData->FontStyle;
    UnEnabledFontColor = AData->UnEnabledFontColor;
    FontColor = AData->FontColor;
    ActiveFontColor = AData->ActiveFontColor;
    DownFontColor = AData->DownFontColor;
    TextRect = AData->TextRect;
    DownRect = AData->DownRect;
    LeftCapWidth = AData->ItemLeftOffset;
    RightCapWidth = AData->ItemRightOffset;
  }
  if (IsNullRect(DownRect)) DownRect = IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect;
  if (IsNullRect(ActiveSkinRect)) Morphing = false;
  PreviousEnabled = Enabled;
}

String TskSkinMainMenuItem::Caption() const { return MenuItem ? MenuItem->Caption() : String(); }

void TskSkinMainMenuItem::Layout(TCanvas& Canvas, bool UpDate) {
  SetFont(Canvas, FontName, FontStyle, FontHeight, FontColor, FrameCharset(*Parent));
  RECT measure{0, 0, 0, 0};
  const auto text = classlib::ToWide(Caption());
  ::DrawTextW(Canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &measure,
              DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
  const int w = RectWidth(SkinRect) - RectWidth(TextRect) + (measure.right - measure.left) + 2;
  int left = 0;
  for (const auto& object : Parent->FrameObjects) {
    if (object.get() == this) break;
    if (const auto* item = dynamic_cast<const TskSkinMainMenuItem*>(object.get())) left = item->ObjectRect.right;
  }
  if (left == 0) left = Parent->RealMainMenuRect.left;
  const int top = Parent->RealMainMenuRect.top;
  TRect r{left, top, left + w, top + RectHeight(SkinRect)};
  ScratchRect = NullRect();
  // The whole-frame paint draws an item below the client area into the bottom border picture.
  if (Parent->SupportNCArea() && !UpDate && Parent->LaidOutClientRect.bottom < r.top) {
    ScratchRect = r;
    OffsetRect(&r, 0, -Parent->LaidOutClientRect.bottom);
  }
  ObjectRect = r;
}

void TskSkinMainMenuItem::MakeImage(TBitmap& B, const TRect& S, TColor Color) const {
  SizeLike(B, ObjectRect);
  if (B.Empty()) return;
  const int w = B.Width();
  if (ObjectPicture && !IsNullRect(S)) {
    const int lo = Cap(LeftCapWidth, RectWidth(S));
    const int ro = Cap(RightCapWidth, RectWidth(S) - lo);
    // Caps that take the whole source leave no middle to tile: the source is stretched under them.
    if (!TileColumns(B, lo, w - ro, *ObjectPicture, S, lo, ro)) StretchOnto(B, *ObjectPicture, S);
    if (lo > 0) CopyColumns(B, 0, lo, *ObjectPicture, S, 0);
    if (ro > 0) CopyColumns(B, w - ro, ro, *ObjectPicture, S, RectWidth(S) - ro);
  }
  TCanvas& c = *B.Canvas();
  SetFont(c, FontName, FontStyle, FontHeight, Color, FrameCharset(*Parent));
  c.Brush()->SetStyle(classlib::TBrushStyle::bsClear);
  const auto text = classlib::ToWide(Caption());
  RECT r = TextRect;
  ::DrawTextW(c.Handle(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
  r.right += 2;
  ::SetBkMode(c.Handle(), TRANSPARENT);
  ::SetTextColor(c.Handle(), classlib::ColorToRGB(Color));
  ::DrawTextW(c.Handle(), text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_SINGLELINE);
}

void TskSkinMainMenuItem::Draw(TCanvas& Canvas, bool UpDate) {
  if (IsNullRect(SkinRect) || IsNullRect(TextRect)) return;
  Layout(Canvas, UpDate);
  if (ObjectRect.right > Parent->RealMainMenuRect.right) {
    if (Fits) {
      PreviousEnabled = Enabled;
      Enabled = false;
      Fits = false;
    }
    if (!IsNullRect(ScratchRect)) ObjectRect = ScratchRect;
    return;
  }
  if (!Fits) {
    Fits = true;
    Enabled = PreviousEnabled;
  }
  const TColor normal = MenuItem && !MenuItem->Enabled() ? UnEnabledFontColor : FontColor;
  TBitmap image;
  if (Down) {
    MakeImage(image, DownRect, DownFontColor);
  } else if (EnableMorphing() && MorphRunning()) {
    TBitmap hot;
    MakeImage(image, SkinRect, normal);
    MakeImage(hot, ActiveSkinRect, ActiveFontColor);
    TskEffectBmp buffer(image.Handle());
    const TskEffectBmp hotBuffer(hot.Handle());
    MorphEffect(buffer, hotBuffer, MorphKind, MorphKf);
    buffer.Draw(image.Canvas()->Handle(), 0, 0);
  } else if (Active && !IsNullRect(ActiveSkinRect)) {
    MakeImage(image, ActiveSkinRect, ActiveFontColor);
  } else {
    MakeImage(image, SkinRect, Active ? ActiveFontColor : normal);
  }
  Canvas.Draw(ObjectRect.left, ObjectRect.top, &image);
  if (!IsNullRect(ScratchRect)) ObjectRect = ScratchRect;
}

void TskSkinMainMenuItem::SetDown(bool Value) {
  if (Value) {
    Down = true;
    Parent->DrawSkinObject(*this);
    TrackMenu();
    if (!Parent->MainMenuActive) {
      Parent->MainMenuActive = true;
      if (Parent->OnMainMenuEnter) Parent->OnMainMenuEnter(Parent);
    }
    return;
  }
  Down = false;
  Active = false;
  if (EnableMorphing()) MorphKf = 1;
  Redraw();
}

bool TskSkinMainMenuItem::SearchDown() {
  for (const auto& object : Parent->FrameObjects) {
    auto* item = dynamic_cast<TskSkinMainMenuItem*>(object.get());
    if (item && item->IDName != IDName && item->Down) {
      item->SetDown(false);
      return true;
    }
  }
  return false;
}

void TskSkinMainMenuItem::SearchActive() {
  for (const auto& object : Parent->FrameObjects) {
    auto* item = dynamic_cast<TskSkinMainMenuItem*>(object.get());
    if (item && item->IDName != IDName && item->Active) {
      item->MouseLeave();
      return;
    }
  }
}

void TskSkinMainMenuItem::MouseEnter() {
  if (SearchDown()) {
    // A submenu was open: this item's opens in its place.
    Active = true;
    Hovered = true;
    if (EnableMorphing()) MorphKf = 1;
    SetDown(true);
    return;
  }
  SearchActive();
  Hovered = true;
  Active = true;
  Redraw();
}

void TskSkinMainMenuItem::MouseLeave() {
  Active = false;
  Hovered = false;
  if (EnableMorphing() && Down) MorphKf = 0;
  Redraw();
  Parent->MouseLeaveEvent(IDName);
}

void TskSkinMainMenuItem::MouseDown(int X, int Y, TMouseButton Button) {
  if (!Enabled) return;
  if (Button != TMouseButton::mbLeft || (MenuItem && MenuItem->Count() > 0)) {
    if (Button == TMouseButton::mbLeft) SetDown(true);
    TskActiveSkinObject::MouseDown(X, Y, Button);
    return;
  }
  SetDown(false);
  // A command chosen from the keyboard ends main-menu mode, as a click on the bar does: else the
  // application's keys would stay with a menu that is no longer open.
  if (Parent->MainMenuActive) Parent->SkinMainMenuClose();
  Parent->MenuLoop = false;
  // The click handler may change the skin, which frees this object: the event goes out from copies.
  TskFormSkin* const parent = Parent;
  const String name = IDName;
  const TRect rect = ObjectRect;
  if (classlib::TMenuItem* item = MenuItem) {
    if (classlib::TMenu* menu = item->GetParentMenu())
      menu->DispatchCommand(item->Command());
    else
      item->Click();
  }
  parent->MouseDownEvent(name, X, Y, rect, Button);
}

void TskSkinMainMenuItem::TrackMenu() {
  Parent->SkinMenuOpen();
  const TRect r = ObjectScreenRect(*Parent, ObjectRect);
  // A skinned main menu may name the skin of its drop-downs.
  TskSkinData* skin = Parent->MenusSkinData() ? Parent->MenusSkinData() : Parent->SkinData();
  bool upward = Parent->SkinData() && Parent->SkinData()->MainMenuPopupUp;
  if (const auto* menu = dynamic_cast<const TskSkinMainMenu*>(MenuItem ? MenuItem->GetParentMenu() : nullptr);
      menu && menu->SkinData()) {
    skin = menu->SkinData();
    upward = skin->MainMenuPopupUp;
  }
  Parent->SkinMenu->Popup(nullptr, skin, 0, r, MenuItem, upward);
}

// ---------------------------------------------------------------------------------------------
// TskSkinComponent

void TskSkinComponent::SetSkinData(TskSkinData* Value) {
  if (FSkinData == Value) return;
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
}

void TskSkinComponent::Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == classlib::TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

}  // namespace skin
