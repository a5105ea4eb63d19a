#include "skin/boxes/SkinCheckInnerList.h"

#include "platform/classlib/SysUtils.h"
#include "skin/boxes/SkinCheckListBox.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"

using namespace classlib;

namespace skin {

namespace {

// Width of the default look's check strip at an item's left.
constexpr int CheckStripWidth = 20;

TFontCharset ItemCharset(TskSkinCustomListBox& Owner) {
  if (Owner.SkinData() && Owner.SkinData()->ResourceStrData()) return Owner.SkinData()->ResourceStrData()->CharSet();
  return Owner.DefaultFont().Charset();
}

// A skin rectangle placed for an item of width W: one lying right of the text follows the right edge.
TRect PlaceRight(TRect R, const TskListBoxSkinValues& V, int W) {
  if (R.left >= V.ItemTextRect.right) OffsetRect(&R, W - RectWidth(V.ItemRect), 0);
  return R;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Check states

void TskCheckListBox::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

TskCheckListBoxDataWrapper* TskCheckListBox::ExtractWrapper(int Index) const {
  CheckIndex(Index);
  return dynamic_cast<TskCheckListBoxDataWrapper*>(ControlItems().Extra(Index));
}

TskCheckListBoxDataWrapper& TskCheckListBox::GetWrapper(int Index) {
  if (TskCheckListBoxDataWrapper* wrapper = ExtractWrapper(Index)) return *wrapper;
  auto wrapper = std::make_unique<TskCheckListBoxDataWrapper>();
  TskCheckListBoxDataWrapper& result = *wrapper;
  ControlItems().SetExtra(Index, std::move(wrapper));
  return result;
}

bool TskCheckListBox::GetChecked(int Index) const { return GetState(Index) == TCheckBoxState::cbChecked; }

void TskCheckListBox::SetChecked(int Index, bool Checked) {
  if (Checked == GetChecked(Index)) return;
  GetWrapper(Index).State = Checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
  InvalidateCheck(Index);
}

TCheckBoxState TskCheckListBox::GetState(int Index) const {
  const TskCheckListBoxDataWrapper* wrapper = ExtractWrapper(Index);
  return wrapper ? wrapper->State : TCheckBoxState::cbUnchecked;
}

void TskCheckListBox::SetState(int Index, TCheckBoxState State) {
  if (State == GetState(Index)) return;
  GetWrapper(Index).State = State;
  InvalidateCheck(Index);
}

intptr_t TskCheckListBox::GetItemData(int Index) const {
  CheckIndex(Index);
  return reinterpret_cast<intptr_t>(ControlItems().Objects(Index));
}

void TskCheckListBox::SetItemData(int Index, intptr_t Data) {
  CheckIndex(Index);
  ControlItems().SetObject(Index, reinterpret_cast<TObject*>(Data));
}

void TskCheckListBox::ToggleClickCheck(int Index) {
  if (Index < 0 || Index >= Count()) return;
  TCheckBoxState state = GetState(Index);
  if (state == TCheckBoxState::cbUnchecked)
    state = TCheckBoxState::cbChecked;
  else if (state == TCheckBoxState::cbChecked)
    state = TCheckBoxState::cbUnchecked;
  SetState(Index, state);
  if (OnListClickCheck) OnListClickCheck(this);
}

void TskCheckListBox::InvalidateCheck(int Index) {
  if (!HandleAllocated()) return;
  const TRect r = ItemRect(Index);
  InvalidateRect(Handle(), &r, FALSE);
  UpdateWindow(Handle());
}

// ---------------------------------------------------------------------------------------------
// Input

TRect TskCheckListBox::SkinCheckRect(int W) const {
  return PlaceRight(CheckOwner->CheckSkinValues().ItemCheckRect, CheckOwner->SkinValues(), W);
}

void TskCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseDown(Button, Shift, X, Y);
  const int index = ItemAtPos(Point(X, Y), true);
  if (index >= 0) {
    const TRect item = ItemRect(index);
    if (CheckOwner && CheckOwner->SkinControlIndex() != -1) {
      TRect hit = SkinCheckRect(RectWidth(item));
      OffsetRect(&hit, item.left, item.top);
      const POINT p{X, Y};
      if (PtInRect(&hit, p)) ToggleClickCheck(index);
    } else if (X - item.left < CheckStripWidth) {
      ToggleClickCheck(index);
    }
  }
  if (OwnerListBox) OwnerListBox->ListBoxMouseDown(Button, Shift, X, Y);
}

void TskCheckListBox::KeyPress(char& Key) {
  TListBox::KeyPress(Key);
  if (Key == ' ') ToggleClickCheck(ItemIndex());
  if (OwnerListBox) OwnerListBox->ListBoxKeyPress(Key);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskCheckListBox::DrawItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
  if (Index < 0 || Index >= Count()) return;
  if (!CheckOwner || CheckOwner->SkinControlIndex() == -1)
    DrawDefaultCheckItem(Canvas, Index, Rect, State);
  else
    DrawSkinCheckItem(Canvas, Index, Rect, State, !CheckOwner->UseSkinItemHeight());
}

void TskCheckListBox::DrawDefaultCheckItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
  const int w = RectWidth(Rect), h = RectHeight(Rect);
  TBitmap bitmap;
  bitmap.SetSize(w, h);
  TCanvas& c = *bitmap.Canvas();
  c.Brush()->SetColor(clWhite);
  c.FillRect(classlib::Rect(0, 0, w, h));
  const TFont& font = CheckOwner->Font();
  c.Font()->SetName(font.Name());
  c.Font()->SetStyle(font.Style());
  c.Font()->SetHeight(font.Height());
  c.Font()->SetCharset(ItemCharset(*CheckOwner));
  const bool selected = State & odSelected;
  c.Brush()->SetColor(selected ? clHighlight : clWindow);
  c.Font()->SetColor(selected ? clHighlightText : font.Color());
  c.FillRect(classlib::Rect(CheckStripWidth, 0, w, h));
  c.Brush()->SetColor(clBtnShadow);
  c.FrameRect(classlib::Rect(3, h / 2 - 6, 16, h / 2 + 7));
  if (GetState(Index) == TCheckBoxState::cbChecked) DrawCheckImage(c, 6, h / 2 - 4, clWindowText);
  DrawItemContent(bitmap, Index, classlib::Rect(22, 0, w - 2, h), State);
  if (State & odFocused) c.DrawFocusRect(classlib::Rect(CheckStripWidth, 0, w, h));
  Canvas.Draw(Rect.left, Rect.top, &bitmap);
}

void TskCheckListBox::DrawSkinCheckItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State,
                                        bool Stretched) {
  if (!CheckOwner->SkinBitmap) return;
  const TskListBoxSkinValues& v = CheckOwner->SkinValues();
  const TskCheckListSkinValues& cv = CheckOwner->CheckSkinValues();
  const bool focused = State & odFocused, selected = State & odSelected;
  TRect source = v.ItemRect;
  bool stretch = CheckOwner->SkinStretchEffect;
  TColor color = v.FontColor;
  // A stretched item shows the focus by its look alone; a skin-high one by a focus rectangle.
  if (focused && (selected || Stretched)) {
    source = v.FocusItemRect;
    color = v.FocusFontColor;
  } else if (selected) {
    source = v.ActiveItemRect;
    color = v.ActiveFontColor;
  } else if (!focused || Stretched) {
    stretch = false;
  }
  const int w = RectWidth(Rect), skinHeight = RectHeight(v.ItemRect);
  const int h = Stretched ? RectHeight(Rect) : skinHeight;
  TBitmap strip;
  CreateHSkinImage(v.ItemLeftOffset, v.ItemRightOffset, strip, *CheckOwner->SkinBitmap, source, w, skinHeight,
                   stretch);
  TBitmap bitmap;
  bitmap.SetSize(w, h);
  TCanvas& c = *bitmap.Canvas();
  c.StretchDraw(classlib::Rect(0, 0, w, h), &strip);
  if (focused && !selected && !Stretched) c.DrawFocusRect(classlib::Rect(0, 0, w, h));
  const int dh = h - skinHeight;
  TRect text = v.ItemTextRect;
  text.right += w - RectWidth(v.ItemRect);
  text.bottom += dh;
  TRect check = PlaceRight(cv.ItemCheckRect, v, w);
  check.bottom += dh;
  const TRect& image = GetState(Index) == TCheckBoxState::cbChecked ? cv.CheckImageRect : cv.UnCheckImageRect;
  SkinDrawCheckImage(check.left + RectWidth(check) / 2 - RectWidth(cv.CheckImageRect) / 2,
                     check.top + RectHeight(check) / 2 - RectHeight(cv.CheckImageRect) / 2, c, image,
                     *CheckOwner->SkinBitmap->Canvas());
  if (CheckOwner->UseSkinFont()) {
    c.Font()->SetName(v.FontName);
    c.Font()->SetStyle(v.FontStyle);
    c.Font()->SetHeight(v.FontHeight);
  } else {
    c.SetFont(CheckOwner->DefaultFont());
  }
  c.Font()->SetCharset(ItemCharset(*CheckOwner));
  c.Font()->SetColor(color);
  c.Brush()->SetStyle(TBrushStyle::bsClear);
  DrawItemContent(bitmap, Index, text, State);
  Canvas.Draw(Rect.left, Rect.top, &bitmap);
}

void TskCheckListBox::SkinDrawCheckImage(int X, int Y, TCanvas& Cnvs, const TRect& R, TCanvas& SB) {
  if (RectWidth(R) <= 0 || RectHeight(R) <= 0) return;
  TBitmap piece;
  piece.SetSize(RectWidth(R), RectHeight(R));
  piece.Canvas()->CopyRect(classlib::Rect(0, 0, piece.Width(), piece.Height()), SB, R);
  // The bottom-left pixel's colour is left out.
  piece.SetTransparent(true);
  Cnvs.Draw(X, Y, &piece);
}

}  // namespace skin
