// The system rich edit ("RichEdit20W" of riched20): a memo whose text may carry formatting.
//
// Classes in this file: TCustomRichEdit, TRichEdit.
#pragma once

#include "platform/classlib/StdCtrls.h"

namespace classlib {

class TCustomRichEdit : public TMemo {
public:
  explicit TCustomRichEdit(TComponent* AOwner);

  // After the user moved the caret or the selection.
  TNotifyEvent OnSelectionChange;

  // Plain text takes one format for the whole text; it can only change while the text is empty.
  bool PlainText() const { return FPlainText; }
  void SetPlainText(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  // The most characters the text may hold; 0 for the system's limit.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void ColorChanged() override;
  void FontChanged() override;
  virtual void SelectionChange();

private:
  void WriteColors();

  bool FPlainText = false;
  bool FHideSelection = true;
  int FMaxLength = 0;
};

class TRichEdit : public TCustomRichEdit {
public:
  using TCustomRichEdit::TCustomRichEdit;
};

// Registers the rich edit with the form reader.
void RegisterRichEdit(TClassRegistry& Registry);

}  // namespace classlib
