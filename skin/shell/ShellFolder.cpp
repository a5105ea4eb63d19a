#include "skin/shell/ShellFolder.h"

#include "platform/classlib/ComObj.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace skin {

using namespace classlib;

namespace {

// The special folders a Root may name, in the order of TskRootFolder.
struct TRootName {
  const char* Name;
  int Csidl;
};
constexpr TRootName kRootNames[] = {
    {"rfDesktop", CSIDL_DESKTOP},
    {"rfMyComputer", CSIDL_DRIVES},
    {"rfNetwork", CSIDL_NETWORK},
    {"rfRecycleBin", CSIDL_BITBUCKET},
    {"rfAppData", CSIDL_APPDATA},
    {"rfCommonDesktopDirectory", CSIDL_COMMON_DESKTOPDIRECTORY},
    {"rfCommonPrograms", CSIDL_COMMON_PROGRAMS},
    {"rfCommonStartMenu", CSIDL_COMMON_STARTMENU},
    {"rfCommonStartup", CSIDL_COMMON_STARTUP},
    {"rfControlPanel", CSIDL_CONTROLS},
    {"rfDesktopDirectory", CSIDL_DESKTOPDIRECTORY},
    {"rfFavorites", CSIDL_FAVORITES},
    {"rfFonts", CSIDL_FONTS},
    {"rfInternet", CSIDL_INTERNET},
    {"rfPersonal", CSIDL_PERSONAL},
    {"rfPrinters", CSIDL_PRINTERS},
    {"rfPrintHood", CSIDL_PRINTHOOD},
    {"rfPrograms", CSIDL_PROGRAMS},
    {"rfRecent", CSIDL_RECENT},
    {"rfSendTo", CSIDL_SENDTO},
    {"rfStartMenu", CSIDL_STARTMENU},
    {"rfStartup", CSIDL_STARTUP},
    {"rfTemplates", CSIDL_TEMPLATES},
};
static_assert(std::size(kRootNames) == static_cast<size_t>(TskRootFolder::rfTemplates) + 1);

// The unit's start-up and shut-down: the desktop object and the thread's OLE apartment.
TskShellFolder* gDesktopFolder = nullptr;
bool gMakingDesktop = false;

class TShellUnit {
public:
  TShellUnit() : FOleStarted(SUCCEEDED(OleInitialize(nullptr))) {
    gMakingDesktop = true;
    LPITEMIDLIST desktop = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)) && desktop) {
      FDesktop = std::make_unique<TskShellFolder>(nullptr, desktop, GetDesktopShellFolder().Get());
      FreeItemIDList(desktop);
    }
    gMakingDesktop = false;
    gDesktopFolder = FDesktop.get();
  }
  ~TShellUnit() {
    gDesktopFolder = nullptr;
    FDesktop.reset();
    if (FOleStarted) OleUninitialize();
  }
  TShellUnit(const TShellUnit&) = delete;
  TShellUnit& operator=(const TShellUnit&) = delete;

private:
  bool FOleStarted;
  std::unique_ptr<TskShellFolder> FDesktop;
};

void StartShellUnit() { static TShellUnit unit; }

bool StartsWithClassId(const String& Text) { return Text.rfind("::{", 0) == 0; }

// Some folders put "?" marks into their date texts; such a text starts with "?" and a digit.
String WithoutDateMarks(String Text) {
  if (Text.size() > 1 && Text[0] == '?' && Text[1] >= '0' && Text[1] <= '9') std::erase(Text, '?');
  return Text;
}

// Asks Parent for the item's interface: bound as an object, else its UI object, then the folder's
// view object, whose answer counts when it gives one.
template <class I>
TComRef<I> BindThroughParent(IShellFolder* Parent, LPCITEMIDLIST IDList, HWND Window, REFIID Iid) {
  TComRef<I> bound;
  if (!Parent) return bound;
  if (SUCCEEDED(Parent->BindToObject(IDList, nullptr, Iid, bound.PutVoid())) && bound) return bound;
  Parent->GetUIObjectOf(Window, 1, &IDList, Iid, nullptr, bound.PutVoid());
  TComRef<I> view;
  if (SUCCEEDED(Parent->CreateViewObject(Window, Iid, view.PutVoid())) && view) bound = view;
  return bound;
}

