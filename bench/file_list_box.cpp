// The file list box reading a folder of 10,000 files (UpdateList: the folder made current, every
// entry found, listed in order and shown) against a plain FindFirstFileW/FindNextFileW listing of
// "folder\*.*", in the same run. Target: at most 1.5 times the plain listing.

#include "bench/SkinBenchSupport.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/SkinDriveDirFileLists.h"

#include <memory>

using namespace classlib;
using namespace skin;

namespace {

constexpr int kFiles = 10000;

// The folder the benchmark reads: kFiles files.
struct TFolder {
  bench::TBenchFolders Made{"file-list"};
  String Path = Made.Make("files", kFiles, 0);
};

struct TScene {
  TScene() : Form(std::make_unique<TForm>(nullptr)) {
    Application->Initialize();
    Form->SetBounds(0, 0, 400, 480);
    List = new TskSkinFileListBox(Form.get());
    List->SetParent(Form.get());
    List->SetBounds(0, 0, 380, 440);
    Form->Show();
    List->SetDirectory(Folder.Path);
    Application->ProcessMessages();
  }
  TFolder Folder;
  std::unique_ptr<TForm> Form;
  TskSkinFileListBox* List = nullptr;
};
std::unique_ptr<TScene> TheScene;

void Register() {
  bench::AddTimed("file_list_box/read", [](benchmark::State& state) {
    TScene& s = *TheScene;
    for (auto _ : state) s.List->UpdateList();
    if (s.List->Items().Count() != kFiles) state.SkipWithError("the list does not show every file");
  });
  bench::AddTimed("file_list_box/FindFirstFileW", [](benchmark::State& state) {
    const WideString pattern = ToWide(TheScene->Folder.Path + "\\*.*");
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
  const int status =
      bench::RunAgainstTargets(argc, argv, {{"file_list_box/read", "file_list_box/FindFirstFileW", 1.5}});
  TheScene.reset();
  return status;
}
