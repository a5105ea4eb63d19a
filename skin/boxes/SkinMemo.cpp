#include "skin/boxes/SkinMemo.h"

#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/Skeffbmp.h"
#include "skin/data/SkinEditDescriptions.h"
#include "skin/data/Skutils.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/SkinPopupMenu.h"

#include <utility>
#include <windowsx.h>

using namespace classlib;

namespace skin {

namespace {

bool Designing(const TComponent& Component) { return Component.ComponentState().Contains(TComponentStateItem::csDesigning); }

void FrameIn(TCanvas& Canvas, TRect& R, TColor Color) {
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(Color);
  Canvas.FrameRect(R);
  InflateRect(&R, -1, -1);
}

// The edit menu's entries: string-table key and the text used when the skin has no table.
struct TMenuEntry {
  const char* Key;
  const char* Text;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// What both memos share

void TskMemoEditMenu::Free() {
  std::unique_ptr<TskSkinPopupMenu> menu(FMenu);
  FMenu = nullptr;
}

void TskMemoEditMenu::Forget(const TComponent* Component) {
  if (Component == FMenu) FMenu = nullptr;
}

void TskMemoEditMenu::Build(const TskSkinData* Skin, bool ReadOnly) {
  Free();
  FMenu = new TskSkinPopupMenu(&FMemo);
  FMenu->SetPopupForm(GetParentForm(&FMemo));
  const TskResourceStrData* table = Skin ? Skin->ResourceStrData() : nullptr;
  const bool selected = FMemo.SelLength() != 0;
  const String text = FMemo.Text();
  TMemo& memo = FMemo;
  auto add = [&](const TMenuEntry* Entry, bool Enabled, void (TMemo::*Command)()) {
    auto* item = new TMenuItem(FMenu);
    if (!Entry) {
      item->SetCaption("-");
    } else {
      item->SetCaption(table ? table->GetResStr(Entry->Key) : String(Entry->Text));
      item->SetEnabled(Enabled);
      item->OnClick = [&memo, Command](TObject*) { (memo.*Command)(); };
    }
    FMenu->Items()->Add(item);
  };
  static constexpr TMenuEntry Undo{"EDIT_UNDO", "Undo"}, Cut{"EDIT_CUT", "Cut"}, Copy{"EDIT_COPY", "Copy"},
      Paste{"EDIT_PASTE", "Paste"}, Delete{"EDIT_DELETE", "Delete"}, SelectAll{"EDIT_SELECTALL", "Select All"};
  add(&Undo, FMemo.CanUndo(), &TMemo::Undo);
  add(nullptr, true, nullptr);
  add(&Cut, selected && !ReadOnly, &TMemo::CutToClipboard);
  add(&Copy, selected, &TMemo::CopyToClipboard);
  add(&Paste, !ClipboardText().empty() && !ReadOnly, &TMemo::PasteFromClipboard);
  add(&Delete, selected && !ReadOnly, &TMemo::ClearSelection);
  add(nullptr, true, nullptr);
  // An empty memo counts as all selected.
  add(&SelectAll, FMemo.SelText() != text, &TMemo::SelectAll);
}

void TskMemoEditMenu::Show(const TMessage& Message, const TskSkinData* Skin, bool ReadOnly) {
  Build(Skin, ReadOnly);
  TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  if (p.x < 0 || p.y < 0) {  // asked for from the keyboard: the middle of the memo
    p = FMemo.ClientToScreen(Point(0, 0));
    p.x += FMemo.Width() / 2;
    p.y += FMemo.Height() / 2;
  }
  FMenu->Popup2(&FMemo, p.x, p.y);
}

void TskMemoLook::Copy(const TskDataSkinMemoControl& Data) {
  FontName = Data.FontName;
  FontStyle = Data.FontStyle;
  FontHeight = Data.FontHeight;
  FontColor = Data.FontColor;
  ActiveFontColor = Data.ActiveFontColor;
  BGColor = Data.BGColor;
  ActiveBGColor = Data.ActiveBGColor;
}

void TskMemoLook::Apply(TMemo& Memo, bool Skinned, const TFont& DefaultFont, bool UseSkinFont,
                        const TskSkinData* Skin) const {
  TFont& font = Memo.Font();
  if (!Skinned) {
    font.Assign(DefaultFont);
  } else {
    if (UseSkinFont) {
      font.SetName(FontName);
      font.SetStyle(FontStyle);
      font.SetHeight(FontHeight);
    } else {
      font.Assign(DefaultFont);
    }
    font.SetColor(Memo.Focused() ? ActiveFontColor : FontColor);
    Memo.SetColor(BGColor);
  }
  const TskResourceStrData* table = Skin ? Skin->ResourceStrData() : nullptr;
  font.SetCharset(table ? table->CharSet() : DefaultFont.Charset());
}

void TskMemoLook::ApplyActive(TMemo& Memo, bool Active, bool Background) const {
  Memo.Font().SetColor(Active ? ActiveFontColor : FontColor);
  if (Background) Memo.SetColor(Active ? ActiveBGColor : BGColor);
}

int MemoVisibleLines(TMemo& Memo) {
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, Memo.Font().Handle());
  SIZE size{};
  GetTextExtentPoint32W(dc, L"Wq", 2, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cy > 0 ? Memo.ClientHeight() / size.cy : 1;
}

void ScrollMemoToLine(TMemo& Memo, int Line) {
  if (!Memo.HandleAllocated()) return;
  // Scrolled by the distance: a thumb message carries only 16 bits of position, and a window
  // without a bar style of its own reads it as a percentage of its text.
  const auto first = static_cast<int>(SendMessageW(Memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
  SendMessageW(Memo.Handle(), EM_LINESCROLL, 0, Line - first);
}

void ScrollMemoByWheel(TMemo& Memo, const TMessage& Message) {
  const auto delta = static_cast<short>(HIWORD(Message.WParam));
  Memo.Perform(WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
}

bool MemoDragScrolled(UINT Msg, bool& Down) {
  switch (Msg) {
    case WM_LBUTTONDOWN:
      Down = true;
      return false;
    case WM_LBUTTONUP:
      return std::exchange(Down, false);
    case WM_MOUSEMOVE:
      return Down;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// TskSkinMemo

TskSkinMemo::TskSkinMemo(TComponent* AOwner) : TMemo(AOwner), FDefaultFont(std::make_unique<TFont>()) {
  Font().SetName("Arial");
  Font().SetHeight(14);
  Font().SetColor(clBlack);
  FDefaultFont->Assign(Font());
  FDefaultFont->OnChange = [this](TObject*) { DefaultFontChanged(); };
  SetScrollBars(TScrollStyle::ssNone);
}

TskSkinMemo::~TskSkinMemo() {
  FDefaultFont->OnChange = nullptr;
  FEditMenu.Free();
  // The bar may outlive the memo: it must not call into it afterwards.
  if (FVScrollBar) FVScrollBar->OnChange = nullptr;
}

void TskSkinMemo::GetSkinData() {
  FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName);
  if (FSkinControlIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinMemoControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FSkinPicture = SkinPicture(*FSkinData, data->PictureIndex);
  FLeftTopPoint = data->SkinLeftTopPoint;
  FRightTopPoint = data->SkinRightTopPoint;
  FLeftBottomPoint = data->SkinLeftBottomPoint;
  FRightBottomPoint = data->SkinRightBottomPoint;
  FClientRect = data->SkinClientRect;
  FSkinRect = data->SkinRect;
  FActiveSkinRect = IsNullRect(data->ActiveSkinRect) ? data->SkinRect : data->ActiveSkinRect;
  FLook.Copy(*data);
}

void TskSkinMemo::SetSkinData(TskSkinData* Value) {
  if (FSkinData && FSkinData != Value) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
  if (FSkinData && !FSkinData->Empty && !Designing(*this)) ChangeSkinData();
}

void TskSkinMemo::Notification(TComponent* AComponent, TOperation Operation) {
  TMemo::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FSkinData) {
    FSkinData = nullptr;
    FSkinPicture = nullptr;
    FSkinControlIndex = -1;
  }
  if (AComponent == FVScrollBar) FVScrollBar = nullptr;
  FEditMenu.Forget(AComponent);
}

void TskSkinMemo::ApplyEnabledFontColor() {
  if (!Enabled())
    Font().SetColor(clGrayText);
  else
    Font().SetColor(Skinned() ? FLook.FontColor : FDefaultFont->Color());
}

void TskSkinMemo::ChangeSkinData() {
  GetSkinData();
  FLook.Apply(*this, Skinned(), *FDefaultFont, FUseSkinFont, FSkinData);
  UpDateScrollRange();
  RecreateWnd();
  if (FVScrollBar) {
    // Set again, so that the bar takes its place beside the memo anew.
    const TAlign align = FVScrollBar->Align();
    FVScrollBar->SetAlign(TAlign::alNone);
    FVScrollBar->SetAlign(align);
  }
  ApplyEnabledFontColor();
  InvalidateNC();
}

// ---------------------------------------------------------------------------------------------
// Setters

void TskSkinMemo::SetDefaultFont(const TFont& Value) { FDefaultFont->Assign(Value); }

void TskSkinMemo::DefaultFontChanged() {
  if (!Skinned()) Font().Assign(*FDefaultFont);
}

void TskSkinMemo::SetBitMapBG(bool Value) {
  FBitMapBG = Value;
  RecreateWnd();
}

void TskSkinMemo::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
  InvalidateNC();
}

void TskSkinMemo::SetAlphaBlendValue(std::uint8_t Value) {
  if (Value == FAlphaBlendValue) return;
  FAlphaBlendValue = Value;
  if (FTransparent) Invalidate();
  InvalidateNC();
}

void TskSkinMemo::SetVScrollBar(TskSkinScrollBar* Value) {
  if (FVScrollBar && FVScrollBar != Value) {
    FVScrollBar->OnChange = nullptr;
    FVScrollBar->RemoveFreeNotification(this);
  }
  FVScrollBar = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  Value->SetMin(0);
  Value->SetMax(0);
  Value->SetPosition(0);
  Value->OnChange = [this](TObject* Sender) { OnVScrollBarChange(Sender); };
}

// ---------------------------------------------------------------------------------------------
// The window

void TskSkinMemo::CreateParams(TCreateParams& Params) {
  TMemo::CreateParams(Params);
  Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT);
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
  Params.Style |= ES_MULTILINE;
  Params.ClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinMemo::Change() {
  TMemo::Change();
  UpDateScrollRange();
}

void TskSkinMemo::InvalidateNC() {
  if (Parent() && HandleAllocated()) SendMessageW(FHandle, WM_NCPAINT, 1, 0);
}

void TskSkinMemo::Invalidate() {
  if (!FBitMapBG) {
    TMemo::Invalidate();
    return;
  }
  if (Parent() && HandleAllocated()) InvalidateRect(FHandle, nullptr, TRUE);
}

void TskSkinMemo::UpDateScrollRange() {
  if (!FVScrollBar || !HandleAllocated()) return;
  const int visible = MemoVisibleLines(*this);
  const auto lines = static_cast<int>(SendMessageW(FHandle, EM_GETLINECOUNT, 0, 0));
  const auto first = static_cast<int>(SendMessageW(FHandle, EM_GETFIRSTVISIBLELINE, 0, 0));
  if (lines > visible) {
    FVScrollBar->SetRange(0, lines, first, visible + 1);
    if (!FVScrollBar->Enabled()) FVScrollBar->SetEnabled(true);
  } else {
    FVScrollBar->SetRange(0, 0, 0, 0);
    if (FVScrollBar->Enabled()) FVScrollBar->SetEnabled(false);
  }
}

void TskSkinMemo::OnVScrollBarChange(TObject*) {
  if (!FVScrollBar) return;
  ScrollMemoToLine(*this, FVScrollBar->Position());
  // Lines scrolled to by distance do not pass through the scroll message.
  UpDateScrollRange();
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Frame and background

TRect TskSkinMemo::FrameWidths() const {
  if (!Skinned()) return Rect(2, 2, 2, 2);
  return Rect(FClientRect.left, FClientRect.top, RectWidth(FSkinRect) - FClientRect.right,
              RectHeight(FSkinRect) - FClientRect.bottom);
}

void TskSkinMemo::PaintFrame() {
  GetSkinData();
  const HDC dc = GetWindowDC(FHandle);
  RECT window;
  GetWindowRect(FHandle, &window);
  const int w = window.right - window.left, h = window.bottom - window.top;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    if (!Skinned() || !FSkinPicture) {
      TRect r = Rect(0, 0, w, h);
      FrameIn(canvas, r, clBtnShadow);
      FrameIn(canvas, r, clBtnFace);
    } else {
      const int dw = w - RectWidth(FSkinRect), dh = h - RectHeight(FSkinRect);
      const TPoint rightTop = Point(FRightTopPoint.x + dw, FRightTopPoint.y);
      const TPoint leftBottom = Point(FLeftBottomPoint.x, FLeftBottomPoint.y + dh);
      const TPoint rightBottom = Point(FRightBottomPoint.x + dw, FRightBottomPoint.y + dh);
      const TRect client = Rect(FClientRect.left, FClientRect.top, FClientRect.right + dw, FClientRect.bottom + dh);
      TBitmap left, top, right, bottom;
      CreateSkinBorderImages(FLeftTopPoint, FRightTopPoint, FLeftBottomPoint, FRightBottomPoint, FClientRect,
                             FLeftTopPoint, rightTop, leftBottom, rightBottom, client, left, top, right, bottom,
                             *FSkinPicture, Active() ? FActiveSkinRect : FSkinRect, w, h, false, false, false, false);
      canvas.Draw(0, 0, &top);
      canvas.Draw(0, top.Height(), &left);
      canvas.Draw(w - right.Width(), top.Height(), &right);
      canvas.Draw(0, h - bottom.Height(), &bottom);
    }
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(FHandle, dc);
}

void TskSkinMemo::DrawMemoBackGround(TCanvas& Canvas) {
  const TRect clientArea = ClientRect();
  const int w = RectWidth(clientArea), h = RectHeight(clientArea);
  if (w < 1 || h < 1) return;
  std::unique_ptr<TBitmap> parentImage;
  if (FTransparent) {
    parentImage = std::make_unique<TBitmap>();
    parentImage->SetPixelFormat(TPixelFormat::pf24bit);
    parentImage->SetSize(Width(), Height());
    GetParentImage(this, *parentImage->Canvas());
  }
  GetSkinData();
  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  if (Skinned() && FSkinPicture) {
    CreateSkinBG(FClientRect, Rect(0, 0, w, h), b, *FSkinPicture, Active() ? FActiveSkinRect : FSkinRect, w, h);
  } else {
    b.SetSize(w, h);
    b.Canvas()->Brush()->SetColor(clWindow);
    b.Canvas()->FillRect(Rect(0, 0, w, h));
  }
  if (!parentImage) {
    Canvas.Draw(0, 0, &b);
    return;
  }
  TBitmap behind;
  behind.SetPixelFormat(TPixelFormat::pf24bit);
  behind.SetSize(w, h);
  const TPoint origin = Skinned() ? Point(-FClientRect.left, -FClientRect.top) : Point(-2, -2);
  behind.Canvas()->Draw(origin.x, origin.y, parentImage.get());
  TskEffectBmp picture(b.Handle());
  const TskEffectBmp parent(behind.Handle());
  picture.Morph(parent, 1.0 - FAlphaBlendValue / 255.0);
  picture.Draw(Canvas.Handle(), 0, 0);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinMemo::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CONTEXTMENU:
      if (PopupMenu()) break;
      FEditMenu.Show(Message, FSkinData, FReadOnly);
      return;
    case WM_AFTERDISPATCH:
      FEditMenu.Free();
      return;
    case WM_SIZE:
      TMemo::Dispatch(Message);
      UpDateScrollRange();
      InvalidateNC();
      return;
    case WM_VSCROLL:
    case WM_HSCROLL:
      TMemo::Dispatch(Message);
      UpDateScrollRange();
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      TMemo::Dispatch(Message);
      if (MemoDragScrolled(Message.Msg, FDown)) UpDateScrollRange();
      return;
    case WM_MOUSEWHEEL:
      ScrollMemoByWheel(*this, Message);
      if (FBitMapBG) Invalidate();
      return;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
      if (FReadOnly) return;
      TMemo::Dispatch(Message);
      if (FBitMapBG) Invalidate();
      UpDateScrollRange();
      return;
    case WM_SETTEXT:
      TMemo::Dispatch(Message);
      if (FBitMapBG) Invalidate();
      UpDateScrollRange();
      return;
    case WM_CHAR:
      // The copy key (Ctrl+C) is the only character a read-only memo lets through.
      if (!FReadOnly || Message.WParam == 3) TMemo::Dispatch(Message);
      UpDateScrollRange();
      return;
    case WM_KEYDOWN:
      // Delete, and Shift+Insert (the window pastes on it without a paste message), edit.
      if (FReadOnly && (Message.WParam == VK_DELETE || (Message.WParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0)))
        return;
      TMemo::Dispatch(Message);
      if (FBitMapBG) Invalidate();
      UpDateScrollRange();
      return;
    case WM_ERASEBKGND: {
      if (!FBitMapBG) break;
      const HDC dc = reinterpret_cast<HDC>(Message.WParam);
      {
        TCanvas canvas;
        canvas.SetHandle(dc);
        DrawMemoBackGround(canvas);
        canvas.SetHandle(nullptr);
      }
      SendMessageW(FHandle, WM_PAINT, Message.WParam, 0);
      Message.Result = 1;
      return;
    }
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
      if (FBitMapBG) {
        const HDC dc = reinterpret_cast<HDC>(Message.WParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Font().Color()));
        Message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return;
      }
      break;
    case WM_NCCALCSIZE: {
      GetSkinData();
      const TRect frame = FrameWidths();
      auto* r = reinterpret_cast<RECT*>(Message.LParam);
      r->left += frame.left;
      r->top += frame.top;
      r->right -= frame.right;
      r->bottom -= frame.bottom;
      Message.Result = 0;
      return;
    }
    case WM_NCPAINT:
      PaintFrame();
      Message.Result = 0;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      TMemo::Dispatch(Message);
      GetSkinData();
      if (!FMouseIn && Skinned()) FLook.ApplyActive(*this, Message.Msg == WM_SETFOCUS, !FBitMapBG);
      if (!FMouseIn) Invalidate();
      InvalidateNC();
      return;
    }
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      TMemo::Dispatch(Message);  // fires OnMouseEnter or OnMouseLeave
      const bool entered = Message.Msg == CM_MOUSEENTER;
      FMouseIn = entered;
      GetSkinData();
      if (!Focused() && Skinned()) FLook.ApplyActive(*this, entered, !FBitMapBG);
      if (!Focused()) Invalidate();
      InvalidateNC();
      return;
    }
    case CM_ENABLEDCHANGED:
      TMemo::Dispatch(Message);
      UpDateScrollRange();
      GetSkinData();
      ApplyEnabledFontColor();
      return;
    case WM_MOVE:
      TMemo::Dispatch(Message);
      if (FTransparent && Skinned()) Invalidate();
      return;
  }
  TMemo::Dispatch(Message);
}

}  // namespace skin
