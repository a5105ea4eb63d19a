#include "tests/skin/controls/SkinControlsTesting.h"

#include "platform/classlib/ExtCtrls.h"
#include "skin/controls/SkinNotebook.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char NotebookForm[] = R"(object TestForm: TForm
  Width = 600
  Height = 400
  object Stored: TskSkinNotebook
    Left = 10
    Top = 10
    Width = 200
    Height = 200
    PageIndex = 1
    object First: TskSkinPage
      Caption = 'First'
    end
    object Second: TskSkinPage
      Caption = 'Second'
    end
  end
end)";

class SkinNotebookTest : public ::testing::Test {
protected:
  void SetUp() override { Form = ShowForm(NotebookForm); }
  std::unique_ptr<TskSkinNotebook> MakeNotebook() {
    auto nb = std::make_unique<TskSkinNotebook>(nullptr);
    nb->SetBounds(250, 10, 200, 300);
    nb->SetParent(Form.get());
    return nb;
  }
  // The indexes of the pages shown.
  static std::vector<int> Shown(const TskSkinNotebook& Nb) {
    std::vector<int> shown;
    for (int i = 0; i < Nb.PageCount(); ++i)
      if (Nb.Page(i).Visible()) shown.push_back(i);
    return shown;
  }

  std::unique_ptr<TForm> Form;
};

TEST_F(SkinNotebookTest, ANewNotebookHasItsDefaultPage) {
  auto nb = MakeNotebook();
  ASSERT_EQ(1, nb->PageCount());
  EXPECT_EQ("Default", nb->Pages().Strings(0));
  EXPECT_EQ(0, nb->PageIndex());
  EXPECT_EQ(std::vector<int>{0}, Shown(*nb));
  EXPECT_EQ("Default", nb->ActivePage());
  // The page lets the mouse through to the notebook.
  EXPECT_EQ(HTTRANSPARENT, SendMessageW(nb->Page(0).Handle(), WM_NCHITTEST, 0, 0));

  // Read from a form: the stored pages replace it, and the stored index is shown.
  auto& stored = *dynamic_cast<TskSkinNotebook*>(Form->FindComponent("Stored"));
  ASSERT_EQ(2, stored.PageCount());
  EXPECT_EQ("First", stored.Pages().Strings(0));
  EXPECT_EQ(1, stored.PageIndex());
  EXPECT_EQ(std::vector<int>{1}, Shown(stored));
}

TEST_F(SkinNotebookTest, ButtonsOfEarlierPagesStandAboveThoseOfLaterOnesBelow) {
  auto nb = MakeNotebook();
  TStringList pages;
  for (const char* caption : {"A", "B", "C", "D"}) pages.Add(caption);
  nb->SetPages(pages);
  EXPECT_EQ(0, nb->ButtonCount()) << "no buttons outside buttons mode";
  nb->SetPageIndex(1);
  nb->SetButtonsMode(true);
  windowtesting::Pump();
  ASSERT_EQ(4, nb->ButtonCount());
  const TskSkinPage& page = nb->Page(1);
  EXPECT_LT(nb->PageButton(0).Top(), nb->PageButton(1).Top());
  EXPECT_LE(nb->PageButton(1).Top() + nb->PageButton(1).Height(), page.Top());
  EXPECT_GE(nb->PageButton(2).Top(), page.Top() + page.Height());
  EXPECT_LT(nb->PageButton(2).Top(), nb->PageButton(3).Top());
  EXPECT_EQ("C", nb->PageButton(2).Caption());

  // A click on a button below shows its page, and its button joins those above.
  nb->PageButton(3).ButtonClick();
  EXPECT_EQ(3, nb->PageIndex());
  const TskSkinPage& last = nb->Page(3);
  EXPECT_LE(nb->PageButton(3).Top() + nb->PageButton(3).Height(), last.Top());
  EXPECT_LT(nb->PageButton(2).Top(), nb->PageButton(3).Top());
  EXPECT_EQ(std::vector<int>{3}, Shown(*nb));
}

TEST_F(SkinNotebookTest, ExactlyThePageOfPageIndexIsShownAfterTheListChanges) {
  auto nb = MakeNotebook();
  TStringList pages;
  for (const char* caption : {"A", "B", "C", "D"}) pages.Add(caption);
  nb->SetPages(pages);
  int changes = 0;
  nb->OnPageChanged = [&](TObject*) { ++changes; };
  nb->SetPageIndex(0);
  EXPECT_EQ(1, changes);
  // Deleting the page shown shows the one that takes its place.
  nb->Pages().Delete(0);
  EXPECT_EQ(0, nb->PageIndex());
  EXPECT_EQ("B", nb->ActivePage());
  EXPECT_EQ(std::vector<int>{0}, Shown(*nb));
  // Deleting an earlier page keeps the shown page shown.
  nb->SetPageIndex(2);
  nb->Pages().Delete(0);
  EXPECT_EQ("D", nb->ActivePage());
  EXPECT_EQ(std::vector<int>{1}, Shown(*nb));
  // Move exchanges two pages; the index keeps naming the page shown.
  nb->Pages().Add("E");
  nb->Pages().Move(0, 2);
  EXPECT_EQ("E", nb->Pages().Strings(0));
  EXPECT_EQ("D", nb->Pages().Strings(1));
  EXPECT_EQ("C", nb->Pages().Strings(2));
  EXPECT_EQ(2, nb->PageIndex());
  EXPECT_EQ(std::vector<int>{2}, Shown(*nb));
  // Inserting before the page shown keeps it shown before showing the new one.
  nb->Pages().Insert(0, "F");
  EXPECT_EQ(0, nb->PageIndex());
  EXPECT_EQ(std::vector<int>{0}, Shown(*nb));
  // An unknown caption changes nothing; one known by another case shows its page.
  nb->SetActivePage("nothing");
  EXPECT_EQ(0, nb->PageIndex());
  nb->SetActivePage("d");
  EXPECT_EQ(2, nb->PageIndex());
  nb->Pages().Clear();
  EXPECT_EQ(-1, nb->PageIndex());
  EXPECT_EQ("", nb->ActivePage());
}

}  // namespace

TEST_F(SkinNotebookTest, ShowingAPageTurnsTheNotebookToIt) {
  auto nb = MakeNotebook();
  nb->Pages().Add("Second");
  nb->Pages().Add("Third");
  nb->SetPageIndex(0);
  int changes = 0;
  nb->OnPageChanged = [&changes](TObject*) { ++changes; };
  nb->Page(2).Show();
  EXPECT_EQ(2, nb->PageIndex());
  EXPECT_EQ(std::vector<int>{2}, Shown(*nb));
  EXPECT_EQ(1, changes);

  // A control on a page asks its way up: the page, then the notebook.
  TPanel inner(nullptr);
  inner.SetParent(&nb->Page(1));
  inner.Hide();
  inner.Show();
  EXPECT_EQ(1, nb->PageIndex());
  EXPECT_EQ(std::vector<int>{1}, Shown(*nb));
  EXPECT_TRUE(inner.Visible());
}
