// The skin's geometry laid out for the form's present size, the caption-button rows of the skinned
// and the default frame, and the conversion of screen points to frame points.
#include "skin/form/FormSkin.h"

#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"

using namespace classlib;

namespace skin {

namespace {

constexpr TStdCommand RowCommands[] = {TStdCommand::cmClose, TStdCommand::cmMaximize, TStdCommand::cmMinimize,
                                       TStdCommand::cmRollUp, TStdCommand::cmMinimizeToTray};

bool InRect(const TRect& R, int X, int Y) {
  const POINT p{X, Y};
  return PtInRect(&R, p) != FALSE;
}

// The caption button with Command that takes part in a button row, or null.
TskSkinStdButtonObject* RowButton(std::vector<std::unique_ptr<TskActiveSkinObject>>& Objects, TStdCommand Command) {
  for (auto& object : Objects)
    if (auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get());
        button && button->Command == Command && button->Visible && button->SkinRectInAPicture)
      return button;
  return nullptr;
}

}  // namespace

bool TskFormSkin::CanScale() const {
  if (!FSkinData) return false;
  return FSkinData->RightBottomPoint.x != FSkinData->LeftTopPoint.x &&
         FSkinData->RightBottomPoint.y != FSkinData->LeftTopPoint.y;
}

int TskFormSkin::GetRealHeight() const { return RollUpState ? RollUpHeight : FormHeight; }

void TskFormSkin::CalcRects() {
  if (FormWidth == 0) FormWidth = Form->Width();
  if (FormHeight == 0) FormHeight = Form->Height();
  if (!FSkinData || FSkinData->Empty) return;
  const TskSkinData& s = *FSkinData;
  const int w0 = s.Picture->Width(), h0 = s.Picture->Height();
  const int dW = FormWidth - w0, dH = FormHeight - h0;

  LaidOutLeftTop = s.LeftTopPoint;
  LaidOutRightTop = Point(s.RightTopPoint.x + dW, s.RightTopPoint.y);
  LaidOutLeftBottom = Point(s.LeftBottomPoint.x, s.LeftBottomPoint.y + dH);
  LaidOutRightBottom = Point(s.RightBottomPoint.x + dW, s.RightBottomPoint.y + dH);
  LaidOutClientRect = Rect(s.ClientRect.left, s.ClientRect.top, s.ClientRect.right + dW, s.ClientRect.bottom + dH);
  LaidOutCaptionRect = s.CaptionRect;
  if (!IsNullRect(LaidOutCaptionRect)) LaidOutCaptionRect.right += dW;
  NewButtonsRect = s.ButtonsRect;
  if (!IsNullRect(NewButtonsRect) && NewButtonsRect.left > w0 / 2) OffsetRect(&NewButtonsRect, dW, 0);
  ButtonsOffset = s.ButtonsOffset;
  ButtonsInLeft = s.ButtonsInLeft;
  NewHitTestLTPoint = s.HitTestLeftTopPoint;
  NewHitTestRTPoint = Point(s.HitTestRightTopPoint.x + dW, s.HitTestRightTopPoint.y);
  NewHitTestLBPoint = Point(s.HitTestLeftBottomPoint.x, s.HitTestLeftBottomPoint.y + dH);
  NewHitTestRBPoint = Point(s.HitTestRightBottomPoint.x + dW, s.HitTestRightBottomPoint.y + dH);
  NewMaskRectArea = Rect(s.MaskRectArea.left, s.MaskRectArea.top, s.MaskRectArea.right + dW, s.MaskRectArea.bottom + dH);
  RealIconRect = CalcRealObjectRect(s.IconRect);
  RealMainMenuRect = s.MainMenuRect;
  if (CanScale()) {
    RealMainMenuRect.right += dW;
    const TRect leftBottom = Rect(0, s.LeftBottomPoint.y, s.LeftBottomPoint.x, h0);
    if (InRect(leftBottom, RealMainMenuRect.left, RealMainMenuRect.top)) OffsetRect(&RealMainMenuRect, 0, dH);
  }
}

TRect TskFormSkin::CalcRealObjectRect(const TRect& R) const {
  if (!FSkinData || FSkinData->Empty) return R;
  const TskSkinData& s = *FSkinData;
  const int w0 = s.Picture->Width(), h0 = s.Picture->Height();
  const TRect lt = Rect(0, 0, s.LeftTopPoint.x, s.LeftTopPoint.y);
  const TRect rt = Rect(s.RightTopPoint.x, 0, w0, s.RightTopPoint.y);
  const TRect lb = Rect(0, s.LeftBottomPoint.y, s.LeftBottomPoint.x, h0);
  const TRect rb = Rect(s.RightBottomPoint.x, s.RightBottomPoint.y, w0, h0);
  if (IsNullRect(lt) && IsNullRect(rt) && IsNullRect(lb) && IsNullRect(rb)) return R;
  const int dX = LaidOutRightBottom.x - s.RightBottomPoint.x;
  const int dY = LaidOutRightBottom.y - s.RightBottomPoint.y;
  TRect result = R;
  if (RectInRect(R, lt)) return result;
  if (RectInRect(R, rt)) {
    OffsetRect(&result, dX, 0);
    return result;
  }
  if (RectInRect(R, lb)) {
    OffsetRect(&result, 0, dY);
    return result;
  }
  if (RectInRect(R, rb)) {
    OffsetRect(&result, dX, dY);
    return result;
  }
  const bool tlInLT = InRect(lt, R.left, R.top), tlInLB = InRect(lb, R.left, R.top), tlInRT = InRect(rt, R.left, R.top);
  const bool brInRB = InRect(rb, R.right, R.bottom), brInRT = InRect(rt, R.right, R.bottom),
             brInLB = InRect(lb, R.right, R.bottom);
  if (tlInLT && brInRB) {
    result.right += dX;
    result.bottom += dY;
  } else if (tlInLT && brInRT) {
    result.right += dX;
  } else if (tlInLB && brInRB) {
    result.right += dX;
    OffsetRect(&result, 0, dY);
  } else if (tlInLT && brInLB) {
    result.bottom += dY;
  } else if (tlInRT && brInRB) {
    OffsetRect(&result, dX, 0);
    result.bottom += dY;
  }
  return result;
}

