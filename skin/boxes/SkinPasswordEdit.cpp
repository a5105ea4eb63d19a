#include "skin/boxes/SkinPasswordEdit.h"

#include "platform/classlib/Clipbrd.h"
#include "skin/data/SkinEditDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {

bool Only(TShiftState Shift, TShiftStateItem Item) { return Shift == TShiftState{Item}; }

bool IsSpace(WCHAR C) { return C == L' '; }

}  // namespace

TskSkinPasswordEdit::TskSkinPasswordEdit(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
  FSkinDataName = "edit";
  SetBounds(Left(), Top(), 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
  SetCursor(crDefault);
}

void TskSkinPasswordEdit::Loaded() {
  TskSkinCustomControl::Loaded();
  HideCaret();
}

void TskSkinPasswordEdit::SetCursor(TCursor Value) { TskSkinCustomControl::SetCursor(Value == crDefault ? crIBeam : Value); }

// ---------------------------------------------------------------------------------------------
// The skin

void TskSkinPasswordEdit::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinEditControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FLeftWidth = data->SkinLeftTopPoint.x;
  FRightWidth = RectWidth(data->SkinRect) - data->SkinRightTopPoint.x;
  FEditSkinRect = data->SkinRect;
  FActiveSkinRect = IsNullRect(data->ActiveSkinRect) ? data->SkinRect : data->ActiveSkinRect;
  FFontColor = data->FontColor;
  FActiveFontColor = data->ActiveFontColor;
  FDisabledFontColor = data->DisabledFontColor;
}

void TskSkinPasswordEdit::CalcSize(int& W, int& H) {
  const int requested = H;
  TskSkinCustomControl::CalcSize(W, H);
  if (!FUseSkinFont) H = requested;
}

// ---------------------------------------------------------------------------------------------
// Text

void TskSkinPasswordEdit::SetText(const String& Value) { SetWideText(ToWide(Value)); }

void TskSkinPasswordEdit::SetWideText(const WideString& Value) {
  if (!ValidText(Value)) return;
  WideString text = Value;
  if (!text.empty() && FCharCase != TEditCharCase::ecNormal) {
    const auto length = static_cast<DWORD>(text.size());
    if (FCharCase == TEditCharCase::ecUpperCase)
      CharUpperBuffW(text.data(), length);
    else
      CharLowerBuffW(text.data(), length);
  }
  const bool changed = text != FText;
  FText = std::move(text);
  // A shorter text leaves no caret or selection end beyond it.
  const int n = static_cast<int>(FText.size());
  FCaret = std::min(FCaret, n);
  const int start = std::clamp(GetSelStart(), 0, n);
  const int end = std::clamp(GetSelStart() + GetSelLength(), 0, n);
  if (FSelLength != 0) {
    FSelStart = FSelLength > 0 ? start : end;
    FSelLength = FSelLength > 0 ? end - start : start - end;
  } else {
    FSelStart = std::clamp(FSelStart, 0, n);
  }
  Invalidate();
  if (changed) Change();
}

void TskSkinPasswordEdit::Change() {
  if (Enabled() && HandleAllocated()) SetCaretPosition(FCaret);
  if (OnChange) OnChange(this);
}

void TskSkinPasswordEdit::SetCharCase(TEditCharCase Value) {
  if (Value == FCharCase) return;
  FCharCase = Value;
  if (!FText.empty()) SetWideText(FText);
}

void TskSkinPasswordEdit::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  Invalidate();
}

void TskSkinPasswordEdit::SetPasswordKind(TskPasswordKind Value) {
  if (Value == FPasswordKind) return;
  FPasswordKind = Value;
  Invalidate();
}

