#include "skin/form/SkinMenuBarObjects.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/WideText.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinMenu.h"

#include <algorithm>

namespace skin {

using classlib::String;
using classlib::TBitmap;
using classlib::TCanvas;
using classlib::TColor;
using classlib::TMouseButton;
using classlib::TRect;

namespace {

// The default look's faces (0x00BBGGRR).
constexpr TColor PressedFace = 0xB59385;
constexpr TColor HotFace = 0xD2BDB6;

TRect ScreenRectOf(TskSkinMainMenuBar& Bar, const TRect& R) {
  TRect r = R;
  if (Bar.HandleAllocated()) {
    POINT origin{0, 0};
    ClientToScreen(Bar.Handle(), &origin);
    OffsetRect(&r, origin.x, origin.y);
  }
  return r;
}

// A bitmap of the object's size; false when the object has no area.
bool SizeLike(TBitmap& B, const TRect& R) {
  if (RectWidth(R) <= 0 || RectHeight(R) <= 0) return false;
  B.SetPixelFormat(classlib::TPixelFormat::pf24bit);
  B.SetSize(RectWidth(R), RectHeight(R));
  return true;
}

// The default look's face: framed in navy when hot or pressed.
void DefaultFace(TCanvas& Canvas, const TRect& R, bool Pressed, bool Hot) {
  if (Pressed || Hot) {
    Canvas.Brush()->SetColor(classlib::clNavy);
    Canvas.FillRect(R);
    Canvas.Brush()->SetColor(Pressed ? PressedFace : HotFace);
    Canvas.FillRect(TRect{R.left + 1, R.top + 1, R.right - 1, R.bottom - 1});
  } else {
    Canvas.Brush()->SetColor(classlib::clBtnFace);
    Canvas.FillRect(R);
  }
}

// The normal look mixed toward the hot look by Kf.
void MixLooks(TBitmap& Normal, TBitmap& Hot, TMorphKind Kind, double Kf) {
  TskEffectBmp image(Normal.Handle());
  const TskEffectBmp hot(Hot.Handle());
  MorphEffect(image, hot, Kind, Kf);
  image.Draw(Normal.Canvas()->Handle(), 0, 0);
}

void DrawCaption(TCanvas& Canvas, const String& Text, RECT& R, UINT Format) {
  const auto text = classlib::ToWide(Text);
  ::DrawTextW(Canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &R, Format);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskMenuBarObject

TskMenuBarObject::TskMenuBarObject(TskSkinMainMenuBar* AParent, const TskDataSkinObject* AData) : Parent(AParent) {
  if (!AData) return;
  if (TskSkinData* skin = Parent->SkinData(); skin && AData->ActivePictureIndex != -1)
    SourcePicture = SkinPicture(*skin, AData->ActivePictureIndex);
  IDName = AData->IDName;
  SkinRect = AData->SkinRect;
  ActiveSkinRect = DownRect = AData->ActiveSkinRect;
  Morphing = AData->Morphing;
  MorphKind = AData->MorphKind;
  ObjectRect = SkinRect;
}

bool TskMenuBarObject::EnableMorphing() const {
  const TskSkinData* skin = Parent->SkinData();
  return Morphing && skin && !skin->Empty && skin->EnableSkinEffects;
}

void TskMenuBarObject::Redraw() {
  if (EnableMorphing())
    Parent->MorphingTimer->SetEnabled(true);
  else
    Parent->DrawSkinObject(*this);
}

void TskMenuBarObject::MouseEnter() {
  Hovered = true;
  Active = true;
  Redraw();
}

void TskMenuBarObject::MouseLeave() {
  Hovered = false;
  Active = false;
  Redraw();
}

bool TskMenuBarObject::CanMorphing() const {
  if (Down && !IsNullRect(DownRect)) return false;
  return (Active && MorphKf < 1) || (!Active && MorphKf > 0);
}

void TskMenuBarObject::DoMorphing() {
  SetMorphKf(MorphKf + (Active ? 0.2 : -0.2));
  Parent->DrawSkinObject(*this);
}

void TskMenuBarObject::SetMorphKf(double Value) {
  // Five steps of 0.2 land on the ends exactly.
  if (!(Value > 1e-9)) Value = 0;
  if (Value > 1 - 1e-9) Value = 1;
  MorphKf = Value;
}

bool TskMenuBarObject::MorphRunning() const { return Active ? MorphKf != 1 : MorphKf != 0; }

// ---------------------------------------------------------------------------------------------
// TskSkinMainMenuBarButton

TskSkinMainMenuBarButton::TskSkinMainMenuBarButton(TskSkinMainMenuBar* AParent,
                                                   const TskDataSkinMainMenuBarButton* AData)
    : TskMenuBarObject(AParent, AData), SkinSupport(AData != nullptr) {
  if (!AData) return;
  Command = AData->Command;
  DownRect = AData->DownRect;
}

void TskSkinMainMenuBarButton::DefaultDraw(TCanvas& Canvas) {
  TBitmap b;
  if (!SizeLike(b, ObjectRect)) return;
  TCanvas& c = *b.Canvas();
  const bool pressed = Down && Hovered;
  const TRect r{0, 0, b.Width(), b.Height()};
  DefaultFace(c, r, pressed, Active && !pressed);
  const int shift = pressed ? 1 : 0;
  const int x = b.Width() / 2 - 5 + shift, y = b.Height() / 2 - 4 + shift;
  const TColor color = Enabled ? classlib::clBtnText : classlib::clBtnShadow;
  switch (Command) {
    case TStdCommand::cmClose: DrawCloseImage(c, x, y, color); break;
    case TStdCommand::cmMaximize: DrawRestoreImage(c, x, y, color); break;
    case TStdCommand::cmMinimize: DrawMinimizeImage(c, x, y, color); break;
    case TStdCommand::cmSysMenu: DrawSysMenuImage(c, x, y, color); break;
    default: break;
  }
  Canvas.Draw(ObjectRect.left, ObjectRect.top, &b);
}

void TskSkinMainMenuBarButton::Draw(TCanvas& Canvas) {
  if (!SkinSupport || !SourcePicture) {
    DefaultDraw(Canvas);
    return;
  }
  const TRect size{0, 0, RectWidth(ObjectRect), RectHeight(ObjectRect)};
  TBitmap b;
  if (!SizeLike(b, ObjectRect)) return;
  if (Down && !IsNullRect(DownRect) && Hovered) {
    b.Canvas()->CopyRect(size, *SourcePicture->Canvas(), DownRect);
  } else if (EnableMorphing() && MorphRunning()) {
    TBitmap hot;
    SizeLike(hot, ObjectRect);
    b.Canvas()->CopyRect(size, *SourcePicture->Canvas(), SkinRect);
    hot.Canvas()->CopyRect(size, *SourcePicture->Canvas(), ActiveSkinRect);
    MixLooks(b, hot, MorphKind, MorphKf);
  } else {
    const TRect& source = Active && !IsNullRect(ActiveSkinRect) ? ActiveSkinRect : SkinRect;
    b.Canvas()->CopyRect(size, *SourcePicture->Canvas(), source);
  }
  Canvas.Draw(ObjectRect.left, ObjectRect.top, &b);
}

void TskSkinMainMenuBarButton::MouseDown(int, int, TMouseButton Button) {
  if (!Enabled || Button != TMouseButton::mbLeft || Down) return;
  Down = true;
  if (EnableMorphing() && !IsNullRect(DownRect)) MorphKf = 1;
  Parent->DrawSkinObject(*this);
  // The system menu opens on the press.
  if (Command == TStdCommand::cmSysMenu) DoCommand();
}

void TskSkinMainMenuBarButton::MouseUp(int, int, TMouseButton Button) {
  if (!Enabled || Button != TMouseButton::mbLeft || Command == TStdCommand::cmSysMenu) return;
  Down = false;
  Redraw();
  if (Active) DoCommand();
}

void TskSkinMainMenuBarButton::MouseEnter() {
  if (Command == TStdCommand::cmSysMenu && Down) {
    Active = Hovered = true;
    if (EnableMorphing()) MorphKf = 0;
    return;
  }
  TskMenuBarObject::MouseEnter();
}

void TskSkinMainMenuBarButton::MouseLeave() {
  if (Command == TStdCommand::cmSysMenu && Down) {
    Active = Hovered = false;
    return;
  }
  TskMenuBarObject::MouseLeave();
}

void TskSkinMainMenuBarButton::DblClick() {
  if (Command != TStdCommand::cmSysMenu) return;
  classlib::TForm* child = Parent->GetMaximizedMDIChild();
  if (!child) return;
  if (TskFormSkin* f = Parent->FormSkin()) {
    f->SkinMenu->Hide();
    f->SkinMenuClose();
  }
  child->Close();
}

void TskSkinMainMenuBarButton::DoCommand() {
  TskFormSkin* target = Parent->GetMDIChildFormSkinComponent();
  if (!target) return;
  switch (Command) {
    case TStdCommand::cmClose: target->Form->Close(); break;
    case TStdCommand::cmMaximize: target->SetWindowState(classlib::TWindowState::wsNormal); break;
    case TStdCommand::cmMinimize: target->SetWindowState(classlib::TWindowState::wsMinimized); break;
    case TStdCommand::cmSysMenu: {
      TskFormSkin* f = Parent->FormSkin();
      if (!f) return;
      Parent->Repaint();
      const TRect r = ScreenRectOf(*Parent, ObjectRect);
      TskSkinData* skin = f->MenusSkinData() ? f->MenusSkinData() : f->SkinData();
      f->SkinMenuOpen();
      f->SkinMenu->Popup(Parent, skin, 0, r, target->GetSystemMenu(), Parent->PopupToUp());
      break;
    }
    default: break;
  }
}

// ---------------------------------------------------------------------------------------------
// TskSkinMainMenuBarItem

TskSkinMainMenuBarItem::TskSkinMainMenuBarItem(TskSkinMainMenuBar* AParent, const TskDataSkinMainMenuBarItem* AData)
    : TskMenuBarObject(AParent, AData), SkinSupport(AData != nullptr) {
  if (AData) {
    FontName = AData->FontName;
    FontHeight = AData->FontHeight;
    FontStyle = AData->FontStyle;
    UnEnabledFontColor = AData->UnEnabledFontColor;
    FontColor = AData->FontColor;
    ActiveFontColor = AData->ActiveFontColor;
    DownFontColor = AData->DownFontColor;
    TextRect = AData->TextRect;
    ItemDownRect = AData->DownRect;
    ItemLeftOffset = AData->ItemLeftOffset;
    ItemRightOffset = AData->ItemRightOffset;
    StretchEffect = AData->StretchEffect;
  }
  if (IsNullRect(ItemDownRect)) ItemDownRect = IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect;
  if (IsNullRect(ActiveSkinRect)) Morphing = false;
}

void TskSkinMainMenuBarItem::PrepareFont(TCanvas& Canvas) const {
  classlib::TFont& font = *Canvas.Font();
  if (Parent->UseSkinFont() && SkinSupport) {
    font.SetName(FontName);
    font.SetStyle(FontStyle);
    font.SetHeight(FontHeight);
  } else {
    font.Assign(Parent->DefItemFont());
  }
  const TskSkinData* skin = Parent->SkinData();
  font.SetCharset(skin && skin->ResourceStrData() ? skin->ResourceStrData()->CharSet()
                                                  : Parent->DefItemFont().Charset());
}

bool TskSkinMainMenuBarItem::Layout(TCanvas& Canvas) {
  PrepareFont(Canvas);
  RECT measure{0, 0, 0, 0};
  DrawCaption(Canvas, Caption(), measure, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
  const int cw = measure.right - measure.left;
  const int width = SkinSupport ? RectWidth(SkinRect) - RectWidth(TextRect) + cw + 2 : cw + 12;
  const TRect& area = Parent->ItemsArea;
  int left = 0;
  for (const auto& object : Parent->Objects) {
    if (object.get() == this) break;
    if (dynamic_cast<const TskSkinMainMenuBarItem*>(object.get())) left = object->ObjectRect.right;
  }
  if (left == 0) left = area.left;
  const int bottom = SkinSupport ? area.top + RectHeight(SkinRect) : area.bottom;
  ObjectRect = TRect{left, area.top, left + width, bottom};
  const int limit = area.right - (Parent->ScrollMenu() ? 5 : 0);
  if (ObjectRect.right > limit) {
    Parent->ItemsHidden = true;
    if (InBar) {
      SavedEnabled = Enabled;
      Enabled = false;
      InBar = false;
    }
    return false;
  }
  if (!InBar) {
    InBar = true;
    Enabled = SavedEnabled;
  }
  return true;
}

void TskSkinMainMenuBarItem::SkinImage(TBitmap& B, const TRect& S, TColor Color, bool Stretch) const {
  B.SetPixelFormat(classlib::TPixelFormat::pf24bit);
  if (SourcePicture && !IsNullRect(S))
    CreateHSkinImage(ItemLeftOffset, ItemRightOffset, B, *SourcePicture, S, RectWidth(ObjectRect),
                     RectHeight(ObjectRect), Stretch);
  else
    SizeLike(B, ObjectRect);
  TCanvas& c = *B.Canvas();
  PrepareFont(c);
  c.Font()->SetColor(Color);
  RECT r = TextRect;
  DrawCaption(c, Caption(), r, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
  r.right += 2;
  ::SetBkMode(c.Handle(), TRANSPARENT);
  ::SetTextColor(c.Handle(), classlib::ColorToRGB(Color));
  DrawCaption(c, Caption(), r, DT_CENTER | DT_SINGLELINE);
}

void TskSkinMainMenuBarItem::DefaultImage(TBitmap& B) const {
  if (!SizeLike(B, ObjectRect)) return;
  TCanvas& c = *B.Canvas();
  const bool pressed = Down;
  DefaultFace(c, TRect{0, 0, B.Width(), B.Height()}, pressed, Active && !pressed);
  PrepareFont(c);
  RECT measure{0, 0, 0, 0};
  DrawCaption(c, Caption(), measure, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
  const int h = measure.bottom - measure.top;
  const int shift = pressed ? 1 : 0;
  RECT r{shift, B.Height() / 2 - h / 2 + shift, B.Width() + shift, B.Height() / 2 - h / 2 + h + shift};
  ::SetBkMode(c.Handle(), TRANSPARENT);
  ::SetTextColor(c.Handle(), classlib::ColorToRGB(Parent->DefItemFont().Color()));
  DrawCaption(c, Caption(), r, DT_CENTER | DT_SINGLELINE);
}

void TskSkinMainMenuBarItem::Draw(TCanvas& Canvas) {
  if (SkinSupport && (IsNullRect(SkinRect) || IsNullRect(TextRect))) return;
  if (!Layout(Canvas)) return;
  TBitmap image;
  if (!SkinSupport) {
    DefaultImage(image);
  } else {
    const TColor normal = MenuItem && !MenuItem->Enabled() ? UnEnabledFontColor : FontColor;
    if (Down) {
      SkinImage(image, ItemDownRect, DownFontColor, StretchEffect);
    } else if (EnableMorphing() && MorphRunning()) {
      TBitmap hot;
      SkinImage(image, SkinRect, normal, false);
      SkinImage(hot, ActiveSkinRect, ActiveFontColor, StretchEffect);
      MixLooks(image, hot, MorphKind, MorphKf);
    } else if (Active) {
      const bool hotLook = !IsNullRect(ActiveSkinRect);
      SkinImage(image, hotLook ? ActiveSkinRect : SkinRect, ActiveFontColor, StretchEffect && hotLook);
    } else {
      SkinImage(image, SkinRect, normal, false);
    }
  }
  if (!image.Empty()) Canvas.Draw(ObjectRect.left, ObjectRect.top, &image);
}

void TskSkinMainMenuBarItem::MouseEnter() {
  TskSkinMainMenuBarItem* down = nullptr;
  TskSkinMainMenuBarItem* active = nullptr;
  for (TskSkinMainMenuBarItem* item : Parent->Items()) {
    if (item->IDName == IDName) continue;
    if (!down && item->Down) down = item;
    if (!active && item->Active) active = item;
  }
  if (down) {
    // A drop-down is open: this item's opens in its place.
    down->SetDown(false);
    Active = Hovered = true;
    if (EnableMorphing()) MorphKf = 1;
    SetDown(true);
    return;
  }
  if (active) active->MouseLeave();
  Hovered = Active = true;
  Redraw();
  if (Parent->OnItemMouseEnter) Parent->OnItemMouseEnter(MenuItem);
  if (MenuItem && Parent->Hint() != MenuItem->Hint()) Parent->SetHint(MenuItem->Hint());
}

void TskSkinMainMenuBarItem::MouseLeave() {
  Active = Hovered = false;
  if (EnableMorphing() && Down) MorphKf = 0;
  Redraw();
  if (Parent->OnItemMouseLeave) Parent->OnItemMouseLeave(MenuItem);
}

void TskSkinMainMenuBarItem::MouseDown(int, int, TMouseButton Button) {
  if (!Enabled || Button != TMouseButton::mbLeft) return;
  if (Parent->OnMainMenuItemClick) Parent->OnMainMenuItemClick(IDName);
  if (HasSubItems()) {
    Parent->MenuMode = true;
    SetDown(true);
    return;
  }
  if (TskFormSkin* f = Parent->FormSkin()) {
    if (f->MainMenuActive) f->SkinMainMenuClose();
    f->MenuLoop = false;
  }
  Redraw();
  // The command may free the bar's objects (a changed menu): nothing of this object is read after.
  if (classlib::TMenuItem* item = MenuItem) {
    if (classlib::TMenu* menu = item->GetParentMenu())
      menu->DispatchCommand(item->Command());
    else
      item->Click();
  }
}

void TskSkinMainMenuBarItem::SetDown(bool Value) {
  Down = Value;
  if (Value) {
    Parent->DrawSkinObject(*this);
    if (TskFormSkin* f = Parent->FormSkin(); f && !f->MainMenuActive && f->OnMainMenuEnter) f->OnMainMenuEnter(Parent);
    TrackMenu();
    return;
  }
  Active = false;
  if (EnableMorphing()) {
    MorphKf = 1;
    Redraw();
  } else {
    Parent->DrawSkinObject(*this);
  }
}

void TskSkinMainMenuBarItem::TrackMenu() {
  const TRect r = ScreenRectOf(*Parent, ObjectRect);
  TskFormSkin* f = Parent->FormSkin();
  if (!f) return;
  f->SkinMenuOpen();
  f->MainMenuActive = true;
  f->SkinMenu->Popup(nullptr, Parent->SkinData(), 0, r, MenuItem, Parent->PopupToUp());
}

}  // namespace skin
