// Hit tests of the skinned and the default frame, the object under the pointer, the mouse routed to
// the frame objects, the client-mode drag, skin cursors and the object timers.
#include "skin/form/FormSkin.h"

#include "skin/controls/SkinControl.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"
#include "skin/form/FormSkinValueObjects.h"

using namespace classlib;

namespace skin {

namespace {

bool InRect(const TRect& R, const TPoint& P) { return PtInRect(&R, P) != FALSE; }

}  // namespace

bool TskFormSkin::NearBorder(const TPoint& P) const {
  const int b = FSkinData->BorderWidth;
  const int w = Form->Width(), h = Form->Height();
  const TPoint probes[] = {{P.x - b, P.y}, {P.x, P.y - b}, {P.x + b, P.y}, {P.x, P.y + b}};
  const bool masked = FSkinData->Mask && !FSkinData->Mask->Empty();
  if (!masked) {
    const TRect window = Rect(0, 0, w, h);
    for (const TPoint& probe : probes)
      if (!InRect(window, probe)) return true;
    return false;
  }
  if (InRect(NewMaskRectArea, P)) return false;
  for (const TPoint& probe : probes)
    if (!PtInMask(probe)) return true;
  return false;
}

int TskFormSkin::SizingZone(const TPoint& P) const {
  const TPoint lt = NewHitTestLTPoint, rt = NewHitTestRTPoint, lb = NewHitTestLBPoint, rb = NewHitTestRBPoint;
  const int w = Form->Width(), h = Form->Height();
  if (P.x <= lt.x && P.y <= lt.y) return HTTOPLEFT;
  if (P.x >= rt.x && P.y <= rt.y) return HTTOPRIGHT;
  if (P.x <= lb.x && P.y >= lb.y) return HTBOTTOMLEFT;
  if (P.x >= rb.x && P.y >= rb.y) return HTBOTTOMRIGHT;
  if (InRect(Rect(lt.x, 0, rt.x, LaidOutClientRect.top), P)) return HTTOP;
  if (InRect(Rect(lb.x, LaidOutClientRect.bottom, rb.x, h), P)) return HTBOTTOM;
  if (InRect(Rect(0, lt.y, LaidOutClientRect.left, lb.y), P)) return HTLEFT;
  if (InRect(Rect(LaidOutClientRect.right, rt.y, w, rb.y), P)) return HTRIGHT;
  return HTNOWHERE;
}

bool TskFormSkin::CaptionTest(const TPoint& P) const {
  for (const auto& object : FrameObjects)
    if (dynamic_cast<const TskSkinCaptionObject*>(object.get()) && CanObjectTest(object->RollUp) &&
        InRect(object->ObjectRect, P))
      return true;
  return false;
}

bool TskFormSkin::ActiveObjectAt(const TPoint& P) const {
  return ActiveObject >= 0 && ActiveObject < static_cast<int>(FrameObjects.size()) &&
         InRect(FrameObjects[static_cast<size_t>(ActiveObject)]->ObjectRect, P);
}

int TskFormSkin::NewNCHitTest(const TPoint& P) {
  const bool onCaption = CaptionTest(P);
  const bool inClient = InRect(LaidOutClientRect, P);
  const auto frame = [&] { return inClient ? HTCLIENT : onCaption ? HTCAPTION : HTOBJECT; };
  if (RollUpState || WindowState == TWindowState::wsMinimized) return onCaption ? HTCAPTION : HTOBJECT;
  if (ActiveObjectAt(P) && !onCaption && !inClient && !InSizeMove) return HTOBJECT;
  if (WindowState == TWindowState::wsMaximized || !FSizeable) return frame();
  if (NearBorder(P))
    if (const int zone = SizingZone(P); zone != HTNOWHERE) return zone;
  return frame();
}

int TskFormSkin::NewDefNCHitTest(const TPoint& P) {
  const int w = Form->Width(), h = Form->Height(), ch = GetDefCaptionHeight();
  const TRect client = Rect(3, ch + 3, w - 3, h - 3);
  const TRect caption = GetDefCaptionRect();
  if (WindowState != TWindowState::wsNormal || RollUpState || !FSizeable)
    return InRect(caption, P) ? HTCAPTION : InRect(client, P) ? HTCLIENT : HTOBJECT;
  if (ActiveObjectAt(P)) return HTOBJECT;
  const int x = P.x, y = P.y;
  if (x <= 2 && y <= 2) return HTTOPLEFT;
  if (x >= w - 3 && y <= 2) return HTTOPRIGHT;
  if (x <= 2 && y >= h - 3) return HTBOTTOMLEFT;
  if (x >= w - 3 && y >= h - 3) return HTBOTTOMRIGHT;
  if (x <= 2) return HTLEFT;
  if (y <= 2) return HTTOP;
  if (x >= w - 3) return HTRIGHT;
  if (y >= h - 3) return HTBOTTOM;
  if (InRect(caption, P)) return HTCAPTION;
  if (InRect(client, P)) return HTCLIENT;
  return HTOBJECT;
}

int TskFormSkin::NewHitTest(const TPoint& P) {
  if (!FSizeable || WindowState == TWindowState::wsMaximized || RollUpState || ActiveObjectAt(P) || !FSkinData ||
      FSkinData->Empty)
    return HTCLIENT;
  if (!NearBorder(P)) return HTCLIENT;
  const int zone = SizingZone(P);
  return zone == HTNOWHERE ? HTCLIENT : zone;
}

void TskFormSkin::TestActive(int X, int Y, bool Track) {
  if (FrameObjects.empty() || (FSupportNCArea && !GetFormActive())) return;
  OldActiveObject = ActiveObject;
  int found = -1;
  const TPoint p{X, Y};
  for (size_t i = 0; i < FrameObjects.size(); ++i) {
    const TskActiveSkinObject& object = *FrameObjects[i];
    if (CanObjectTest(object.RollUp) && object.Enabled && object.Visible && InRect(object.ObjectRect, p)) {
      found = static_cast<int>(i);
      break;
    }
  }
  ActiveObject = found != -1 && Track ? found : -1;
  if (CaptureObject != -1 && ActiveObject != -1 && ActiveObject != CaptureObject) ActiveObject = -1;
  const int count = static_cast<int>(FrameObjects.size());
  if (OldActiveObject >= count) OldActiveObject = -1;
  if (ActiveObject >= count) ActiveObject = -1;
  if (ActiveObject == OldActiveObject) return;

  if (OldActiveObject != -1) {
    TskActiveSkinObject& old = *FrameObjects[static_cast<size_t>(OldActiveObject)];
    if (old.Enabled && old.Visible) {
      old.MouseLeave();
      if (FShowObjectHint && !old.Hint.empty()) HideObjectHint();
    }
  }
  // MouseLeave may have reloaded nothing, but a handler it fired may have changed the list.
  if (ActiveObject != -1 && ActiveObject < static_cast<int>(FrameObjects.size())) {
    TskActiveSkinObject& now = *FrameObjects[static_cast<size_t>(ActiveObject)];
    if (now.Enabled && now.Visible) {
      now.MouseEnter();
      if (GetFormActive() && FShowObjectHint && !now.Hint.empty()) ActivateObjectHint(now.Hint);
    }
  }
}

void TskFormSkin::TestMouse(TObject*) {
  if (!SkinActive && !FSupportNCArea) return;
  POINT cursor;
  GetCursorPos(&cursor);
  if (FSupportNCArea) {
    if (InSizeMove) {
      PointerTimer->SetEnabled(false);
      return;
    }
    TPoint p = cursor;
    PointToNCPoint(p);
    // Without a skin the client area is what the default frame leaves.
    const TRect client = CanNCSupport() ? LaidOutClientRect
                                    : Rect(3, GetDefCaptionHeight() + 3, Form->Width() - 3, Form->Height() - 3);
    if (!InRect(client, p))
      TestActive(p.x, p.y, true);
    else if (ActiveObject != -1)
      TestActive(-1, -1, true);
    return;
  }
  if (!DragInProgress) {
    if (InForm(cursor)) {
      const TPoint p = Form->ScreenToClient(cursor);
      TestActive(p.x, p.y, true);
    } else {
      TestActive(-1, -1, false);
      MouseTracking = false;
      PointerTimer->SetEnabled(false);
    }
  }
  if (FUseSkinCursors) TestCursors();
}

void TskFormSkin::TestCursors() {
  if (!FSkinData || FSkinData->Empty) return;
  const auto frameCursor = [this]() -> TCursor {
    return FSkinData->CursorIndex == -1 ? crDefault : FSkinData->StartCursorIndex + FSkinData->CursorIndex;
  };
  TCursor n = frameCursor();
  if (ActiveObject != -1) {
    const int index = FrameObjects[static_cast<size_t>(ActiveObject)]->CursorIndex;
    if (index != -1) n = FSkinData->StartCursorIndex + index;
  }
  if (Form->Cursor() != n) Form->SetCursor(n);
}

void TskFormSkin::TestMorph(TObject*) {
  bool any = false;
  for (auto& object : FrameObjects)
    if (object->EnableMorphing() && object->CanMorphing()) {
      object->DoMorphing();
      any = true;
    }
  if (!any) MorphingTimer->SetEnabled(false);
}

void TskFormSkin::TestAnimate(TObject*) {
  bool any = false;
  for (const auto& object : FrameObjects) {
    auto* animation = dynamic_cast<TskSkinAnimateObject*>(object.get());
    if (!animation || !animation->Active || (animation->Down && animation->HasDownLook())) continue;
    animation->ChangeFrame();
    any = true;
  }
  if (!any) AnimationTimer->SetEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Mouse routing

void TskFormSkin::MouseMove(int X, int Y) {
  if (!FSupportNCArea && DragInProgress) return;
  const int index = CaptureObject != -1 ? CaptureObject : ActiveObject;
  if (index != -1 && index < static_cast<int>(FrameObjects.size()))
    FrameObjects[static_cast<size_t>(index)]->MouseMove(X, Y);
}

void TskFormSkin::MouseDBlClick() {
  if (ActiveObject != -1 && ActiveObject < static_cast<int>(FrameObjects.size()))
    FrameObjects[static_cast<size_t>(ActiveObject)]->DblClick();
}

void TskFormSkin::MouseDown(TMouseButton Button, int X, int Y) {
  if (FSupportNCArea) {
    if (ActiveObject == -1 || ActiveObject >= static_cast<int>(FrameObjects.size())) return;
    TskActiveSkinObject& object = *FrameObjects[static_cast<size_t>(ActiveObject)];
    // The caption is left to the system, whose move loop needs the mouse.
    if (!dynamic_cast<TskSkinCaptionObject*>(&object)) SetCapture(Form->Handle());
    CaptureObject = ActiveObject;
    object.MouseDown(X, Y, Button);
    return;
  }
  DragInProgress = false;
  TestActive(X, Y, true);
  if (ActiveObject != -1) {
    CaptureObject = ActiveObject;
    FrameObjects[static_cast<size_t>(ActiveObject)]->MouseDown(X, Y, Button);
  } else if (Button == TMouseButton::mbLeft && WindowState != TWindowState::wsMaximized && FDraggAble) {
    StartDragg(X, Y);
  }
}

void TskFormSkin::MouseUp(TMouseButton Button, int X, int Y) {
  if (!FSupportNCArea) EndDragg();
  if (CaptureObject == -1 || CaptureObject >= static_cast<int>(FrameObjects.size())) {
    CaptureObject = -1;
    return;
  }
  TskActiveSkinObject& object = *FrameObjects[static_cast<size_t>(CaptureObject)];
  if (FSupportNCArea && !dynamic_cast<TskSkinCaptionObject*>(&object)) ReleaseCapture();
  CaptureObject = -1;
  object.MouseUp(X, Y, Button);
}

void TskFormSkin::StartDragg(int X, int Y) {
  DragInProgress = true;
  const TPoint p = Form->ClientToScreen(Point(X, Y));
  DragX = p.x;
  DragY = p.y;
}

void TskFormSkin::EndDragg() { DragInProgress = false; }

void TskFormSkin::CheckWindowState() {
  if (ActiveObject == -1 || ActiveObject >= static_cast<int>(FrameObjects.size()) ||
      !dynamic_cast<TskSkinCaptionObject*>(FrameObjects[static_cast<size_t>(ActiveObject)].get()))
    return;
  if (RollUpState)
    SetRollUpState(false);
  else if (FSizeable)
    SetWindowState(WindowState == TWindowState::wsNormal ? TWindowState::wsMaximized : TWindowState::wsNormal);
  else
    SetRollUpState(true);
}

void TskFormSkin::DrawSkinObject(TskActiveSkinObject& Object) {
  if (!CanObjectTest(Object.RollUp)) return;
  if (!FSupportNCArea) {
    Object.Draw(Form->Canvas(), true);
    return;
  }
  if (IsMaximizedMDIChild() || Form->BorderStyle() == TFormBorderStyle::bsNone || !Form->HandleAllocated()) return;
  const HDC dc = GetWindowDC(Form->Handle());
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    Object.Draw(canvas, true);
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(Form->Handle(), dc);
}

bool TskFormSkin::GetFullDragg() {
  BOOL full = FALSE;
  SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
  return full != FALSE;
}

}  // namespace skin
