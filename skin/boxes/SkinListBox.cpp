#include "skin/boxes/SkinListBox.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {

int RectWidth(const TRect& R) { return R.right - R.left; }
int RectHeight(const TRect& R) { return R.bottom - R.top; }
bool IsEmpty(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

}  // namespace

TskSkinCustomListBox::TskSkinCustomListBox(TComponent* AOwner)
    : TskSkinCustomListBox(AOwner, [](TskSkinCustomListBox* Owner) { return new TskListBox(Owner); }) {}

TskSkinCustomListBox::TskSkinCustomListBox(TComponent* AOwner, TInnerListFactory MakeList)
    : TskSkinCustomControl(AOwner),
      FDefaultCaptionFont(std::make_unique<TFont>()),
      FGlyph(std::make_unique<TBitmap>()) {
  FDefaultCaptionFont->SetName("Arial");
  FDefaultCaptionFont->SetHeight(14);
  FDefaultCaptionFont->OnChange = [this](TObject*) {
    if (FSkinControlIndex == -1 && FCaptionMode) Invalidate();
  };
  Font().SetName("Arial");
  Font().SetHeight(14);
  Font().SetColor(clWindowText);
  Font().SetStyle({});
  FInnerList = MakeList(this);
  FInnerList->OwnerListBox = this;
  FInnerList->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
  FInnerList->SetItemHeight(FDefaultItemHeight);
  FInnerList->SetParent(this);
  FInnerList->SetVisible(true);
  SetBounds(Left(), Top(), 120, 120);
  FSkinDataName = "listbox";
}

TskSkinCustomListBox::~TskSkinCustomListBox() {
  // The inner list reports to this control until it is gone.
  FInnerList->OwnerListBox = nullptr;
}

void TskSkinCustomListBox::CreateParams(TCreateParams& Params) {
  TskSkinCustomControl::CreateParams(Params);
  Params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinCustomListBox::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FImages) SetImages(nullptr);
  if (AComponent == FItemScrollBar) FItemScrollBar = nullptr;
  if (AComponent == FExtentScrollBar) FExtentScrollBar = nullptr;
  if (AComponent == FInnerList) FInnerList = nullptr;
}

void TskSkinCustomListBox::SetItems(const TStrings& Value) {
  FInnerList->Items().Assign(Value);
  UpDateScrollBar();
}

void TskSkinCustomListBox::Clear() {
  FInnerList->Clear();
  UpDateScrollBar();
}

void TskSkinCustomListBox::SetSorted(bool Value) {
  if (FItemScrollBar) HideScrollBar();
  FInnerList->SetSorted(Value);
}

void TskSkinCustomListBox::SetHorizontalExtent(bool Value) {
  FHorizontalExtent = Value;
  UpDateScrollBar();
}

void TskSkinCustomListBox::SetColumns(int Value) {
  // The bar of the old layout scrolls the other way.
  if (FItemScrollBar && (Value > 0) != (FInnerList->Columns() > 0)) HideScrollBar();
  FInnerList->SetColumns(Value);
  UpDateScrollBar();
}

void TskSkinCustomListBox::SetRowCount(int Value) {
  FRowCount = Value;
  if (FRowCount != 0) SetHeight(CalcHeight(FRowCount));
}

void TskSkinCustomListBox::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  FInnerList->Invalidate();
}

void TskSkinCustomListBox::SetImageIndex(int Value) {
  FImageIndex = Value;
  FInnerList->Invalidate();
}

void TskSkinCustomListBox::SetDefaultItemHeight(int Value) {
  FDefaultItemHeight = Value;
  if (FSkinControlIndex == -1 || !FUseSkinItemHeight) FInnerList->SetItemHeight(Value);
}

void TskSkinCustomListBox::DefaultFontChange() {
  if (FSkinControlIndex == -1) Font().Assign(DefaultFont());
}

