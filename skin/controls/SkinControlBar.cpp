#include "skin/controls/SkinControlBar.h"

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/SkinPanelDescriptions.h"
#include "skin/data/Skutils.h"

namespace skin {

using namespace classlib;

namespace {

TPoint Moved(const TPoint& P, int DX, int DY) { return Point(P.x + DX, P.y + DY); }

// Tiles the piece Source of Picture over Target from its top-left corner, the last row and column
// cut.
void TilePiece(TCanvas& Target, int Width, int Height, TBitmap& Picture, const TRect& Source) {
  const int w = RectWidth(Source), h = RectHeight(Source);
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < Height; y += h)
    for (int x = 0; x < Width; x += w) {
      const int cw = std::min(w, Width - x), ch = std::min(h, Height - y);
      Target.CopyRect(Rect(x, y, x + cw, y + ch), *Picture.Canvas(),
                      Rect(Source.left, Source.top, Source.left + cw, Source.top + ch));
    }
}

}  // namespace

TskSkinControlBar::TskSkinControlBar(TComponent* AOwner) : TCustomControlBar(AOwner) {
  if (ComponentState().Contains(TComponentStateItem::csDesigning)) {
    SetAutoDrag(false);
    SetRowSnap(false);
  }
}

TskSkinControlBar::~TskSkinControlBar() {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TskSkinControlBar::SetSkinData(TskSkinData* Value) {
  if (FSkinData && FSkinData != Value) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
  ChangeSkinData();
}

void TskSkinControlBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControlBar::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) {
    FSkinData = nullptr;
    FSkinControlIndex = -1;
    FPicture = nullptr;
  }
}

void TskSkinControlBar::GetSkinData() {
  FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName);
  FPicture = nullptr;
  FBGPictureIndex = -1;
  if (!Skinned()) return;
  const auto* data =
      dynamic_cast<const TskDataSkinControlBar*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FLeftTopPoint = data->SkinLeftTopPoint;
  FRightTopPoint = data->SkinRightTopPoint;
  FLeftBottomPoint = data->SkinLeftBottomPoint;
  FRightBottomPoint = data->SkinRightBottomPoint;
  FSkinRect = data->SkinRect;
  FClientRect = data->SkinClientRect;
  FItemRect = data->ItemRect;
  FBGPictureIndex = data->BGPictureIndex;
  FPicture = SkinPicture(*FSkinData, data->PictureIndex);
}

