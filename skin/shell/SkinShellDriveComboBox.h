// A skinned combo box of the machine's drives, each shown with the shell's display name (the
// volume label with the letter, for one) and small icon, filtered by drive type. It reports the
// chosen drive letter in upper case.
//
// Classes in this file: TskSkinShellDriveComboBox.
#pragma once

#include "skin/boxes/SkinComboBox.h"
#include "skin/shell/SkinFileCtrl.h"

#include <commctrl.h>

#include <vector>

namespace skin {

using TDriveTypes = classlib::Set<TDriveType>;

class TskSkinShellDriveComboBox : public TskSkinCustomComboBox {
public:
  explicit TskSkinShellDriveComboBox(classlib::TComponent* AOwner);
  ~TskSkinShellDriveComboBox() override;

  // Fired after every selection, once Drive names the chosen drive. It stands in for the combo
  // box's own event, which fires as the text changes, before the drive is known.
  classlib::TNotifyEvent OnChange;

  // Attributes
  // The types listed; a different set rebuilds the list.
  TDriveTypes DriveTypes() const { return FDriveTypes; }
  void SetDriveTypes(TDriveTypes Value);
  // The current drive's letter in upper case; 0 until one is set.
  char Drive() const { return FDrive; }
  // The letter of entry Index (0 outside the list).
  char DriveLetter(int Index) const;
  // The shell's system icon index of entry Index (-1 outside the list).
  int DriveIconIndex(int Index) const;
  int CurrentIndex() const { return FCurrentIndex; }
  // The shell's small system icons; shared, never destroyed here.
  HIMAGELIST ImageList() const { return FImageList; }

  // Operations
  // Lists the drives again, keeping the selected drive when it still has an entry.
  virtual void BuildList();
  // Takes the system icon list afresh, then BuildList.
  void UpdateDrives();
  // Selects the entry of Letter (any case); a letter without an entry changes nothing.
  void SetDrive(char Letter);
  // Painter of both the drop-down rows and the face: icon, then the display name.
  void DrawItem(classlib::TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, classlib::TRect& TxtRect,
                classlib::TOwnerDrawState State);

protected:
  void CreateWnd() override;
  void Change() override;

private:
  struct TDriveEntry {
    char Letter;
    int IconIndex;
  };
  void TakeSystemImageList();
  int EntryOf(char Letter) const;
  void SelectEntry(int Index);

  std::vector<TDriveEntry> FEntries;  // one for each item, same order
  HIMAGELIST FImageList = nullptr;
  int FIconWidth = 16;
  int FIconHeight = 16;
  TDriveTypes FDriveTypes{TDriveType::dtFloppy, TDriveType::dtFixed, TDriveType::dtNetwork, TDriveType::dtCDROM,
                          TDriveType::dtRAM};
  int FCurrentIndex = 0;
  char FDrive = 0;
};

}  // namespace skin
