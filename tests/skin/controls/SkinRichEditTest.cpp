#include "tests/skin/controls/SkinControlsTesting.h"

#include "platform/classlib/SysUtils.h"
#include "skin/controls/SkinRichEdit.h"
#include "skin/controls/SkinScrollBar.h"

#include <richedit.h>

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char EditForm[] = R"(object TestForm: TForm
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
  object Edit: TskSkinRichEdit
    Left = 0
    Top = 0
    Width = 280
    Height = 200
    VScrollBar = VBar
    HScrollBar = HBar
  end
end)";

class SkinRichEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(EditForm);
    Edit = dynamic_cast<TskSkinRichEdit*>(Form->FindComponent("Edit"));
    VBar = dynamic_cast<TskSkinScrollBar*>(Form->FindComponent("VBar"));
    HBar = dynamic_cast<TskSkinScrollBar*>(Form->FindComponent("HBar"));
    ASSERT_TRUE(Edit && VBar && HBar);
  }
  void FillLines(int Count) {
    String text;
    for (int i = 0; i < Count; ++i) text += "Line " + IntToStr(i) + "\r\n";
    Edit->SetText(text);
    windowtesting::Pump();
  }
  // The rich edit does not print itself into memory: its pixel on the screen.
  COLORREF ScreenPixel(int X, int Y) {
    RedrawWindow(Edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    windowtesting::Pump();
    const HDC dc = GetDC(Edit->Handle());
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Edit->Handle(), dc);
    return c;
  }
  int ScrollY() {
    POINT p{};
    SendMessageW(Edit->Handle(), EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&p));
    return p.y;
  }

  TTestSkin TestSkin;
  std::unique_ptr<TForm> Form;
  TskSkinRichEdit* Edit = nullptr;
  TskSkinScrollBar* VBar = nullptr;
  TskSkinScrollBar* HBar = nullptr;
};

}  // namespace

TEST_F(SkinRichEditTest, NoFrameAndBarsDisabledWhileThereIsNothingToScroll) {
  RECT window, client;
  GetWindowRect(Edit->Handle(), &window);
  GetClientRect(Edit->Handle(), &client);
  EXPECT_EQ(window.right - window.left, client.right);
  EXPECT_EQ(window.bottom - window.top, client.bottom);

  // Empty: both bars disabled (never hidden), the edit's own ranges reset.
  Edit->UpDateScrollBars();
  EXPECT_FALSE(VBar->Enabled());
  EXPECT_FALSE(HBar->Enabled());
  EXPECT_TRUE(VBar->Visible());
  int min = -1, max = -1;
  GetScrollRange(Edit->Handle(), SB_VERT, &min, &max);
  EXPECT_EQ(0, min);
  EXPECT_EQ(0, max);

  // Taller text enables the vertical bar, paged by the edit's height.
  FillLines(100);
  EXPECT_TRUE(VBar->Enabled());
  EXPECT_EQ(Edit->Height(), VBar->PageSize());
  GetScrollRange(Edit->Handle(), SB_VERT, &min, &max);
  EXPECT_EQ(max, VBar->Max());
  EXPECT_FALSE(HBar->Enabled()) << "the lines are narrow";

  Edit->Lines().Clear();
  windowtesting::Pump();
  EXPECT_FALSE(VBar->Enabled());
}

TEST_F(SkinRichEditTest, TheBarMovesTheTextOverItsWholeRange) {
  FillLines(5000);
  ASSERT_TRUE(VBar->Enabled());
  ASSERT_GE(VBar->Max(), 60000) << "5,000 lines of pixels";
  // Positions past what a signed 16-bit word holds reach the edit too.
  for (const int position : {1000, 40000, 60000, 300}) {
    VBar->SetPosition(position);
    windowtesting::Pump();
    EXPECT_EQ(position, GetScrollPos(Edit->Handle(), SB_VERT)) << position;
  }

  // The arrows step by lines through the edit itself.
  VBar->OnUpButtonClick(VBar);
  const int down = VBar->Position();
  EXPECT_GT(down, 300);
  EXPECT_EQ(down, GetScrollPos(Edit->Handle(), SB_VERT));
  VBar->OnDownButtonClick(VBar);
  EXPECT_EQ(300, VBar->Position());

  // At the ends the arrows only read the range again.
  VBar->SetPosition(VBar->Max() - VBar->PageSize() + 1);
  windowtesting::Pump();
  const int end = ScrollY();
  VBar->OnUpButtonClick(VBar);
  EXPECT_EQ(end, ScrollY());
  VBar->SetPosition(0);
  windowtesting::Pump();
  VBar->OnDownButtonClick(VBar);
  EXPECT_EQ(0, ScrollY());
}

TEST_F(SkinRichEditTest, ColoursComeFromTheSkinOnlyWithSkinSupport) {
  Edit->SetColor(clYellow);
  Edit->SetSkinData(&TestSkin.Skin());
  EXPECT_EQ(clYellow, Edit->Color()) << "without SkinSupport a skin changes only the character set";
  EXPECT_EQ(14, Edit->Font().Height());

  Edit->SetSkinSupport(true);
  Edit->ChangeSkinData();
  EXPECT_EQ(static_cast<TColor>(ViewColor), Edit->Color());
  EXPECT_EQ(16, Edit->Font().Height());
  EXPECT_EQ(clWhite, Edit->Font().Color());
  windowtesting::Pump();
  EXPECT_EQ(ViewColor, ScreenPixel(200, 150));

  Edit->SetSkinData(nullptr);
  Edit->ChangeSkinData();
  EXPECT_EQ(clWindow, Edit->Color()) << "the default colour";
}