void TskSkinPasswordEdit::SetTextAlignment(TAlignment Value) {
  if (Value == FTextAlignment) return;
  FTextAlignment = Value;
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Geometry

TRect TskSkinPasswordEdit::GetEditRect() {
  GetSkinData();
  if (!Skinned()) return Rect(2, 2, Width() - 2, Height() - 2);
  TRect r = RealClientRect;
  if (!FUseSkinFont) r.bottom += Height() - RectHeight(FEditSkinRect);
  return r;
}

int TskSkinPasswordEdit::GetPasswordCharWidth() { return RectHeight(GetEditRect()) / 2 + 3; }

int TskSkinPasswordEdit::AlignmentShift() {
  const TRect e = GetEditRect();
  const int free = RectWidth(e) - static_cast<int>(FText.size()) * GetPasswordCharWidth();
  if (free <= 0) return 0;
  if (FTextAlignment == TAlignment::taRightJustify) return free;
  if (FTextAlignment == TAlignment::taCenter) return free / 2;
  return 0;
}

int TskSkinPasswordEdit::GetCharX(int Position) {
  const int n = static_cast<int>(FText.size());
  int x = GetEditRect().left;
  if (Position > 0) x += GetPasswordCharWidth() * ((std::min(Position, n)) - FFirstVisible + 1);
  return x + AlignmentShift();
}

int TskSkinPasswordEdit::GetCoordinatePosition(int X) {
  const int n = static_cast<int>(FText.size());
  if (n == 0) return FFirstVisible - 1;
  const int x = X - AlignmentShift();
  const int position = (x - GetEditRect().left) / GetPasswordCharWidth() + FFirstVisible - 1;
  return std::clamp(position, 0, n);
}

TRect TskSkinPasswordEdit::GetSelRect() {
  const TRect e = GetEditRect();
  TRect r = e;
  r.left = GetCharX(GetSelStart());
  r.right = GetCharX(GetSelStart() + GetSelLength());
  TRect result{};
  IntersectRect(&result, &r, &e);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Caret and selection

int TskSkinPasswordEdit::GetSelStart() const {
  if (FSelLength > 0) return FSelStart;
  if (FSelLength < 0) return FSelStart + FSelLength;
  return FCaret;
}

int TskSkinPasswordEdit::GetSelLength() const { return std::abs(FSelLength); }

void TskSkinPasswordEdit::UpdateFirstVisibleChar() {
  const int n = static_cast<int>(FText.size());
  if (FFirstVisible < FCaret + 1) {
    const int width = RectWidth(GetEditRect()), cell = GetPasswordCharWidth();
    while (width < cell * (FCaret - FFirstVisible + 1) && FFirstVisible < n) ++FFirstVisible;
  } else {
    FFirstVisible = std::max(FCaret, 1);
  }
  Invalidate();
}

void TskSkinPasswordEdit::SetCaretPosition(int Position) {
  FCaret = std::clamp(Position, 0, static_cast<int>(FText.size()));
  UpdateFirstVisibleChar();
  if (FSelLength == 0) FSelStart = FCaret;
  if (HandleAllocated() && Focused()) SetCaretPos(GetCharX(FCaret), GetEditRect().top);
}

void TskSkinPasswordEdit::SetSelStart(int Value) {
  if (Value == FSelStart) return;
  FSelLength = 0;
  FSelStart = Value;
  SetCaretPosition(Value);
  Invalidate();
}

void TskSkinPasswordEdit::SetSelLength(int Value) {
  if (Value == FSelLength) return;
  FSelLength = Value;
  Invalidate();
}

void TskSkinPasswordEdit::SelectAll() {
  FSelLength = 0;
  FSelStart = 0;
  SetCaretPosition(0);
  FSelLength = static_cast<int>(FText.size());
  Invalidate();
}

int TskSkinPasswordEdit::GetPrivWordBeging(int Position) const {
  int i = std::clamp(Position, 0, static_cast<int>(FText.size()));
  while (i > 0 && IsSpace(FText[static_cast<size_t>(i - 1)])) --i;
  while (i > 0 && !IsSpace(FText[static_cast<size_t>(i - 1)])) --i;
  return i;
}

int TskSkinPasswordEdit::GetNextWordBeging(int Position) const {
  const int n = static_cast<int>(FText.size());
  int i = std::clamp(Position, 0, n);
  while (i < n && !IsSpace(FText[static_cast<size_t>(i)])) ++i;
  while (i < n && IsSpace(FText[static_cast<size_t>(i)])) ++i;
  return i;
}

void TskSkinPasswordEdit::SelectWord() {
  SetSelStart(GetPrivWordBeging(FCaret));
  SetSelLength(GetNextWordBeging(GetSelStart()) - GetSelStart());
  SetCaretPosition(GetSelStart() + GetSelLength());
}

// ---------------------------------------------------------------------------------------------
// Editing

void TskSkinPasswordEdit::ClearSelection() {
  if (FReadOnly) return;
  const int start = GetSelStart();
  WideString text = FText;
  text.erase(static_cast<size_t>(start), static_cast<size_t>(GetSelLength()));
  FSelLength = 0;
  FSelStart = start;
  FCaret = start;
  SetWideText(text);
  SetCaretPosition(start);
}

void TskSkinPasswordEdit::InsertText(const String& Value) {
  if (FReadOnly) return;
  const WideString inserted = ToWide(Value);
  const int start = GetSelStart();
  WideString text = FText;
  text.erase(static_cast<size_t>(start), static_cast<size_t>(GetSelLength()));
  text.insert(static_cast<size_t>(start), inserted);
  FSelLength = 0;
  if (FMaxLength > 0 && static_cast<int>(text.size()) > FMaxLength) {
    Invalidate();
    return;
  }
  FCaret = start + static_cast<int>(inserted.size());
  FSelStart = FCaret;
  SetWideText(text);
  SetCaretPosition(FCaret);
}

void TskSkinPasswordEdit::InsertChar(WCHAR Character) {
  if (!FReadOnly) InsertText(FromWide(&Character, 1));
}

// The clipboard's Unicode text goes in as it is: passing it through a code page would change the
// characters of a password that the code page lacks.
void TskSkinPasswordEdit::PasteFromClipboard() {
  if (!FReadOnly) InsertText(ClipboardText());
}

void TskSkinPasswordEdit::InsertAfter(int Position, const String& Value, bool Select) {
  WideString inserted = ToWide(Value);
  const int n = static_cast<int>(FText.size());
  if (FMaxLength > 0) inserted.resize(static_cast<size_t>(std::clamp(FMaxLength - n, 0, static_cast<int>(inserted.size()))));
  const int at = std::clamp(Position, 0, n);
  WideString text = FText;
  text.insert(static_cast<size_t>(at), inserted);
  SetWideText(text);
  if (!Select) return;
  FSelStart = at;
  FSelLength = static_cast<int>(inserted.size());
  SetCaretPosition(at + FSelLength);
}

void TskSkinPasswordEdit::DeleteFrom(int Position, int Count, bool MoveCaret) {
  const int n = static_cast<int>(FText.size());
  const int from = std::clamp(Position - 1, 0, n);
  WideString text = FText;
  text.erase(static_cast<size_t>(from), static_cast<size_t>(std::clamp(Count, 0, n - from)));
  SetWideText(text);
  if (!MoveCaret) return;
  FSelLength = 0;
  SetSelStart(Position - 1);
}

// ---------------------------------------------------------------------------------------------
// Keys and mouse

void TskSkinPasswordEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TskSkinCustomControl::KeyDown(Key, Shift);
  const int before = FCaret;
  const int n = static_cast<int>(FText.size());
  const bool ctrl = Shift.Contains(TShiftStateItem::ssCtrl);
  int moved = -1;
  switch (Key) {
    case VK_BACK:
    case VK_DELETE: {
      if (FReadOnly) break;
      if (GetSelLength() > 0) {
        ClearSelection();
        break;
      }
      if (FText.empty()) break;
      WideString text = FText;
      if (Key == VK_DELETE && FCaret < n) {
        text.erase(static_cast<size_t>(FCaret), 1);
      } else if (Key == VK_BACK && FCaret > 0) {
        text.erase(static_cast<size_t>(FCaret - 1), 1);
        --FCaret;
      }
      SetWideText(text);
      break;
    }
    case VK_END: moved = n; break;
    case VK_HOME: moved = 0; break;
    case VK_LEFT: moved = ctrl ? GetPrivWordBeging(before) : before - 1; break;
    case VK_RIGHT: moved = ctrl ? GetNextWordBeging(before) : before + 1; break;
    case VK_INSERT:
      if (Only(Shift, TShiftStateItem::ssShift)) PasteFromClipboard();
      break;
    case 'V':
      if (Only(Shift, TShiftStateItem::ssCtrl)) PasteFromClipboard();
      break;
  }
  if (moved != -1) {
    FCaret = std::clamp(moved, 0, n);
    if (Shift.Contains(TShiftStateItem::ssShift)) {
      FSelStart = FCaret;
      FSelLength += before - FCaret;
    } else {
      FSelLength = 0;
    }
    Invalidate();
  }
  SetCaretPosition(FCaret);
}

void TskSkinPasswordEdit::KeyPress(char& Key) {
  TskSkinCustomControl::KeyPress(Key);
  if (static_cast<unsigned char>(Key) >= 32 && !FReadOnly) InsertChar(static_cast<WCHAR>(static_cast<unsigned char>(Key)));
}

void TskSkinPasswordEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft) {
    FSelecting = true;
    // A drag goes on past the edges, where the characters scrolled out of sight are.
    SetCapture(Handle());
  }
  if (CanFocus() && !Focused()) SetFocus();
  if (Button != TMouseButton::mbLeft) return;
  FSelLength = 0;
  SetCaretPosition(GetCoordinatePosition(X));
  Invalidate();
}