void TskSkinControlBar::FrameChanged() {
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TskSkinControlBar::SetSkinBevel(bool Value) {
  FSkinBevel = Value;
  GetSkinData();
  if (Skinned()) FrameChanged();
}

void TskSkinControlBar::ChangeSkinData() {
  GetSkinData();
  if (FSkinBevel) FrameChanged();
  Invalidate();
}

void TskSkinControlBar::CreateParams(TCreateParams& Params) {
  TCustomControlBar::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
  Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TskSkinControlBar::PaintBorder() {
  if (!FPicture || FPicture->Empty() || !HandleAllocated()) return;
  RECT window;
  GetWindowRect(Handle(), &window);
  const int w = window.right - window.left, h = window.bottom - window.top;
  const int dx = w - RectWidth(FSkinRect), dy = h - RectHeight(FSkinRect);
  TRect client = FClientRect;
  client.right += dx;
  client.bottom += dy;
  TBitmap left, top, right, bottom;
  CreateSkinBorderImages(FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint, FClientRect, FLeftTopPoint,
                         Moved(FRightTopPoint, dx, 0), Moved(FLeftBottomPoint, 0, dy),
                         Moved(FRightBottomPoint, dx, dy), client, left, top, right, bottom, *FPicture, FSkinRect, w, h,
                         false, false, false, false);
  const HDC dc = GetWindowDC(Handle());
  if (!IsNullRect(client)) ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Draw(0, 0, &top);
  canvas.Draw(0, top.Height(), &left);
  canvas.Draw(w - right.Width(), top.Height(), &right);
  canvas.Draw(0, h - bottom.Height(), &bottom);
  canvas.SetHandle(nullptr);
  ReleaseDC(Handle(), dc);
}

void TskSkinControlBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE:
      GetSkinData();
      if (Skinned() && FSkinBevel) {
        // The first rectangle is the proposed client area in both forms of the message.
        auto& r = *reinterpret_cast<RECT*>(Message.LParam);
        r.left += FClientRect.left;
        r.top += FClientRect.top;
        r.right -= RectWidth(FSkinRect) - FClientRect.right;
        r.bottom -= RectHeight(FSkinRect) - FClientRect.bottom;
        if (r.right < r.left) r.right = r.left;
        if (r.bottom < r.top) r.bottom = r.top;
        Message.Result = 0;
        return;
      }
      break;
    case WM_NCPAINT:
      GetSkinData();
      if (Skinned() && FSkinBevel) {
        PaintBorder();
        Message.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      GetSkinData();
      if (Skinned()) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_SIZE:
      TCustomControlBar::Dispatch(Message);
      GetSkinData();
      if (Skinned() && FSkinBevel) PaintBorder();
      return;
  }
  TCustomControlBar::Dispatch(Message);
}

void TskSkinControlBar::Paint() {
  GetSkinData();
  if (!Skinned()) return TCustomControlBar::Paint();
  const int cw = ClientWidth(), ch = ClientHeight();
  if (cw < 1 || ch < 1) return;
  TBitmap buffer;
  buffer.SetSize(cw, ch);
  TCanvas& canvas = *buffer.Canvas();
  // A background index naming no picture shows the client piece, as -1 does.
  TBitmap* background = SkinPicture(*FSkinData, FBGPictureIndex);
  if (background && !background->Empty()) {
    for (int y = 0; y < ch + background->Height(); y += background->Height())
      for (int x = 0; x < cw + background->Width(); x += background->Width()) canvas.Draw(x, y, background);
  } else if (FPicture && !FPicture->Empty()) {
    TRect piece = FClientRect;
    OffsetRect(&piece, FSkinRect.left, FSkinRect.top);
    TilePiece(canvas, cw, ch, *FPicture, piece);
  }
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    const TRect b = c->BoundsRect();
    PaintControlFrame(canvas, c, Rect(b.left - 11, b.top - 2, b.right + 2, b.bottom + 2));
  }
  Canvas().Draw(0, 0, &buffer);
}

void TskSkinControlBar::PaintControlFrame(TCanvas& Canvas, TControl* Control, const TRect& R) {
  GetSkinData();
  if (!Skinned()) return TCustomControlBar::PaintControlFrame(Canvas, Control, R);
  if (!FPicture || FPicture->Empty() || IsNullRect(FItemRect)) return;
  // The band picture: a grip of 12 at the left, edges of 3 around the rest; its inside is left
  // as the background shows it.
  const int iw = RectWidth(FItemRect), ih = RectHeight(FItemRect);
  const int w = RectWidth(R), h = RectHeight(R);
  TBitmap left, top, right, bottom;
  CreateSkinBorderImages(Point(12, 3), Point(iw - 3, 3), Point(12, ih - 3), Point(iw - 3, ih - 3),
                         Rect(11, 2, iw - 2, ih - 2), Point(12, 3), Point(w - 3, 3), Point(12, h - 3),
                         Point(w - 3, h - 3), Rect(11, 2, w - 2, h - 2), left, top, right, bottom, *FPicture, FItemRect,
                         w, h, false, false, false, false);
  Canvas.Draw(R.left, R.top, &top);
  Canvas.Draw(R.left, R.top + top.Height(), &left);
  Canvas.Draw(R.right - right.Width(), R.top + top.Height(), &right);
  Canvas.Draw(R.left, R.bottom - bottom.Height(), &bottom);
}

}  // namespace skin
