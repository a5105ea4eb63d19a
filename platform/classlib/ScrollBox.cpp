#include "platform/classlib/ScrollBox.h"

#include "platform/classlib/ClassRegistry.h"

#include <algorithm>

namespace classlib {

namespace {

// How far one click on a bar's arrow scrolls, in pixels.
constexpr int kLineStep = 8;

}  // namespace

TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 185, 41); }

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (!FHandle) return;
  const LONG_PTR exStyle = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
  SetWindowLongPtrW(FHandle, GWL_EXSTYLE,
                    Value == TBorderStyle::bsSingle ? exStyle | WS_EX_CLIENTEDGE
                                                    : exStyle & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The edge changed the client area without resizing the window, which alone would not realign.
  Realign();
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (FBorderStyle == TBorderStyle::bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::AlignControls(TControl* AControl, TRect& Rect) {
  // The bars go first, so that the aligned children fill what the bars leave of the client area.
  if (UpdateScrollBars()) Rect = ClientRect();
  TWinControl::AlignControls(AControl, Rect);
}

bool TScrollBox::UpdateScrollBars() {
  if (!FHandle) return false;
  // Where the unaligned children reach with both bars at their start.
  int extentX = 0, extentY = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* child = Controls(i);
    if (child->Align() != TAlign::alNone || !child->Visible()) continue;
    extentX = std::max(extentX, child->Left() + child->Width() + FHorz.Position);
    extentY = std::max(extentY, child->Top() + child->Height() + FVert.Position);
  }

  const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  const bool hadHorz = style & WS_HSCROLL, hadVert = style & WS_VSCROLL;
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
  RECT client;
  GetClientRect(FHandle, &client);
  const int fullWidth = client.right + (hadVert ? barWidth : 0);
  const int fullHeight = client.bottom + (hadHorz ? barHeight : 0);

  bool horz = extentX > fullWidth, vert = extentY > fullHeight;
  // Each bar takes room across the other direction, which may then need its own bar.
  if (horz && !vert) vert = extentY > fullHeight - barHeight;
  if (vert && !horz) horz = extentX > fullWidth - barWidth;
  SetBar(SB_HORZ, FHorz, horz ? extentX : 0, fullWidth - (vert ? barWidth : 0));
  SetBar(SB_VERT, FVert, vert ? extentY : 0, fullHeight - (horz ? barHeight : 0));
  return horz != hadHorz || vert != hadVert;
}

void TScrollBox::SetBar(int Bar, TScrollState& State, int Extent, int Page) {
  State.Extent = Extent;
  State.Page = std::max(Page, 0);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMax = std::max(Extent - 1, 0);
  info.nPage = static_cast<UINT>(State.Page);
  SetScrollInfo(FHandle, Bar, &info, FALSE);
  ShowScrollBar(FHandle, Bar, Extent > 0);
  // A larger client area or smaller children may leave the old position past the end.
  ScrollTo(Bar, State.Position);
}

void TScrollBox::ScrollTo(int Bar, int Position) {
  TScrollState& state = State(Bar);
  Position = std::clamp(Position, 0, std::max(state.Extent - state.Page, 0));
  SetScrollPos(FHandle, Bar, Position, TRUE);
  const int delta = state.Position - Position;
  if (delta == 0) return;
  state.Position = Position;
  MoveUnalignedChildren(Bar == SB_HORZ ? delta : 0, Bar == SB_VERT ? delta : 0);
}

void TScrollBox::MoveUnalignedChildren(int DeltaX, int DeltaY) {
  // Through SetBounds, so that windowed and windowless children alike keep Left and Top in step.
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (child->Align() == TAlign::alNone)
      child->SetBounds(child->Left() + DeltaX, child->Top() + DeltaY, child->Width(), child->Height());
  }
}

void TScrollBox::Scroll(int Bar, WPARAM Request) {
  const TScrollState& state = State(Bar);
  int position = state.Position;
  switch (LOWORD(Request)) {
    case SB_LINEUP:  // also SB_LINELEFT
      position -= kLineStep;
      break;
    case SB_LINEDOWN:  // also SB_LINERIGHT
      position += kLineStep;
      break;
    case SB_PAGEUP:
      position -= state.Page;
      break;
    case SB_PAGEDOWN:
      position += state.Page;
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = state.Extent;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The message carries only the low 16 bits of the thumb; the bar's tracking position has
      // them all while the user drags it.
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(FHandle, Bar, &info);
      position = (info.nTrackPos & 0xFFFF) == HIWORD(Request) ? info.nTrackPos : HIWORD(Request);
      break;
    }
    default:  // SB_ENDSCROLL
      return;
  }
  ScrollTo(Bar, position);
}

void TScrollBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      // A scroll bar control among the children sends its own window; the box's bars send none.
      if (Message.LParam == 0 && FHandle) {
        Scroll(Message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, Message.WParam);
        Message.Result = 0;
        return;
      }
      break;
  }
  TWinControl::Dispatch(Message);
}

void RegisterScrollBox(TClassRegistry& Registry) {
  Registry.Register<TScrollBox>("TScrollBox", "TWinControl")
      .Enum("BorderStyle", &TScrollBox::SetBorderStyle,
            {{"bsNone", TBorderStyle::bsNone}, {"bsSingle", TBorderStyle::bsSingle}});
}

}  // namespace classlib
