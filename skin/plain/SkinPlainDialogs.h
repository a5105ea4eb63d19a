// Plain stand-ins for the skinned open and save dialogs, over the system's file dialogs.
//
// Classes in this file: TskSkinOpenDialog, TskSkinSaveDialog.
#pragma once

#include "platform/classlib/Dialogs.h"

namespace skin {

// The open dialog. Execute shows it with Title, Filter, FilterIndex, MultiSelection and
// CheckFileExists; on OK, FileName is the chosen file and Files every chosen file (full paths, in
// order). The dialog never changes the current directory: the program opens its work files there.
class TskSkinOpenDialog : public classlib::TOpenDialog {
public:
  explicit TskSkinOpenDialog(classlib::TComponent* AOwner);

  bool MultiSelection() const { return FMultiSelection; }
  void SetMultiSelection(bool Value) { FMultiSelection = Value; }
  // In the open dialog only: the chosen file must exist.
  bool CheckFileExists() const { return FCheckFileExists; }
  void SetCheckFileExists(bool Value) { FCheckFileExists = Value; }

  bool Execute() override;

protected:
  TskSkinOpenDialog(classlib::TComponent* AOwner, bool SaveMode);
  bool SaveMode() const { return FSaveMode; }

private:
  bool FSaveMode = false;
  bool FMultiSelection = false;
  bool FCheckFileExists = true;
};

// The save dialog. After OK, a name whose extension differs from that of the selected filter's mask
// gets the mask's extension appended (SavedFileName).
class TskSkinSaveDialog : public TskSkinOpenDialog {
public:
  explicit TskSkinSaveDialog(classlib::TComponent* AOwner);

  bool Execute() override;

protected:
  bool RunDialog(OPENFILENAMEW& Info) override;
};

// The name the save dialog hands back for FileName typed with the filter entry FilterIndex (from 1)
// of Filter selected: when that entry's mask holds no ".*", the mask's extension (from its last dot)
// is appended to FileName unless FileName already ends in it, compared without regard to case.
// An index outside the filter leaves FileName as it is.
classlib::String SavedFileName(const classlib::String& Filter, int FilterIndex, const classlib::String& FileName);

}  // namespace skin
