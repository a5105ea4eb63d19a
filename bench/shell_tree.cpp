// The shell tree view against a plain reading of the same folder, in the same run, over a folder of
// 2,000 sub-folders:
// - expanding the tree node of that folder for the first time (its children read, sorted and
//   shown), and its first painted screen after it;
// - FindFirstFileW/FindNextFileW over "folder\*", probing each sub-folder with a second search for
//   a sub-folder of its own (what the tree's expand buttons need to know).
// Target: at most 3 times the plain reading. Between two timed expansions the tree is rebuilt from
// its root (not timed), so that each expansion reads the folder anew.

#include "bench/SkinBenchSupport.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/SkinDirTreeView.h"

#include <memory>

using namespace classlib;
using namespace skin;

namespace {

constexpr int kFolders = 2000;

// The folders the benchmark reads: the tree's root holding one folder of kFolders subfolders.
struct TFolders {
  bench::TBenchFolders Made{"shell-tree"};
  String Base = Made.Base();
  String Big = Made.Make("big", 0, kFolders);
};

struct TScene {
  TScene() : Form(std::make_unique<TForm>(nullptr)) {
    Application->Initialize();
    Form->SetBounds(0, 0, 640, 480);
    Tree = new TskSkinDirTreeView(Form.get());
    Tree->SetParent(Form.get());
    Tree->SetBounds(0, 0, 620, 440);
    Tree->SetRoot(Folders.Base);
    Form->Show();
    Application->ProcessMessages();
  }
  // The node of the big folder, read afresh but not yet opened.
  TTreeNode* FreshBigNode() {
    Tree->CreateRoot();
    Application->ProcessMessages();
    TTreeNode* root = Tree->Items().GetFirstNode();
    return root && root->Count() == 1 ? root->Item(0) : nullptr;
  }

  TFolders Folders;
  std::unique_ptr<TForm> Form;
  TskSkinDirTreeView* Tree = nullptr;
};
std::unique_ptr<TScene> TheScene;

void ExpandBigFolder(benchmark::State& state, bool Paint) {
  TScene& s = *TheScene;
  int children = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TTreeNode* big = s.FreshBigNode();
    state.ResumeTiming();
    if (!big) break;
    big->Expand(false);
    if (Paint) UpdateWindow(s.Tree->Handle());
    children = big->Count();
  }
  if (children != kFolders) state.SkipWithError("the node does not show every sub-folder");
}

// Whether a folder holds a folder of its own, as a plain search finds out.
bool HasSubFolder(const String& Folder) {
  WIN32_FIND_DATAW data;
  const HANDLE find = FindFirstFileW(ToWide(Folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  do {
    const bool dots = data.cFileName[0] == L'.' &&
                      (data.cFileName[1] == 0 || (data.cFileName[1] == L'.' && data.cFileName[2] == 0));
    found = !dots && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  } while (!found && FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

void Register() {
  bench::AddTimed("shell_tree/expand_node", [](benchmark::State& state) { ExpandBigFolder(state, false); });
  bench::AddTimed("shell_tree/expand_node_painted", [](benchmark::State& state) { ExpandBigFolder(state, true); });
  bench::AddTimed("shell_tree/FindFirstFileW_probed", [](benchmark::State& state) {
    const String big = TheScene->Folders.Big;
    const WideString pattern = ToWide(big + "\\*");
    int count = 0;
    for (auto _ : state) {
      WIN32_FIND_DATAW data;
      count = 0;
      const HANDLE find = FindFirstFileW(pattern.c_str(), &data);
      if (find == INVALID_HANDLE_VALUE) continue;
      do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || data.cFileName[0] == L'.') continue;
        benchmark::DoNotOptimize(HasSubFolder(big + "\\" + FromWide(data.cFileName)));
        ++count;
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    if (count != kFolders) state.SkipWithError("the search misses folders");
  });
}

}  // namespace

int main(int argc, char** argv) {
  TheScene = std::make_unique<TScene>();
  Register();
  const int status = bench::RunAgainstTargets(
      argc, argv,
      {{"shell_tree/expand_node", "shell_tree/FindFirstFileW_probed", 3.0},
       {"shell_tree/expand_node_painted", "shell_tree/FindFirstFileW_probed", 3.0}});
  TheScene.reset();
  return status;
}
