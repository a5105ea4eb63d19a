#include "skin/boxes/SkinFontColorComboBoxes.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/boxes/SkinColorDialog.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace skin {

using namespace classlib;

// ---------------------------------------------------------------------------------------------
// TskSkinFontComboBox

TskSkinFontComboBox::TskSkinFontComboBox(TComponent* AOwner) : TskSkinCustomComboBox(AOwner) {
  SetSorted(true);
  SetListBoxDrawItem([this](TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect& TxtRect,
                            TOwnerDrawState State) { DrawLBFontItem(Cnvs, Index, ItemWidth, ItemHeight, TxtRect, State); });
  OnComboBoxDrawItem = [this](TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect& TxtRect,
                              TOwnerDrawState State) {
    DrawCBFontItem(Cnvs, Index, ItemWidth, ItemHeight, TxtRect, State);
  };
}

bool TskSkinFontComboBox::Reading() const { return ComponentState().Contains(TComponentStateItem::csReading); }

void TskSkinFontComboBox::SetDevice(TskFontDevice Value) {
  if (Value == FDevice) return;
  FDevice = Value;
  Reset();
}

void TskSkinFontComboBox::SetOptions(TskFontListOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  Reset();
}

void TskSkinFontComboBox::SetTrueTypeOnly(bool Value) {
  if (Value == GetTrueTypeOnly()) return;
  if (Value)
    FOptions.Include(TskFontListOption::foTrueTypeOnly);
  else
    FOptions.Exclude(TskFontListOption::foTrueTypeOnly);
  Reset();
}

void TskSkinFontComboBox::SetUseFonts(bool Value) {
  if (Value == FUseFonts) return;
  FUseFonts = Value;
  Invalidate();
}

void TskSkinFontComboBox::PopulateList() {
  if (!HandleAllocated()) return;
  const int index = ItemIndex();
  Items().BeginUpdate();
  Items().Clear();
  AddFontFamilies(Items(), FDevice, FOptions);
  Items().EndUpdate();
  SetItemIndex(index);
}

void TskSkinFontComboBox::CreateWnd() {
  const String name = GetFontName();
  TskSkinCustomComboBox::CreateWnd();
  FUpdating = true;
  PopulateList();
  SetText("");
  SetFontName(name);
  FUpdating = false;
}

void TskSkinFontComboBox::Reset() {
  if (!HandleAllocated()) return;
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
  if (GetFontName() != name && !Reading() && OnChange) OnChange(this);
}

void TskSkinFontComboBox::SetFontName(const String& Name) {
  if (Text() == Name) return;
  const bool notify = !Reading() && !FUpdating;
  if (ComponentState().Contains(TComponentStateItem::csLoading)) {
    SetText(Name);
  } else {
    HandleNeeded();
    for (int i = 0; i < Items().Count(); ++i)
      if (AnsiCompareText(Items()[i], Name) == 0) {
        SetItemIndex(i);
        if (notify && OnChange) OnChange(this);
        return;
      }
    if (Style() == TskSkinCustomComboBoxStyle::skcbFixedStyle)
      SetItemIndex(-1);
    else
      SetText(Name);
  }
  if (notify && OnChange) OnChange(this);
}

void TskSkinFontComboBox::Dispatch(TMessage& Message) {
  TskSkinCustomComboBox::Dispatch(Message);
  if (Message.Msg == WM_FONTCHANGE) Reset();
}

void TskSkinFontComboBox::DrawCBFontItem(TCanvas& Cnvs, int Index, int, int, TRect& TxtRect, TOwnerDrawState) {
  TxtRect.left += 2;
  SKDrawText(Cnvs, Items()[Index].substr(0, 255), TxtRect);
}

void TskSkinFontComboBox::DrawLBFontItem(TCanvas& Cnvs, int Index, int, int, TRect& TxtRect, TOwnerDrawState) {
  if (ObjectNumber(Items().Objects(Index)) & TRUETYPE_FONTTYPE)
    DrawTTGlyph(Cnvs, TxtRect.left, TxtRect.top, RectHeight(TxtRect));
  TxtRect.left += 15;
  Cnvs.Font()->SetName(Items()[Index]);
  Cnvs.Font()->SetStyle({});
  SKDrawText(Cnvs, Items()[Index].substr(0, 255), TxtRect);
}