void TskFormSkin::CalcAllRealObjectRect() {
  for (auto& object : FrameObjects) object->ObjectRect = CalcRealObjectRect(object->SkinRect);
  if (!FSupportNCArea) return;

  const bool hasButtonsRect = !IsNullRect(NewButtonsRect);
  TRect row;
  if (hasButtonsRect)
    row = NewButtonsRect;
  else if (!IsNullRect(LaidOutCaptionRect))
    row = LaidOutCaptionRect;
  else
    return;
  const int y = row.top;
  int x = ButtonsInLeft ? row.left : row.right;

  const auto size = [this](TskSkinStdButtonObject& Button, int& W, int& H) {
    if (Button.Command == TStdCommand::cmSysMenu && FShowIcon) {
      GetIconSize(W, H);
    } else {
      W = RectWidth(Button.SkinRect);
      H = RectHeight(Button.SkinRect);
    }
  };
  const auto place = [&](TskSkinStdButtonObject& Button, int Y, bool LeftToRight) {
    int w = 0, h = 0;
    size(Button, w, h);
    if (LeftToRight) {
      Button.ObjectRect = Rect(x, Y, x + w, Y + h);
      x += ButtonsOffset + w;
    } else {
      Button.ObjectRect = Rect(x - w, Y, x, Y + h);
      x -= ButtonsOffset + w;
    }
  };

  for (TStdCommand command : RowCommands)
    if (TskSkinStdButtonObject* button = RowButton(FrameObjects, command)) place(*button, y, ButtonsInLeft);
  for (auto& object : FrameObjects)
    if (auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get());
        button && button->Command == TStdCommand::cmDefault && button->Visible && button->SkinRectInAPicture)
      place(*button, y, ButtonsInLeft);

  TskSkinCaptionObject* caption = nullptr;
  for (auto& object : FrameObjects)
    if ((caption = dynamic_cast<TskSkinCaptionObject*>(object.get()))) break;
  TskSkinStdButtonObject* sysMenu = RowButton(FrameObjects, TStdCommand::cmSysMenu);

  if (!ButtonsInLeft) {
    if (!hasButtonsRect && caption) caption->ObjectRect.right = x + ButtonsOffset;
    if (sysMenu) {
      // The system-menu button stands at the caption's left edge, centred in the caption band.
      x = LaidOutCaptionRect.left;
      int w = 0, h = 0;
      size(*sysMenu, w, h);
      place(*sysMenu, LaidOutCaptionRect.top, true);
      sysMenu->ObjectRect.top = LaidOutCaptionRect.top + RectHeight(LaidOutCaptionRect) / 2 - h / 2;
      sysMenu->ObjectRect.bottom = sysMenu->ObjectRect.top + h;
      if (caption) caption->ObjectRect.left = x - ButtonsOffset;
    }
  } else if (!hasButtonsRect) {
    if (sysMenu) place(*sysMenu, y, true);
    if (caption) caption->ObjectRect.left = x + ButtonsOffset;
  }
}

void TskFormSkin::CalcDefRects() {
  if (FrameObjects.empty()) return;
  int x = FormWidth - 3;
  const int y = 4, s = GetDefButtonSize();
  DefCaptionRect = Rect(3, 3, x, GetDefCaptionHeight());
  for (TStdCommand command : RowCommands)
    if (TskSkinStdButtonObject* button = RowButton(FrameObjects, command)) {
      button->ObjectRect = Rect(x - s, y, x, y + s);
      x -= s;
    }
  DefCaptionRect.right = x;
  x = DefCaptionRect.left;
  if (TskSkinStdButtonObject* sysMenu = RowButton(FrameObjects, TStdCommand::cmSysMenu)) {
    int w = s, h = s;
    if (FShowIcon) GetIconSize(w, h);
    sysMenu->ObjectRect = Rect(x, y, x + w, y + h);
    DefCaptionRect.left = x + w;
  }
}

TRect TskFormSkin::GetDefCaptionRect() {
  CalcDefRects();
  return DefCaptionRect;
}

void TskFormSkin::PointToNCPoint(TPoint& P) {
  if (IsMDIChild()) {
    P = Form->ScreenToClient(P);
    if (SkinActive) {
      P.x += LaidOutClientRect.left;
      P.y += LaidOutClientRect.top;
    } else {
      P.x += 3;
      P.y += GetDefCaptionHeight() + 3;
    }
    return;
  }
  P.x -= Form->Left();
  P.y -= Form->Top();
}

void TskFormSkin::CheckSize() {
  if (!FSkinData || FSkinData->Empty) return;
  const int w0 = FSkinData->Picture->Width(), h0 = FSkinData->Picture->Height();
  if (CanScale()) {
    if (FMinWidth != 0 && FMinHeight != 0) return;
    if (Form->ClientWidth() < w0) Form->SetClientWidth(w0);
    if (Form->ClientHeight() < h0) Form->SetClientHeight(h0);
    return;
  }
  if (Form->ClientWidth() != w0) Form->SetClientWidth(w0);
  if (Form->ClientHeight() != h0) Form->SetClientHeight(h0);
  FSizeable = false;
}

}  // namespace skin