template <class I>
TComRef<I> BindFolderOrDetails(IShellFolder* Parent, LPCITEMIDLIST IDList, HWND Window, REFIID Iid) {
  TComRef<I> bound = BindThroughParent<I>(Parent, IDList, Window, Iid);
  if (!bound) GetDesktopShellFolder()->BindToObject(IDList, nullptr, Iid, bound.PutVoid());
  return bound;
}

String FindDataText(const WIN32_FIND_DATAW& Data, int Column) {
  const bool directory = Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  switch (Column) {
    case 1:
      if (directory) return "-1";
      return IntToStr((static_cast<std::uint64_t>(Data.nFileSizeHigh) << 32) | Data.nFileSizeLow);
    case 2:
      return ExtractFileExt(FromWide(Data.cFileName));
    case 3: {
      TDateTime date = -1.0;
      FILETIME local;
      WORD dosDate, dosTime;
      if (!directory && FileTimeToLocalFileTime(&Data.ftLastWriteTime, &local) &&
          FileTimeToDosDateTime(&local, &dosDate, &dosTime)) {
        try {
          date = FileDateToDateTime(MAKELONG(dosTime, dosDate));
        } catch (const EConvertError&) {
          date = -1.0;
        }
      }
      return DateTimeToStr(date);
    }
    case 4:
      return IntToStr(Data.dwFileAttributes);
    default:
      return "";
  }
}

}  // namespace

DWORD EnumerationFlags(TShellObjectTypes Types) {
  DWORD flags = 0;
  if (Types.Contains(TShellObjectType::otFolders)) flags |= SHCONTF_FOLDERS;
  if (Types.Contains(TShellObjectType::otNonFolders)) flags |= SHCONTF_NONFOLDERS;
  if (Types.Contains(TShellObjectType::otHidden)) flags |= SHCONTF_INCLUDEHIDDEN;
  return flags;
}

TComRef<IShellFolder> BindShellFolder(IShellFolder* Parent, LPCITEMIDLIST IDList, HWND Window) {
  return BindFolderOrDetails<IShellFolder>(Parent, IDList, Window, IID_IShellFolder);
}

TComRef<IShellDetails> BindShellDetails(IShellFolder* Parent, LPCITEMIDLIST IDList, HWND Window) {
  return BindFolderOrDetails<IShellDetails>(Parent, IDList, Window, IID_IShellDetails);
}

TComRef<IShellFolder2> BindShellFolder2(IShellFolder* Parent, LPCITEMIDLIST IDList, HWND Window) {
  TComRef<IShellFolder2> bound;
  if (LOBYTE(LOWORD(GetVersion())) < 5) return bound;
  if (SUCCEEDED(GetDesktopShellFolder()->BindToObject(IDList, nullptr, IID_IShellFolder2, bound.PutVoid())) && bound)
    return bound;
  if (!Parent) return bound;
  Parent->GetUIObjectOf(Window, 1, &IDList, IID_IShellFolder2, nullptr, bound.PutVoid());
  TComRef<IShellFolder2> object;
  if (SUCCEEDED(Parent->BindToObject(IDList, nullptr, IID_IShellFolder2, object.PutVoid())) && object) bound = object;
  return bound;
}

String StrRetToText(LPCITEMIDLIST IDList, STRRET& StrRet) {
  String text;
  switch (StrRet.uType) {
    case STRRET_WSTR:
      if (StrRet.pOleStr) {
        text = FromWide(StrRet.pOleStr);
        CoTaskMemFree(StrRet.pOleStr);
        StrRet.pOleStr = nullptr;
      }
      break;
    case STRRET_OFFSET:
      // The name lies inside the list's first item, ended by a zero within it.
      if (IDList && StrRet.uOffset < IDList->mkid.cb) {
        const auto* start = reinterpret_cast<const char*>(IDList) + StrRet.uOffset;
        const size_t room = IDList->mkid.cb - StrRet.uOffset;
        text = FromAnsi(std::string(start, strnlen(start, room)));
      }
      break;
    case STRRET_CSTR:
      text = FromAnsi(std::string(StrRet.cStr, strnlen(StrRet.cStr, sizeof StrRet.cStr)));
      break;
  }
  return WithoutDateMarks(std::move(text));
}

