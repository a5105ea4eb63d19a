#include "skin/shell/SkinShellDriveComboBox.h"

#include "platform/classlib/WideText.h"

#include <shellapi.h>

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

// GetDriveType's answers past the RAM disk are no type of TDriveType.
constexpr UINT LastDriveType = DRIVE_RAMDISK;

}  // namespace

TskSkinShellDriveComboBox::TskSkinShellDriveComboBox(TComponent* AOwner) : TskSkinCustomComboBox(AOwner) {
  SetListBoxDrawItem([this](TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect& TxtRect,
                            TOwnerDrawState State) { DrawItem(Cnvs, Index, ItemWidth, ItemHeight, TxtRect, State); });
  OnComboBoxDrawItem = [this](TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect& TxtRect,
                              TOwnerDrawState State) { DrawItem(Cnvs, Index, ItemWidth, ItemHeight, TxtRect, State); };
  TakeSystemImageList();
  SetStyle(TskSkinCustomComboBoxStyle::skcbFixedStyle);
}

TskSkinShellDriveComboBox::~TskSkinShellDriveComboBox() = default;

void TskSkinShellDriveComboBox::TakeSystemImageList() {
  // Asked of a drive root: Wine answers an empty path with no list.
  SHFILEINFOW info{};
  FImageList = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  FIconWidth = GetSystemMetrics(SM_CXSMICON);
  FIconHeight = GetSystemMetrics(SM_CYSMICON);
}

void TskSkinShellDriveComboBox::CreateWnd() {
  TskSkinCustomComboBox::CreateWnd();
  BuildList();
}

char TskSkinShellDriveComboBox::DriveLetter(int Index) const {
  return Index >= 0 && Index < static_cast<int>(FEntries.size()) ? FEntries[Index].Letter : 0;
}

int TskSkinShellDriveComboBox::DriveIconIndex(int Index) const {
  return Index >= 0 && Index < static_cast<int>(FEntries.size()) ? FEntries[Index].IconIndex : -1;
}

int TskSkinShellDriveComboBox::EntryOf(char Letter) const {
  for (size_t i = 0; i < FEntries.size(); ++i)
    if (FEntries[i].Letter == Letter) return static_cast<int>(i);
  return -1;
}

void TskSkinShellDriveComboBox::SelectEntry(int Index) {
  // Selecting reports the change back through Change, which comes here again: an entry already
  // selected is left alone so that each choice fires OnChange once.
  if (ItemIndex() != Index) SetItemIndex(Index);
}

void TskSkinShellDriveComboBox::BuildList() {
  char remembered = 0;
  if (Items().Count() > 0) {
    const int selected = ItemIndex();
    if (selected >= 0 && selected < static_cast<int>(FEntries.size())) {
      FCurrentIndex = selected;
      remembered = FEntries[selected].Letter;
    }
    Items().Clear();
    FEntries.clear();
  }
  TakeSystemImageList();

  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const WCHAR root[] = {static_cast<WCHAR>(letter), L':', L'\\', 0};
    const UINT type = GetDriveTypeW(root);
    if (type > LastDriveType || !FDriveTypes.Contains(static_cast<TDriveType>(type))) continue;
    SHFILEINFOW info{};
    SHGetFileInfoW(root, 0, &info, sizeof info, SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    Items().Add(FromWide(info.szDisplayName));
    FEntries.push_back({letter, info.iIcon});
    if (letter == remembered) {
      FCurrentIndex = static_cast<int>(FEntries.size()) - 1;
      SetDrive(letter);
    }
  }

  // The current index may name an entry that is gone (fewer drives than before, or none of the
  // types asked for): it stays inside the list, and without entries nothing is selected.
  FCurrentIndex = FEntries.empty() ? 0 : std::clamp(FCurrentIndex, 0, static_cast<int>(FEntries.size()) - 1);
  if (remembered == 0 && !FEntries.empty()) SetDrive(FEntries[FCurrentIndex].Letter);
  Invalidate();
}

void TskSkinShellDriveComboBox::UpdateDrives() {
  TakeSystemImageList();
  BuildList();
}

void TskSkinShellDriveComboBox::SetDrive(char Letter) {
  const char letter = Letter >= 'a' && Letter <= 'z' ? static_cast<char>(Letter - 'a' + 'A') : Letter;
  const int index = EntryOf(letter);
  if (index < 0) return;
  FDrive = letter;
  FCurrentIndex = index;
  SelectEntry(index);
}

void TskSkinShellDriveComboBox::SetDriveTypes(TDriveTypes Value) {
  if (Value == FDriveTypes) return;
  FDriveTypes = Value;
  if (HandleAllocated()) BuildList();
}

void TskSkinShellDriveComboBox::Change() {
  TskSkinCustomComboBox::Change();
  const int selected = ItemIndex();
  if (selected >= 0 && selected < static_cast<int>(FEntries.size())) {
    FCurrentIndex = selected;
    SetDrive(FEntries[selected].Letter);
  }
  if (OnChange) OnChange(this);
}

void TskSkinShellDriveComboBox::DrawItem(TCanvas& Cnvs, int Index, int, int, TRect& TxtRect, TOwnerDrawState) {
  if (Index < 0 || Index >= Items().Count()) return;
  TRect r = TxtRect;
  const int height = r.bottom - r.top;
  if (FImageList && ImageList_GetImageCount(FImageList) > 0) {
    ImageList_DrawEx(FImageList, DriveIconIndex(Index), Cnvs.Handle(), r.left, r.top + (height - FIconHeight) / 2,
                     FIconWidth, FIconHeight, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    r.left += FIconWidth + 4;
  }
  Cnvs.TextOut(r.left, r.top + height / 2 - Cnvs.TextHeight("Wg") / 2, Items()[Index]);
}

}  // namespace skin
