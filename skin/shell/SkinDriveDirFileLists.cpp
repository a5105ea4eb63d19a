#include "skin/shell/SkinDriveDirFileLists.h"

#include "platform/classlib/Exception.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <set>
#include <vector>

namespace skin {

using namespace classlib;

namespace {

// "C:" of "C:\dir", "\\server\share" of "\\server\share\dir", else empty.
String DrivePart(const String& Path) {
  if (Path.size() >= 2 && Path[1] == ':') return Path.substr(0, 2);
  if (Path.rfind("\\\\", 0) != 0) return "";
  const size_t server = Path.find('\\', 2);
  if (server == String::npos) return Path;
  const size_t share = Path.find('\\', server + 1);
  return share == String::npos ? Path : Path.substr(0, share);
}

void EnterFolder(const String& Folder) {
  if (SetCurrentDirectoryW(ToWide(Folder).c_str())) return;
  const DWORD error = GetLastError();
  throw EInOutError("I/O error " + IntToStr(static_cast<int>(error)), error);
}

// Typed and relative names resolve against a list's own folder, not whichever folder another part
// of the program made current since the list last read; a folder that vanished is left alone.
void EnterOwnFolder(const String& Folder) {
  if (skin::DirectoryExists(Folder)) SetCurrentDirectoryW(ToWide(Folder).c_str());
}

char UpperLetter(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }
char LowerLetter(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }
bool SameLetter(char A, char B) { return UpperLetter(A) == UpperLetter(B); }

// Sets a flag for the life of the object, however the steps it guards end.
class TFlagScope {
public:
  explicit TFlagScope(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
};

// Holds drawing and scroll-bar updates of a list's items until the steps that fill it end.
class TItemsUpdate {
public:
  explicit TItemsUpdate(TStrings& Items) : FItems(Items) { FItems.BeginUpdate(); }
  ~TItemsUpdate() { FItems.EndUpdate(); }
  TItemsUpdate(const TItemsUpdate&) = delete;
  TItemsUpdate& operator=(const TItemsUpdate&) = delete;

private:
  TStrings& FItems;
};

// Puts the screen cursor back when a long read ends.
class TCursorRestore {
public:
  TCursorRestore() : FSaved(Screen->Cursor()) {}
  ~TCursorRestore() { Screen->SetCursor(FSaved); }
  TCursorRestore(const TCursorRestore&) = delete;
  TCursorRestore& operator=(const TCursorRestore&) = delete;

private:
  TCursor FSaved;
};

// Calls Found(name, attributes) for each entry of Pattern that the classic attribute search returns
// for Attributes: hidden, system, volume and folder entries only when Attributes asks for them.
template <class F>
void FindEntries(const String& Pattern, DWORD Attributes, F&& Found) {
  constexpr DWORD special = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 8 | FILE_ATTRIBUTE_DIRECTORY;
  const DWORD excluded = ~Attributes & special;
  WIN32_FIND_DATAW data;
  const HANDLE find = FindFirstFileW(ToWide(Pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(data.dwFileAttributes & excluded)) Found(data.cFileName, data.dwFileAttributes);
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

// A bitmap of the program's resources; empty when the program has none of that name.
std::unique_ptr<TBitmap> ResourceBitmap(const char* Name) {
  auto bitmap = std::make_unique<TBitmap>();
  const HINSTANCE module = GetModuleHandleW(nullptr);
  if (FindResourceA(module, Name, MAKEINTRESOURCEA(2))) bitmap->LoadFromResourceName(module, Name);
  bitmap->SetTransparent(true);
  return bitmap;
}

bool IsDesigning(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskSkinDriveComboBox

TskSkinDriveComboBox::TskSkinDriveComboBox(TComponent* AOwner) : TskSkinComboBox(AOwner) {
  OnChange = [this](TObject* Sender) { NewChange(Sender); };
  const auto draw = [this](TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect& TextRect,
                           TOwnerDrawState State) { DrawItem(Cnvs, Index, ItemWidth, ItemHeight, TextRect, State); };
  SetListBoxDrawItem(draw);
  OnComboBoxDrawItem = draw;
  ReadBitmaps();
  const String current = GetCurrentDir();
  // A network path has no drive letter.
  FDrive = current.empty() || current[0] == '\\' ? '\0' : current[0];
}

void TskSkinDriveComboBox::ReadBitmaps() {
  FFloppyBmp = ResourceBitmap("SK_FLOPPY");
  FFixedBmp = ResourceBitmap("SK_HARD");
  FNetworkBmp = ResourceBitmap("SK_NETWORK");
  FCDROMBmp = ResourceBitmap("SK_CDROM");
  FRAMBmp = ResourceBitmap("SK_RAM");
}

void TskSkinDriveComboBox::BuildList() {
  Items().Clear();
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    char letter = static_cast<char>('a' + i);
    const WCHAR root[] = {static_cast<WCHAR>('A' + i), L':', L'\\', 0};
    const UINT type = GetDriveTypeW(root);
    if (FTextCase == TTextCase::tcUpperCase) letter = UpperLetter(letter);
    const String drive(1, letter);
    switch (type) {
      case DRIVE_REMOVABLE:
        Items().AddObject(drive + ":", FFloppyBmp.get());
        break;
      case DRIVE_FIXED:
        Items().AddObject(Format("%s: %s", drive, GetVolumeCaption(letter)), FFixedBmp.get());
        break;
      case DRIVE_REMOTE:
        Items().AddObject(Format("%s: %s", drive, GetNetworkCaption(letter)), FNetworkBmp.get());
        break;
      case DRIVE_CDROM:
        Items().AddObject(Format("%s: %s", drive, GetVolumeCaption(letter)), FCDROMBmp.get());
        break;
      case DRIVE_RAMDISK:
        Items().AddObject(Format("%s: %s", drive, GetVolumeCaption(letter)), FRAMBmp.get());
        break;
      default:
        break;
    }
  }
}

void TskSkinDriveComboBox::SetDrive(char NewDrive) {
  if (ItemIndex() >= 0 && SameLetter(NewDrive, FDrive)) return;
  if (NewDrive != '\0') {
    FDrive = FTextCase == TTextCase::tcUpperCase ? UpperLetter(NewDrive) : LowerLetter(NewDrive);
    int found = -1;
    for (int i = 0; i < Items().Count() && found < 0; ++i) {
      const String item = Items()[i];
      if (item.size() >= 2 && SameLetter(item[0], FDrive) && item[1] == ':') found = i;
    }
    SetItemIndex(found);
  } else {
    FDrive = '\0';
    SetItemIndex(-1);
  }
  if (FDirList) FDirList->DriveChange(FDrive);
  Change();
}

void TskSkinDriveComboBox::SetTextCase(TTextCase Value) {
  FTextCase = Value;
  const char previous = FDrive;
  BuildList();
  // The rebuilt list has nothing selected, so the drive is chosen again.
  SetDrive(previous);
}

void TskSkinDriveComboBox::SetDirListBox(TskSkinDirectoryListBox* Value) {
  if (Value == FDirList) return;
  if (FDirList) {
    FDirList->FDriveCombo = nullptr;
    FDirList->RemoveFreeNotification(this);
  }
  FDirList = Value;
  if (FDirList) {
    FDirList->FDriveCombo = this;
    FDirList->FreeNotification(this);
  }
}

void TskSkinDriveComboBox::NewChange(TObject*) {
  const int index = ItemIndex();
  if (index >= 0 && index < Items().Count() && !Items()[index].empty()) SetDrive(Items()[index][0]);
}

void TskSkinDriveComboBox::CreateWnd() {
  TskSkinComboBox::CreateWnd();
  BuildList();
  SetDrive(FDrive);
}

void TskSkinDriveComboBox::Loaded() {
  TskSkinComboBox::Loaded();
  if (!IsDesigning(*this)) return;
  const String current = GetCurrentDir();
  FDrive = current.empty() || current[0] == '\\' ? '\0' : current[0];
  BuildList();
  SetDrive(FDrive);
}

void TskSkinDriveComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinComboBox::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FDirList) FDirList = nullptr;
}

void TskSkinDriveComboBox::DrawItem(TCanvas& Cnvs, int Index, int, int, TRect& TextRect, TOwnerDrawState) {
  if (Index < 0 || Index >= Items().Count()) return;
  auto* bitmap = dynamic_cast<TBitmap*>(Items().Objects(Index));
  int offset = 0;
  if (bitmap && !bitmap->Empty()) {
    Cnvs.Draw(TextRect.left, (TextRect.top + TextRect.bottom - bitmap->Height()) / 2, bitmap);
    offset = bitmap->Width();
  }
  Cnvs.Brush()->SetStyle(TBrushStyle::bsClear);
  Cnvs.TextOut(TextRect.left + offset + 6,
               TextRect.top + (TextRect.bottom - TextRect.top) / 2 - Cnvs.TextHeight("Wg") / 2, Items()[Index]);
}

// ---------------------------------------------------------------------------------------------
// TskSkinDirectoryListBox

TskSkinDirectoryListBox::TskSkinDirectoryListBox(TComponent* AOwner) : TskSkinListBox(AOwner) {
  OnDrawItem = [this](TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect& TextRect,
                      TOwnerDrawState State) { DrawItem(Cnvs, Index, ItemWidth, ItemHeight, TextRect, State); };
  SetWidth(145);
  SetSorted(false);
  ReadBitmaps();
  FDirectory = GetCurrentDir();
}

void TskSkinDirectoryListBox::ReadBitmaps() {
  FOpenedBmp = ResourceBitmap("SK_OPENFOLDER");
  FClosedBmp = ResourceBitmap("SK_CLOSEDFOLDER");
  FCurrentBmp = ResourceBitmap("SK_CURRENTFOLDER");
}

void TskSkinDirectoryListBox::SetFileListBox(TskSkinFileListBox* Value) {
  if (Value == FFileList) return;
  if (FFileList) {
    FFileList->FDirList = nullptr;
    FFileList->RemoveFreeNotification(this);
  }
  FFileList = Value;
  if (FFileList) {
    FFileList->FDirList = this;
    FFileList->FreeNotification(this);
  }
}

void TskSkinDirectoryListBox::SetDirLabel(TskSkinStdLabel* Value) {
  if (Value == FDirLabel) return;
  if (FDirLabel) FDirLabel->RemoveFreeNotification(this);
  FDirLabel = Value;
  if (FDirLabel) FDirLabel->FreeNotification(this);
  SetDirLabelCaption();
}

void TskSkinDirectoryListBox::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinListBox::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FFileList) FFileList = nullptr;
  if (AComponent == FDriveCombo) FDriveCombo = nullptr;
  if (AComponent == FDirLabel) FDirLabel = nullptr;
}

int TskSkinDirectoryListBox::FileCompareText(const String& A, const String& B) const {
  return FCaseSensitive ? AnsiCompareStr(A, B) : AnsiCompareText(A, B);
}

String TskSkinDirectoryListBox::DisplayCase(const String& S) const {
  return FPreserveCase || FCaseSensitive ? S : AnsiLowerCase(S);
}

int TskSkinDirectoryListBox::ReadDirectoryNames(const String& ParentDirectory, TStrings& DirectoryList) {
  int count = 0;
  FindEntries(JoinPath(ParentDirectory, "*.*"), FILE_ATTRIBUTE_DIRECTORY, [&](const WCHAR* Name, DWORD Attributes) {
    if (!(Attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    const String name = FromWide(Name);
    if (name == "." || name == "..") return;
    DirectoryList.Add(name);
    ++count;
  });
  return count;
}

void TskSkinDirectoryListBox::BuildList() {
  const TItemsUpdate update(Items());
  Items().Clear();
  const String root = DrivePart(FDirectory) + "\\";
  DWORD flags = 0;
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  if (!GetVolumeInformationW(ToWide(root).c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) flags = 0;
  SetErrorMode(oldMode);
  FPreserveCase = flags & (FILE_CASE_SENSITIVE_SEARCH | FILE_CASE_PRESERVED_NAMES);
  FCaseSensitive = flags & FILE_CASE_SENSITIVE_SEARCH;

  String rest = FDirectory;
  if (root.size() > 1 && root[1] == '\\') {
    Items().AddObject(root, FOpenedBmp.get());
    rest = FDirectory.size() > root.size() ? FDirectory.substr(root.size()) : String();
  }
  if (!rest.empty()) {
    if (rest.back() != '\\') {
      for (size_t slash = rest.find('\\'); slash != String::npos; slash = rest.find('\\')) {
        String piece = rest.substr(0, slash);
        // The list's very first piece is the drive root.
        if (Items().Count() == 0) piece += "\\";
        Items().AddObject(piece, FOpenedBmp.get());
        rest.erase(0, slash + 1);
      }
    }
    Items().AddObject(rest, FCurrentBmp.get());
  }
  const int current = Items().Count() - 1;

  TStringList names;
  names.SetSorted(true);
  ReadDirectoryNames(FDirectory, names);
  for (int i = 0; i < names.Count(); ++i) Items().AddObject(names[i], FClosedBmp.get());

  if (HandleAllocated()) {
    SetItemIndex(current);
    UpDateScrollBar();
  }
}

void TskSkinDirectoryListBox::DriveChange(char NewDrive) {
  if (SameLetter(NewDrive, GetDrive())) return;
  if (NewDrive != '\0') {
    // The combo box's lower-case letter would otherwise carry into every path the lists give.
    const WCHAR drive[] = {static_cast<WCHAR>(static_cast<unsigned char>(UpperLetter(NewDrive))), L':', 0};
    // A drive without a medium keeps the list on the folder it shows.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    if (SetCurrentDirectoryW(drive)) FDirectory = GetCurrentDir();
    SetErrorMode(oldMode);
  }
  if (!FInSetDir) {
    BuildList();
    Change();
  }
}

void TskSkinDirectoryListBox::SetDirectory(const String& NewDirectory) {
  if (NewDirectory.empty() || FileCompareText(NewDirectory, FDirectory) == 0) return;
  EnterOwnFolder(FDirectory);
  char drive = '\0';
  String dirPart, filePart;
  ProcessPath(NewDirectory, drive, dirPart, filePart);
  const TFlagScope inSetDir(FInSetDir);
  if (drive != GetDrive()) {
    if (FDriveCombo)
      FDriveCombo->SetDrive(drive);
    else
      DriveChange(drive);
  }
  SetDir(dirPart);
}

void TskSkinDirectoryListBox::SetDir(const String& NewDirectory) {
  EnterOwnFolder(FDirectory);
  EnterFolder(NewDirectory);
  FDirectory = GetCurrentDir();
  BuildList();
  Change();
}

void TskSkinDirectoryListBox::SetDrive(char Value) {
  if (!SameLetter(Value, GetDrive())) SetDirectory(Format("%s:", String(1, Value)));
}

String TskSkinDirectoryListBox::GetItemPath(int Index) const {
  if (Index < 0 || Index >= Items().Count()) return "";
  const String drive = DrivePart(FDirectory);
  if (Index == 0) return drive + "\\";
  const TObject* kind = Items().Objects(Index);
  if (kind == FClosedBmp.get()) return JoinPath(FDirectory, Items()[Index]);
  if (kind == FCurrentBmp.get()) return FDirectory;
  const String rest = FDirectory.substr(drive.size());
  size_t end = 0;
  for (int slashes = 0; end < rest.size(); ++end)
    if (rest[end] == '\\' && ++slashes == Index + 1) break;
  return drive + rest.substr(0, end);
}

void TskSkinDirectoryListBox::OpenCurrent() { SetDirectory(GetItemPath(ItemIndex())); }

void TskSkinDirectoryListBox::ListBoxDblClick() {
  TskSkinListBox::ListBoxDblClick();
  OpenCurrent();
}

void TskSkinDirectoryListBox::ListBoxKeyPress(char& Key) {
  TskSkinListBox::ListBoxKeyPress(Key);
  if (Key == '\r') OpenCurrent();
}

void TskSkinDirectoryListBox::Change() {
  if (FFileList) FFileList->SetDirectory(FDirectory);
  SetDirLabelCaption();
  if (OnChange) OnChange(this);
}

void TskSkinDirectoryListBox::SetDirLabelCaption() {
  if (!FDirLabel) return;
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->SetFont(FDirLabel->Font());
  const int width = FDirLabel->AutoSize() ? Width() : FDirLabel->Width();
  FDirLabel->SetCaption(MinimizeName(FDirectory, *measure.Canvas(), width));
}

void TskSkinDirectoryListBox::UpdateList() {
  BuildList();
  Change();
}

void TskSkinDirectoryListBox::CreateWnd() {
  TskSkinListBox::CreateWnd();
  BuildList();
}

void TskSkinDirectoryListBox::Loaded() {
  TskSkinListBox::Loaded();
  if (!IsDesigning(*this)) return;
  FDirectory = GetCurrentDir();
  BuildList();
}

int TskSkinDirectoryListBox::ItemIndent(int Index) const {
  if (Items().Objects(Index) == FClosedBmp.get())
    return static_cast<int>(std::count(FDirectory.begin(), FDirectory.end(), '\\')) * 4 + 6;
  return Index * 4 + 2;
}

int TskSkinDirectoryListBox::GetFullItemWidth(int Index, TCanvas& Canvas) {
  const int text = TskSkinListBox::GetFullItemWidth(Index, Canvas);
  const auto* bitmap = dynamic_cast<const TBitmap*>(Items().Objects(Index));
  if (bitmap && !bitmap->Empty()) return text + ItemIndent(Index) + bitmap->Width() + 4;
  return text + Index * 4 + 22;
}

void TskSkinDirectoryListBox::DrawItem(TCanvas& Cnvs, int Index, int, int, TRect& TextRect, TOwnerDrawState) {
  if (Index < 0 || Index >= Items().Count()) return;
  const int indent = ItemIndent(Index);
  const int scrolled = InnerList().HorzOffset();
  auto* bitmap = dynamic_cast<TBitmap*>(Items().Objects(Index));
  int bitmapWidth = 16;
  if (bitmap && !bitmap->Empty()) {
    Cnvs.Draw(TextRect.left + indent - scrolled, (TextRect.top + TextRect.bottom - bitmap->Height()) / 2, bitmap);
    bitmapWidth = bitmap->Width();
  }
  const String text = Items()[Index];
  Cnvs.Brush()->SetStyle(TBrushStyle::bsClear);
  Cnvs.TextRect(TextRect, TextRect.left + bitmapWidth + indent - scrolled + 4 + 2,
                TextRect.top + (TextRect.bottom - TextRect.top - Cnvs.TextHeight(text)) / 2, text);
}

// ---------------------------------------------------------------------------------------------
// TskSkinFileListBox

TskSkinFileListBox::TskSkinFileListBox(TComponent* AOwner) : TskSkinListBox(AOwner) {
  SetWidth(145);
  FDirectory = GetCurrentDir();
  SetMultiSelect(false);
  SetSorted(true);
}

void TskSkinFileListBox::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinListBox::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FFileEdit) FFileEdit = nullptr;
  if (AComponent == FDirList) FDirList = nullptr;
  if (AComponent == FFilterCombo) FFilterCombo = nullptr;
}

void TskSkinFileListBox::ReadFileNames() {
  if (!HandleAllocated()) return;
  DWORD attributes = 0;
  const std::pair<TFileAttr, DWORD> bits[] = {{TFileAttr::ftReadOnly, FILE_ATTRIBUTE_READONLY},
                                              {TFileAttr::ftHidden, FILE_ATTRIBUTE_HIDDEN},
                                              {TFileAttr::ftSystem, FILE_ATTRIBUTE_SYSTEM},
                                              {TFileAttr::ftVolumeID, 8},
                                              {TFileAttr::ftDirectory, FILE_ATTRIBUTE_DIRECTORY},
                                              {TFileAttr::ftArchive, FILE_ATTRIBUTE_ARCHIVE}};
  for (const auto& [attr, bit] : bits)
    if (FFileType.Contains(attr)) attributes |= bit;
  const bool normal = FFileType.Contains(TFileAttr::ftNormal);

  EnterFolder(FDirectory);
  {
    const TItemsUpdate update(Items());
    Items().Clear();
    const TCursorRestore cursor;
    // The names are gathered first and put in order together, not searched into place one by one.
    TStringList found;
    // A name that several patterns match is listed once.
    const bool severalPatterns = FMask.find(';') != String::npos;
    std::set<String> listed;
    String patterns = FMask;
    for (;;) {
      const size_t separator = patterns.find(';');
      const String part = patterns.substr(0, separator);
      FindEntries(JoinPath(FDirectory, part), attributes, [&](const WCHAR* Name, DWORD EntryAttributes) {
        if (!normal && !(EntryAttributes & attributes)) return;
        const String name = FromWide(Name);
        const String item = EntryAttributes & FILE_ATTRIBUTE_DIRECTORY ? "[" + name + "]" : name;
        if (severalPatterns && !listed.insert(AnsiUpperCase(item)).second) return;
        found.Add(item);
        if (found.Count() == 101) Screen->SetCursor(crHourGlass);
      });
      if (separator == String::npos) break;
      patterns.erase(0, separator + 1);
    }
    Items().AddStrings(found);
  }
  Change();
}

void TskSkinFileListBox::Change() {
  FLastSel = ItemIndex();
  if (FFileEdit) {
    const String name = GetFileName();
    FFileEdit->SetText(name.empty() ? FMask : name);
    FFileEdit->SelectAll();
  }
  if (OnChange) OnChange(this);
}

void TskSkinFileListBox::ListBoxClick() {
  TskSkinListBox::ListBoxClick();
  if (ItemIndex() != FLastSel) Change();
}

String TskSkinFileListBox::GetFileName() const {
  const int index = ItemIndex();
  if (index < 0 || index >= Items().Count() || !Selected(index)) return "";
  return Items()[index];
}

void TskSkinFileListBox::SetFileName(const String& Name) {
  if (AnsiCompareText(Name, GetFileName()) == 0) return;
  SetItemIndex(Items().IndexOf(Name));
  Change();
}

void TskSkinFileListBox::SetFileEdit(TEdit* Value) {
  if (Value == FFileEdit) return;
  if (FFileEdit) FFileEdit->RemoveFreeNotification(this);
  FFileEdit = Value;
  if (!FFileEdit) return;
  FFileEdit->FreeNotification(this);
  const String name = GetFileName();
  FFileEdit->SetText(name.empty() ? FMask : name);
}

void TskSkinFileListBox::SetDirectory(const String& NewDirectory) {
  if (AnsiCompareText(NewDirectory, FDirectory) == 0) return;
  EnterOwnFolder(FDirectory);
  EnterFolder(NewDirectory);
  FDirectory = GetCurrentDir();
  ReadFileNames();
}

void TskSkinFileListBox::SetDrive(char Value) {
  if (!SameLetter(Value, GetDrive())) ApplyFilePath(Format("%s:", String(1, Value)));
}

void TskSkinFileListBox::SetMask(const String& Value) {
  if (Value == FMask) return;
  FMask = Value;
  ReadFileNames();
}

void TskSkinFileListBox::SetFileType(TFileType Value) {
  if (Value == FFileType) return;
  FFileType = Value;
  ReadFileNames();
}

void TskSkinFileListBox::UpdateList() { ReadFileNames(); }

void TskSkinFileListBox::CreateWnd() {
  TskSkinListBox::CreateWnd();
  ReadFileNames();
}

void TskSkinFileListBox::Loaded() {
  TskSkinListBox::Loaded();
  if (!IsDesigning(*this)) return;
  FDirectory = GetCurrentDir();
  ReadFileNames();
}

String TskSkinFileListBox::GetFilePath() const {
  const String name = GetFileName();
  return name.empty() ? String() : JoinPath(FDirectory, name);
}

void TskSkinFileListBox::ApplyFilePath(const String& EditText) {
  if (EditText.empty() || AnsiCompareText(EditText, GetFilePath()) == 0) return;
  EnterOwnFolder(FDirectory);
  char drive = '\0';
  String dirPart, filePart;
  ProcessPath(EditText, drive, dirPart, filePart);
  if (FDirList)
    FDirList->SetDirectory(EditText);
  else
    SetDirectory(drive != '\0' ? Format("%s:%s", String(1, drive), dirPart) : dirPart);
  if (filePart.find_first_of("*?") != String::npos) {
    SetMask(filePart);
  } else if (!filePart.empty()) {
    SetFileName(filePart);
    // A file the mask hides becomes the mask, so that it can be chosen.
    if (GetFileName().empty() && FileExists(JoinPath(FDirectory, filePart))) {
      SetMask(filePart);
      SetFileName(filePart);
    }
  }
}

}  // namespace skin