String DisplayNameOf(IShellFolder* Folder, LPCITEMIDLIST IDList, DWORD Flags) {
  if (!Folder) return "parentfolder = nil";
  STRRET answer{};
  Folder->GetDisplayNameOf(IDList, Flags, &answer);
  String name = StrRetToText(IDList, answer);
  if (StartsWithClassId(name)) {
    STRRET normal{};
    Folder->GetDisplayNameOf(IDList, SHGDN_NORMAL, &normal);
    name = StrRetToText(IDList, normal);
  }
  return name;
}

TskShellFolder::TskShellFolder(TskShellFolder* Parent, LPCITEMIDLIST RelativeID, IShellFolder* ShellFolder)
    : FRelativeID(CopyItemIDList(RelativeID)), FParentFolder(Parent), FShellFolder(ShellFolder) {
  if (Parent) {
    FAbsoluteID.reset(JoinItemIDLists(Parent->AbsoluteID(), RelativeID));
  } else {
    std::unique_ptr<ITEMIDLIST, TItemIDListFree> desktop(DesktopItemIDList());
    FAbsoluteID.reset(JoinItemIDLists(desktop.get(), RelativeID));
  }
  if (!FParentFolder && !gMakingDesktop) FParentFolder = DesktopFolder();
  for (TskShellFolder* ancestor = Parent ? Parent->FParentFolder : nullptr; ancestor; ancestor = ancestor->FParentFolder)
    ++FDepth;
}

TskShellFolder::~TskShellFolder() = default;

TComRef<IShellFolder> TskShellFolder::ParentShellFolder() const {
  if (FParentFolder) return TComRef<IShellFolder>(FParentFolder->ShellFolder());
  return GetDesktopShellFolder();
}

String TskShellFolder::DisplayName() const {
  return DisplayNameOf(ParentShellFolder().Get(), RelativeID(), SHGDN_INFOLDER);
}

String TskShellFolder::PathName() const {
  return DisplayNameOf(GetDesktopShellFolder().Get(), AbsoluteID(), SHGDN_FORPARSING);
}

String TskShellFolder::FullObjectName() const {
  WCHAR path[MAX_PATH];
  if (!SHGetPathFromIDListW(AbsoluteID(), path)) return "";
  return FromWide(path);
}

ULONG TskShellFolder::Attributes(ULONG Asked) const {
  TComRef<IShellFolder> parent = ParentShellFolder();
  if (!parent) return 0;
  ULONG attributes = Asked;
  LPCITEMIDLIST item = RelativeID();
  // A root object's relative list is its whole absolute list, which a folder answers only for its
  // direct items: the item's real parent folder is asked instead.
  if (CountItemIDs(item) > 1 && FAILED(SHBindToParent(AbsoluteID(), IID_IShellFolder, parent.PutVoid(), &item)))
    return 0;
  // A folder that cannot answer reports nothing rather than every bit asked.
  if (FAILED(parent->GetAttributesOf(1, &item, &attributes))) return 0;
  return attributes;
}

bool TskShellFolder::IsFolder() const {
  if (!(Attributes(SFGAO_FOLDER) & SFGAO_FOLDER)) return false;
  return UpperCase(ExtractFileExt(FullObjectName())) != ".ZIP";
}

