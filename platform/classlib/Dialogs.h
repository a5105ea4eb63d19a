// The system's file dialogs as components.
//
// Classes in this file: TOpenDialog, TSaveDialog.
#pragma once

#include "platform/classlib/Strings.h"
#include "platform/classlib/WideText.h"

#include <commdlg.h>

#include <memory>
#include <utility>
#include <vector>

namespace classlib {

class TClassRegistry;

enum class TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofAllowMultiSelect, ofPathMustExist,
  ofFileMustExist, ofCreatePrompt, ofNoReadOnlyReturn, ofNoDereferenceLinks, ofEnableSizing
};
using TOpenOptions = Set<TOpenOption>;

// One entry of a dialog's filter: what the list shows and the masks it stands for ("*.bmp;*.jpg").
struct TFileFilter {
  String Description;
  String Mask;
};

// "Text files|*.txt|All|*.*" as its entries. A description without a mask after it is dropped.
std::vector<TFileFilter> ParseFilter(const String& Filter);

// What a file dialog hands back in its buffer: one full path, or (after a multiple selection) the
// folder followed by the names chosen in it, each ended by a NUL and the whole by a second NUL.
// Returns the full paths in the order given.
std::vector<String> ParseSelectedFiles(const WideString& Buffer);

// The open dialog. Execute shows it modally; on OK, FileName is the first chosen file, Files every
// chosen file (full paths, in order) and FilterIndex (from 1) the filter the user left selected.
class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* AOwner);

  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  const String& Filter() const { return FFilter; }
  void SetFilter(const String& Value) { FFilter = Value; }
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  TStrings& Files() { return *FFiles; }
  const String& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& Value) { FInitialDir = Value; }
  // The extension (without the dot) added to a name typed without one.
  const String& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }

  // True when the user confirmed a choice.
  virtual bool Execute();

protected:
  // Shows the system dialog described by Info.
  virtual bool RunDialog(OPENFILENAMEW& Info);

private:
  String FTitle;
  String FFilter;
  int FFilterIndex = 1;
  String FFileName;
  std::unique_ptr<TStringList> FFiles;
  String FInitialDir;
  String FDefaultExt;
  TOpenOptions FOptions{TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

protected:
  bool RunDialog(OPENFILENAMEW& Info) override;
};

// Registers the classes of this unit with the form reader.
void RegisterDialogs(TClassRegistry& Registry);

}  // namespace classlib
