#include "skin/plain/SkinPlainBoxes.h"

#include "platform/classlib/WideText.h"

namespace skin {

using namespace classlib;

namespace {

bool IsLoadingOrDesigning(const TComponent& Component) {
  const TComponentState state = Component.ComponentState();
  return state.Contains(TComponentStateItem::csLoading) || state.Contains(TComponentStateItem::csDesigning);
}

String EditText(HWND Window) {
  const int length = GetWindowTextLengthW(Window);
  WideString text(static_cast<size_t>(length) + 1, 0);
  const int copied = GetWindowTextW(Window, text.data(), length + 1);
  return FromWide(text.data(), copied);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskSkinCustomComboBox

TskSkinCustomComboBox::TskSkinCustomComboBox(TComponent* AOwner) : TComboBox(AOwner) {}

void TskSkinCustomComboBox::SetItemIndex(int Value) {
  if (IsLoadingOrDesigning(*this)) {
    TComboBox::SetItemIndex(Value);
    return;
  }
  const String previous = FText;
  TComboBox::SetItemIndex(Value);
  // The class library empties Text for an index it cannot select; the list keeps its text then.
  if (Value < 0 || Value >= Items().Count()) {
    FText = previous;
    if (FHandle && Style() == TComboBoxStyle::csDropDown) SetWindowTextW(FHandle, ToWide(FText).c_str());
  }
  NoteText();
  if (OnClick) OnClick(this);
  Change();
}

// Deliberately no OnChange here: OnChange follows the text (NoteText), not the selection.
void TskSkinCustomComboBox::Change() {}

void TskSkinCustomComboBox::TextChanged() {
  TComboBox::TextChanged();
  NoteText();
}

void TskSkinCustomComboBox::Loaded() {
  TComboBox::Loaded();
  FReportedText = FText;
}

// OnChange reports a text that differs from the one reported last; while loading it only takes note.
void TskSkinCustomComboBox::NoteText() {
  if (FText == FReportedText) return;
  FReportedText = FText;
  if (!IsLoadingOrDesigning(*this) && OnChange) OnChange(this);
}

void TskSkinCustomComboBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    switch (HIWORD(Message.WParam)) {
      case CBN_SELCHANGE:
        // A choice in the list is a selection as the program makes it.
        SetItemIndex(ItemIndex());
        return;
      case CBN_EDITCHANGE:
        FText = EditText(FHandle);
        NoteText();
        return;
    }
  }
  TComboBox::Dispatch(Message);
}

TskSkinComboBox::TskSkinComboBox(TComponent* AOwner) : TskSkinCustomComboBox(AOwner) {}

// ---------------------------------------------------------------------------------------------
// TskSkinCustomListBox

TskSkinCustomListBox::TskSkinCustomListBox(TComponent* AOwner) : TListBox(AOwner) {}

TskSkinListBox::TskSkinListBox(TComponent* AOwner) : TskSkinCustomListBox(AOwner) {}

}  // namespace skin
