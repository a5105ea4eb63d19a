#include "skin/controls/SkinGroups.h"

#include "skin/controls/SkinViewHelpers.h"

#include <algorithm>

namespace skin {

using namespace classlib;

// ---------------------------------------------------------------------------------------------
// TskGroupButton

TskGroupButton::TskGroupButton(TskSkinButtonGroup* Group, bool Radio) : TskSkinCheckRadioBox(Group), FGroup(Group) {
  SetFlat(true);
  if (Radio) {
    SetDefaultWidth(0);
    SetDefaultHeight(0);
  }
  FGroup->FButtonList.push_back(this);
  SetVisible(false);
  SetEnabled(FGroup->Enabled());
  SetShowHint(false);
  OnClick = [this](TObject*) { FGroup->ButtonClick(*this); };
  SetParent(FGroup);
  SetRadio(Radio);
  SetCanFocused(true);
  SetSkinDataName(Radio ? "radiobox" : "checkbox");
  // The group's radio buttons uncheck each other.
  if (Radio) SetGroupIndex(1);
}

TskGroupButton::~TskGroupButton() {
  auto& list = FGroup->FButtonList;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TskGroupButton::KeyPress(char& Key) {
  TskSkinCheckRadioBox::KeyPress(Key);
  FGroup->KeyPress(Key);
  if ((Key == 8 || Key == ' ') && !FGroup->CanModify()) Key = 0;
}

void TskGroupButton::Dispatch(TMessage& Message) {
  if (Message.Msg != CN_COMMAND) return TskSkinCheckRadioBox::Dispatch(Message);
  // A click that comes back while the first is still being handled is dropped.
  if (FClickGuard) return;
  TFlagScope guard(FClickGuard);
  const WORD code = HIWORD(Message.WParam);
  if ((code != BN_CLICKED && code != BN_DOUBLECLICKED) || !FGroup->CanModify()) return;
  try {
    TskSkinCheckRadioBox::Dispatch(Message);
  } catch (...) {
    if (TControl::ExceptionHook) TControl::ExceptionHook(std::current_exception());
  }
}

void TskGroupButton::KeyDown(WORD& Key, TShiftState Shift) {
  TskSkinCheckRadioBox::KeyDown(Key, Shift);
  FGroup->KeyDown(Key, Shift);
}

// ---------------------------------------------------------------------------------------------
// TskSkinButtonGroup

TskSkinButtonGroup::TskSkinButtonGroup(TComponent* AOwner)
    : TskSkinGroupBox(AOwner), FItems(std::make_unique<TStringList>()), FButtonDefaultFont(std::make_unique<TFont>()) {
  FButtonDefaultFont->SetName("Arial");
  FButtonDefaultFont->SetHeight(14);
  FItems->OnChange = [this](TObject*) { ItemsChange(); };
}

TskSkinButtonGroup::~TskSkinButtonGroup() {
  SetButtonCount(0);
  FItems->OnChange = nullptr;
}

void TskSkinButtonGroup::SetColumns(int Value) {
  Value = std::clamp(Value, 1, 16);
  if (Value == FColumns) return;
  FColumns = Value;
  ArrangeButtons();
  Invalidate();
}

void TskSkinButtonGroup::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  for (TskGroupButton* b : FButtonList) b->SetImages(Value);
}

void TskSkinButtonGroup::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinGroupBox::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FImages) SetImages(nullptr);
}

void TskSkinButtonGroup::SetButtonSkinDataName(const String& Value) {
  FButtonSkinDataName = Value;
  for (TskGroupButton* b : FButtonList) b->SetSkinDataName(Value);
}

void TskSkinButtonGroup::SetButtonDefaultFont(const TFont& Value) {
  FButtonDefaultFont->Assign(Value);
  for (TskGroupButton* b : FButtonList) b->SetDefaultFont(*FButtonDefaultFont);
}

void TskSkinButtonGroup::SetSkinData(TskSkinData* Value) {
  TskSkinGroupBox::SetSkinData(Value);
  for (TskGroupButton* b : FButtonList) b->SetSkinData(Value);
}

void TskSkinButtonGroup::ChangeSkinData() {
  TskSkinGroupBox::ChangeSkinData();
  ArrangeButtons();
}

void TskSkinButtonGroup::EnabledChanged() {
  TskSkinGroupBox::EnabledChanged();
  for (TskGroupButton* b : FButtonList) b->SetEnabled(Enabled());
}

void TskSkinButtonGroup::FontChanged() {
  TskSkinGroupBox::FontChanged();
  ArrangeButtons();
}

void TskSkinButtonGroup::Resize() {
  TskSkinGroupBox::Resize();
  ArrangeButtons();
}

void TskSkinButtonGroup::Loaded() {
  TskSkinGroupBox::Loaded();
  UpdateButtons();
}

int TskSkinButtonGroup::IndexOfButton(const TskGroupButton& Button) const {
  const auto it = std::find(FButtonList.begin(), FButtonList.end(), &Button);
  return it == FButtonList.end() ? -1 : static_cast<int>(it - FButtonList.begin());
}