void TskSkinPasswordEdit::MouseMove(TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseMove(Shift, X, Y);
  if (!FSelecting) return;
  // Past the right edge the drag goes on into the characters scrolled out of sight.
  const int position = GetCoordinatePosition(X) + (X > GetEditRect().right ? 1 : 0);
  const int before = FCaret;
  SetCaretPosition(position);
  FSelStart = FCaret;
  FSelLength += before - FCaret;
  Invalidate();
}

void TskSkinPasswordEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
  FSelecting = false;
  if (GetCapture() == Handle()) ReleaseCapture();
}

// ---------------------------------------------------------------------------------------------
// The system caret

void TskSkinPasswordEdit::ShowCaret() {
  if (HandleAllocated()) ::ShowCaret(Handle());
}

void TskSkinPasswordEdit::HideCaret() {
  if (HandleAllocated()) ::HideCaret(Handle());
}

void TskSkinPasswordEdit::UpdateCarete() {
  GetSkinData();
  int height = Height() - 4;
  if (Skinned()) {
    height = RectHeight(RealClientRect);
    if (!FUseSkinFont) height += Height() - RectHeight(FEditSkinRect);
  }
  CreateCaret(Handle(), nullptr, 0, height);
  SetCaretPosition(FCaret);
  ShowCaret();
}

