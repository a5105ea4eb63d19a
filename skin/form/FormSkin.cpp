#include "skin/form/FormSkin.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinMessageRouter.h"
#include "skin/form/SkinPopupMenu.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {

// The default caption fonts: Arial of height 14, bold, in the given colour.
std::unique_ptr<TFont> CaptionFont(TColor Color, bool Bold) {
  auto font = std::make_unique<TFont>();
  font->SetName("Arial");
  font->SetHeight(14);
  if (Bold) font->SetStyle(TFontStyles{TFontStyle::fsBold});
  font->SetColor(Color);
  return font;
}

}  // namespace

TskFormSkin::TskFormSkin(TComponent* AOwner)
    : TComponent(AOwner),
      TopMask(std::make_unique<TBitmap>()),
      BottomMask(std::make_unique<TBitmap>()),
      LeftMask(std::make_unique<TBitmap>()),
      RightMask(std::make_unique<TBitmap>()),
      FLogoBitMap(std::make_unique<TBitmap>()),
      FDefCaptionFont(CaptionFont(clBtnText, true)),
      FDefInActiveCaptionFont(CaptionFont(clBtnShadow, true)) {
  Form = dynamic_cast<TForm*>(AOwner);
  if (!Form) throw EInvalidCast("Invalid class typecast");

  const auto timer = [this](unsigned Interval, void (TskFormSkin::*Tick)(TObject*)) {
    auto* t = new TTimer(this);  // owned by this component
    t->SetEnabled(false);
    t->SetInterval(Interval);
    t->OnTimer = [this, Tick](TObject* Sender) { (this->*Tick)(Sender); };
    return t;
  };
  MorphingTimer = timer(20, &TskFormSkin::TestMorph);
  PointerTimer = timer(50, &TskFormSkin::TestMouse);
  AnimationTimer = timer(25, &TskFormSkin::TestAnimate);

  // The frame draws its own caption buttons: the system's would only answer hit tests.
  if (!Form->HandleAllocated()) Form->SetBorderIcons(TBorderIcons{});
  Form->OnShortCut = [this](TMessage& Msg, bool& Handled) { FormShortCut(Msg, Handled); };
  SysMenu = new TPopupMenu(this);  // owned by this component
  TrayMenu = new TskSkinPopupMenu(this);
  TrayMenu->SetPopupForm(Form);
  CreateSysTrayMenu();
  SkinMenu = new TskSkinMenu(this, Form);
  SkinMenu->DefaultMenuItemFont->SetColor(clWindowText);
  // The form routes the keys of its open menus itself (NewAppMessage).
  SkinMenu->HookKeyboard = false;

  if (Designing()) return;
  OldWindowProc = Form->WindowProc;
  Form->WindowProc = [this](TMessage& Message) { NewWndProc(Message); };
  Form->RecreateWnd();
  const HWND window = Form->Handle();
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & 0xFF3FFFFF);
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TskFormSkin::~TskFormSkin() {
  // A form that frees its components is past the point where its window procedure can be given back.
  const bool formAlive = Form && !Form->ComponentState().Contains(TComponentStateItem::csDestroying);
  if (formAlive && !Designing()) {
    Form->WindowProc = OldWindowProc;
    Form->OnShortCut = nullptr;
  }
  // The application's handler must not call into a freed component.
  UnHookApp();
  // The MDI client goes on with its own procedure when the component goes first.
  UnHookMDIClient();
  MDIChildGone();
  StopTimers();
  ClearObjects();
}

bool TskFormSkin::Designing() const { return ComponentState().Contains(TComponentStateItem::csDesigning); }