bool TskShellFolder::SubFolders() const { return Attributes(SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER; }

TskShellFolderProperties TskShellFolder::Properties() const {
  TskShellFolderProperties properties;
  if (!ParentShellFolder()) return properties;
  // The cut mark is the old shell's "ghosted" bit, 0x80000.
  static constexpr std::pair<ULONG, TskShellFolderProperty> kMarks[] = {
      {0x80000, TskShellFolderProperty::fpCut},
      {SFGAO_LINK, TskShellFolderProperty::fpIsLink},
      {SFGAO_READONLY, TskShellFolderProperty::fpReadOnly},
      {SFGAO_SHARE, TskShellFolderProperty::fpShared},
  };
  static constexpr std::pair<ULONG, TskShellFolderProperty> kKinds[] = {
      {SFGAO_FILESYSTEM, TskShellFolderProperty::fpFileSystem},
      {SFGAO_FILESYSANCESTOR, TskShellFolderProperty::fpFileSystemAncestor},
      {SFGAO_REMOVABLE, TskShellFolderProperty::fpRemovable},
      {SFGAO_VALIDATE, TskShellFolderProperty::fpValidate},
  };
  const ULONG marks = Attributes(0xF0000);
  for (const auto& [bit, property] : kMarks)
    if (marks & bit) properties.Include(property);
  // The system's folders answer only the bits asked for, so these are asked by name.
  const ULONG kinds = Attributes(SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_REMOVABLE | SFGAO_VALIDATE);
  for (const auto& [bit, property] : kKinds)
    if (kinds & bit) properties.Include(property);
  return properties;
}

TskShellFolderCapabilities TskShellFolder::Capabilities() const {
  static constexpr std::pair<ULONG, TskShellFolderCapability> kBits[] = {
      {SFGAO_CANCOPY, TskShellFolderCapability::fcCanCopy},     {SFGAO_CANDELETE, TskShellFolderCapability::fcCanDelete},
      {SFGAO_CANLINK, TskShellFolderCapability::fcCanLink},     {SFGAO_CANMOVE, TskShellFolderCapability::fcCanMove},
      {SFGAO_CANRENAME, TskShellFolderCapability::fcCanRename}, {SFGAO_DROPTARGET, TskShellFolderCapability::fcDropTarget},
      {SFGAO_HASPROPSHEET, TskShellFolderCapability::fcHasPropSheet},
  };
  const ULONG answer = Attributes(0x177);
  TskShellFolderCapabilities capabilities;
  for (const auto& [bit, capability] : kBits)
    if (answer & bit) capabilities.Include(capability);
  return capabilities;
}

int TskShellFolder::ImageIndex(bool Large) const {
  // A listed item is asked of its own folder: resolving it from the desktop costs milliseconds.
  if (FParentFolder && FParentFolder->ShellFolder() && CountItemIDs(RelativeID()) == 1) {
    const int index = SHMapPIDLToSystemImageListIndex(FParentFolder->ShellFolder(), RelativeID(), nullptr);
    if (index >= 0) return index;
  }
  return ShellImageIndex(AbsoluteID(), Large, false);
}

bool TskShellFolder::ExecuteDefault() const {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = Application->Handle();
  info.lpIDList = AbsoluteID();
  info.nShow = SW_SHOW;
  return ShellExecuteExW(&info);
}

bool TskShellFolder::Rename(const WideString& NewName) {
  if (!Capabilities().Contains(TskShellFolderCapability::fcCanRename)) return false;
  LPITEMIDLIST renamed = nullptr;
  const HRESULT result = ParentShellFolder()->SetNameOf(nullptr, RelativeID(), NewName.c_str(), SHGDN_NORMAL, &renamed);
  if (FAILED(result) || !renamed) throw Exception(Format("Rename to %s failed", FromWide(NewName)));
  FRelativeID.reset(renamed);
  FAbsoluteID.reset(FParentFolder ? JoinItemIDLists(FParentFolder->AbsoluteID(), renamed) : CopyItemIDList(renamed));
  return true;
}

IUnknown* TskShellFolder::GetDetailInterface() {
  if (FDetailInterface || !FShellFolder) return FDetailInterface;
  FShellDetails = BindShellDetails(FShellFolder.Get(), AbsoluteID(), ViewWindow);
  if (!FShellDetails && LOBYTE(LOWORD(GetVersion())) >= 5) {
    FShellFolder2 = BindShellFolder2(FShellFolder.Get(), AbsoluteID(), ViewWindow);
    // The item's own folder serves when it offers the second folder interface itself.
    if (!FShellFolder2) FShellFolder->QueryInterface(IID_IShellFolder2, FShellFolder2.PutVoid());
  }
  if (FShellFolder2) FDetailInterface = FShellFolder2.Get();
  else FDetailInterface = FShellDetails.Get();
  return FDetailInterface;
}

IShellDetails* TskShellFolder::GetShellDetails() {
  if (!FDetailInterface) GetDetailInterface();
  return FShellDetails.Get();
}

IShellFolder2* TskShellFolder::GetShellFolder2() {
  if (!FDetailInterface) GetDetailInterface();
  return FShellFolder2.Get();
}

void TskShellFolder::LoadColumnDetails(TskShellFolder& Root, HWND Window, int ColumnCount) {
  if (FDetails.Count() >= ColumnCount) return;
  FDetails.Clear();
  ViewWindow = Window;
  const auto readColumns = [&](auto* Details) {
    for (int column = 1; column <= ColumnCount; ++column) {
      SHELLDETAILS details{};
      if (SUCCEEDED(Details->GetDetailsOf(RelativeID(), column, &details))) FDetails.Add(StrRetToText(RelativeID(), details.str));
      else FDetails.Add("");
    }
  };
  if (IShellFolder2* folder2 = Root.GetShellFolder2()) {
    readColumns(folder2);
  } else if (IShellDetails* details = Root.GetShellDetails()) {
    readColumns(details);
  } else if (Root.Properties().Contains(TskShellFolderProperty::fpFileSystem)) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(ToWide(PathName()).c_str(), &data);
    // An item gone from the disk since it was listed shows empty details: these are read while
    // painting, where an error would come back with every repaint.
    const bool found = find != INVALID_HANDLE_VALUE;
    if (found) FindClose(find);
    for (int column = 1; column <= ColumnCount; ++column) FDetails.Add(found ? FindDataText(data, column) : String());
  }
}

