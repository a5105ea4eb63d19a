#include "skin/boxes/SkinInnerList.h"

#include "platform/classlib/WideText.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {


// The character set of the owner's skin string table, else of Fallback.
TFontCharset ItemCharset(const TskSkinCustomListBox& Owner, const TFont& Fallback) {
  if (Owner.SkinData() && Owner.SkinData()->ResourceStrData())
    return Owner.SkinData()->ResourceStrData()->CharSet();
  return Fallback.Charset();
}

}  // namespace

TskListBox::TskListBox(TComponent* AOwner) : TListBox(AOwner) {
  // The list paints itself through PaintWindow; the system's painting never runs.
  SetControlState(ControlState().Include(TControlStateItem::csCustomPaint));
}

void TskListBox::SetHorzOffset(int Value) {
  Value = std::max(0, Value);
  if (Value == FHorzOffset) return;
  FHorzOffset = Value;
  Invalidate();
}

void TskListBox::CreateParams(TCreateParams& Params) {
  TListBox::CreateParams(Params);
  Params.Style &= ~WS_BORDER;
  Params.Style |= WS_TABSTOP;
  // The texts live in Items alone; the window keeps only how many there are. A system list that
  // copies every text takes as long again to fill as the folder of 10,000 files takes to read.
  Params.Style &= ~LBS_HASSTRINGS;
  Params.Style |= LBS_NODATA;
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
  Params.ClassStyle = CS_DBLCLKS;
}

void TskListBox::CreateWnd() {
  TListBox::CreateWnd();
  if (OwnerListBox) OwnerListBox->ListBoxCreateWnd();
}

void TskListBox::WndProc(TMessage& Message) {
  if (OwnerListBox) {
    bool pass = true;
    OwnerListBox->ListBoxWProc(Message, pass);
    if (!pass) return;
  }
  // With an owner the wheel moves one line a message, below; the system's list would move three.
  if (!(OwnerListBox && Message.Msg == WM_MOUSEWHEEL)) TListBox::WndProc(Message);
  if (!OwnerListBox) return;
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      OwnerListBox->UpDateScrollBar();
      break;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
      // Inside BeginUpdate/EndUpdate the bars catch up once, when drawing is turned back on.
      if (!FRedrawOff) OwnerListBox->UpDateScrollBar();
      break;
    case WM_SETREDRAW:
      FRedrawOff = !Message.WParam;
      if (!FRedrawOff) OwnerListBox->UpDateScrollBar();
      break;
    case WM_LBUTTONDBLCLK:
      OwnerListBox->ListBoxDblClick();
      break;
    case WM_MOUSEWHEEL: {
      // One line for each wheel message, whatever its delta.
      const bool away = GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0;
      if (OwnerListBox->ItemScrollBar()) {
        if (HandleAllocated()) SendMessageW(Handle(), WM_VSCROLL, away ? SB_LINEUP : SB_LINEDOWN, 0);
        OwnerListBox->UpDateScrollBar();
      } else if (TskSkinScrollBar* bar = OwnerListBox->ExtentScrollBar()) {
        bar->SetPosition(bar->Position() + (away ? -bar->SmallChange() : bar->SmallChange()));
      }
      break;
    }
  }
}

void TskListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE:
      // No non-client area: the native border and scroll bars never show.
      Message.Result = 0;
      return;
    case WM_ERASEBKGND:
      if (Width() > 0 && Height() > 0) PaintBG(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case CN_DRAWITEM:
      CNDrawItem(Message);
      return;
    // The window holds no texts, so the list answers the questions about them from its items.
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      Message.Result = FindItem(static_cast<int>(Message.WParam), reinterpret_cast<const WCHAR*>(Message.LParam),
                                Message.Msg == LB_FINDSTRINGEXACT);
      return;
    case LB_GETTEXTLEN:
    case LB_GETTEXT:
      Message.Result = ItemText(static_cast<int>(Message.WParam), Message.Msg == LB_GETTEXT
                                                                      ? reinterpret_cast<WCHAR*>(Message.LParam)
                                                                      : nullptr);
      return;
    case CM_ENTER:
      if (OwnerListBox) OwnerListBox->ListBoxEnter();
      break;
    case CM_EXIT:
      if (OwnerListBox) OwnerListBox->ListBoxExit();
      break;
  }
  TListBox::Dispatch(Message);
}

void TskListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OwnerListBox) OwnerListBox->ListBoxMouseDown(Button, Shift, X, Y);
  TListBox::MouseDown(Button, Shift, X, Y);
}

void TskListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OwnerListBox) OwnerListBox->ListBoxMouseUp(Button, Shift, X, Y);
  TListBox::MouseUp(Button, Shift, X, Y);
}