void TskSkinPasswordEdit::HasFocus() {
  UpdateCarete();
  SetCaretPosition(0);
  if (FAutoSelect) SelectAll();
}

void TskSkinPasswordEdit::KillFocus() {
  DestroyCaret();
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinPasswordEdit::CreateControlDefaultImage(TBitmap& B) {
  TCanvas& c = *B.Canvas();
  c.Brush()->SetStyle(TBrushStyle::bsSolid);
  c.Brush()->SetColor(clWindow);
  c.FillRect(Rect(0, 0, Width(), Height()));
  TRect r = Rect(0, 0, Width(), Height());
  for (const TColor color : {clBtnShadow, clBtnFace}) {
    c.Brush()->SetColor(color);
    c.FrameRect(r);
    InflateRect(&r, -1, -1);
  }
  DrawEditContent(B);
}

void TskSkinPasswordEdit::CreateControlSkinImage(TBitmap& B) {
  if (!SkinBitmap) {
    CreateControlDefaultImage(B);
    return;
  }
  const TRect source = Active() ? FActiveSkinRect : FEditSkinRect;
  if (FUseSkinFont) {
    CreateHSkinImage(FLeftWidth, FRightWidth, B, *SkinBitmap, source, Width(), RectHeight(FEditSkinRect),
                     SkinStretchEffect);
  } else {
    TBitmap skin;
    CreateHSkinImage(FLeftWidth, FRightWidth, skin, *SkinBitmap, source, Width(), RectHeight(FEditSkinRect),
                     SkinStretchEffect);
    B.SetSize(Width(), Height());
    B.Canvas()->StretchDraw(Rect(0, 0, Width(), Height()), &skin);
  }
  DrawEditContent(B);
}

void TskSkinPasswordEdit::DrawEditContent(TBitmap& B) {
  TCanvas& c = *B.Canvas();
  const bool showSelection = Focused() || !FHideSelection;
  if (showSelection) {
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(clHighlight);
    c.FillRect(GetSelRect());
  }
  PaintText(c);
  if (showSelection) PaintSelectedText(c);
}

void TskSkinPasswordEdit::PaintText(TCanvas& Canvas) {
  const TRect e = GetEditRect();
  const int cell = GetPasswordCharWidth(), x0 = GetCharX(0);
  const int count = static_cast<int>(FText.size()) - FFirstVisible + 1;
  for (int k = 0; k < count; ++k) {
    const TRect r = Rect(x0 + k * cell, e.top, x0 + (k + 1) * cell, e.bottom);
    if (r.right <= e.right) DrawPasswordChar(r, false, Canvas);
  }
}

void TskSkinPasswordEdit::PaintSelectedText(TCanvas& Canvas) {
  const TRect sel = GetSelRect();
  const int cell = GetPasswordCharWidth();
  // The selected characters from the first visible one on.
  const int first = std::max(GetSelStart(), FFirstVisible - 1);
  const int count = GetSelStart() + GetSelLength() - first;
  for (int k = 0; k < count; ++k) {
    const TRect r = Rect(sel.left + k * cell, sel.top, sel.left + (k + 1) * cell, sel.bottom);
    if (r.right <= sel.right) DrawPasswordChar(r, true, Canvas);
  }
}

void TskSkinPasswordEdit::DrawPasswordChar(const TRect& Cell, bool Selected, TCanvas& Canvas) {
  TColor color;
  if (!Enabled())
    color = Skinned() ? FDisabledFontColor : clGrayText;
  else if (Selected)
    color = clHighlightText;
  else
    color = !Skinned() ? clWindowText : Active() ? FActiveFontColor : FFontColor;
  const int w = RectWidth(Cell), h = RectHeight(Cell);
  const int dy = 2 - (w - h) / 2;
  const TRect g = Rect(Cell.left + 2, Cell.top + dy, Cell.right - 2, Cell.bottom - dy);
  Canvas.Pen()->SetColor(color);
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(color);
  switch (FPasswordKind) {
    case TskPasswordKind::pkRoundRect:
      Canvas.RoundRect(g.left, g.top, g.right, g.bottom, RectWidth(g) / 2, RectHeight(g) / 2);
      break;
    case TskPasswordKind::pkRect:
      Canvas.FillRect(g);
      break;
    case TskPasswordKind::pkTriangle: {
      const int side = RectWidth(g) % 2 == 0 ? RectWidth(g) + 1 : RectWidth(g);
      const int left = Cell.left + (w - side) / 2, top = Cell.top + (h - side) / 2;
      const TRect t = Rect(left, top, left + side, top + side);
      Canvas.Polygon({Point(t.left + side / 2 + 1, t.top), Point(t.right, t.bottom), Point(t.left, t.bottom)});
      break;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinPasswordEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      TskSkinCustomControl::Dispatch(Message);
      HasFocus();
      return;
    case WM_KILLFOCUS:
      TskSkinCustomControl::Dispatch(Message);
      KillFocus();
      return;
    case WM_GETDLGCODE:
      TskSkinCustomControl::Dispatch(Message);
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_LBUTTONDBLCLK:
      TskSkinCustomControl::Dispatch(Message);
      FSelecting = false;
      SelectWord();
      return;
    case WM_CHAR:
      TskSkinCustomControl::Dispatch(Message);
      // Characters past ASCII do not pass through KeyPress.
      if (Message.WParam >= 128 && !FReadOnly) InsertChar(static_cast<WCHAR>(Message.WParam));
      return;
    case CM_FONTCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      // The caret is the focused window's alone: another control's would be taken.
      if (HandleAllocated() && Focused()) UpdateCarete();
      return;
    case CM_TEXTCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      if (FTakingCaption) return;
      {
        // A text given as the caption becomes the password and leaves the window text.
        const String caption = TskSkinCustomControl::Text();
        FTakingCaption = true;
        TskSkinCustomControl::SetText(String());
        FTakingCaption = false;
        FSelLength = 0;
        SetText(caption);
      }
      Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      if (HandleAllocated()) Invalidate();
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TskSkinCustomControl::Dispatch(Message);
      FMouseIn = Message.Msg == CM_MOUSEENTER;
      if (!Focused()) Invalidate();
      return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

}  // namespace skin