void TskFormSkin::StopTimers() {
  MorphingTimer->SetEnabled(false);
  PointerTimer->SetEnabled(false);
  AnimationTimer->SetEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Property setters

void TskFormSkin::SetLogoBitMap(const TBitmap& Value) { FLogoBitMap->Assign(Value); }

void TskFormSkin::SetShowIcon(bool Value) {
  FShowIcon = Value;
  if (!Designing() && !ComponentState().Contains(TComponentStateItem::csLoading) && Form->HandleAllocated())
    SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
}

void TskFormSkin::SetDefCaptionFont(const TFont& Value) {
  FDefCaptionFont->Assign(Value);
  if (!Designing() && !ComponentState().Contains(TComponentStateItem::csLoading) && !SkinActive &&
      Form->HandleAllocated())
    SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
}

void TskFormSkin::SetDefInActiveCaptionFont(const TFont& Value) {
  FDefInActiveCaptionFont->Assign(Value);
  if (!Designing() && !ComponentState().Contains(TComponentStateItem::csLoading) && !SkinActive &&
      Form->HandleAllocated())
    SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
}

bool TskFormSkin::UseSkinFontInMenu() const { return SkinMenu->UseSkinFont; }

void TskFormSkin::SetUseSkinFontInMenu(bool Value) { SkinMenu->UseSkinFont = Value; }

int TskFormSkin::DefMenuItemHeight() const { return SkinMenu->DefMenuItemHeight; }

void TskFormSkin::SetDefMenuItemHeight(int Value) {
  if (Value > 0) SkinMenu->DefMenuItemHeight = Value;
}

TFont& TskFormSkin::DefMenuItemFont() { return *SkinMenu->DefaultMenuItemFont; }

void TskFormSkin::SetDefMenuItemFont(const TFont& Value) { SkinMenu->SetDefaultMenuItemFont(Value); }

void TskFormSkin::SetMaxMenuItemsInWindow(int Value) {
  if (Value < 0) return;
  FMaxMenuItemsInWindow = Value;
  CopyMenuOptions();
}

void TskFormSkin::SetMenusAlphaBlend(bool Value) {
  FMenusAlphaBlend = Value;
  CopyMenuOptions();
}

void TskFormSkin::SetMenusAlphaBlendValue(std::uint8_t Value) {
  FMenusAlphaBlendValue = Value;
  CopyMenuOptions();
}

void TskFormSkin::SetMenusAlphaBlendAnimation(bool Value) {
  FMenusAlphaBlendAnimation = Value;
  CopyMenuOptions();
}

void TskFormSkin::SetSupportNCArea(bool Value) {
  FSupportNCArea = Value;
  if (Designing() && !Value) Form->SetBorderStyle(TFormBorderStyle::bsNone);
}

void TskFormSkin::SetBorderIcons(TskBorderIcons Value) {
  FBorderIcons = Value;
  if (FSupportNCArea || SkinActive) {
    LoadDefObjects();
    CheckObjects();
  }
}

void TskFormSkin::SetMenusSkinData(TskSkinData* Value) {
  if (FMenusSkinData) FMenusSkinData->RemoveFreeNotification(this);
  FMenusSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TskFormSkin::SetMainMenu(TMainMenu* Value) {
  if (FMainMenu) FMainMenu->RemoveFreeNotification(this);
  FMainMenu = Value;
  if (Value) Value->FreeNotification(this);
  if (!Designing() && FSkinData && !FSkinData->Empty) UpdateMainMenu(true);
}

void TskFormSkin::SetSystemMenu(TPopupMenu* Value) {
  if (FSystemMenu) FSystemMenu->RemoveFreeNotification(this);
  FSystemMenu = Value;
  if (Value) Value->FreeNotification(this);
}

// ---------------------------------------------------------------------------------------------
// Activation and size limits

bool TskFormSkin::GetFormActive() const {
  if (AlwaysActive) return true;
  if (IsMDIChild() || IsMDIForm()) return NCActive;
  return Form->Active() && Screen->ActiveForm() == Form;
}

void TskFormSkin::FormChangeActive(bool Redraw) {
  const bool active = GetFormActive();
  for (auto& object : FrameObjects) {
    auto* caption = dynamic_cast<TskSkinCaptionObject*>(object.get());
    if (!caption) continue;
    if (Redraw && CanObjectTest(caption->RollUp)) {
      if (!FSupportNCArea) caption->Active = active;
      if (!FSupportNCArea || !IsNullRect(caption->ActiveSkinRect)) caption->Redraw();
    } else if (caption->EnableMorphing()) {
      caption->SetMorphKf(active ? 1 : 0);
    }
  }
  if (active) {
    if (OnActivate) OnActivate(this);
  } else if (OnDeActivate) {
    OnDeActivate(this);
  }
}

int TskFormSkin::GetMinWidth() const {
  // In non-client mode a skin without a frame leaves the default frame's limits.
  const bool skinned = SkinActive && FSkinData && !FSkinData->Empty && (!FSupportNCArea || CanNCSupport());
  if (FSupportNCArea) {
    if (skinned) {
      const int w = FSkinData->Picture->Width();
      return FMinWidth > w && WindowState != TWindowState::wsMinimized ? FMinWidth : w;
    }
    return FMinWidth > 0 ? FMinWidth : 130;
  }
  if (!skinned) return 0;
  const int w = FSkinData->Picture->Width();
  return FMinWidth == 0 ? w : std::min(FMinWidth, w);
}

int TskFormSkin::GetMinHeight() const {
  const bool skinned = SkinActive && FSkinData && !FSkinData->Empty && (!FSupportNCArea || CanNCSupport());
  const bool bare = RollUpState || WindowState == TWindowState::wsMinimized;
  if (FSupportNCArea) {
    const int h = skinned ? FSkinData->Picture->Height() - RectHeight(FSkinData->ClientRect) : GetDefCaptionHeight() + 6;
    return FMinHeight > h && !bare ? FMinHeight : h;
  }
  if (!skinned) return 0;
  const int h = FSkinData->Picture->Height();
  return FMinHeight == 0 ? h : std::min(FMinHeight, h);
}

int TskFormSkin::GetMaxWidth() const {
  const TRect r = GetMonitorWorkArea(Form->HandleAllocated() ? Form->Handle() : nullptr, !FMaximizeOnFullScreen);
  const int w = RectWidth(r);
  return FMaxWidth != 0 && FMaxWidth < w ? FMaxWidth : w;
}

int TskFormSkin::GetMaxHeight() const {
  const TRect r = GetMonitorWorkArea(Form->HandleAllocated() ? Form->Handle() : nullptr, !FMaximizeOnFullScreen);
  const int h = RectHeight(r);
  return FMaxHeight != 0 && FMaxHeight < h ? FMaxHeight : h;
}

int TskFormSkin::GetDefCaptionHeight() const {
  const TFormBorderStyle style = Form->BorderStyle();
  return style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin ? 15 : 19;
}

int TskFormSkin::GetDefButtonSize() const {
  const TFormBorderStyle style = Form->BorderStyle();
  return style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin ? 13 : 17;
}

bool TskFormSkin::GetAutoRenderingInActiveImage() const {
  return FSkinData && !FSkinData->Empty && FSkinData->AutoRenderingInActiveImage;
}

bool TskFormSkin::IsMDIChild() const { return Form->FormStyle() == TFormStyle::fsMDIChild; }
bool TskFormSkin::IsMDIForm() const { return Form->FormStyle() == TFormStyle::fsMDIForm; }
bool TskFormSkin::IsMaximizedMDIChild() const {
  return IsMDIChild() && WindowState == TWindowState::wsMaximized;
}

// ---------------------------------------------------------------------------------------------
// Icons

void TskFormSkin::GetIconSize(int& W, int& H) {
  W = GetSystemMetrics(SM_CXSMICON);
  if (W == 0) W = GetSystemMetrics(SM_CXSIZE);
  H = GetSystemMetrics(SM_CYSMICON);
  if (H == 0) H = GetSystemMetrics(SM_CYSIZE);
}

void TskFormSkin::GetIcon() {
  if (SmallIcon) return;
  int w = 0, h = 0;
  GetIconSize(w, h);
  HICON source = Form->Icon().Handle();
  HICON standard = nullptr;
  if (!source) source = standard = LoadIconW(nullptr, IDI_APPLICATION);
  SmallIcon = std::make_unique<TIcon>();
  if (source)
    SmallIcon->SetHandle(static_cast<HICON>(CopyImage(source, IMAGE_ICON, w, h, LR_COPYFROMRESOURCE)));
  if (standard) DestroyIcon(standard);
}

void TskFormSkin::DrawFormIcon(TCanvas& Canvas, int X, int Y) {
  GetIcon();
  if (SmallIcon->Handle())
    DrawIconEx(Canvas.Handle(), X, Y, SmallIcon->Handle(), SmallIcon->Width(), SmallIcon->Height(), 0, nullptr,
               DI_NORMAL);
}

// ---------------------------------------------------------------------------------------------
// Short cuts and the application hook

void TskFormSkin::FormShortCut(TMessage& Msg, bool& Handled) {
  if (ShortCutHandled) {
    ShortCutHandled = false;
    Handled = false;
  }
  // With a bar the bar's menu takes the keys.
  TMainMenu* menu = FMainMenuBar && FMainMenuBar->MainMenu() ? FMainMenuBar->MainMenu() : FMainMenu;
  if (!menu) return;
  const bool alt = (Msg.LParam & (KF_ALTDOWN << 16)) != 0;
  const bool altOnly = alt && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
  const WORD key = static_cast<WORD>(Msg.WParam);
  // Alt+F4 closes the form whatever the menu's hot keys are (F4's key code is also the letter "s").
  if (altOnly && key != VK_F4 && FindHotKeyItem(key)) {
    Handled = true;
    return;
  }
  ShortCutHandled = menu->IsShortCut(Msg);
  Handled = ShortCutHandled;
  if (ShortCutHandled || !FMainMenuBar) return;
  // The active MDI child's menu merged into the bar answers its own keys.
  if (TMainMenu* child = FMainMenuBar->GetChildMainMenu()) {
    if (altOnly && FindHotKeyItem(key)) {
      Handled = true;
      return;
    }
    ShortCutHandled = child->IsShortCut(Msg);
    Handled = ShortCutHandled;
  }
}

// The application's handler is shared with the menu engines and other forms through the router,
// which keeps the handler that was there before and puts it back when the last entry leaves.
void TskFormSkin::HookApp() {
  if (TskAppMessageRouter::Contains(this)) return;
  TskAppMessageRouter::Push(this, [this](MSG& Msg, bool& Handled) { NewAppMessage(Msg, Handled); });
}

void TskFormSkin::UnHookApp() { TskAppMessageRouter::Remove(this); }

// ---------------------------------------------------------------------------------------------
// Event relays of the frame objects

void TskFormSkin::PaintEvent(const String& IDName, TCanvas& Canvas, const TRect& ObjectRect) {
  if (OnPaintEvent) OnPaintEvent(IDName, Canvas, ObjectRect);
}

void TskFormSkin::MouseUpEvent(const String& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button) {
  if (OnMouseUpEvent) OnMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TskFormSkin::MouseDownEvent(const String& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button) {
  if (OnMouseDownEvent) OnMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TskFormSkin::MouseMoveEvent(const String& IDName, int X, int Y, const TRect& ObjectRect) {
  if (OnMouseMoveEvent) OnMouseMoveEvent(IDName, X, Y, ObjectRect);
}

void TskFormSkin::MouseEnterEvent(const String& IDName) {
  if (OnMouseEnterEvent) OnMouseEnterEvent(IDName);
}

void TskFormSkin::MouseLeaveEvent(const String& IDName) {
  if (OnMouseLeaveEvent) OnMouseLeaveEvent(IDName);
}

}  // namespace skin
