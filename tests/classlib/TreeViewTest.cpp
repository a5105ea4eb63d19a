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

TEST_F(TreeViewTest, InsertedBeforeWalkedInOrderAndSorted) {
  Fill();
  Form->Show();
  TTreeNode* b = Tree->Items().Item(3);
  Tree->Items().Insert(b, "ab");
  Tree->Items().Insert(Tree->Items().Item(1), "a0");
  std::vector<String> walked;
  for (TTreeNode* node = Tree->Items().GetFirstNode(); node; node = node->GetNext()) walked.push_back(node->Text());
  EXPECT_EQ(walked, (std::vector<String>{"a", "a0", "a1", "a2", "ab", "b", "b1", "b2", "c", "c1", "c2"}));
  EXPECT_EQ(b->GetPrevSibling()->Text(), "ab");
  EXPECT_EQ(11, WindowCount());

  // The window shows the nodes' order, also after sorting.
  TTreeNode* a = Tree->Items().GetFirstNode();
  a->CustomSort([](TTreeNode* X, TTreeNode* Y) { return Y->Text().compare(X->Text()); });
  const auto windowChildren = [this](const TTreeNode* Parent) {
    std::vector<String> texts;
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(Tree->Handle(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(Parent->ItemId())));
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     SendMessageW(Tree->Handle(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
      texts.push_back(Tree->Items().GetNode(item)->Text());
    return texts;
  };
  EXPECT_EQ(windowChildren(a), (std::vector<String>{"a2", "a1", "a0"}));
  EXPECT_EQ(a->Item(0)->Text(), "a2");
}

TEST_F(TreeViewTest, ChildrenReadWhenANodeFirstOpens) {
  TTreeNode* lazy = Tree->Items().Add(nullptr, "lazy");
  lazy->SetHasChildren(true);
  TTreeNode* none = Tree->Items().Add(nullptr, "none");
  Form->Show();
  int asked = 0;
  Tree->OnExpanding = [&](TObject*, TTreeNode* Node, bool& Allow) {
    ++asked;
    if (Node == none) Allow = false;
    if (Node->Count() == 0) Tree->Items().AddChild(Node, "read");
  };
  // The user opens a node that claims children it has not read.
  Tree->SetSelected(lazy);
  SendMessageW(Tree->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  Pump();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(lazy->Expanded());
  ASSERT_EQ(lazy->Count(), 1);
  EXPECT_EQ(WindowCount(), 3);
  // The program opens one; a refused one stays closed.
  none->SetHasChildren(true);
  none->Expand(false);
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(none->Expanded());
  // The last child going takes the button with it.
  lazy->Item(0)->Delete();
  EXPECT_FALSE(lazy->HasChildren());
}

TEST_F(TreeViewTest, RefusalsRenamingDeletionAndPictures) {
  Fill();
  Form->Show();
  Tree->SetSelected(Tree->Items().Item(0));
  Tree->OnChanging = [](TObject*, TTreeNode* Node, bool& Allow) { Allow = Node->Text() != "b"; };
  Tree->SetSelected(Tree->Items().Item(3));
  EXPECT_EQ(Tree->Selected(), Tree->Items().Item(0)) << "the move was refused";
  Tree->SetSelected(Tree->Items().Item(6));
  EXPECT_EQ(Tree->Selected(), Tree->Items().Item(6));

  // Renaming: refused for one node; for another the handler has the last word on the text.
  Tree->OnEditing = [](TObject*, TTreeNode* Node, bool& Allow) { Allow = Node->Text() != "c"; };
  EXPECT_FALSE(Tree->Items().Item(6)->EditText());
  TTreeNode* a1 = Tree->Items().Item(1);
  Tree->OnEdited = [](TObject*, TTreeNode*, String& S) { S += "!"; };
  ASSERT_TRUE(a1->EditText());
  EXPECT_TRUE(Tree->IsEditing());
  SetWindowTextW(reinterpret_cast<HWND>(SendMessageW(Tree->Handle(), TVM_GETEDITCONTROL, 0, 0)), L"new");
  a1->EndEdit(false);
  EXPECT_EQ(a1->Text(), "new!");
  EXPECT_FALSE(Tree->IsEditing());

  // Every node going is told, children first.
  std::vector<String> deleted;
  Tree->OnDeletion = [&deleted](TObject*, TTreeNode* Node) { deleted.push_back(Node->Text()); };
  Tree->Items().Item(3)->Delete();
  EXPECT_EQ(deleted, (std::vector<String>{"b1", "b2", "b"}));

  // The window asks for the pictures of the nodes it draws.
  std::vector<String> drawn;
  Tree->OnGetImageIndex = [&drawn](TObject*, TTreeNode* Node) {
    drawn.push_back(Node->Text());
    Node->SetImageIndex(3);
  };
  Tree->Invalidate();
  UpdateWindow(Tree->Handle());
  EXPECT_FALSE(drawn.empty());
  TVITEMW item{};
  item.mask = TVIF_IMAGE;
  item.hItem = Tree->Items().Item(0)->ItemId();
  SendMessageW(Tree->Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, 3) << "the window takes the handler's answer";
}

TEST_F(TreeViewTest, AChangeDelayReportsOnlyWhereTheSelectionStopped) {
  Fill();
  Form->Show();
  std::vector<String> changes;
  Tree->OnChange = [&changes](TObject*, TTreeNode* Node) { changes.push_back(Node ? Node->Text() : "-"); };
  Tree->SetChangeDelay(50);
  Tree->SetSelected(Tree->Items().Item(0));
  Tree->SetSelected(Tree->Items().Item(3));
  EXPECT_TRUE(changes.empty());
  windowtesting::PumpFor(200);
  EXPECT_EQ(changes, std::vector<String>{"b"});
}
