// Path routines the skinned file controls and file dialogs share, and the file-type filter combo box
// that turns "description|mask|..." into a list of descriptions and hands on the chosen mask.
//
// Classes in this file: TskSkinFilterComboBox.
#pragma once

#include "platform/classlib/Canvas.h"
#include "platform/classlib/Strings.h"
#include "skin/boxes/SkinComboBox.h"

namespace skin {

// File attributes, drive kinds and name case of the file list controls and the drive combo box.
enum class TFileAttr { ftReadOnly, ftHidden, ftSystem, ftVolumeID, ftDirectory, ftArchive, ftNormal };
using TFileType = classlib::Set<TFileAttr>;
enum class TDriveType { dtUnknown, dtNoDrive, dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM };
enum class TTextCase { tcLowerCase, tcUpperCase };

// Paths use "\" between folders; a drive letter with ":" or a UNC "\\server\share" is the drive part.

bool DirectoryExists(const classlib::String& Path);
// Creates Path and every missing folder above it; false when one of them could not be made.
bool ForceDirectories(const classlib::String& Path);
// Directory and Name with exactly one "\" between them; Name alone for an empty Directory.
classlib::String JoinPath(const classlib::String& Directory, const classlib::String& Name);
// Replaces the first folder of Directory by "...\" (an earlier "...\" counts as no folder).
void CutFirstFolder(classlib::String& Directory);
// FileName with its leading folders cut until it fits MaxWidth on Canvas; the name itself stays.
classlib::String MinimizeName(const classlib::String& FileName, classlib::TCanvas& Canvas, int MaxWidth);
// Splits a typed path (a bracketed "[folder]" is taken relative to the current folder) into its drive
// letter (0 for a UNC path), its folder without the drive and its file part; a file part naming a
// folder joins the folder part. The current folder is left as it was. EditText must not be empty.
// classlib::EInOutError when a folder of the path cannot be entered.
void ProcessPath(const classlib::String& EditText, char& Drive, classlib::String& DirPart, classlib::String& FilePart);
// "[label]" of the drive's volume; lower case for a lower-case letter, else upper case.
classlib::String GetVolumeCaption(char DriveChar);
// The remote name of a mapped drive, else its volume caption.
classlib::String GetNetworkCaption(char DriveChar);

class TskSkinFileListBox;

class TskSkinFilterComboBox : public TskSkinComboBox {
public:
  explicit TskSkinFilterComboBox(classlib::TComponent* AOwner);

  // Attributes
  const classlib::String& Filter() const { return FFilter; }
  // A text equal to the filter but for letter case changes nothing.
  void SetFilter(const classlib::String& Value);
  bool IsFilterStored() const;
  // The mask of each item, in the items' order.
  const classlib::TStrings& Masks() const { return FMasks; }
  // The file list box whose Mask follows the chosen item.
  TskSkinFileListBox* FileList() const { return FFileList; }
  void SetFileListBox(TskSkinFileListBox* Value);

  // Operations
  // The mask of the chosen item (the last one when none is chosen); "*.*" for an empty list.
  classlib::String GetMask();
  // Items and masks from Filter; the first item is chosen.
  void BuildList();

  static const char* const DefaultFilter;

protected:
  void CreateWnd() override;
  void Click() override;
  void Change() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  friend class TskSkinFileListBox;

  classlib::String FFilter;
  classlib::TStringList FMasks;
  TskSkinFileListBox* FFileList = nullptr;
};

}  // namespace skin
