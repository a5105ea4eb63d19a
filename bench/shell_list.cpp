// The shell file list view against the plain ways of reading a folder, in the same run, over a
// folder of 10,000 files:
// - SetPath to the view sorted and filled (TskSkinFileListView in the list style, default mask),
//   and to its first painted screen (UpdateWindow after it);
// - the bare shell enumeration: the folder parsed and bound from the desktop, EnumObjects, and for
//   every item GetAttributesOf and its in-folder parsing name;
// - FindFirstFileW/FindNextFileW over "folder\*".
// Targets: at most 2 times the bare enumeration and 3 times FindFirstFileW. Between two timed
// SetPath calls the view shows an empty folder (not timed), so that each call reads the folder anew.

#include "bench/SkinBenchSupport.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/SkinFileListView.h"

#include <shlobj.h>

#include <memory>
#include <string>

using namespace classlib;
using namespace skin;

namespace {

constexpr int kFiles = 10000;

// The folders the benchmark reads, made in the system's temporary folder and removed at the end.
class TFolders {
public:
  TFolders() {
    WCHAR temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    Base = IncludeTrailingPathDelimiter(FromWide(temp)) + "tavrel_shell_list_" + IntToStr(GetCurrentProcessId());
    Big = Base + "\\big";
    Empty = Base + "\\empty";
    ForceDirectories(Big);
    ForceDirectories(Empty);
    for (int i = 0; i < kFiles; ++i) {
      const HANDLE file = CreateFileW(ToWide(Big + "\\file" + IntToStr(i) + ".dat").c_str(), GENERIC_WRITE, 0,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
  }
  ~TFolders() {
    for (int i = 0; i < kFiles; ++i) DeleteFileW(ToWide(Big + "\\file" + IntToStr(i) + ".dat").c_str());
    RemoveDirectoryW(ToWide(Big).c_str());
    RemoveDirectoryW(ToWide(Empty).c_str());
    RemoveDirectoryW(ToWide(Base).c_str());
  }
  TFolders(const TFolders&) = delete;
  TFolders& operator=(const TFolders&) = delete;

  String Base, Big, Empty;
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
};
std::unique_ptr<TScene> TheScene;

void ShowBigFolder(benchmark::State& state, bool Paint) {
  TScene& s = *TheScene;
  for (auto _ : state) {
    state.PauseTiming();
    s.View->SetPath(s.Folders.Empty);
    Application->ProcessMessages();
    state.ResumeTiming();
    s.View->SetPath(s.Folders.Big);
    if (Paint) UpdateWindow(s.View->Handle());
  }
  if (s.View->FolderCount() != kFiles) state.SkipWithError("the view does not list every file");
}

void Register() {
  bench::AddTimed("shell_list/set_path_filled", [](benchmark::State& state) { ShowBigFolder(state, false); });
  bench::AddTimed("shell_list/set_path_painted", [](benchmark::State& state) { ShowBigFolder(state, true); });
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
       {"shell_list/set_path_painted", "shell_list/FindFirstFileW", 3.0}});
  TheScene.reset();
  return status;
}