String TskShellFolder::GetDetails(int Column) const {
  if (FDetails.Count() == 0) throw Exception(Format("%s: Missing call to LoadColumnDetails", DisplayName()));
  return FDetails.Strings(Column - 1);
}

void TskShellFolder::SetDetails(int Column, const String& Text) {
  if (Column - 1 < FDetails.Count()) FDetails.SetString(Column - 1, Text);
  else FDetails.Insert(Column - 1, Text);
}

TskShellFolder* DesktopFolder() {
  StartShellUnit();
  return gDesktopFolder;
}

std::unique_ptr<TskShellFolder> FolderFromAbsoluteID(LPCITEMIDLIST IDList) {
  const TComRef<IShellFolder> desktop = GetDesktopShellFolder();
  TComRef<IShellFolder> folder = BindShellFolder(desktop.Get(), IDList, nullptr);
  if (!folder) folder = desktop;
  return std::make_unique<TskShellFolder>(DesktopFolder(), IDList, folder.Get());
}

void ReplaceRootFolder(std::unique_ptr<TskShellFolder>& Root, const TRoot& OldValue, TRoot& NewValue) {
  LPITEMIDLIST list = nullptr;
  HRESULT result = E_INVALIDARG;
  const auto special = std::find_if(std::begin(kRootNames), std::end(kRootNames),
                                    [&](const TRootName& Root) { return SameText(Root.Name, NewValue); });
  if (special != std::end(kRootNames)) {
    result = SHGetSpecialFolderLocation(nullptr, special->Csidl, &list);
  } else if (!NewValue.empty()) {
    if (NewValue.back() == ':') NewValue += "\\";
    WideString path = ToWide(NewValue);
    result = GetDesktopShellFolder()->ParseDisplayName(nullptr, nullptr, path.data(), nullptr, &list, nullptr);
  }
  if (FAILED(result) || !list) {
    const String message = Format("Error setting path: \"%s\"", NewValue);
    NewValue = OldValue;
    throw Exception(message);
  }
  std::unique_ptr<ITEMIDLIST, TItemIDListFree> owned(list);
  Root = FolderFromAbsoluteID(owned.get());
}

void InvokeVerb(TskShellFolder* Folder, const String& Verb) {
  if (!Folder) return;
  const TComRef<IShellFolder> parent = Folder->ParentShellFolder();
  if (!parent) return;
  TComRef<IContextMenu> menu;
  LPCITEMIDLIST item = Folder->RelativeID();
  if (FAILED(parent->GetUIObjectOf(nullptr, 1, &item, IID_IContextMenu, nullptr, menu.PutVoid())) || !menu) return;
  const std::string verb = ToAnsi(Verb);
  CMINVOKECOMMANDINFO info{};
  info.cbSize = sizeof info;
  info.fMask = CMIC_MASK_ASYNCOK;
  info.lpVerb = verb.c_str();
  info.nShow = SW_SHOWNORMAL;
  menu->InvokeCommand(&info);
}

}  // namespace skin
