// Item-ID lists: the shell's names of its items, a run of items each led by its 16-bit byte count
// and ended by a zero count. Every list made or kept here lives in the shell allocator's memory,
// so that lists handed out by the shell and lists made here are freed the same way.
#pragma once

#include "platform/comserver/ComRef.h"

#include <shlobj.h>

#include <vector>

namespace skin {

// A block of Size bytes from the shell allocator, zero-filled; null when the allocator gives none.
LPITEMIDLIST AllocItemIDList(UINT Size);
// The address just behind the list's first item.
LPITEMIDLIST NextItemID(LPCITEMIDLIST IDList);
// Cuts the last item off in place; an empty list (or none) stays as it is.
void StripLastItemID(LPITEMIDLIST IDList);
int CountItemIDs(LPCITEMIDLIST IDList);
// The bytes of the items and the terminator; 0 for no list.
UINT ItemIDListSize(LPCITEMIDLIST IDList);
LPITEMIDLIST CopyItemIDList(LPCITEMIDLIST IDList);
// A new list: First (none: the empty list) followed by Second.
LPITEMIDLIST JoinItemIDLists(LPCITEMIDLIST First, LPCITEMIDLIST Second);
void FreeItemIDList(LPITEMIDLIST IDList);
// A copy of the last item, as a list of its own.
LPITEMIDLIST LastItemID(LPCITEMIDLIST IDList);
// Copies of every proper ancestor of an absolute list, the desktop's empty list first; freed with
// FreeIDLists.
std::vector<LPITEMIDLIST> AncestorIDLists(LPCITEMIDLIST IDList);
void FreeIDLists(std::vector<LPITEMIDLIST>& Lists);
// Two absolute lists naming the same item, as the desktop folder compares them.
bool SameItemIDList(LPCITEMIDLIST A, LPCITEMIDLIST B);
// The desktop's own (empty) list; EOleSysError when the shell gives none.
LPITEMIDLIST DesktopItemIDList();
// The desktop's folder; EOleSysError when the shell gives none.
comserver::TComRef<IShellFolder> GetDesktopShellFolder();
// The item's index in the system image list.
int ShellImageIndex(LPCITEMIDLIST AbsoluteID, bool Large, bool Open);

// Owns one list and frees it with the shell allocator.
struct TItemIDListFree {
  void operator()(ITEMIDLIST* IDList) const { FreeItemIDList(IDList); }
};

}  // namespace skin