void TskListBox::MouseMove(TShiftState Shift, int X, int Y) {
  if (OwnerListBox) OwnerListBox->ListBoxMouseMove(Shift, X, Y);
  TListBox::MouseMove(Shift, X, Y);
}

void TskListBox::KeyDown(WORD& Key, TShiftState Shift) {
  if (OwnerListBox) {
    OwnerListBox->ListBoxKeyDown(Key, Shift);
    // With the extent bar the left and right keys scroll the texts sideways.
    if (TskSkinScrollBar* bar = OwnerListBox->ExtentScrollBar(); bar && (Key == VK_LEFT || Key == VK_RIGHT)) {
      bar->SetPosition(bar->Position() + (Key == VK_LEFT ? -bar->SmallChange() : bar->SmallChange()));
      Key = 0;
    }
  }
  TListBox::KeyDown(Key, Shift);
}

void TskListBox::KeyPress(char& Key) {
  if (OwnerListBox) OwnerListBox->ListBoxKeyPress(Key);
  TListBox::KeyPress(Key);
  if (static_cast<unsigned char>(Key) >= ' ') SelectByFirstLetter(Key);
}

// A typed letter moves to the next item that starts with it, as the system's list does with
// texts of its own.
void TskListBox::SelectByFirstLetter(char Letter) {
  const WCHAR typed[2] = {static_cast<WCHAR>(static_cast<unsigned char>(Letter)), 0};
  const int found = FindItem(ItemIndex(), typed, false);
  if (found < 0) return;
  if (MultiSelect() && ExtendedSelect() && HandleAllocated()) SendMessageW(Handle(), LB_SETSEL, FALSE, -1);
  SetItemIndex(found);
  if (MultiSelect() && ExtendedSelect()) SetSelected(found, true);
  Click();
}

int TskListBox::FindItem(int StartAfter, const WCHAR* Text, bool Exact) const {
  const int count = Count();
  if (!Text || count == 0) return LB_ERR;
  const int length = lstrlenW(Text);
  if (StartAfter < -1 || StartAfter >= count) StartAfter = -1;
  // From the item after StartAfter to the end, then round from the first.
  for (int step = 1; step <= count; ++step) {
    const int index = (StartAfter + step) % count;
    const WideString item = ToWide(ControlItems()[index]);
    const int itemLength = static_cast<int>(item.size());
    if (Exact ? itemLength != length : itemLength < length) continue;
    if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Text, length, item.c_str(), length) == CSTR_EQUAL)
      return index;
  }
  return LB_ERR;
}

int TskListBox::ItemText(int Index, WCHAR* Buffer) const {
  if (Index < 0 || Index >= Count()) return LB_ERR;
  const WideString text = ToWide(ControlItems()[Index]);
  if (Buffer) std::copy(text.c_str(), text.c_str() + text.size() + 1, Buffer);
  return static_cast<int>(text.size());
}

void TskListBox::Click() {
  if (OwnerListBox) OwnerListBox->ListBoxClick();
  TListBox::Click();
}

void TskListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const int oldWidth = Width();
  TListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
  // Keeps the right edge of scrolled texts where it was.
  if (Width() != oldWidth && FHorzOffset > 0) {
    FHorzOffset = std::max(0, FHorzOffset + oldWidth - Width());
    Invalidate();
  }
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskListBox::PaintWindow(HDC DC) {
  if (Width() <= 0 || Height() <= 0) return;
  const int saved = SaveDC(DC);
  if (Columns() <= 0)
    PaintList(DC);
  else
    PaintColumnsList(DC);
  RestoreDC(DC, saved);
}

void TskListBox::PaintList(HDC DC) {
  TCanvas canvas;
  canvas.SetHandle(DC);
  const int rows = Height() / std::max(1, ItemHeight());
  const int first = TopIndex();
  const int last = std::min(first + rows, Count() - 1);
  int bottom = 0;
  for (int i = first; i <= last; ++i) {
    const TRect r = ItemRect(i);
    // Only the rows the paint exposes: a scroll by one line repaints one row, not the whole list.
    if (RectVisible(DC, &r)) DrawItem(canvas, i, r, GetState(i));
    bottom = r.bottom;
  }
  if (bottom < Height() && OwnerListBox) {
    OwnerListBox->GetSkinData();
    if (OwnerListBox->SkinControlIndex() == -1) {
      canvas.Brush()->SetColor(clWindow);
      canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
      canvas.FillRect(Rect(0, bottom, Width(), Height()));
    } else {
      PaintBGWH(canvas, Width(), Height() - bottom, 0, bottom);
    }
  }
  canvas.SetHandle(nullptr);
}

