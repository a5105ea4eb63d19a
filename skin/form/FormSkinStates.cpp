// The component's own window states (the form has no system caption to do them): minimize with
// parking, maximize to the work area, restore, roll-up, the tray and the form's transparency.
#include "skin/form/FormSkin.h"

#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"

using namespace classlib;

namespace skin {

namespace {

// A roll-up picture whose middle may be stretched to the form's width.
bool Stretchable(const TskSkinData& Skin) { return Skin.RollUpLeftPoint.x < Skin.RollUpRightPoint.x; }

bool HasRollUpPicture(const TskSkinData* Skin) {
  return Skin && Skin->RollUpPicture && !Skin->RollUpPicture->Empty();
}

// The component of a form, when it has one.
TskFormSkin* FormSkinOf(TForm* Form) {
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* component = dynamic_cast<TskFormSkin*>(Form->Components(i))) return component;
  return nullptr;
}

}  // namespace

void TskFormSkin::SetWindowState(TWindowState Value) {
  if (Value == WindowState) return;
  // Minimizing the application (the main form, or any form in client mode) leaves the form's own
  // state as it was: the form itself never parks.
  const bool appMinimize = Form == Application->MainForm() || !FSupportNCArea;
  if (Value != TWindowState::wsMinimized || !appMinimize) WindowState = Value;
  switch (Value) {
    case TWindowState::wsNormal:
      DoNormalize();
      break;
    case TWindowState::wsMinimized:
      DoMinimize();
      break;
    case TWindowState::wsMaximized:
      DoMaximize();
      break;
  }
}

void TskFormSkin::DoMinimize() {
  if (Form == Application->MainForm() || !FSupportNCArea) {
    Application->Minimize();
    return;
  }
  if (IsNullRect(NormalBounds)) NormalBounds = Form->BoundsRect();
  TPoint p{};
  GetMinimizeCoord(p);
  Form->SetBounds(p.x, p.y, GetMinWidth(), GetMinHeight());
  if (IsMDIChild() && WindowState != TWindowState::wsMaximized && Application->MainForm() &&
      Application->MainForm()->HandleAllocated())
    SendMessageW(Application->MainForm()->Handle(), WM_MDICHILDRESTORE, 0, 0);
}

void TskFormSkin::DoMaximize() {
  if (IsNullRect(NormalBounds)) NormalBounds = Form->BoundsRect();
  if (IsMDIChild()) {
    PointerTimer->SetEnabled(false);
    TestActive(-1, -1, false);
    const int oldW = Form->Width(), oldH = Form->Height();
    const TRect area = GetMDIWorkArea();
    Form->SetBounds(0, 0, RectWidth(area), RectHeight(area));
    if (Form->Width() == oldW && Form->Height() == oldH) UpDateForm();
    if (Application->MainForm() && Application->MainForm()->HandleAllocated())
      SendMessageW(Application->MainForm()->Handle(), WM_MDICHILDMAXIMIZE, 0, 0);
    return;
  }
  const HWND window = Form->HandleAllocated() ? Form->Handle() : nullptr;
  TRect r;
  if (FMaximizeOnFullScreen) {
    r = GetMonitorWorkArea(window, false);
  } else {
    r = GetMonitorWorkArea(window, true);
    const TRect whole = GetMonitorWorkArea(window, false);
    const TRect primary = Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    // A task bar that hides itself must stay reachable at the screen's edge.
    if (EqualRect(&r, &whole) && EqualRect(&whole, &primary)) InflateRect(&r, -1, -1);
  }
  Form->SetBounds(r.left, r.top, RectWidth(r), RectHeight(r));
}

void TskFormSkin::DoNormalize() {
  RolledUpWhileMaximized = false;
  const int oldW = Form->Width(), oldH = Form->Height();
  if (!IsNullRect(NormalBounds))
    Form->SetBounds(NormalBounds.left, NormalBounds.top, RectWidth(NormalBounds), RectHeight(NormalBounds));
  NormalBounds = TRect{};
  PointerTimer->SetEnabled(true);
  if (!FSupportNCArea) return;
  if (Form->Width() == oldW && Form->Height() == oldH) UpDateForm();
  Form->Repaint();
  if (IsMDIChild() && WindowState != TWindowState::wsMaximized && Application->MainForm() &&
      Application->MainForm()->HandleAllocated())
    SendMessageW(Application->MainForm()->Handle(), WM_MDICHILDRESTORE, 0, 0);
}

