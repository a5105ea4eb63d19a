#include "skin/shell/SkinFileCtrl.h"

#include "platform/classlib/Exception.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/SkinDriveDirFileLists.h"

#include <winnetwk.h>

namespace skin {

using namespace classlib;

namespace {

constexpr DWORD kNameBuffer = MAX_PATH + 1;

// "C:" of "C:\dir", "\\server\share" of "\\server\share\dir", else empty.
String ExtractFileDrive(const String& Path) {
  if (Path.size() >= 2 && Path[1] == ':') return Path.substr(0, 2);
  if (Path.rfind("\\\\", 0) != 0) return "";
  const size_t server = Path.find('\\', 2);
  if (server == String::npos) return Path;
  const size_t share = Path.find('\\', server + 1);
  return share == String::npos ? Path : Path.substr(0, share);
}

void ChangeDirectory(const String& Directory) {
  if (SetCurrentDirectoryW(ToWide(Directory).c_str())) return;
  const DWORD error = GetLastError();
  throw EInOutError("I/O error " + IntToStr(static_cast<int>(error)), error);
}

bool IsLowerLetter(char DriveChar) { return DriveChar >= 'a'; }

String InDriveCase(const String& Text, char DriveChar) {
  return IsLowerLetter(DriveChar) ? AnsiLowerCase(Text) : AnsiUpperCase(Text);
}

// Puts the process's current folder back when the steps that changed it end, however they end.
class TCurrentDirectoryKeeper {
public:
  explicit TCurrentDirectoryKeeper(String Saved) : FSaved(std::move(Saved)) {}
  ~TCurrentDirectoryKeeper() {
    if (skin::DirectoryExists(FSaved)) SetCurrentDirectoryW(ToWide(FSaved).c_str());
  }
  TCurrentDirectoryKeeper(const TCurrentDirectoryKeeper&) = delete;
  TCurrentDirectoryKeeper& operator=(const TCurrentDirectoryKeeper&) = delete;

private:
  String FSaved;
};

}  // namespace

bool DirectoryExists(const String& Path) {
  const DWORD attributes = GetFileAttributesW(ToWide(Path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const String& Path) {
  String path = Path;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  // Only an empty path or a bare drive is there by definition: a short relative name is made.
  const bool bareDrive = path.size() == 2 && path[1] == ':';
  if (path.empty() || bareDrive || skin::DirectoryExists(path)) return true;
  const String parent = ExtractFilePath(path);
  if (parent == path) return true;
  if (!skin::ForceDirectories(parent)) return false;
  return CreateDirectoryW(ToWide(path).c_str(), nullptr) != FALSE;
}

String JoinPath(const String& Directory, const String& Name) {
  // An empty folder is the current one: a "\" in front would make the name rooted.
  if (Directory.empty()) return Name;
  return Directory.back() == '\\' ? Directory + Name : Directory + "\\" + Name;
}

void CutFirstFolder(String& Directory) {
  if (Directory == "\\") {
    Directory.clear();
    return;
  }
  const bool rooted = !Directory.empty() && Directory.front() == '\\';
  if (rooted) Directory.erase(0, 1);
  // Only the mark of an earlier cut goes, not a folder whose name starts with a dot.
  if (Directory.rfind("...\\", 0) == 0) Directory.erase(0, 4);
  const size_t slash = Directory.find('\\');
  Directory = slash == String::npos ? String() : "...\\" + Directory.substr(slash + 1);
  if (rooted) Directory.insert(0, "\\");
}

String MinimizeName(const String& FileName, TCanvas& Canvas, int MaxWidth) {
  String result = FileName;
  String dir = ExtractFilePath(FileName);
  const String name = ExtractFileName(FileName);
  String drive;
  if (dir.size() >= 2 && dir[1] == ':') {
    drive = dir.substr(0, 2);
    dir.erase(0, 2);
  }
  while ((!dir.empty() || !drive.empty()) && Canvas.TextWidth(result) > MaxWidth) {
    if (dir == "\\...\\") {
      drive.clear();
      dir = "...\\";
    } else if (dir.empty()) {
      drive.clear();
    } else {
      CutFirstFolder(dir);
    }
    result = drive + dir + name;
  }
  return result;
}

void ProcessPath(const String& EditText, char& Drive, String& DirPart, String& FilePart) {
  const String saveDir = GetCurrentDir();
  Drive = saveDir.empty() ? '\0' : saveDir[0];
  DirPart = EditText;
  String root;
  if (DirPart.size() >= 2 && DirPart.front() == '[' && DirPart.back() == ']') {
    DirPart = DirPart.substr(1, DirPart.size() - 2);
  } else {
    root = ExtractFileDrive(DirPart);
    if (root.empty())
      root = ExtractFileDrive(saveDir);
    else
      DirPart.erase(0, root.size());
    Drive = root.size() >= 2 && root[1] == ':' ? root[0] : '\0';
  }

  const TCurrentDirectoryKeeper keeper(saveDir);
  if (skin::DirectoryExists(root)) ChangeDirectory(root);
  FilePart = ExtractFileName(DirPart);
  if (DirPart.size() == FilePart.size() + 1) {
    DirPart = "\\";
  } else if (DirPart.size() > FilePart.size()) {
    DirPart.erase(DirPart.size() - FilePart.size() - 1);
  } else {
    const String current = GetCurrentDir();
    DirPart = current.substr(ExtractFileDrive(current).size());
    if (DirPart.empty()) DirPart = "\\";
  }
  if (!DirPart.empty()) ChangeDirectory(DirPart);
  if (!FilePart.empty() && FilePart.find_first_of("*?") == String::npos && !FileExists(FilePart)) {
    ChangeDirectory(FilePart);
    DirPart = DirPart.size() == 1 ? "\\" + FilePart : DirPart + "\\" + FilePart;
    FilePart.clear();
  }
  if (Drive == '\0') DirPart = root + DirPart;
}

String GetVolumeCaption(char DriveChar) {
  const WCHAR root[] = {static_cast<WCHAR>(static_cast<unsigned char>(DriveChar)), L':', L'\\', 0};
  WCHAR label[kNameBuffer] = {};
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  if (!GetVolumeInformationW(root, label, kNameBuffer, nullptr, nullptr, nullptr, nullptr, 0)) label[0] = 0;
  SetErrorMode(oldMode);
  return "[" + InDriveCase(FromWide(label), DriveChar) + "]";
}

String GetNetworkCaption(char DriveChar) {
  const char upper = DriveChar >= 'a' && DriveChar <= 'z' ? static_cast<char>(DriveChar - 'a' + 'A') : DriveChar;
  const WCHAR local[] = {static_cast<WCHAR>(static_cast<unsigned char>(upper)), L':', 0};
  WCHAR remote[kNameBuffer] = {};
  DWORD length = kNameBuffer;
  if (WNetGetConnectionW(local, remote, &length) != NO_ERROR) return GetVolumeCaption(DriveChar);
  return InDriveCase(FromWide(remote), DriveChar);
}

// ---------------------------------------------------------------------------------------------
// TskSkinFilterComboBox

const char* const TskSkinFilterComboBox::DefaultFilter = "All files (*.*)|*.*";

TskSkinFilterComboBox::TskSkinFilterComboBox(TComponent* AOwner) : TskSkinComboBox(AOwner), FFilter(DefaultFilter) {}

bool TskSkinFilterComboBox::IsFilterStored() const { return FFilter != DefaultFilter; }

void TskSkinFilterComboBox::SetFilter(const String& Value) {
  if (AnsiCompareText(Value, FFilter) == 0) return;
  FFilter = Value;
  if (HandleAllocated()) BuildList();
  Change();
}

void TskSkinFilterComboBox::CreateWnd() {
  TskSkinComboBox::CreateWnd();
  BuildList();
}

void TskSkinFilterComboBox::BuildList() {
  Items().Clear();
  FMasks.Clear();
  String work = FFilter;
  for (size_t bar = work.find('|'); bar != String::npos; bar = work.find('|')) {
    const String description = work.substr(0, bar);
    work.erase(0, bar + 1);
    String mask;
    const size_t next = work.find('|');
    if (next != String::npos) {
      mask = work.substr(0, next);
      work.erase(0, next + 1);
    } else {
      mask = work;
      work.clear();
    }
    Items().Add(description);
    FMasks.Add(mask);
  }
  SetItemIndex(0);
}

String TskSkinFilterComboBox::GetMask() {
  const int count = Items().Count();
  if (ItemIndex() < 0 && count > 0) SetItemIndex(count - 1);
  const int index = ItemIndex();
  // Items changed behind the list's back have no mask of their own.
  if (index < 0 || index >= FMasks.Count()) return "*.*";
  return FMasks[index];
}

void TskSkinFilterComboBox::SetFileListBox(TskSkinFileListBox* Value) {
  if (Value == FFileList) return;
  if (FFileList) {
    FFileList->FFilterCombo = nullptr;
    FFileList->RemoveFreeNotification(this);
  }
  FFileList = Value;
  if (FFileList) {
    FFileList->FFilterCombo = this;
    FFileList->FreeNotification(this);
  }
}

void TskSkinFilterComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinComboBox::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FFileList) FFileList = nullptr;
}

void TskSkinFilterComboBox::Change() {
  if (FFileList) FFileList->SetMask(GetMask());
  TskSkinComboBox::Change();
}

void TskSkinFilterComboBox::Click() {
  TskSkinComboBox::Click();
  Change();
}

}  // namespace skin
