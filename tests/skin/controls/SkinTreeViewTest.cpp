#include "tests/skin/controls/SkinControlsTesting.h"

#include "platform/classlib/SysUtils.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinTreeView.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char TreeForm[] = R"(object TestForm: TForm
  ClientWidth = 400
  ClientHeight = 300
  object VBar: TskSkinScrollBar
    Left = 281
    Top = 0
    Width = 19
    Height = 200
    Kind = sbVertical
  end
  object HBar: TskSkinScrollBar
    Left = 0
    Top = 200
    Width = 280
    Height = 19
  end
  object Images: TImageList
  end
  object Tree: TskSkinTreeView
    Left = 0
    Top = 0
    Width = 280
    Height = 200
    Images = Images
    VScrollBar = VBar
    HScrollBar = HBar
  end
end)";

class SkinTreeViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(TreeForm);
    Tree = dynamic_cast<TskSkinTreeView*>(Form->FindComponent("Tree"));
    VBar = dynamic_cast<TskSkinScrollBar*>(Form->FindComponent("VBar"));
    HBar = dynamic_cast<TskSkinScrollBar*>(Form->FindComponent("HBar"));
    ASSERT_TRUE(Tree && VBar && HBar);
  }

  void AddRoots(int Count) {
    Tree->Items().BeginUpdate();
    for (int i = 0; i < Count; ++i) Tree->Items().AddChild(nullptr, "Node " + IntToStr(i));
    Tree->Items().EndUpdate();
    Settle();
  }
  // Lets the tree paint, which brings the bars into line.
  void Settle() {
    RedrawWindow(Tree->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    windowtesting::Pump();
  }
  int VisibleCount() { return static_cast<int>(SendMessageW(Tree->Handle(), TVM_GETVISIBLECOUNT, 0, 0)); }
  // The index among the top nodes of the node at the top of the tree.
  int TopRow() {
    const LPARAM item = SendMessageW(Tree->Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
    TVITEMW tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = reinterpret_cast<HTREEITEM>(item);
    SendMessageW(Tree->Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return reinterpret_cast<TTreeNode*>(tv.lParam)->Index();
  }

  TTestSkin TestSkin;
  std::unique_ptr<TForm> Form;
  TskSkinTreeView* Tree = nullptr;
  TskSkinScrollBar* VBar = nullptr;
  TskSkinScrollBar* HBar = nullptr;
};

}  // namespace

TEST_F(SkinTreeViewTest, ColourFontAndPictureBackgroundFollowTheSkin) {
  EXPECT_EQ(clWindow, Tree->Color());
  Tree->SetDefaultColor(clYellow);
  EXPECT_EQ(clYellow, Tree->Color());

  Tree->SetSkinData(&TestSkin.Skin());
  EXPECT_EQ(static_cast<TColor>(ViewColor), Tree->Color());
  EXPECT_EQ(16, Tree->Font().Height());
  EXPECT_EQ(clWhite, Tree->Font().Color());
  EXPECT_EQ(Tree->Color(), Tree->Images()->BkColor()) << "the pictures stand on the tree's background";
  // Skinned, a new default colour is only kept.
  Tree->SetDefaultColor(clLime);
  EXPECT_EQ(static_cast<TColor>(ViewColor), Tree->Color());
  Tree->Items().AddChild(nullptr, "one");
  Settle();
  EXPECT_EQ(ViewColor, WindowPixel(Tree->Handle(), 200, 150));

  // The skin gone, the defaults come back.
  Tree->SetSkinData(nullptr);
  Tree->ChangeSkinData();
  EXPECT_EQ(clLime, Tree->Color());
  EXPECT_EQ(clLime, Tree->Images()->BkColor());
  EXPECT_EQ(14, Tree->Font().Height());
}

TEST_F(SkinTreeViewTest, TheVerticalBarShowsOnlyWhileRowsOutgrowTheTree) {
  // A few nodes fit: no bar, and no native bar either (no non-client area).
  TTreeNode* parent = Tree->Items().AddChild(nullptr, "parent");
  for (int i = 0; i < 3; ++i) Tree->Items().AddChild(nullptr, "node");
  for (int i = 0; i < 100; ++i) Tree->Items().AddChild(parent, "child " + IntToStr(i));
  Settle();
  EXPECT_FALSE(VBar->Visible());
  RECT window, client;
  GetWindowRect(Tree->Handle(), &window);
  GetClientRect(Tree->Handle(), &client);
  EXPECT_EQ(window.right - window.left, client.right);

  // Expanding the parent outgrows the tree: the bar shows, paged by the rows in view.
  parent->Expand(false);
  Settle();
  ASSERT_TRUE(VBar->Visible());
  EXPECT_EQ(VisibleCount(), VBar->PageSize());
  EXPECT_EQ(103, VBar->Max());
  EXPECT_TRUE(HBar->Both()) << "the horizontal bar leaves the corner to the vertical one";

  // Collapsing it again hides the bar, though the tree keeps its old range.
  parent->Collapse(false);
  Settle();
  EXPECT_FALSE(VBar->Visible());
}

TEST_F(SkinTreeViewTest, MovingTheBarScrollsTheTreeEvenPast16Bits) {
  constexpr int Count = 70000;
  AddRoots(Count);
  ASSERT_TRUE(VBar->Visible());
  EXPECT_EQ(Count - 1, VBar->Max());
  const int smallChange = VBar->SmallChange();

  struct Case {
    int Position;
  } cases[] = {{500}, {40000}, {68000}, {120}};
  for (const Case& c : cases) {
    VBar->SetPosition(c.Position);
    windowtesting::Pump();
    EXPECT_EQ(c.Position, TopRow()) << c.Position;
    EXPECT_EQ(c.Position, GetScrollPos(Tree->Handle(), SB_VERT)) << c.Position;
  }
  EXPECT_EQ(smallChange, VBar->SmallChange()) << "the bar keeps its own steps";

  // The tree's own scrolling moves the bar.
  SendMessageW(Tree->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  Settle();
  EXPECT_EQ(121, VBar->Position());
}

TEST_F(SkinTreeViewTest, ABarFreedOrHiddenWithTheTreeIsLetGo) {
  AddRoots(50);
  ASSERT_TRUE(VBar->Visible());
  Tree->SetVisible(false);
  EXPECT_FALSE(VBar->Visible());
  Tree->SetVisible(true);
  EXPECT_TRUE(VBar->Visible());

  delete HBar;
  Tree->Items().AddChild(nullptr, "a node with a long caption that reaches far beyond the tree's width");
  Settle();
  EXPECT_EQ(nullptr, Tree->HScrollBar());
}