void TskFormSkin::GetMinimizeCoord(TPoint& P) {
  const int mw = GetMinWidth(), mh = GetMinHeight();
  TRect a;
  std::vector<TForm*> others;
  if (IsMDIChild()) {
    const TRect area = GetMDIWorkArea();
    a = Rect(0, 0, RectWidth(area), RectHeight(area));
  } else {
    a = GetMonitorWorkArea(Form->HandleAllocated() ? Form->Handle() : nullptr, true);
  }
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TForm* other = Screen->Forms(i);
    if (other == Form || other == Application->MainForm() || !other->Showing()) continue;
    if (IsMDIChild() != (other->FormStyle() == TFormStyle::fsMDIChild)) continue;
    TskFormSkin* skin = FormSkinOf(other);
    if (skin && skin->WindowState == TWindowState::wsMinimized) others.push_back(other);
  }
  const auto taken = [&others](int X, int Y) {
    for (TForm* other : others)
      if (other->Left() == X && other->Top() == Y) return true;
    return false;
  };
  const TPoint first{a.left, a.bottom - mh};
  P = first;
  // One pass over the places, then the first: with rows of no height the search would never end.
  while (taken(P.x, P.y)) {
    P.x += mw;
    if (P.x + mw > a.right || mw <= 0) {
      P.x = a.left;
      if (mh <= 0) {
        P = first;
        break;
      }
      P.y -= mh;
    }
    if (P.y < a.top) {
      P = first;
      break;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Roll-up

void TskFormSkin::SetRollUpState(bool Value) {
  if (!SkinActive && !FSupportNCArea) return;
  if (!FBorderIcons.Contains(TskBorderIcon::biRollUp)) return;
  if (RollUpState && WindowState == TWindowState::wsMaximized && !RolledUpWhileMaximized) return;
  if (WindowState == TWindowState::wsMinimized) return;
  if (WindowState == TWindowState::wsMaximized) RolledUpWhileMaximized = Value;
  RollUpState = Value;
  if (FSupportNCArea) {
    if (Value) {
      RollUpHeight = Form->Height();
      Form->SetHeight(GetMinHeight());
    } else {
      Form->SetHeight(RollUpHeight);
    }
  } else if (!HasRollUpPicture(FSkinData)) {
    RollUpState = false;
  } else if (Value) {
    RollUpHeight = Form->Height();
    CreateRollUpForm2();
  } else {
    RestoreRollUpForm2();
  }
  if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TskFormSkin::CreateRollUpForm() { CreateRollUpForm2(); }

void TskFormSkin::RestoreRollUpForm() { RestoreRollUpForm2(); }

void TskFormSkin::CreateRollUpForm2() {
  if (!HasRollUpPicture(FSkinData)) return;
  const TskSkinData& s = *FSkinData;
  const int ph = s.RollUpPicture->Height(), pw = s.RollUpPicture->Width();
  const bool stretch = Stretchable(s);
  const int extra = stretch ? Form->Width() - pw : 0;
  if (stretch)
    for (auto& object : FrameObjects) {
      if (!object->RollUp) continue;
      TRect r = object->SkinRect;
      if (r.left >= s.RollUpRightPoint.x)
        OffsetRect(&r, extra, 0);
      else if (r.left <= s.RollUpLeftPoint.x && r.right >= s.RollUpRightPoint.x)
        r.right += extra;
      object->ObjectRect = r;
    }
  TestActive(-1, -1, true);
  PointerTimer->SetEnabled(false);
  MorphingTimer->SetEnabled(false);
  if (HiddenByRollUp.empty())
    for (int i = 0; i < Form->ControlCount(); ++i) {
      TControl* control = Form->Controls(i);
      if (!control->Visible()) continue;
      HiddenByRollUp.push_back(control);
      control->FreeNotification(this);
      control->SetVisible(false);
    }
  if (stretch)
    Form->SetHeight(ph);
  else
    Form->SetBounds(Form->Left(), Form->Top(), pw, ph);
  SetRollUpFormRegion();
  if (FSupportNCArea) {
    if (Form->HandleAllocated()) SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
  } else {
    Form->Repaint();
  }
  PointerTimer->SetEnabled(true);
  MorphingTimer->SetEnabled(true);
}

void TskFormSkin::RestoreRollUpForm2() {
  TestActive(-1, -1, true);
  PointerTimer->SetEnabled(false);
  MorphingTimer->SetEnabled(false);
  for (TControl* control : HiddenByRollUp) control->SetVisible(true);
  HiddenByRollUp.clear();
  if (CanScale()) Form->SetHeight(RollUpHeight);
  CheckSize();
  PointerTimer->SetEnabled(true);
  MorphingTimer->SetEnabled(true);
}

void TskFormSkin::SetRollUpFormRegion() {
  const bool masked = FSkinData && FSkinData->RollUpMask && !FSkinData->RollUpMask->Empty();
  if (!masked) {
    RemoveRegion();
    return;
  }
  const TskSkinData& s = *FSkinData;
  HRGN region = nullptr;
  if (Stretchable(s)) {
    TBitmap stretched;
    TBitmap& mask = *s.RollUpMask;
    CreateHSkinImage(s.RollUpLeftPoint.x, mask.Width() - s.RollUpRightPoint.x, stretched, mask,
                     Rect(0, 0, mask.Width(), mask.Height()), Form->Width(), mask.Height(), false);
    region = CreateMaskRegion(stretched, 0, 0);
  } else {
    region = CreateMaskRegion(*s.RollUpMask, 0, 0);
  }
  // An empty result leaves the window as it was.
  if (!region) return;
  FormRgn = region;
  SetWindowRgn(Form->Handle(), region, TRUE);
}

// ---------------------------------------------------------------------------------------------
// Transparency (the tray is in FormSkinServices.cpp)

void TskFormSkin::SetFormStyle(TFormStyle Value) {
  if (Value != TFormStyle::fsNormal && Value != TFormStyle::fsStayOnTop) return;
  Form->SetFormStyle(Value);
  if (FAlphaBlend) UpDateSkinControls(nullptr, Form);
}

void TskFormSkin::SetAlphaBlend(bool Value) {
  if (Value == FAlphaBlend) return;
  FAlphaBlend = Value;
  if (!ComponentState().Empty() || !Form->HandleAllocated()) return;
  const HWND window = Form->Handle();
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (Value) {
    SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetAlphaBlendTransparent(window, FAlphaBlendValue);
  } else {
    SetWindowLongPtrW(window, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  }
}

void TskFormSkin::SetAlphaBlendValue(std::uint8_t Value) {
  if (Value == FAlphaBlendValue) return;
  FAlphaBlendValue = Value;
  if (FAlphaBlend && ComponentState().Empty() && Form->HandleAllocated())
    SetAlphaBlendTransparent(Form->Handle(), Value);
}

}  // namespace skin
