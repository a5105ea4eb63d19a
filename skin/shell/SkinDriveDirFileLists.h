// Plain file-system browsing without the shell namespace: a combo box of the drives, a list of the
// current folder's path and subfolders, and a list of a folder's entries that match a mask. Chained,
// the drive drives the folder list, which drives the file list, which a filter combo box can filter
// and which can fill an edit. Each keeps its own folder and makes it the process's current folder
// while it reads.
//
// Classes in this file: TskSkinDriveComboBox, TskSkinDirectoryListBox, TskSkinFileListBox.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/StdCtrls.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/controls/SkinFontLabels.h"
#include "skin/shell/SkinFileCtrl.h"

#include <memory>

namespace skin {

class TskSkinDirectoryListBox;
class TskSkinFileListBox;

class TskSkinDriveComboBox : public TskSkinComboBox {
public:
  explicit TskSkinDriveComboBox(classlib::TComponent* AOwner);

  // Attributes
  TskSkinDirectoryListBox* DirList() const { return FDirList; }
  void SetDirListBox(TskSkinDirectoryListBox* Value);
  // The chosen drive's letter in the case of TextCase; 0 when none.
  char Drive() const { return FDrive; }
  void SetDrive(char NewDrive);
  TTextCase TextCase() const { return FTextCase; }
  void SetTextCase(TTextCase Value);

  // Operations
  // One item for each drive of a listed kind: "x: [label]" (removable drives "x:" alone, their
  // medium is not read) with the drive kind's bitmap as its object.
  virtual void BuildList();
  void DrawItem(classlib::TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, classlib::TRect& TextRect,
                classlib::TOwnerDrawState State);
  // The default OnChange: follows the user's choice.
  void NewChange(classlib::TObject* Sender);

protected:
  void CreateWnd() override;
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void ReadBitmaps();

private:
  friend class TskSkinDirectoryListBox;

  TskSkinDirectoryListBox* FDirList = nullptr;
  char FDrive = 0;
  TTextCase FTextCase = TTextCase::tcLowerCase;
  std::unique_ptr<classlib::TBitmap> FFloppyBmp, FFixedBmp, FNetworkBmp, FCDROMBmp, FRAMBmp;
};

class TskSkinDirectoryListBox : public TskSkinListBox {
public:
  explicit TskSkinDirectoryListBox(classlib::TComponent* AOwner);

  // Events
  classlib::TNotifyEvent OnChange;

  // Attributes
  TskSkinFileListBox* FileList() const { return FFileList; }
  void SetFileListBox(TskSkinFileListBox* Value);
  TskSkinStdLabel* DirLabel() const { return FDirLabel; }
  void SetDirLabel(TskSkinStdLabel* Value);
  // The full path of the current folder.
  const classlib::String& Directory() const { return FDirectory; }
  // A path relative to Directory, another drive's folder ("d:\dir", "d:"), or a UNC path.
  // classlib::EInOutError when the folder cannot be entered; the list then stays as it was.
  virtual void SetDirectory(const classlib::String& NewDirectory);
  char GetDrive() const { return FDirectory.empty() ? '\0' : FDirectory[0]; }
  void SetDrive(char Value);
  // Whether the current folder's volume keeps or tells apart the case of names.
  bool PreserveCase() const { return FPreserveCase; }
  bool CaseSensitive() const { return FCaseSensitive; }

  // Operations
  void DriveChange(char NewDrive);
  // The folder of the selected item becomes the current one (a double click or Enter does this).
  void OpenCurrent();
  // Reads the disk again. (Not the control's Update: a repaint must not read the disk.)
  void UpdateList();
  classlib::String DisplayCase(const classlib::String& S) const;
  int FileCompareText(const classlib::String& A, const classlib::String& B) const;
  // The subfolder names of ParentDirectory added to DirectoryList; returns how many were added.
  int ReadDirectoryNames(const classlib::String& ParentDirectory, classlib::TStrings& DirectoryList);
  // The path an item stands for; empty for an index outside the items.
  classlib::String GetItemPath(int Index) const;
  virtual void BuildList();
  int GetFullItemWidth(int Index, classlib::TCanvas& Canvas) override;
  void ListBoxDblClick() override;
  void ListBoxKeyPress(char& Key) override;

protected:
  virtual void Change();
  virtual void ReadBitmaps();
  void SetDir(const classlib::String& NewDirectory);
  void DrawItem(classlib::TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, classlib::TRect& TextRect,
                classlib::TOwnerDrawState State);
  void CreateWnd() override;
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void SetDirLabelCaption();

private:
  friend class TskSkinDriveComboBox;
  friend class TskSkinFileListBox;

  // How far an item's picture is moved right.
  int ItemIndent(int Index) const;

  TskSkinFileListBox* FFileList = nullptr;
  TskSkinDriveComboBox* FDriveCombo = nullptr;
  TskSkinStdLabel* FDirLabel = nullptr;
  bool FInSetDir = false;
  bool FPreserveCase = false;
  bool FCaseSensitive = false;
  std::unique_ptr<classlib::TBitmap> FClosedBmp, FOpenedBmp, FCurrentBmp;
  classlib::String FDirectory;
};

class TskSkinFileListBox : public TskSkinListBox {
public:
  explicit TskSkinFileListBox(classlib::TComponent* AOwner);

  // Events
  classlib::TNotifyEvent OnChange;

  // Attributes
  const classlib::String& Directory() const { return FDirectory; }
  // classlib::EInOutError when the folder cannot be entered; the list then stays as it was.
  void SetDirectory(const classlib::String& NewDirectory);
  char GetDrive() const { return FDirectory.empty() ? '\0' : FDirectory[0]; }
  void SetDrive(char Value);
  // Patterns separated by ";".
  const classlib::String& Mask() const { return FMask; }
  void SetMask(const classlib::String& Value);
  bool IsMaskStored() const { return FMask != "*.*"; }
  TFileType FileType() const { return FFileType; }
  void SetFileType(TFileType Value);
  classlib::TEdit* FileEdit() const { return FFileEdit; }
  void SetFileEdit(classlib::TEdit* Value);
  TskSkinDirectoryListBox* DirList() const { return FDirList; }
  TskSkinFilterComboBox* FilterCombo() const { return FFilterCombo; }
  // The selected item's text (a folder keeps its brackets); empty when none is selected.
  classlib::String GetFileName() const;
  void SetFileName(const classlib::String& Name);

  // Operations
  // Reads the disk again. (Not the control's Update: a repaint must not read the disk.)
  void UpdateList();
  // Directory joined with the selected name; empty when none is selected.
  virtual classlib::String GetFilePath() const;
  // Takes a typed path: its folder becomes the directory, a pattern the mask, a name the selection
  // (the mask when the file exists but is not listed).
  virtual void ApplyFilePath(const classlib::String& EditText);
  void ListBoxClick() override;

protected:
  virtual void Change();
  virtual void ReadFileNames();
  void CreateWnd() override;
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  friend class TskSkinDirectoryListBox;
  friend class TskSkinFilterComboBox;

  classlib::String FDirectory;
  classlib::String FMask = "*.*";
  TFileType FFileType{TFileAttr::ftNormal};
  classlib::TEdit* FFileEdit = nullptr;
  TskSkinDirectoryListBox* FDirList = nullptr;
  TskSkinFilterComboBox* FFilterCombo = nullptr;
  int FLastSel = -1;
};

}  // namespace skin
