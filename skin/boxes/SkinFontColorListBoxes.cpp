#include "skin/boxes/SkinFontColorListBoxes.h"

#include "platform/classlib/SysUtils.h"
#include "skin/boxes/SkinColorDialog.h"
#include "skin/data/SkinData.h"
#include "skin/data/Skutils.h"

#include <memory>

namespace skin {

using namespace classlib;

// ---------------------------------------------------------------------------------------------
// TskSkinFontListBox

TskSkinFontListBox::TskSkinFontListBox(TComponent* AOwner) : TskSkinListBox(AOwner) {
  OnDrawItem = [this](TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect& TxtRect,
                      TOwnerDrawState State) { DrawLBFontItem(Cnvs, Index, ItemWidth, ItemHeight, TxtRect, State); };
  SetSorted(true);
}

bool TskSkinFontListBox::Reading() const { return ComponentState().Contains(TComponentStateItem::csReading); }

void TskSkinFontListBox::SetDevice(TskFontDevice Value) {
  if (Value == FDevice) return;
  FDevice = Value;
  Reset();
}

void TskSkinFontListBox::SetOptions(TskFontListOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  Reset();
}

void TskSkinFontListBox::SetTrueTypeOnly(bool Value) {
  if (Value == TrueTypeOnly()) return;
  if (Value)
    FOptions.Include(TskFontListOption::foTrueTypeOnly);
  else
    FOptions.Exclude(TskFontListOption::foTrueTypeOnly);
  Reset();
}

void TskSkinFontListBox::SetUseFonts(bool Value) {
  if (Value == FUseFonts) return;
  FUseFonts = Value;
  InnerList().Invalidate();
}

String TskSkinFontListBox::GetFontName() const {
  const int i = ItemIndex();
  return i == -1 ? String() : Items()[i];
}

void TskSkinFontListBox::SetFontName(const String& Name) {
  if (GetFontName() == Name) return;
  if (!ComponentState().Contains(TComponentStateItem::csLoading)) {
    InnerList().HandleNeeded();
    for (int i = 0; i < Items().Count(); ++i)
      if (AnsiCompareText(Items()[i], Name) == 0) {
        SetItemIndex(i);
        break;
      }
  }
  if (!Reading() && !FUpdating && OnListBoxClick) OnListBoxClick(this);
}

void TskSkinFontListBox::PopulateList() {
  if (!InnerList().HandleAllocated()) return;
  const int index = ItemIndex();
  Items().BeginUpdate();
  Items().Clear();
  AddFontFamilies(Items(), FDevice, FOptions);
  Items().EndUpdate();
  SetItemIndex(index);
}

void TskSkinFontListBox::PopulateUpdating() {
  FUpdating = true;
  PopulateList();
  FUpdating = false;
}

void TskSkinFontListBox::Reset() {
  if (!InnerList().HandleAllocated()) return;
  const String name = GetFontName();
  FUpdating = true;
  try {
    PopulateList();
    SetFontName(name);
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
  if (GetFontName() != name && !Reading() && OnListBoxClick) OnListBoxClick(this);
}

void TskSkinFontListBox::Loaded() {
  TskSkinListBox::Loaded();
  PopulateUpdating();
}

// The list fills itself whenever its window is made, skinned or not, so that a list box made in
// code shows its fonts without a further Reset.
void TskSkinFontListBox::ListBoxCreateWnd() { PopulateUpdating(); }

void TskSkinFontListBox::DrawLBFontItem(TCanvas& Cnvs, int Index, int, int ItemHeight, TRect& TxtRect,
                                        TOwnerDrawState) {
  if (ObjectNumber(Items().Objects(Index)) & TRUETYPE_FONTTYPE) DrawTTGlyph(Cnvs, TxtRect.left, TxtRect.top, ItemHeight);
  TxtRect.left += 15;
  Cnvs.Font()->SetName(Items()[Index]);
  Cnvs.Font()->SetStyle({});
  SKDrawText2(Cnvs, Items()[Index], TxtRect);
}

// ---------------------------------------------------------------------------------------------
// TskSkinColorListBox

TskSkinColorListBox::TskSkinColorListBox(TComponent* AOwner) : TskSkinListBox(AOwner) {
  OnDrawItem = [this](TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect& TxtRect,
                      TOwnerDrawState State) { DrawColorItem(Cnvs, Index, ItemWidth, ItemHeight, TxtRect, State); };
}

TColor TskSkinColorListBox::GetColor(int Index) const { return static_cast<TColor>(ObjectNumber(Items().Objects(Index))); }

String TskSkinColorListBox::GetColorName(int Index) const { return Items()[Index]; }

void TskSkinColorListBox::SetExStyle(TskColorBoxStyle Value) {
  FExStyle = Value;
  SetEnabled(ListsColors(Value));
  PopulateList();
  if (Items().Count() > 0 && ItemIndex() == -1) SetItemIndex(0);
}

void TskSkinColorListBox::SetShowNames(bool Value) {
  FShowNames = Value;
  InnerList().Invalidate();
}

void TskSkinColorListBox::SetDefaultColorColor(TColor Value) {
  if (Value == FDefaultColorColor) return;
  FDefaultColorColor = Value;
  InnerList().Invalidate();
}

void TskSkinColorListBox::SetNoneColorColor(TColor Value) {
  if (Value == FNoneColorColor) return;
  FNoneColorColor = Value;
  InnerList().Invalidate();
}

TColor TskSkinColorListBox::GetSelected() const {
  if (!InnerList().HandleAllocated()) return FPendingColor;
  const int i = ItemIndex();
  return i == -1 ? NoColorSelected : GetColor(i);
}

void TskSkinColorListBox::SetSelected(TColor Value) {
  if (InnerList().HandleAllocated()) {
    int match = Items().IndexOfObject(NumberObject(Value));
    if (match == -1 && FExStyle.Contains(TskColorBoxStyleItem::skcbCustomColor) && Value != NoColorSelected &&
        Items().Count() > 0) {
      Items().SetObject(0, NumberObject(Value));
      match = 0;
    }
    SetItemIndex(match);
  }
  FPendingColor = Value;
}

void TskSkinColorListBox::PopulateList() {
  if (!InnerList().HandleAllocated()) return;
  Items().BeginUpdate();
  const bool custom = FExStyle.Contains(TskColorBoxStyleItem::skcbCustomColor);
  const TColor customColor = custom && Items().Count() > 0 ? GetColor(0) : clBlack;
  const TColor pending = FPendingColor;
  FillColorItems(Items(), FExStyle, customColor);
  Items().EndUpdate();
  SetSelected(pending);
}

void TskSkinColorListBox::Loaded() {
  TskSkinListBox::Loaded();
  PopulateList();
}

void TskSkinColorListBox::ListBoxCreateWnd() { PopulateList(); }

void TskSkinColorListBox::DrawColorItem(TCanvas& Cnvs, int Index, int, int ItemHeight, TRect& TxtRect,
                                        TOwnerDrawState) {
  const TRect swatch = FShowNames ? Rect(TxtRect.left + 2, TxtRect.top + 2, TxtRect.left + ItemHeight - 2,
                                         TxtRect.bottom - 2)
                                  : Rect(TxtRect.left + 2, TxtRect.top + 2, TxtRect.right - 2, TxtRect.bottom - 2);
  Cnvs.Brush()->SetStyle(TBrushStyle::bsSolid);
  Cnvs.Brush()->SetColor(GetColor(Index));
  Cnvs.FillRect(swatch);
  Cnvs.Brush()->SetStyle(TBrushStyle::bsClear);
  if (FShowNames)
    SKDrawText2(Cnvs, Items()[Index],
                Rect(TxtRect.left + RectWidth(swatch) + 5, TxtRect.top, TxtRect.right - 2, TxtRect.bottom));
}

bool TskSkinColorListBox::PickCustomColor() {
  const auto dialog = std::make_unique<TskSkinColorDialog>(nullptr);
  dialog->SetSkinData(SkinData());
  dialog->SetCtrlSkinData(SkinData());
  dialog->SetColor(static_cast<TColor>(ColorToRGB(GetColor(0))));
  if (!dialog->Execute()) return false;
  Items().SetObject(0, NumberObject(dialog->Color()));
  InnerList().Invalidate();
  if (OnListBoxClick) OnListBoxClick(this);
  return true;
}

bool TskSkinColorListBox::CustomColorChosen() const {
  return FExStyle.Contains(TskColorBoxStyleItem::skcbCustomColor) && ItemIndex() == 0;
}

void TskSkinColorListBox::ListBoxDblClick() {
  TskSkinListBox::ListBoxDblClick();
  if (CustomColorChosen()) PickCustomColor();
}

void TskSkinColorListBox::ListBoxKeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_RETURN && CustomColorChosen()) {
    PickCustomColor();
    Key = 0;
  }
  TskSkinListBox::ListBoxKeyDown(Key, Shift);
}

}  // namespace skin