void TskSkinButtonGroup::SetButtonCount(int Count) {
  while (ButtonCount() < Count) NewButton();
  // Each button leaves the list as it is freed.
  while (ButtonCount() > Count) delete FButtonList.back();
  for (int i = 0; i < ButtonCount(); ++i) {
    TskGroupButton& b = Buttons(i);
    b.SetImageIndex(i);
    b.SetSkinData(FSkinData);
    b.SetSkinDataName(FButtonSkinDataName);
    b.SetDefaultFont(*FButtonDefaultFont);
    b.SetUseSkinFont(FUseSkinFont);
  }
}

void TskSkinButtonGroup::ItemsChange() {
  if (!StreamingIn()) UpdateButtons();
}

void TskSkinButtonGroup::UpdateButtons() {
  SetButtonCount(FItems->Count());
  for (int i = 0; i < ButtonCount(); ++i) Buttons(i).SetCaption(FItems->Strings(i));
  ArrangeButtons();
  Invalidate();
}

void TskSkinButtonGroup::ArrangeButtons() {
  if (FButtonList.empty() || StreamingIn()) return;
  TRect r = Rect(0, 0, Width(), Height());
  AdjustClientRect(r);
  const int count = ButtonCount();
  const int perColumn = (count + FColumns - 1) / FColumns;
  const int bw = (r.right - r.left) / FColumns - 2;
  const int bh = (r.bottom - r.top) / perColumn;
  // One batch of moves, so that the buttons are repainted once in their new places; ended on every
  // way out of the loop.
  struct TBatch {
    HDWP Handle;
    ~TBatch() {
      if (Handle) EndDeferWindowPos(Handle);
    }
  } batch{HandleAllocated() ? BeginDeferWindowPos(count) : nullptr};
  for (int i = 0; i < count; ++i) {
    TskGroupButton& b = Buttons(i);
    b.SetBiDiMode(BiDiMode());
    int left = (i / perColumn) * bw + r.left + 1;
    // Right to left, the first column stands at the right.
    if (b.UseRightToLeftAlignment()) left = (r.right - r.left) - left - bw;
    const int top = (i % perColumn) * bh + r.top;
    if (batch.Handle)
      batch.Handle = DeferWindowPos(batch.Handle, b.Handle(), nullptr, left, top, bw, bh, SWP_NOZORDER | SWP_NOACTIVATE);
    else
      b.SetBounds(left, top, bw, bh);
    b.SetVisible(true);
  }
}

// ---------------------------------------------------------------------------------------------
// TskSkinCustomRadioGroup

TskSkinCustomRadioGroup::TskSkinCustomRadioGroup(TComponent* AOwner) : TskSkinButtonGroup(AOwner) {
  FButtonSkinDataName = "radiobox";
}

TskGroupButton* TskSkinCustomRadioGroup::NewButton() { return new TskGroupButton(this, true); }

void TskSkinCustomRadioGroup::SetItemIndex(int Value) {
  if (StreamingIn()) {
    FItemIndex = Value;
    return;
  }
  Value = std::clamp(Value, -1, ButtonCount() - 1);
  if (Value == FItemIndex) return;
  if (FItemIndex >= 0) Buttons(FItemIndex).SetChecked(false);
  FItemIndex = Value;
  if (FItemIndex >= 0) Buttons(FItemIndex).SetChecked(true);
}

void TskSkinCustomRadioGroup::ItemsChange() {
  if (StreamingIn()) return;
  if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
  UpdateButtons();
}

void TskSkinCustomRadioGroup::Loaded() {
  // A stored index past the stored lines names no button.
  if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
  FItemIndex = std::max(-1, FItemIndex);
  TskSkinButtonGroup::Loaded();
}

void TskSkinCustomRadioGroup::UpdateButtons() {
  SetButtonCount(FItems->Count());
  for (int i = 0; i < ButtonCount(); ++i) Buttons(i).SetCaption(FItems->Strings(i));
  if (FItemIndex >= 0 && FItemIndex < ButtonCount()) {
    FCheckingItem = true;
    Buttons(FItemIndex).SetChecked(true);
    FCheckingItem = false;
  }
  ArrangeButtons();
  Invalidate();
}

void TskSkinCustomRadioGroup::ButtonClick(TskGroupButton& Button) {
  if (FCheckingItem) return;
  FItemIndex = IndexOfButton(Button);
  Click();
}

// ---------------------------------------------------------------------------------------------
// TskSkinCustomCheckGroup

TskSkinCustomCheckGroup::TskSkinCustomCheckGroup(TComponent* AOwner) : TskSkinButtonGroup(AOwner) {
  FButtonSkinDataName = "checkbox";
}

TskGroupButton* TskSkinCustomCheckGroup::NewButton() { return new TskCheckGroupButton(this); }

bool TskSkinCustomCheckGroup::GetCheckedStatus(int Index) const {
  return Index >= 0 && Index < ButtonCount() && Buttons(Index).Checked();
}

void TskSkinCustomCheckGroup::SetCheckedStatus(int Index, bool Value) {
  if (Index >= 0 && Index < ButtonCount()) Buttons(Index).SetChecked(Value);
}

void TskSkinCustomCheckGroup::ButtonClick(TskGroupButton& Button) {
  FItemIndex = IndexOfButton(Button);
  Click();
}

}  // namespace skin
