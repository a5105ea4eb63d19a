#include "platform/classlib/Dialogs.h"

#include "platform/classlib/ClassRegistry.h"

#include <algorithm>

namespace classlib {

namespace {

DWORD OptionFlags(TOpenOptions Options) {
  static const std::pair<TOpenOption, DWORD> flags[] = {
      {TOpenOption::ofReadOnly, OFN_READONLY},
      {TOpenOption::ofOverwritePrompt, OFN_OVERWRITEPROMPT},
      {TOpenOption::ofHideReadOnly, OFN_HIDEREADONLY},
      {TOpenOption::ofNoChangeDir, OFN_NOCHANGEDIR},
      {TOpenOption::ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
      {TOpenOption::ofPathMustExist, OFN_PATHMUSTEXIST},
      {TOpenOption::ofFileMustExist, OFN_FILEMUSTEXIST},
      {TOpenOption::ofCreatePrompt, OFN_CREATEPROMPT},
      {TOpenOption::ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
      {TOpenOption::ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
      {TOpenOption::ofEnableSizing, OFN_ENABLESIZING},
  };
  DWORD result = 0;
  for (const auto& [option, flag] : flags)
    if (Options.Contains(option)) result |= flag;
  return result;
}

// The filter as the system takes it: description and masks, each ended by a NUL, and a NUL after all.
WideString SystemFilter(const String& Filter) {
  WideString result;
  for (const TFileFilter& entry : ParseFilter(Filter)) {
    result += ToWide(entry.Description);
    result += WCHAR(0);
    result += ToWide(entry.Mask);
    result += WCHAR(0);
  }
  if (!result.empty()) result += WCHAR(0);
  return result;
}

bool IsAbsolutePath(const String& Path) {
  return (Path.size() >= 2 && Path[1] == ':') || (Path.size() >= 2 && Path[0] == '\\' && Path[1] == '\\');
}

}  // namespace

std::vector<TFileFilter> ParseFilter(const String& Filter) {
  std::vector<String> parts;
  size_t start = 0;
  while (start < Filter.size()) {
    const size_t end = std::min(Filter.find('|', start), Filter.size());
    parts.push_back(Filter.substr(start, end - start));
    start = end + 1;
  }
  std::vector<TFileFilter> result;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) result.push_back(TFileFilter{parts[i], parts[i + 1]});
  return result;
}

std::vector<String> ParseSelectedFiles(const WideString& Buffer) {
  std::vector<String> parts;
  size_t start = 0;
  while (start < Buffer.size() && Buffer[start] != 0) {
    const size_t end = std::min(Buffer.find(WCHAR(0), start), Buffer.size());
    parts.push_back(FromWide(Buffer.data() + start, static_cast<int>(end - start)));
    start = end + 1;
  }
  if (parts.size() <= 1) return parts;
  // A folder and the names in it (a root folder already ends in a backslash).
  String folder = parts.front();
  if (folder.back() != '\\') folder += '\\';
  std::vector<String> files;
  for (size_t i = 1; i < parts.size(); ++i) files.push_back(IsAbsolutePath(parts[i]) ? parts[i] : folder + parts[i]);
  return files;
}

// ---------------------------------------------------------------------------------------------
// TOpenDialog, TSaveDialog

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner), FFiles(std::make_unique<TStringList>()) {}

bool TOpenDialog::Execute() {
  // Room for a multiple selection of many long names.
  constexpr size_t BufferLength = 65536;
  WideString buffer(BufferLength, 0);
  const WideString initialName = ToWide(FFileName);
  std::copy_n(initialName.begin(), std::min(initialName.size(), BufferLength - 2), buffer.begin());
  const WideString filter = SystemFilter(FFilter);
  const WideString title = ToWide(FTitle);
  const WideString folder = ToWide(FInitialDir);
  const WideString extension = ToWide(!FDefaultExt.empty() && FDefaultExt.front() == '.' ? FDefaultExt.substr(1) : FDefaultExt);

  OPENFILENAMEW info{};
  info.lStructSize = sizeof info;
  info.hwndOwner = GetActiveWindow();
  info.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  info.nFilterIndex = static_cast<DWORD>(std::max(FFilterIndex, 0));
  info.lpstrFile = buffer.data();
  info.nMaxFile = static_cast<DWORD>(BufferLength);
  info.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  info.lpstrTitle = title.empty() ? nullptr : title.c_str();
  info.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  info.Flags = OFN_EXPLORER | OptionFlags(FOptions);
  if (!RunDialog(info)) return false;

  // The dialog writes its answer over the proposed name and ends a single name with one NUL, so the
  // tail of a longer proposed name may follow it. Only a list (a folder and the names in it, told by
  // the NUL before the first name; a stand-in dialog that sets no offset is read as a list) runs on
  // to the double NUL.
  const bool listed =
      (info.Flags & OFN_ALLOWMULTISELECT) && (info.nFileOffset == 0 || buffer[info.nFileOffset - 1] == 0);
  if (!listed) buffer.resize(std::min(buffer.find(WCHAR(0)), buffer.size()));
  FFiles->Clear();
  for (const String& file : ParseSelectedFiles(buffer)) FFiles->Add(file);
  FFileName = FFiles->Count() > 0 ? FFiles->Strings(0) : String();
  FFilterIndex = static_cast<int>(info.nFilterIndex);
  if (info.Flags & OFN_READONLY)
    FOptions.Include(TOpenOption::ofReadOnly);
  else
    FOptions.Exclude(TOpenOption::ofReadOnly);
  return true;
}

bool TOpenDialog::RunDialog(OPENFILENAMEW& Info) { return GetOpenFileNameW(&Info) != FALSE; }

bool TSaveDialog::RunDialog(OPENFILENAMEW& Info) { return GetSaveFileNameW(&Info) != FALSE; }

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterDialogs(TClassRegistry& Registry) {
  Registry.Register<TOpenDialog>("TOpenDialog", "TComponent")
      .Text("Title", &TOpenDialog::SetTitle)
      .Text("Filter", &TOpenDialog::SetFilter)
      .Integer("FilterIndex", &TOpenDialog::SetFilterIndex)
      .Text("FileName", &TOpenDialog::SetFileName)
      .Text("InitialDir", &TOpenDialog::SetInitialDir)
      .Text("DefaultExt", &TOpenDialog::SetDefaultExt)
      .SetOf("Options", &TOpenDialog::SetOptions,
             {{"ofReadOnly", TOpenOption::ofReadOnly},
              {"ofOverwritePrompt", TOpenOption::ofOverwritePrompt},
              {"ofHideReadOnly", TOpenOption::ofHideReadOnly},
              {"ofNoChangeDir", TOpenOption::ofNoChangeDir},
              {"ofAllowMultiSelect", TOpenOption::ofAllowMultiSelect},
              {"ofPathMustExist", TOpenOption::ofPathMustExist},
              {"ofFileMustExist", TOpenOption::ofFileMustExist},
              {"ofCreatePrompt", TOpenOption::ofCreatePrompt},
              {"ofNoReadOnlyReturn", TOpenOption::ofNoReadOnlyReturn},
              {"ofNoDereferenceLinks", TOpenOption::ofNoDereferenceLinks},
              {"ofEnableSizing", TOpenOption::ofEnableSizing}});
  Registry.Register<TSaveDialog>("TSaveDialog", "TOpenDialog");
}

}  // namespace classlib
