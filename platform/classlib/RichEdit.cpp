#include "platform/classlib/RichEdit.h"

#include "platform/classlib/ClassRegistry.h"

#include <richedit.h>

namespace classlib {

namespace {

// The window class lives in riched20, which nothing else loads; it stays loaded for the program.
void LoadRichEditLibrary() {
  static const HMODULE library = LoadLibraryW(L"riched20.dll");
  if (!library) throw EComponentError("Cannot load the rich edit library");
}

}  // namespace

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner) : TMemo(AOwner) {}

void TCustomRichEdit::CreateParams(TCreateParams& Params) {
  TMemo::CreateParams(Params);
  LoadRichEditLibrary();
  Params.SystemClass = "RichEdit20W";
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
}

void TCustomRichEdit::CreateHandleDone() {
  // The text mode must be set while the window is still empty.
  if (FPlainText) SendMessageW(FHandle, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  TMemo::CreateHandleDone();
  SendMessageW(FHandle, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
  if (FMaxLength > 0) SendMessageW(FHandle, EM_EXLIMITTEXT, 0, FMaxLength);
  WriteColors();
}

void TCustomRichEdit::SetPlainText(bool Value) {
  if (Value == FPlainText) return;
  FPlainText = Value;
  if (FHandle)
    SendMessageW(FHandle, EM_SETTEXTMODE, (Value ? TM_PLAINTEXT : TM_RICHTEXT) | TM_MULTILEVELUNDO, 0);
}

void TCustomRichEdit::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  if (FHandle) SendMessageW(FHandle, EM_HIDESELECTION, Value, 0);
}

void TCustomRichEdit::SetMaxLength(int Value) {
  FMaxLength = Value < 0 ? 0 : Value;
  // 0 asks the window for its own default limit.
  if (FHandle) SendMessageW(FHandle, EM_EXLIMITTEXT, 0, FMaxLength);
}

void TCustomRichEdit::WriteColors() {
  if (!FHandle) return;
  SendMessageW(FHandle, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  // The window keeps colours with the characters: the whole text and what is typed next.
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_COLOR;
  format.crTextColor = ColorToRGB(Font().Color());
  SendMessageW(FHandle, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageW(FHandle, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void TCustomRichEdit::ColorChanged() {
  TMemo::ColorChanged();
  WriteColors();
}

void TCustomRichEdit::FontChanged() {
  TMemo::FontChanged();
  WriteColors();
}

void TCustomRichEdit::SelectionChange() {
  if (OnSelectionChange) OnSelectionChange(this);
}

void TCustomRichEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY && reinterpret_cast<const NMHDR*>(Message.LParam)->code == EN_SELCHANGE) {
    SelectionChange();
    return;
  }
  TMemo::Dispatch(Message);
}

void RegisterRichEdit(TClassRegistry& Registry) {
  Registry.Register<TCustomRichEdit>("TCustomRichEdit", "TMemo")
      .Boolean("PlainText", &TCustomRichEdit::SetPlainText)
      .Boolean("HideSelection", &TCustomRichEdit::SetHideSelection)
      .Integer("MaxLength", &TCustomRichEdit::SetMaxLength)
      .Event("OnSelectionChange", &TCustomRichEdit::OnSelectionChange);
  Registry.Register<TRichEdit>("TRichEdit", "TCustomRichEdit");
}

}  // namespace classlib
