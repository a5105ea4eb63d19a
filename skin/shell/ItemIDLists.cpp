#include "skin/shell/ItemIDLists.h"

#include "platform/classlib/ComObj.h"

#include <cstring>

namespace skin {

using classlib::OleCheck;
using comserver::TComRef;

namespace {

IMalloc& ShellAllocator() {
  static IMalloc* const allocator = [] {
    IMalloc* malloc = nullptr;
    OleCheck(SHGetMalloc(&malloc));
    return malloc;
  }();
  return *allocator;
}

USHORT ItemSize(LPCITEMIDLIST IDList) {
  USHORT size;
  std::memcpy(&size, IDList, sizeof size);  // items are not aligned
  return size;
}

}  // namespace

LPITEMIDLIST AllocItemIDList(UINT Size) {
  auto* list = static_cast<LPITEMIDLIST>(ShellAllocator().Alloc(Size));
  if (list) std::memset(list, 0, Size);
  return list;
}

LPITEMIDLIST NextItemID(LPCITEMIDLIST IDList) {
  return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(IDList)) + ItemSize(IDList));
}

void StripLastItemID(LPITEMIDLIST IDList) {
  if (!IDList || ItemSize(IDList) == 0) return;
  LPITEMIDLIST last = IDList;
  for (LPITEMIDLIST next = NextItemID(last); ItemSize(next) != 0; next = NextItemID(next)) last = next;
  std::memset(last, 0, sizeof(USHORT));
}

int CountItemIDs(LPCITEMIDLIST IDList) {
  int count = 0;
  for (LPCITEMIDLIST item = IDList; item && ItemSize(item) != 0; item = NextItemID(item)) ++count;
  return count;
}

UINT ItemIDListSize(LPCITEMIDLIST IDList) {
  if (!IDList) return 0;
  UINT size = sizeof(USHORT);
  for (LPCITEMIDLIST item = IDList; ItemSize(item) != 0; item = NextItemID(item)) size += ItemSize(item);
  return size;
}

LPITEMIDLIST CopyItemIDList(LPCITEMIDLIST IDList) {
  const UINT size = ItemIDListSize(IDList);
  LPITEMIDLIST copy = AllocItemIDList(size);
  if (copy && size) std::memcpy(copy, IDList, size);
  return copy;
}

LPITEMIDLIST JoinItemIDLists(LPCITEMIDLIST First, LPCITEMIDLIST Second) {
  const UINT firstSize = First ? ItemIDListSize(First) - sizeof(USHORT) : 0;
  const UINT secondSize = ItemIDListSize(Second);
  LPITEMIDLIST joined = AllocItemIDList(firstSize + (Second ? secondSize : sizeof(USHORT)));
  if (!joined) return nullptr;
  if (firstSize) std::memcpy(joined, First, firstSize);
  if (Second) std::memcpy(reinterpret_cast<BYTE*>(joined) + firstSize, Second, secondSize);
  return joined;
}

void FreeItemIDList(LPITEMIDLIST IDList) {
  if (IDList) ShellAllocator().Free(IDList);
}

LPITEMIDLIST LastItemID(LPCITEMIDLIST IDList) {
  LPCITEMIDLIST item = IDList;
  for (int left = CountItemIDs(IDList); left > 1; --left) item = NextItemID(item);
  return CopyItemIDList(item);
}

std::vector<LPITEMIDLIST> AncestorIDLists(LPCITEMIDLIST IDList) {
  std::vector<LPITEMIDLIST> ancestors;
  const int count = CountItemIDs(IDList);
  for (int length = count - 1; length >= 0; --length) {
    LPITEMIDLIST ancestor = CopyItemIDList(IDList);
    for (int strip = count; strip > length; --strip) StripLastItemID(ancestor);
    ancestors.insert(ancestors.begin(), ancestor);
  }
  return ancestors;
}

void FreeIDLists(std::vector<LPITEMIDLIST>& Lists) {
  for (LPITEMIDLIST list : Lists) FreeItemIDList(list);
  Lists.clear();
}

bool SameItemIDList(LPCITEMIDLIST A, LPCITEMIDLIST B) {
  return GetDesktopShellFolder()->CompareIDs(0, A, B) == 0;
}

LPITEMIDLIST DesktopItemIDList() {
  LPITEMIDLIST list = nullptr;
  OleCheck(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &list));
  return list;
}

TComRef<IShellFolder> GetDesktopShellFolder() {
  TComRef<IShellFolder> desktop;
  OleCheck(SHGetDesktopFolder(desktop.Put()));
  return desktop;
}

int ShellImageIndex(LPCITEMIDLIST AbsoluteID, bool Large, bool Open) {
  SHFILEINFOA info{};
  UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX;
  if (Open) flags |= SHGFI_OPENICON;
  if (!Large) flags |= SHGFI_SMALLICON;
  SHGetFileInfoA(reinterpret_cast<LPCSTR>(AbsoluteID), 0, &info, sizeof info, flags);
  return info.iIcon;
}

}  // namespace skin