int TskSkinCustomListBox::CalcHeight(int Rows) const {
  int height;
  if (FSkinControlIndex == -1)
    height = Rows * FInnerList->ItemHeight() + 4 + (FCaptionMode ? FDefaultCaptionHeight : 0);
  else
    height = Rows * FInnerList->ItemHeight() + RectHeight(SkinRect) - RectHeight(SkinClientRect);
  if (FExtentScrollBar) height += FExtentScrollBar->Height();
  return height;
}

int TskSkinCustomListBox::GetFullItemWidth(int Index, TCanvas& Canvas) {
  return Canvas.TextWidth(Items()[Index]);
}

void TskSkinCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FSkinControlIndex == -1) Invalidate();
}

// ---------------------------------------------------------------------------------------------
// The skin

void TskSkinCustomListBox::GetSkinData() {
  TskSkinCustomControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinListBox*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FValues.Copy(*data);
}

void TskListBoxSkinValues::Copy(const TskDataSkinListBox& Data) {
  ItemRect = Data.ItemRect;
  ActiveItemRect = IsEmpty(Data.ActiveItemRect) ? Data.ItemRect : Data.ActiveItemRect;
  FocusItemRect = IsEmpty(Data.FocusItemRect) ? Data.ItemRect : Data.FocusItemRect;
  ItemLeftOffset = Data.ItemLeftOffset;
  ItemRightOffset = Data.ItemRightOffset;
  ItemTextRect = Data.ItemTextRect;
  FontName = Data.FontName;
  FontStyle = Data.FontStyle;
  FontHeight = Data.FontHeight;
  FontColor = Data.FontColor;
  ActiveFontColor = Data.ActiveFontColor;
  FocusFontColor = Data.FocusFontColor;
  CaptionRect = Data.CaptionRect;
  CaptionFontName = Data.CaptionFontName;
  CaptionFontStyle = Data.CaptionFontStyle;
  CaptionFontHeight = Data.CaptionFontHeight;
  CaptionFontColor = Data.CaptionFontColor;
  UpButtonRect = Data.UpButtonRect;
  ActiveUpButtonRect = Data.ActiveUpButtonRect;
  DownUpButtonRect = IsEmpty(Data.DownUpButtonRect) ? Data.ActiveUpButtonRect : Data.DownUpButtonRect;
  DownButtonRect = Data.DownButtonRect;
  ActiveDownButtonRect = Data.ActiveDownButtonRect;
  DownDownButtonRect = IsEmpty(Data.DownDownButtonRect) ? Data.ActiveDownButtonRect : Data.DownDownButtonRect;
  CheckButtonRect = Data.CheckButtonRect;
  ActiveCheckButtonRect = Data.ActiveCheckButtonRect;
  DownCheckButtonRect = IsEmpty(Data.DownCheckButtonRect) ? Data.ActiveCheckButtonRect : Data.DownCheckButtonRect;
  HScrollBarName = Data.HScrollBarName;
  VScrollBarName = Data.VScrollBarName;
  BothHScrollBarName = Data.BothHScrollBarName;
}