void TskListBox::PaintColumnsList(HDC DC) {
  TCanvas canvas;
  canvas.SetHandle(DC);
  const int visible = Height() / std::max(1, ItemHeight()) * Columns();
  const int first = TopIndex();
  const int last = std::min(first + visible, Count() - 1);
  for (int i = first; i <= last; ++i)
    if (const TRect r = ItemRect(i); RectVisible(DC, &r)) DrawItem(canvas, i, r, GetState(i));
  canvas.SetHandle(nullptr);
}

void TskListBox::PaintBG(HDC DC) {
  TCanvas canvas;
  canvas.SetHandle(DC);
  if (OwnerListBox) OwnerListBox->GetSkinData();
  if (!OwnerListBox || OwnerListBox->SkinControlIndex() == -1) {
    canvas.Brush()->SetColor(clWindow);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.FillRect(Rect(0, 0, Width(), Height()));
  } else {
    PaintBGWH(canvas, Width(), Height(), 0, 0);
  }
  canvas.SetHandle(nullptr);
}

void TskListBox::PaintBGWH(TCanvas& Canvas, int AW, int AH, int X, int Y) {
  if (!OwnerListBox || !OwnerListBox->SkinBitmap || AW <= 0 || AH <= 0) return;
  TRect tile = OwnerListBox->SkinClientRect;
  OffsetRect(&tile, OwnerListBox->SkinRect.left, OwnerListBox->SkinRect.top);
  const int tw = RectWidth(tile), th = RectHeight(tile);
  if (tw <= 0 || th <= 0) return;
  TBitmap buffer;
  buffer.SetSize(AW, AH);
  for (int i = 0; i <= AW / tw; ++i)
    for (int j = 0; j <= AH / th; ++j) {
      const int x = i * tw, y = j * th;
      const int w = std::min(tw, AW - x), h = std::min(th, AH - y);
      if (w <= 0 || h <= 0) continue;
      buffer.Canvas()->CopyRect(Rect(x, y, x + w, y + h), *OwnerListBox->SkinBitmap->Canvas(),
                                Rect(tile.left, tile.top, tile.left + w, tile.top + h));
    }
  Canvas.Draw(X, Y, &buffer);
}

TOwnerDrawState TskListBox::GetState(int Index) {
  if (Index == ItemIndex()) {
    TOwnerDrawState state = odSelected;
    if (HandleAllocated() && GetFocus() == Handle()) state |= odFocused;
    return state;
  }
  if (SelCount() > 0 && Selected(Index)) return odSelected;
  return 0;
}

void TskListBox::DrawItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
  if (!OwnerListBox || OwnerListBox->SkinControlIndex() == -1)
    DrawDefaultItem(Canvas, Index, Rect, State);
  else if (OwnerListBox->UseSkinItemHeight())
    DrawSkinItem(Canvas, Index, Rect, State);
  else
    DrawStretchSkinItem(Canvas, Index, Rect, State);
}

void TskListBox::CNDrawItem(TMessage& Message) {
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
  if (!OwnerListBox || item.itemID == static_cast<UINT>(-1)) {
    Message.Result = TRUE;
    return;
  }
  TCanvas& canvas = Canvas();
  canvas.SetHandle(item.hDC);
  canvas.SetFont(Font());
  canvas.SetBrush(Brush());
  OwnerListBox->GetSkinData();
  DrawItem(canvas, static_cast<int>(item.itemID), item.rcItem, item.itemState & (odSelected | odFocused));
  canvas.SetHandle(nullptr);
  Message.Result = TRUE;
}

void TskListBox::DrawItemContent(TBitmap& Bitmap, int Index, TRect TextRect, TOwnerDrawState State) {
  TCanvas& canvas = *Bitmap.Canvas();
  if (OwnerListBox->OnDrawItem) {
    OwnerListBox->OnDrawItem(canvas, Index, Bitmap.Width(), Bitmap.Height(), TextRect, State);
    return;
  }
  int offset = 0;
  if (TImageList* images = OwnerListBox->Images()) {
    const int image = OwnerListBox->ImageIndex() >= 0 ? OwnerListBox->ImageIndex() : Index;
    if (image < images->Count())
      images->Draw(canvas, TextRect.left - FHorzOffset,
                   TextRect.top + RectHeight(TextRect) / 2 - images->Height() / 2, image, true);
    offset = images->Width() + 2;
  }
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  SKDrawText3(canvas, Items()[Index], TextRect, offset - FHorzOffset);
}