// ---------------------------------------------------------------------------------------------
// TskSkinFontSizeComboBox

namespace {

const char* const TrueTypeSizes[] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                     "20", "22", "24", "26", "28", "36", "48", "72"};

int CALLBACK EnumSizes(const LOGFONTW* Font, const TEXTMETRICW* Metric, DWORD FontType, LPARAM Data) {
  auto& box = *reinterpret_cast<TskSkinFontSizeComboBox*>(Data);
  TStrings& items = box.Items();
  if (FontType & TRUETYPE_FONTTYPE) {
    for (const char* size : TrueTypeSizes) items.Add(size);
    return 0;
  }
  const int size =
      static_cast<int>(std::nearbyint(static_cast<double>(Font->lfHeight - Metric->tmInternalLeading) * 72 /
                                      box.PixelsPerInch()));
  for (int i = 0; i < items.Count(); ++i) {
    const int listed = StrToIntDef(items[i], 0);
    if (listed == size) return 1;
    if (listed > size) {
      items.Insert(i, IntToStr(size));
      return 1;
    }
  }
  items.Add(IntToStr(size));
  return 1;
}

// A number of at most 32 bits made of digits with at most a leading minus sign.
bool ValidSize(const String& Text, int& Value) {
  if (Text.empty() || Text == "-") return false;
  for (size_t i = 0; i < Text.size(); ++i)
    if (!(Text[i] >= '0' && Text[i] <= '9') && !(Text[i] == '-' && i == 0)) return false;
  return TryStrToInt(Text, Value);
}

}  // namespace

void TskSkinFontSizeComboBox::SetFontName(const String& Name) {
  FFontName = Name;
  Build();
}

void TskSkinFontSizeComboBox::Build() {
  HDC dc = GetDC(nullptr);
  Items().BeginUpdate();
  Items().Clear();
  if (!FFontName.empty()) {
    FPixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    EnumFontFamiliesW(dc, ToWide(FFontName).c_str(), EnumSizes, reinterpret_cast<LPARAM>(this));
    const TNotifyEvent click = std::move(OnClick);
    OnClick = nullptr;
    SetItemIndex(Items().IndexOf(Text()));
    OnClick = click;
    if (OnClick) OnClick(this);
  }
  ReleaseDC(nullptr, dc);
  Items().EndUpdate();
}

int TskSkinFontSizeComboBox::GetSizeValue() const {
  int value = 0;
  if (Style() == TskSkinCustomComboBoxStyle::skcbEditStyle) return ValidSize(Text(), value) ? value : 0;
  const int i = ItemIndex();
  if (i == -1) return 0;
  return ValidSize(Items()[i], value) ? value : 0;
}

// ---------------------------------------------------------------------------------------------
// TskSkinColorComboBox

TskSkinColorComboBox::TskSkinColorComboBox(TComponent* AOwner) : TskSkinCustomComboBox(AOwner) {
  SetStyle(TskSkinCustomComboBoxStyle::skcbFixedStyle);
  const TskDrawSkinItemEvent draw = [this](TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect& TxtRect,
                                           TOwnerDrawState State) {
    DrawColorItem(Cnvs, Index, ItemWidth, ItemHeight, TxtRect, State);
  };
  SetListBoxDrawItem(draw);
  OnComboBoxDrawItem = draw;
  OnCloseUp = [this](TObject* Sender) { OnLBCloseUp(Sender); };
}

TColor TskSkinColorComboBox::GetColor(int Index) const { return static_cast<TColor>(ObjectNumber(Items().Objects(Index))); }

String TskSkinColorComboBox::GetColorName(int Index) const { return Items()[Index]; }

void TskSkinColorComboBox::SetExStyle(TskColorBoxStyle Value) {
  FExStyle = Value;
  SetEnabled(ListsColors(Value));
  PopulateList();
  if (Items().Count() > 0 && ItemIndex() == -1) SetItemIndex(0);
}

void TskSkinColorComboBox::SetShowNames(bool Value) {
  FShowNames = Value;
  Invalidate();
}

