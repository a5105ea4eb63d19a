#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/TreeView.h"

#include <memory>
#include <vector>

using namespace classlib;
using windowtesting::Pump;
using windowtesting::ReadForm;

namespace {

const char* const TreeForm = R"(object TestForm: TForm
  ClientWidth = 300
  ClientHeight = 300
  object Tree: TTreeView
    Width = 250
    Height = 250
    ShowRoot = False
    Indent = 25
  end
end)";

class TreeViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ReadForm(TreeForm);
    Tree = dynamic_cast<TTreeView*>(Form->FindComponent("Tree"));
    ASSERT_TRUE(Tree);
  }
  // Parents a, b, c with two children each (a1, a2...), made before the window.
  void Fill() {
    for (const char* name : {"a", "b", "c"}) {
      TTreeNode* parent = Tree->Items().Add(nullptr, name);
      Tree->Items().AddChild(parent, String(name) + "1");
      Tree->Items().AddChild(parent, String(name) + "2");
    }
  }
  int WindowCount() { return static_cast<int>(SendMessageW(Tree->Handle(), TVM_GETCOUNT, 0, 0)); }

  std::unique_ptr<TForm> Form;
  TTreeView* Tree = nullptr;
};

}  // namespace

TEST_F(TreeViewTest, NodesMadeBeforeTheWindowReachItInOrder) {
  Fill();
  EXPECT_EQ(9, Tree->Items().Count());
  const std::vector<String> order = {"a", "a1", "a2", "b", "b1", "b2", "c", "c1", "c2"};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], Tree->Items().Item(i)->Text()) << i;
  EXPECT_THROW(Tree->Items().Item(9), EStringListError);
  EXPECT_EQ(1, Tree->Items().Item(5)->Level());
  EXPECT_EQ(1, Tree->Items().Item(5)->Index());

  Form->Show();
  EXPECT_EQ(9, WindowCount());
  EXPECT_EQ(25, static_cast<int>(SendMessageW(Tree->Handle(), TVM_GETINDENT, 0, 0)));
  EXPECT_FALSE(GetWindowLongW(Tree->Handle(), GWL_STYLE) & TVS_LINESATROOT);

  // A node with its children goes from both lists at once.
  Tree->Items().Item(3)->Delete();
  EXPECT_EQ(6, Tree->Items().Count());
  EXPECT_EQ(6, WindowCount());
  EXPECT_EQ("c", Tree->Items().Item(3)->Text());
  Tree->Items().Clear();
  EXPECT_EQ(0, Tree->Items().Count());
  EXPECT_EQ(0, WindowCount());
}

TEST_F(TreeViewTest, ExpandedAndSelectedNodesOutliveTheWindow) {
  Fill();
  TTreeNode* b = Tree->Items().Item(3);
  b->Expand(false);
  Tree->SetSelected(Tree->Items().Item(4));
  Form->Show();
  EXPECT_TRUE(b->Expanded());
  EXPECT_FALSE(Tree->Items().Item(0)->Expanded());
  EXPECT_EQ(Tree->Items().Item(4), Tree->Selected());

  // The user's changes live in the window; a window made anew shows them again.
  Tree->Items().Item(6)->Expand(false);
  Tree->Items().Item(7)->SetSelected(true);
  Tree->RecreateWnd();
  EXPECT_TRUE(Tree->Items().Item(6)->Expanded());
  EXPECT_TRUE(b->Expanded());
  EXPECT_EQ(Tree->Items().Item(7), Tree->Selected());
  EXPECT_EQ(9, WindowCount());
}

TEST_F(TreeViewTest, SelectingAndExpandingReportTheNode) {
  Fill();
  Form->Show();
  std::vector<String> changes, expanded, collapsed;
  Tree->OnChange = [&changes](TObject*, TTreeNode* Node) { changes.push_back(Node ? Node->Text() : "-"); };
  Tree->OnExpanded = [&expanded](TObject*, TTreeNode* Node) { expanded.push_back(Node->Text()); };
  Tree->OnCollapsed = [&collapsed](TObject*, TTreeNode* Node) { collapsed.push_back(Node->Text()); };
  Tree->SetSelected(Tree->Items().Item(3));
  Tree->Items().Item(0)->Expand(false);
  Tree->Items().Item(0)->Collapse(false);
  Pump();
  EXPECT_EQ(std::vector<String>{"b"}, changes);
  EXPECT_EQ(std::vector<String>{"a"}, expanded);
  EXPECT_EQ(std::vector<String>{"a"}, collapsed);

  // A renamed node carries its new text into the window.
  Tree->Items().Item(0)->SetText("renamed");
  WCHAR text[32] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = Tree->Items().Item(0)->ItemId();
  item.pszText = text;
  item.cchTextMax = 32;
  SendMessageW(Tree->Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(0, lstrcmpW(text, L"renamed"));
}
