// The shell file list view against the plain ways of reading a folder, in the same run, over a
// folder of 10,000 files:
// - SetPath to the view sorted and filled (TskSkinFileListView in the list style, default mask),
//   and to its first painted screen (UpdateWindow after it);
// - the bare shell enumeration: the folder parsed and bound from the desktop, EnumObjects, and for
//   every item GetAttributesOf and its in-folder parsing name;
// - FindFirstFileW/FindNextFileW over "folder\*".
// Targets: at most 2 times the bare enumeration and 3 times FindFirstFileW. Between two timed
// SetPath calls the view shows an empty folder (not timed), so that each call reads the folder anew.
//
// The system's own list view takes about as long to draw one screen of such a list as the bare
// enumeration takes to read the whole folder, so the painted figures cannot come near their targets
// whatever the view does. What the view adds to that drawing is measured apart: its first screen
// after a fill (names and icons fetched from the shell for the rows drawn) against a plain system
// list view drawing the same screen from texts and icons it is handed ready-made.
#include "bench/SkinBenchSupport.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/SkinFileListView.h"

#include <shlobj.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

using namespace classlib;
using namespace skin;

namespace {

constexpr int kFiles = 10000;

// The folders the benchmark reads: one of kFiles files and an empty one.
struct TFolders {
  bench::TBenchFolders Made{"shell-list"};
  String Big = Made.Make("big", kFiles, 0);
  String Empty = Made.Make("empty", 0, 0);
};

// A plain system list view in the list style, owner data, over the same number of rows, the
// system's small icons beside names it is handed from a table: the least a screen of the view costs.
// Its window stands beside the view's on the virtual screen, so that neither covers the other.
class TSystemList {
public:
  TSystemList() {
    for (int i = 0; i < kFiles; ++i) FNames.push_back(ToWide("file" + IntToStr(i) + ".dat"));
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TavrelBenchListParent";
    RegisterClassW(&windowClass);
    FParent = CreateWindowW(windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 640, 0, 640, 480,
                            nullptr, nullptr, windowClass.hInstance, this);
    SetWindowLongPtrW(FParent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FList = CreateWindowW(WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_LIST | LVS_OWNERDATA, 0, 0, 620, 440,
                          FParent, nullptr, windowClass.hInstance, nullptr);
    SHFILEINFOW info{};
    const auto images = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    FImage = info.iIcon;
    SendMessageW(FList, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    SendMessageW(FList, LVM_SETITEMCOUNT, kFiles, 0);
    UpdateWindow(FParent);
  }
  ~TSystemList() { DestroyWindow(FParent); }
  TSystemList(const TSystemList&) = delete;
  TSystemList& operator=(const TSystemList&) = delete;

  HWND List() const { return FList; }

private:
  static LRESULT CALLBACK ParentProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    auto* self = reinterpret_cast<TSystemList*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
    if (self && Msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(LParam)->code == LVN_GETDISPINFOW) {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(LParam)->item;
      if (item.mask & LVIF_TEXT)
        lstrcpynW(item.pszText, reinterpret_cast<LPCWSTR>(self->FNames[static_cast<size_t>(item.iItem)].c_str()),
                  item.cchTextMax);
      if (item.mask & LVIF_IMAGE) item.iImage = self->FImage;
      return 0;
    }
    return DefWindowProcW(Window, Msg, WParam, LParam);
  }

  std::vector<WideString> FNames;
  HWND FParent = nullptr;
  HWND FList = nullptr;
  int FImage = 0;
};

struct TScene {
  TScene() : Form(std::make_unique<TForm>(nullptr)) {
    Application->Initialize();
    Form->SetBounds(0, 0, 640, 480);
    View = new TskSkinFileListView(Form.get());
    View->SetParent(Form.get());
    View->SetBounds(0, 0, 620, 440);
    View->SetViewStyle(TViewStyle::vsList);
    Form->Show();
    Application->ProcessMessages();
  }
  TFolders Folders;
  std::unique_ptr<TForm> Form;
  TskSkinFileListView* View = nullptr;
  TSystemList SystemList;
};
std::unique_ptr<TScene> TheScene;

// Shows the empty folder, then the big one: SetPath only, SetPath and the paint after it, or the
// paint alone.
enum class TShown { Filled, Painted, FirstScreen };

void ShowBigFolder(benchmark::State& state, TShown Timed) {
  TScene& s = *TheScene;
  for (auto _ : state) {
    state.PauseTiming();
    s.View->SetPath(s.Folders.Empty);
    Application->ProcessMessages();
    if (Timed != TShown::FirstScreen) state.ResumeTiming();
    s.View->SetPath(s.Folders.Big);
    if (Timed == TShown::FirstScreen) state.ResumeTiming();
    if (Timed != TShown::Filled) UpdateWindow(s.View->Handle());
  }
  if (s.View->FolderCount() != kFiles) state.SkipWithError("the view does not list every file");
}

void Register() {
  bench::AddTimed("shell_list/set_path_filled", [](benchmark::State& state) { ShowBigFolder(state, TShown::Filled); });
  bench::AddTimed("shell_list/set_path_painted", [](benchmark::State& state) { ShowBigFolder(state, TShown::Painted); });
  bench::AddTimed("shell_list/first_screen", [](benchmark::State& state) { ShowBigFolder(state, TShown::FirstScreen); });
  bench::AddTimed("shell_list/system_list_screen", [](benchmark::State& state) {
    const HWND list = TheScene->SystemList.List();
    for (auto _ : state) {
      InvalidateRect(list, nullptr, TRUE);
      UpdateWindow(list);
    }
  });
  bench::AddTimed("shell_list/shell_enumeration", [](benchmark::State& state) {
    int count = 0;
    for (auto _ : state) {
      const TComRef<IShellFolder> desktop = GetDesktopShellFolder();
      WideString path = ToWide(TheScene->Folders.Big);
      LPITEMIDLIST list = nullptr;
      desktop->ParseDisplayName(nullptr, nullptr, path.data(), nullptr, &list, nullptr);
      TComRef<IShellFolder> folder;
      desktop->BindToObject(list, nullptr, IID_IShellFolder, folder.PutVoid());
      FreeItemIDList(list);
      TComRef<IEnumIDList> items;
      folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, items.Put());
      count = 0;
      LPITEMIDLIST item = nullptr;
      while (items->Next(1, &item, nullptr) == S_OK) {
        ULONG attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM;
        LPCITEMIDLIST asked[] = {item};
        folder->GetAttributesOf(1, asked, &attributes);
        STRRET name{};
        folder->GetDisplayNameOf(item, SHGDN_INFOLDER | SHGDN_FORPARSING, &name);
        benchmark::DoNotOptimize(StrRetToText(item, name));
        FreeItemIDList(item);
        ++count;
      }
    }
    if (count != kFiles) state.SkipWithError("the enumeration misses files");
  });
  bench::AddTimed("shell_list/FindFirstFileW", [](benchmark::State& state) {
    const WideString pattern = ToWide(TheScene->Folders.Big + "\\*");
    int count = 0;
    for (auto _ : state) {
      WIN32_FIND_DATAW data;
      count = 0;
      const HANDLE find = FindFirstFileW(pattern.c_str(), &data);
      if (find == INVALID_HANDLE_VALUE) continue;
      do {
        benchmark::DoNotOptimize(data.cFileName[0]);
        ++count;
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    if (count != kFiles + 2) state.SkipWithError("the search misses files");
  });
}

}  // namespace

int main(int argc, char** argv) {
  TheScene = std::make_unique<TScene>();
  Register();
  const int status = bench::RunAgainstTargets(
      argc, argv,
      {{"shell_list/set_path_filled", "shell_list/shell_enumeration", 2.0},
       {"shell_list/set_path_painted", "shell_list/shell_enumeration", 2.0},
       {"shell_list/set_path_filled", "shell_list/FindFirstFileW", 3.0},
       {"shell_list/set_path_painted", "shell_list/FindFirstFileW", 3.0},
       {"shell_list/first_screen", "shell_list/system_list_screen", 2.0}});
  TheScene.reset();
  return status;
}
