// Shell folder objects: one item of the shell's namespace (desktop, drives, folders, files, the
// virtual folders) with its parent, the shell interfaces bound to it and the texts of its detail
// columns; the special folders a shell view's Root may name; and the unit's desktop object.
#pragma once

#include "platform/classlib/Exception.h"
#include "platform/classlib/Strings.h"
#include "platform/classlib/Types.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/ItemIDLists.h"

#include <shobjidl.h>

#include <memory>

namespace skin {

using comserver::TComRef;

enum class TskRootFolder {
  rfDesktop, rfMyComputer, rfNetwork, rfRecycleBin, rfAppData, rfCommonDesktopDirectory, rfCommonPrograms,
  rfCommonStartMenu, rfCommonStartup, rfControlPanel, rfDesktopDirectory, rfFavorites, rfFonts, rfInternet,
  rfPersonal, rfPrinters, rfPrintHood, rfPrograms, rfRecent, rfSendTo, rfStartMenu, rfStartup, rfTemplates
};

// A shell view's Root: the name of a TskRootFolder value (any case) or a path.
using TRoot = classlib::String;

enum class TShellObjectType { otFolders, otNonFolders, otHidden };
using TShellObjectTypes = classlib::Set<TShellObjectType>;
// The shell's enumeration flags (SHCONTF_FOLDERS, _NONFOLDERS, _INCLUDEHIDDEN) for a set.
DWORD EnumerationFlags(TShellObjectTypes Types);

enum class TskShellFolderCapability { fcCanCopy, fcCanDelete, fcCanLink, fcCanMove, fcCanRename, fcDropTarget, fcHasPropSheet };
using TskShellFolderCapabilities = classlib::Set<TskShellFolderCapability>;
enum class TskShellFolderProperty {
  fpCut, fpIsLink, fpReadOnly, fpShared, fpFileSystem, fpFileSystemAncestor, fpRemovable, fpValidate
};
using TskShellFolderProperties = classlib::Set<TskShellFolderProperty>;

// A path or folder detail the shell controls cannot use.
class EInvalidPath : public classlib::Exception {
public:
  using Exception::Exception;
};

// The item's folder interface bound through Parent (none: the desktop), or none.
TComRef<IShellFolder> BindShellFolder(IShellFolder* Parent, LPCITEMIDLIST IDList, HWND Window);
TComRef<IShellDetails> BindShellDetails(IShellFolder* Parent, LPCITEMIDLIST IDList, HWND Window);
TComRef<IShellFolder2> BindShellFolder2(IShellFolder* Parent, LPCITEMIDLIST IDList, HWND Window);
// The text of a shell answer about IDList; the answer's own memory is released.
classlib::String StrRetToText(LPCITEMIDLIST IDList, STRRET& StrRet);
// The item's name with the display-name flags; "parentfolder = nil" without a folder.
classlib::String DisplayNameOf(IShellFolder* Folder, LPCITEMIDLIST IDList, DWORD Flags);

class TskShellFolder {
public:
  // Parent (none: the desktop object) is not owned; RelativeID is copied.
  TskShellFolder(TskShellFolder* Parent, LPCITEMIDLIST RelativeID, IShellFolder* ShellFolder);
  virtual ~TskShellFolder();
  TskShellFolder(const TskShellFolder&) = delete;
  TskShellFolder& operator=(const TskShellFolder&) = delete;

  LPITEMIDLIST RelativeID() const { return FRelativeID.get(); }
  LPITEMIDLIST AbsoluteID() const { return FAbsoluteID.get(); }
  TskShellFolder* ParentFolder() const { return FParentFolder; }
  IShellFolder* ShellFolder() const { return FShellFolder.Get(); }
  int Depth() const { return FDepth; }
  HWND ViewWindow = nullptr;

  // The parent object's folder, or the desktop's.
  TComRef<IShellFolder> ParentShellFolder() const;
  classlib::String DisplayName() const;
  // The parsing name (a file system path for file system items); a virtual item's normal name.
  classlib::String PathName() const;
  // The file system path; empty when the item has none.
  classlib::String FullObjectName() const;
  // A folder, but a compressed archive the shell shows as one counts as a file.
  bool IsFolder() const;
  bool SubFolders() const;
  TskShellFolderProperties Properties() const;
  TskShellFolderCapabilities Capabilities() const;
  int ImageIndex(bool Large) const;
  // Runs the item's default verb.
  bool ExecuteDefault() const;
  // True when renamed; false when the item cannot be renamed; an Exception when the shell refuses.
  bool Rename(const classlib::WideString& NewName);
  // IShellFolder2 or IShellDetails, bound on first need.
  IUnknown* GetDetailInterface();
  IShellDetails* GetShellDetails();
  IShellFolder2* GetShellFolder2();
  // Reads the detail columns 1..ColumnCount of this item as Root, the folder listing it, tells them.
  void LoadColumnDetails(TskShellFolder& Root, HWND Window, int ColumnCount);
  // The text of detail column Column (from 1).
  classlib::String GetDetails(int Column) const;
  void SetDetails(int Column, const classlib::String& Text);

private:
  std::unique_ptr<ITEMIDLIST, TItemIDListFree> FRelativeID, FAbsoluteID;
  TskShellFolder* FParentFolder;
  TComRef<IShellFolder> FShellFolder;
  TComRef<IShellFolder2> FShellFolder2;
  TComRef<IShellDetails> FShellDetails;
  IUnknown* FDetailInterface = nullptr;  // one of the two above
  int FDepth = 0;
  classlib::TStringList FDetails;

  // The parent folder's attribute answer for this item to the bits asked.
  ULONG Attributes(ULONG Asked) const;
};

// The desktop's object, made at the unit's start-up.
TskShellFolder* DesktopFolder();
// A root object for an absolute list: its parent the desktop object, the lists copies of IDList.
std::unique_ptr<TskShellFolder> FolderFromAbsoluteID(LPCITEMIDLIST IDList);
// Replaces Root by the root object for NewValue (a bare drive "X:" becomes "X:\" in NewValue
// itself). On failure Root stays, NewValue gets OldValue back and the path error is raised.
void ReplaceRootFolder(std::unique_ptr<TskShellFolder>& Root, const TRoot& OldValue, TRoot& NewValue);
// Runs a verb of the item's context menu ("properties"...).
void InvokeVerb(TskShellFolder* Folder, const classlib::String& Verb);

}  // namespace skin