void TskSkinCustomListBox::ChangeSkinData() {
  TskSkinCustomControl::ChangeSkinData();
  FSuspendExtentUpdate = true;
  const bool skinned = FSkinControlIndex != -1;
  if (!skinned) {
    FInnerList->SetItemHeight(FDefaultItemHeight);
    FInnerList->Font().Assign(DefaultFont());
  } else if (FUseSkinItemHeight) {
    FInnerList->SetItemHeight(RectHeight(FValues.ItemRect));
  }
  if (FItemScrollBar) {
    FItemScrollBar->SetSkinDataName(!skinned                    ? String()
                                    : FInnerList->Columns() < 1 ? FValues.VScrollBarName
                                                                : FValues.HScrollBarName);
    FItemScrollBar->SetSkinData(FSkinData);
  }
  if (FExtentScrollBar) {
    if (!skinned) {
      FExtentScrollBar->SetSkinDataName("");
      if (FItemScrollBar) FExtentScrollBar->SetBothMarkerWidth(19);
    } else {
      FExtentScrollBar->SetSkinDataName(FItemScrollBar ? FValues.BothHScrollBarName : FValues.HScrollBarName);
    }
    FExtentScrollBar->SetSkinData(FSkinData);
  }
  if (FRowCount != 0) SetHeight(CalcHeight(FRowCount));
  CalcRects();
  FSuspendExtentUpdate = false;
  UpDateScrollBar();
  FInnerList->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Layout and scroll bars

void TskSkinCustomListBox::CalcRects() {
  if (!FInnerList) return;
  const bool skinned = FSkinControlIndex != -1;
  int top = 1;
  if (skinned) {
    FSkinClientArea = SkinClientRect;
    FSkinClientArea.right += Width() - RectWidth(SkinRect);
    FSkinClientArea.bottom += Height() - RectHeight(SkinRect);
  } else if (FCaptionMode) {
    top = FDefaultCaptionHeight;
  }
  int hb = 0;
  if (FInnerList->Columns() == 0 && FExtentScrollBar && FExtentScrollBar->Visible()) {
    if (!skinned) {
      FExtentScrollBar->SetBounds(1, Height() - 20, Width() - 2, 19);
      hb = FExtentScrollBar->Height() - 1;
    } else {
      FExtentScrollBar->SetBounds(FSkinClientArea.left, FSkinClientArea.bottom - FExtentScrollBar->Height(),
                                  RectWidth(FSkinClientArea), FExtentScrollBar->Height());
      hb = FExtentScrollBar->Height();
    }
  }
  TskSkinScrollBar* bar = FItemScrollBar;
  if (bar && bar->Visible()) {
    const bool vertical = FInnerList->Columns() < 1;
    if (!skinned && vertical) {
      bar->SetBounds(Width() - 20, top, 19, Height() - 1 - top - hb);
      FListArea = Rect(2, top + 1, bar->Left(), Height() - 2 - hb);
    } else if (!skinned) {
      bar->SetBounds(1, Height() - 20, Width() - 2, 19);
      FListArea = Rect(2, top + 1, Width() - 2, bar->Top());
    } else if (vertical) {
      bar->SetBounds(FSkinClientArea.right - bar->Width(), FSkinClientArea.top, bar->Width(),
                     RectHeight(FSkinClientArea) - hb);
      FListArea = Rect(FSkinClientArea.left, FSkinClientArea.top, FSkinClientArea.right - bar->Width(),
                       FSkinClientArea.bottom - hb);
    } else {
      bar->SetBounds(FSkinClientArea.left, FSkinClientArea.bottom - bar->Height(), RectWidth(FSkinClientArea),
                     bar->Height());
      FListArea = Rect(FSkinClientArea.left, FSkinClientArea.top, FSkinClientArea.right,
                       FSkinClientArea.bottom - bar->Height());
    }
  } else if (!skinned) {
    FListArea = Rect(2, top + 1, Width() - 2, Height() - 2 - hb);
  } else {
    FListArea = Rect(FSkinClientArea.left, FSkinClientArea.top, FSkinClientArea.right, FSkinClientArea.bottom - hb);
  }
  FInnerList->SetBounds(FListArea.left, FListArea.top, RectWidth(FListArea), RectHeight(FListArea));
}

void TskSkinCustomListBox::PrepareMeasureFont(TCanvas& Canvas) {
  if (FSkinControlIndex == -1) {
    Canvas.SetFont(FInnerList->Font());
  } else {
    Canvas.Font()->SetName(FValues.FontName);
    Canvas.Font()->SetStyle(FValues.FontStyle);
    Canvas.Font()->SetHeight(FValues.FontHeight);
  }
}

void TskSkinCustomListBox::UpDateScrollBar() {
  if (!FInnerList || !FInnerList->HandleAllocated()) return;
  const HWND list = FInnerList->Handle();
  const int count = FInnerList->Count();
  const int itemHeight = std::max(1, FInnerList->ItemHeight());
  if (FInnerList->Columns() > 0) {
    int min = 0, max = 0;
    GetScrollRange(list, SB_HORZ, &min, &max);
    const int position = GetScrollPos(list, SB_HORZ);
    if (max > min && position <= max && FInnerList->Columns() <= max &&
        FInnerList->Height() / itemHeight * FInnerList->Columns() < count) {
      if (!FItemScrollBar) ShowScrollBar();
      FItemScrollBar->SetRange(min, max, position, FInnerList->Columns());
    } else if (FItemScrollBar && FItemScrollBar->Visible()) {
      HideScrollBar();
    }
    return;
  }
  bool extent = false;
  if (FHorizontalExtent && !FSuspendExtentUpdate) {
    TBitmap measure;
    measure.SetSize(1, 1);
    TCanvas& canvas = *measure.Canvas();
    PrepareMeasureFont(canvas);
    int widest = 0;
    for (int i = 0; i < count; ++i) widest = std::max(widest, GetFullItemWidth(i, canvas));
    int area = FSkinControlIndex == -1 ? FInnerList->Width() - 4
                                       : FInnerList->Width() - (RectWidth(FValues.ItemRect) - RectWidth(FValues.ItemTextRect));
    if (FImages) area -= FImages->Width() + 4;
    if (widest > area) {
      extent = true;
      if (!FExtentScrollBar) ShowHScrollBar();
      FExtentScrollBar->SetRange(0, widest, FExtentScrollBar->Position(), area);
      const int step = canvas.TextWidth("0");
      FExtentScrollBar->SetSmallChange(step);
      FExtentScrollBar->SetLargeChange(step);
    }
  }
  if (!extent && FExtentScrollBar && FExtentScrollBar->Visible()) HideHScrollBar();
  if (FRowCount > 0 && count == FRowCount) {
    if (FItemScrollBar && FItemScrollBar->Visible()) HideScrollBar();
    return;
  }
  int min = 0, max = 0;
  GetScrollRange(list, SB_VERT, &min, &max);
  const int position = GetScrollPos(list, SB_VERT);
  const int rows = FInnerList->Height() / itemHeight;
  if (max > min && position <= max && count > rows) {
    if (!FItemScrollBar) ShowScrollBar();
    FItemScrollBar->SetRange(min, max, position, rows);
    FItemScrollBar->SetLargeChange(rows);
  } else if (FItemScrollBar && FItemScrollBar->Visible()) {
    HideScrollBar();
  }
}

void TskSkinCustomListBox::ShowScrollBar() {
  const bool skinned = FSkinControlIndex != -1;
  auto* bar = new TskSkinScrollBar(this);
  FItemScrollBar = bar;
  bar->SetKind(FInnerList->Columns() <= 0 ? TScrollBarKind::sbVertical : TScrollBarKind::sbHorizontal);
  bar->SetBounds(0, 0, 20, 100);
  bar->SetRange(0, bar->Max(), 0, 0);
  bar->OnChange = [this](TObject* Sender) { SBChange(Sender); };
  bar->SetSkinDataName(!skinned ? String() : FInnerList->Columns() <= 0 ? FValues.VScrollBarName : FValues.HScrollBarName);
  bar->SetSkinData(FSkinData);
  bar->SetParent(this);
  if (FExtentScrollBar) {
    if (!skinned) {
      FExtentScrollBar->SetSkinDataName("");
      FExtentScrollBar->SetBothMarkerWidth(19);
      FExtentScrollBar->SetBoth(true);
    } else {
      FExtentScrollBar->SetBothSkinDataName(FValues.BothHScrollBarName);
      FExtentScrollBar->SetSkinDataName(FValues.BothHScrollBarName);
      FExtentScrollBar->SetBoth(true);
    }
    FExtentScrollBar->SetSkinData(FSkinData);
  }
  CalcRects();
  bar->SetVisible(true);
  CalcRects();
  Invalidate();
}

void TskSkinCustomListBox::ShowHScrollBar() {
  const bool skinned = FSkinControlIndex != -1;
  auto* bar = new TskSkinScrollBar(this);
  FExtentScrollBar = bar;
  bar->SetKind(TScrollBarKind::sbHorizontal);
  bar->SetBounds(0, 0, 100, 20);
  bar->SetRange(0, bar->Max(), 0, 0);
  bar->OnChange = [this](TObject* Sender) { HSBChange(Sender); };
  if (!skinned) {
    bar->SetSkinDataName("");
    if (FItemScrollBar) {
      bar->SetBothMarkerWidth(19);
      bar->SetBoth(true);
    }
  } else {
    const String name = FItemScrollBar ? FValues.BothHScrollBarName : FValues.HScrollBarName;
    bar->SetBothSkinDataName(name);
    bar->SetSkinDataName(name);
    bar->SetBoth(FItemScrollBar != nullptr);
  }
  bar->SetSkinData(FSkinData);
  bar->SetParent(this);
  bar->SetVisible(true);
  CalcRects();
  Invalidate();
}

void TskSkinCustomListBox::HideScrollBar() {
  std::unique_ptr<TskSkinScrollBar> bar(FItemScrollBar);
  FItemScrollBar = nullptr;
  bar->SetVisible(false);
  bar.reset();
  CalcRects();
}

void TskSkinCustomListBox::HideHScrollBar() {
  FInnerList->SetHorzOffset(0);
  std::unique_ptr<TskSkinScrollBar> bar(FExtentScrollBar);
  FExtentScrollBar = nullptr;
  bar->SetVisible(false);
  bar.reset();
  CalcRects();
  FInnerList->Invalidate();
}

void TskSkinCustomListBox::SBChange(TObject*) {
  if (!FInnerList->HandleAllocated() || !FItemScrollBar) return;
  const int position = FItemScrollBar->Position();
  // The whole position goes to the list: a scroll message carries only 16 bits of it, which would
  // leave lists past 65,535 rows short of the row the bar shows.
  if (FInnerList->Columns() > 0) {
    const int rows = std::max(1, FInnerList->Height() / std::max(1, FInnerList->ItemHeight()));
    SendMessageW(FInnerList->Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(position) * rows, 0);
  } else {
    SendMessageW(FInnerList->Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(position), 0);
  }
}

void TskSkinCustomListBox::HSBChange(TObject*) {
  if (FExtentScrollBar) FInnerList->SetHorzOffset(FExtentScrollBar->Position());
  FInnerList->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// What the inner list reports

void TskSkinCustomListBox::ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnListBoxMouseDown) OnListBoxMouseDown(this, Button, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxMouseMove(TShiftState Shift, int X, int Y) {
  if (OnListBoxMouseMove) OnListBoxMouseMove(this, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnListBoxMouseUp) OnListBoxMouseUp(this, Button, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxClick() {
  if (OnListBoxClick) OnListBoxClick(this);
}

void TskSkinCustomListBox::ListBoxDblClick() {
  if (OnListBoxDblClick) OnListBoxDblClick(this);
}

void TskSkinCustomListBox::ListBoxKeyDown(WORD& Key, TShiftState Shift) {
  if (OnListBoxKeyDown) OnListBoxKeyDown(this, Key, Shift);
}

void TskSkinCustomListBox::ListBoxKeyUp(WORD& Key, TShiftState Shift) {
  if (OnListBoxKeyUp) OnListBoxKeyUp(this, Key, Shift);
}

void TskSkinCustomListBox::ListBoxKeyPress(char& Key) {
  if (OnListBoxKeyPress) OnListBoxKeyPress(this, Key);
}

void TskSkinCustomListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      TskSkinCustomControl::Dispatch(Message);
      CalcRects();
      UpDateScrollBar();
      if (FItemScrollBar) FItemScrollBar->Invalidate();
      return;
    case WM_TIMER:
      TskSkinCustomControl::Dispatch(Message);
      TimerTick(Message.WParam);
      return;
    case CM_TEXTCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      if (FCaptionMode) Invalidate();
      return;
    case CM_MOUSEENTER:
      TskSkinCustomControl::Dispatch(Message);
      if (FCaptionMode) TestActive(-1, -1);
      return;
    case CM_MOUSELEAVE:
      TskSkinCustomControl::Dispatch(Message);
      if (FCaptionMode) {
        for (TskCaptionButton& button : FCaptionButtons) button.Hot = false;
        FHotButton = -1;
        Invalidate();
      }
      return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

}  // namespace skin
