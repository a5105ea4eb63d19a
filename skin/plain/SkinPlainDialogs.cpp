#include "skin/plain/SkinPlainDialogs.h"

#include "platform/classlib/SysUtils.h"

namespace skin {

using namespace classlib;

// ---------------------------------------------------------------------------------------------
// TskSkinOpenDialog

TskSkinOpenDialog::TskSkinOpenDialog(TComponent* AOwner) : TskSkinOpenDialog(AOwner, false) {}

TskSkinOpenDialog::TskSkinOpenDialog(TComponent* AOwner, bool SaveMode) : TOpenDialog(AOwner), FSaveMode(SaveMode) {
  SetTitle(SaveMode ? "Save file" : "Open file");
  SetFilter("All files|*.*");
}

bool TskSkinOpenDialog::Execute() {
  TOpenOptions options = Options();
  // The program opens its work files by bare name in the current directory: it must stay put.
  options.Include(TOpenOption::ofNoChangeDir);
  if (FMultiSelection)
    options.Include(TOpenOption::ofAllowMultiSelect);
  else
    options.Exclude(TOpenOption::ofAllowMultiSelect);
  if (FCheckFileExists && !FSaveMode)
    options.Include(TOpenOption::ofFileMustExist);
  else
    options.Exclude(TOpenOption::ofFileMustExist);
  SetOptions(options);
  return TOpenDialog::Execute();
}

// ---------------------------------------------------------------------------------------------
// TskSkinSaveDialog

TskSkinSaveDialog::TskSkinSaveDialog(TComponent* AOwner) : TskSkinOpenDialog(AOwner, true) {}

bool TskSkinSaveDialog::Execute() {
  if (!TskSkinOpenDialog::Execute()) return false;
  SetFileName(SavedFileName(Filter(), FilterIndex(), FileName()));
  return true;
}

bool TskSkinSaveDialog::RunDialog(OPENFILENAMEW& Info) { return GetSaveFileNameW(&Info) != FALSE; }

String SavedFileName(const String& Filter, int FilterIndex, const String& FileName) {
  const std::vector<TFileFilter> entries = ParseFilter(Filter);
  if (FilterIndex < 1 || FilterIndex > static_cast<int>(entries.size())) return FileName;
  const String& mask = entries[static_cast<size_t>(FilterIndex - 1)].Mask;
  if (mask.find(".*") != String::npos) return FileName;
  const size_t dot = mask.rfind('.');
  const String extension = dot == String::npos ? String() : mask.substr(dot);
  if (AnsiLowerCase(extension) == AnsiLowerCase(ExtractFileExt(FileName))) return FileName;
  return FileName + extension;
}

}  // namespace skin
