// Plain stand-ins for the skinned combo box and list box.
//
// Classes in this file: TskSkinCustomComboBox, TskSkinComboBox, TskSkinCustomListBox, TskSkinListBox.
#pragma once

#include "platform/classlib/StdCtrls.h"

namespace skin {

// A combo box whose OnChange reports every change of Text: the user's choice, SetItemIndex from the
// program or a new Text; setting the same text again reports nothing. SetItemIndex also fires OnClick
// and then the virtual Change, as a choice in the list does.
class TskSkinCustomComboBox : public classlib::TComboBox {
public:
  explicit TskSkinCustomComboBox(classlib::TComponent* AOwner);

  classlib::TStrings& GetItems() { return Items(); }
  // A valid index selects its line and takes its text; an invalid one selects none and leaves Text.
  // Outside loading it fires OnClick (when assigned), then Change.
  void SetItemIndex(int Value) override;

  void Dispatch(classlib::TMessage& Message) override;

protected:
  // A hook for derived boxes; this class does nothing in it (OnChange follows Text instead).
  void Change() override;
  void TextChanged() override;
  void Loaded() override;

private:
  // Fires OnChange when Text differs from the text last reported.
  void NoteText();

  classlib::String FReportedText;
};

class TskSkinComboBox : public TskSkinCustomComboBox {
public:
  explicit TskSkinComboBox(classlib::TComponent* AOwner);
};

// A list box whose lines are a string list of the class library.
class TskSkinCustomListBox : public classlib::TListBox {
public:
  explicit TskSkinCustomListBox(classlib::TComponent* AOwner);

  classlib::TStrings& GetItems() { return Items(); }
};

class TskSkinListBox : public TskSkinCustomListBox {
public:
  explicit TskSkinListBox(classlib::TComponent* AOwner);
};

}  // namespace skin