void TskSkinColorComboBox::SetDefaultColorColor(TColor Value) {
  if (Value == FDefaultColorColor) return;
  FDefaultColorColor = Value;
  Invalidate();
}

void TskSkinColorComboBox::SetNoneColorColor(TColor Value) {
  if (Value == FNoneColorColor) return;
  FNoneColorColor = Value;
  Invalidate();
}

TColor TskSkinColorComboBox::GetSelected() const {
  if (!HandleAllocated()) return FSelected;
  const int i = ItemIndex();
  return i == -1 ? NoColorSelected : GetColor(i);
}

void TskSkinColorComboBox::SetSelected(TColor Value) {
  if (HandleAllocated()) {
    int match = Items().IndexOfObject(NumberObject(Value));
    if (match == -1 && FExStyle.Contains(TskColorBoxStyleItem::skcbCustomColor) && Value != NoColorSelected &&
        Items().Count() > 0) {
      Items().SetObject(0, NumberObject(Value));
      match = 0;
    }
    SetItemIndex(match);
  }
  FSelected = Value;
}

void TskSkinColorComboBox::PopulateList() {
  if (!HandleAllocated()) return;
  Items().BeginUpdate();
  const bool custom = FExStyle.Contains(TskColorBoxStyleItem::skcbCustomColor);
  const TColor customColor = custom && Items().Count() > 0 ? GetColor(0) : 0;
  const TColor selected = FSelected;
  FillColorItems(Items(), FExStyle, customColor);
  SetSelected(selected);
  Items().EndUpdate();
}

void TskSkinColorComboBox::CreateWnd() {
  TskSkinCustomComboBox::CreateWnd();
  PopulateList();
}

bool TskSkinColorComboBox::PickCustomColor() {
  const auto dialog = std::make_unique<TskSkinColorDialog>(nullptr);
  dialog->SetSkinData(SkinData());
  dialog->SetCtrlSkinData(SkinData());
  dialog->SetColor(static_cast<TColor>(ColorToRGB(GetColor(0))));
  if (!dialog->Execute()) return false;
  Items().SetObject(0, NumberObject(dialog->Color()));
  Invalidate();
  if (OnClick) OnClick(this);
  if (OnChange) OnChange(this);
  return true;
}

void TskSkinColorComboBox::OnLBCloseUp(TObject*) {
  if (FExStyle.Contains(TskColorBoxStyleItem::skcbCustomColor) && ItemIndex() == 0) PickCustomColor();
}

void TskSkinColorComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  // Enter on "Custom..." opens the dialog and goes no further, so it does not close the list too.
  if (FExStyle.Contains(TskColorBoxStyleItem::skcbCustomColor) && Key == VK_RETURN && ItemIndex() == 0) {
    PickCustomColor();
    Key = 0;
  }
  TskSkinCustomComboBox::KeyDown(Key, Shift);
}

void TskSkinColorComboBox::DrawColorItem(TCanvas& Cnvs, int Index, int, int, TRect& TxtRect, TOwnerDrawState) {
  const TRect swatch =
      FShowNames ? Rect(TxtRect.left + 1, TxtRect.top + 1, TxtRect.left + RectHeight(TxtRect) - 1, TxtRect.bottom - 1)
                 : Rect(TxtRect.left + 1, TxtRect.top + 1, TxtRect.right - 1, TxtRect.bottom - 1);
  Cnvs.Brush()->SetStyle(TBrushStyle::bsSolid);
  Cnvs.Brush()->SetColor(GetColor(Index));
  Cnvs.FillRect(swatch);
  Cnvs.Brush()->SetStyle(TBrushStyle::bsClear);
  if (FShowNames)
    SKDrawText(Cnvs, Items()[Index],
               Rect(TxtRect.left + RectWidth(swatch) + 5, TxtRect.top, TxtRect.right - 2, TxtRect.bottom));
}

// ---------------------------------------------------------------------------------------------
// TskSkinMRUComboBox

void TskSkinMRUComboBox::AddMRUItem(const String& Text) {
  if (Text.empty()) return;
  const int i = Items().IndexOf(Text);
  if (i == -1)
    Items().Insert(0, Text);
  else
    Items().Move(i, 0);
}

}  // namespace skin
