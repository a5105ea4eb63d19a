#include "app/FolderChooser.h"

#include "platform/classlib/WideText.h"

#include <shlobj.h>

using namespace classlib;

namespace {

// Only file-system folders, a status line and the resizable dialog with its "new folder" button.
constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE;
static_assert(kBrowseFlags == 0x45);

}  // namespace

String SelectFolder(HWND Owner) {
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator)) || !allocator) return "";

  const WideString title = ToWide("select folder");
  BROWSEINFOW info{};
  info.hwndOwner = Owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = kBrowseFlags;

  String result;
  if (LPITEMIDLIST chosen = SHBrowseForFolderW(&info)) {
    WCHAR path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(chosen, path)) result = FromWide(path);
    allocator->Free(chosen);
  }
  allocator->Release();
  return result;
}