void TskListBox::DrawDefaultItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
  if (Index < 0 || Index >= Count()) return;
  TBitmap bitmap;
  bitmap.SetSize(RectWidth(Rect), RectHeight(Rect));
  TCanvas& c = *bitmap.Canvas();
  const TFont& font = OwnerListBox->Font();
  c.Font()->SetName(font.Name());
  c.Font()->SetStyle(font.Style());
  c.Font()->SetHeight(font.Height());
  c.Font()->SetCharset(ItemCharset(*OwnerListBox, OwnerListBox->DefaultFont()));
  if (State & odSelected) {
    c.Brush()->SetColor(clHighlight);
    c.Font()->SetColor(clHighlightText);
  } else {
    c.Brush()->SetColor(clWindow);
    c.Font()->SetColor(font.Color());
  }
  c.Brush()->SetStyle(TBrushStyle::bsSolid);
  c.FillRect(classlib::Rect(0, 0, bitmap.Width(), bitmap.Height()));
  DrawItemContent(bitmap, Index, classlib::Rect(2, 0, bitmap.Width() - 2, bitmap.Height()), State);
  if (State & odFocused) c.DrawFocusRect(classlib::Rect(0, 0, bitmap.Width(), bitmap.Height()));
  Canvas.Draw(Rect.left, Rect.top, &bitmap);
}

void TskListBox::DrawSkinItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
  if (Index < 0 || Index >= Count() || !OwnerListBox->SkinBitmap) return;
  const TskListBoxSkinValues& v = OwnerListBox->SkinValues();
  const bool focused = State & odFocused, selected = State & odSelected;
  TRect source = v.ItemRect;
  bool stretch = OwnerListBox->SkinStretchEffect;
  TColor color = v.FontColor;
  if (focused && selected) {
    source = v.FocusItemRect;
    color = v.FocusFontColor;
  } else if (selected) {
    source = v.ActiveItemRect;
    color = v.ActiveFontColor;
  } else if (!focused) {
    stretch = false;
  }
  const int w = RectWidth(Rect);
  TBitmap bitmap;
  CreateHSkinImage(v.ItemLeftOffset, v.ItemRightOffset, bitmap, *OwnerListBox->SkinBitmap, source, w,
                   RectHeight(v.ItemRect), stretch);
  TCanvas& c = *bitmap.Canvas();
  if (focused && !selected) c.DrawFocusRect(classlib::Rect(0, 0, bitmap.Width(), bitmap.Height()));
  TRect text = v.ItemTextRect;
  text.right += w - RectWidth(v.ItemRect);
  if (OwnerListBox->UseSkinFont()) {
    c.Font()->SetName(v.FontName);
    c.Font()->SetStyle(v.FontStyle);
    c.Font()->SetHeight(v.FontHeight);
    c.Font()->SetCharset(ItemCharset(*OwnerListBox, OwnerListBox->DefaultFont()));
  } else {
    c.SetFont(OwnerListBox->DefaultFont());
  }
  c.Font()->SetColor(color);
  c.Brush()->SetStyle(TBrushStyle::bsClear);
  DrawItemContent(bitmap, Index, text, State);
  Canvas.Draw(Rect.left, Rect.top, &bitmap);
}

void TskListBox::DrawStretchSkinItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
  if (Index < 0 || Index >= Count() || !OwnerListBox->SkinBitmap) return;
  const TskListBoxSkinValues& v = OwnerListBox->SkinValues();
  const bool focused = State & odFocused, selected = State & odSelected;
  TRect source = v.ItemRect;
  bool stretch = false;
  TColor color = v.FontColor;
  if (focused) {
    source = v.FocusItemRect;
    stretch = OwnerListBox->SkinStretchEffect;
    color = v.FocusFontColor;
  } else if (selected) {
    source = v.ActiveItemRect;
    stretch = OwnerListBox->SkinStretchEffect;
    color = v.ActiveFontColor;
  }
  const int w = RectWidth(Rect), h = RectHeight(Rect);
  TBitmap strip;
  CreateHSkinImage(v.ItemLeftOffset, v.ItemRightOffset, strip, *OwnerListBox->SkinBitmap, source, w,
                   RectHeight(v.ItemRect), stretch);
  TBitmap bitmap;
  bitmap.SetSize(w, h);
  TCanvas& c = *bitmap.Canvas();
  c.StretchDraw(classlib::Rect(0, 0, w, h), &strip);
  TRect text = v.ItemTextRect;
  text.right += w - RectWidth(v.ItemRect);
  text.bottom += h - RectHeight(v.ItemRect);
  if (OwnerListBox->UseSkinFont()) {
    c.Font()->SetName(v.FontName);
    c.Font()->SetStyle(v.FontStyle);
    c.Font()->SetHeight(v.FontHeight);
  } else {
    c.SetFont(OwnerListBox->DefaultFont());
  }
  c.Font()->SetCharset(ItemCharset(*OwnerListBox, OwnerListBox->DefaultFont()));
  c.Font()->SetColor(color);
  c.Brush()->SetStyle(TBrushStyle::bsClear);
  DrawItemContent(bitmap, Index, text, State);
  Canvas.Draw(Rect.left, Rect.top, &bitmap);
}

}  // namespace skin
