#include "tests/skin/controls/SkinControlsTesting.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScrollBar.h"

#include <vector>

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char ViewForm[] = R"(object TestForm: TForm
  ClientWidth = 400
  ClientHeight = 300
  object VBar: TskSkinScrollBar
    Left = 381
    Top = 0
    Width = 19
    Height = 200
    Kind = sbVertical
  end
  object HBar: TskSkinScrollBar
    Left = 0
    Top = 200
    Width = 380
    Height = 19
  end
  object View: TskSkinListView
    Left = 0
    Top = 0
    Width = 380
    Height = 200
    ViewStyle = vsReport
    Columns = <
      item
        Caption = 'Title'
        Width = 110
      end
      item
        Alignment = taCenter
        Caption = 'Track'
        Width = 125
      end>
    VScrollBar = VBar
    HScrollBar = HBar
  end
end)";

constexpr int TitleWidth = 110;
constexpr int TrackWidth = 125;

class SkinListViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(ViewForm);
    View = dynamic_cast<TskSkinListView*>(Form->FindComponent("View"));
    VBar = dynamic_cast<TskSkinScrollBar*>(Form->FindComponent("VBar"));
    HBar = dynamic_cast<TskSkinScrollBar*>(Form->FindComponent("HBar"));
    ASSERT_TRUE(View && VBar && HBar);
  }

  void AddItems(int Count) {
    // Wine repaints after every new item of a shown list: tens of milliseconds each.
    SendMessageW(View->Handle(), WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < Count; ++i) View->Items().Add()->SetCaption("Track " + IntToStr(i + 1));
    SendMessageW(View->Handle(), WM_SETREDRAW, TRUE, 0);
    Settle();
  }
  // Lets the view paint, which brings the bars into line.
  void Settle() {
    RedrawWindow(View->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    windowtesting::Pump();
  }
  void Skin() {
    View->SetSkinData(&TestSkin.Skin());
    Settle();
  }
  HWND Header() const { return View->HeaderWindow(); }
  int HeaderHeight() const {
    RECT r{};
    GetClientRect(Header(), &r);
    return r.bottom;
  }
  void PostToHeader(UINT Msg, int X, int Y) {
    PostMessageW(Header(), Msg, Msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(X, Y));
    windowtesting::Pump();
  }
  int TopIndex() { return static_cast<int>(SendMessageW(View->Handle(), LVM_GETTOPINDEX, 0, 0)); }
  int CountPerPage() { return static_cast<int>(SendMessageW(View->Handle(), LVM_GETCOUNTPERPAGE, 0, 0)); }

  TTestSkin TestSkin;
  std::unique_ptr<TForm> Form;
  TskSkinListView* View = nullptr;
  TskSkinScrollBar* VBar = nullptr;
  TskSkinScrollBar* HBar = nullptr;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Colour and font

TEST_F(SkinListViewTest, ColourAndFontFromTheSkinOrTheDefaults) {
  EXPECT_EQ(View->Color(), clWindow);
  EXPECT_EQ(View->Font().Name(), "Arial");
  EXPECT_EQ(View->Font().Height(), 14);

  Skin();
  EXPECT_EQ(View->Color(), static_cast<TColor>(ViewColor));
  EXPECT_EQ(View->Font().Height(), 16);
  EXPECT_EQ(View->Font().Color(), clWhite);
  // The list's own background (below the header, where no item is) shows the skin's colour.
  windowtesting::TPaintTarget target(View->Width(), View->Height(), 0xFF00FF);
  SendMessageW(View->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.DC()), 0);
  EXPECT_EQ(target.Pixel(200, 150), ViewColor);

  // While skinned, the defaults are only stored.
  View->SetDefaultColor(clRed);
  TFont bold;
  bold.SetName("Arial");
  bold.SetHeight(20);
  View->SetDefaultFont(bold);
  EXPECT_EQ(View->Color(), static_cast<TColor>(ViewColor));
  EXPECT_EQ(View->Font().Height(), 16);

  // Without the skin's font the view takes the default one, in the skin's colour.
  View->SetUseSkinFont(false);
  View->ChangeSkinData();
  EXPECT_EQ(View->Font().Height(), 20);
  EXPECT_EQ(View->Font().Color(), clWhite);

  // A description the skin lacks leaves the defaults.
  View->SetSkinDataName("nosuchview");
  View->ChangeSkinData();
  EXPECT_EQ(View->SkinControlIndex(), -1);
  EXPECT_EQ(View->Color(), clRed);
  EXPECT_EQ(View->Font().Height(), 20);
}

TEST_F(SkinListViewTest, PublishedPropertiesAndTheirDefaults) {
  EXPECT_EQ(View->SkinDataName(), "listview");
  EXPECT_EQ(View->HeaderSkinDataName(), "resizebutton");
  EXPECT_EQ(View->DefaultColor(), clWindow);
  EXPECT_TRUE(View->UseSkinFont());
  EXPECT_EQ(View->DefaultFont().Name(), "Arial");
  EXPECT_EQ(View->DefaultFont().Height(), 14);
  EXPECT_EQ(View->SkinData(), nullptr);
  EXPECT_EQ(View->VScrollBar(), VBar);
  EXPECT_EQ(View->HScrollBar(), HBar);

  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object Channels: TskSkinListView
    SkinDataName = 'tracks'
    HeaderSkinDataName = 'button'
    DefaultColor = clBlack
    UseSkinFont = False
    DefaultFont.Name = 'Arial'
    DefaultFont.Height = 18
    DefaultFont.Color = clYellow
    GridLines = True
    OnDrawHeaderSection = DrawSection
  end
end)",
                                      [](TForm& f) {
                                        f.RegisterHandler<TskDrawHeaderSectionEvent>(
                                            "DrawSection", [](TCanvas&, TListColumn*, bool, TRect&) {});
                                      });
  auto* channels = dynamic_cast<TskSkinListView*>(form->FindComponent("Channels"));
  ASSERT_NE(channels, nullptr);
  EXPECT_EQ(channels->SkinDataName(), "tracks");
  EXPECT_EQ(channels->HeaderSkinDataName(), "button");
  EXPECT_FALSE(channels->UseSkinFont());
  EXPECT_TRUE(channels->GridLines());
  EXPECT_TRUE(static_cast<bool>(channels->OnDrawHeaderSection));
  // Loading ends in the default look: colour and font are the defaults read.
  EXPECT_EQ(channels->Color(), clBlack);
  EXPECT_EQ(channels->Font().Height(), 18);
  EXPECT_EQ(channels->Font().Color(), clYellow);
}

// ---------------------------------------------------------------------------------------------
// The header

TEST_F(SkinListViewTest, HeaderIsTakenOverAndDrawnFromTheSkin) {
  ASSERT_NE(Header(), nullptr);
  WCHAR name[32] = {};
  GetClassNameW(Header(), name, 32);
  EXPECT_EQ(FromWide(name), "SysHeader32");
  const int y = HeaderHeight() / 2;
  // Default look: clBtnFace inside a clBtnShadow frame, also after the last section.
  EXPECT_EQ(WindowPixel(Header(), TitleWidth - 3, y), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
  EXPECT_EQ(WindowPixel(Header(), TitleWidth - 1, y), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(WindowPixel(Header(), TitleWidth + TrackWidth + 20, y), static_cast<COLORREF>(ColorToRGB(clBtnFace)));

  Skin();
  struct Case {
    const char* Description;
    int X;
    COLORREF Want;
  } cases[] = {
      {"headerbutton", TitleWidth - 3, NormalColor},                // a strip stretched to the section
      {"headerbutton", TitleWidth + TrackWidth + 20, NormalColor},  // the space after the sections
      {"button", TitleWidth - 3, NormalColor},                      // nine parts
      {"button", TitleWidth + TrackWidth + 20, NormalColor},
  };
  for (const Case& c : cases) {
    View->SetHeaderSkinDataName(c.Description);
    EXPECT_EQ(WindowPixel(Header(), c.X, y), c.Want) << c.Description << " at " << c.X;
  }
}

TEST_F(SkinListViewTest, PressedSectionButNotOnADivider) {
  Skin();
  const int y = HeaderHeight() / 2;
  const int probe = TitleWidth + TrackWidth - 3;
  struct Case {
    const char* Description;
    int PressX;
    COLORREF WhilePressed;
  } cases[] = {
      {"headerbutton", TitleWidth + 20, DownColor},
      // Pressing on the divider between the sections resizes the column; nothing goes down.
      {"headerbutton", TitleWidth, NormalColor},
      {"button", TitleWidth + 20, DownColor},
      // Without "activeskinrect" and "downskinrect" a pressed section keeps "skinrect".
      {"plainbutton", TitleWidth + 20, NormalColor},
  };
  for (const Case& c : cases) {
    View->SetHeaderSkinDataName(c.Description);
    // The second section is the one pressed (or beside the divider pressed).
    PostToHeader(WM_LBUTTONDOWN, c.PressX, y);
    EXPECT_EQ(WindowPixel(Header(), probe, y), c.WhilePressed) << c.Description << " pressed at " << c.PressX;
    EXPECT_EQ(WindowPixel(Header(), TitleWidth - 3, y), NormalColor) << c.Description;
    PostToHeader(WM_LBUTTONUP, c.PressX, y);
    EXPECT_EQ(WindowPixel(Header(), probe, y), NormalColor) << c.Description << " released";
  }
}

TEST_F(SkinListViewTest, DefaultPressedLook) {
  const int y = HeaderHeight() / 2;
  PostToHeader(WM_LBUTTONDOWN, 20, y);
  EXPECT_EQ(WindowPixel(Header(), TitleWidth - 3, y), 0xB59385u);
  EXPECT_EQ(WindowPixel(Header(), TitleWidth - 1, y), static_cast<COLORREF>(clNavy));
  PostToHeader(WM_LBUTTONUP, 20, y);
  EXPECT_EQ(WindowPixel(Header(), TitleWidth - 3, y), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
}

// The caption's first pixel that differs from the section's face, from the section's left edge.
int CaptionLeft(HWND Header, int Left, int Right, int Y, COLORREF Face) {
  windowtesting::TPaintTarget target(Right + 10, Y * 2 + 2, 0xFF00FF);
  target.Paint(Header);
  for (int x = Left; x < Right; ++x)
    for (int y = 0; y < Y * 2; ++y)
      if (target.Pixel(x, y) != Face) return x;
  return -1;
}

TEST_F(SkinListViewTest, CaptionsPlacedByAlignment) {
  Skin();
  TListColumn& track = *View->Columns().Items(1);
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->Font()->Assign(View->Font());
  const int textWidth = measure.Canvas()->TextWidth("Track");
  // T is the section narrowed by 5 pixels on each side.
  const int left = TitleWidth + 5;
  const int right = TitleWidth + TrackWidth - 5;
  struct Case {
    TAlignment Alignment;
    int Want;
  } cases[] = {
      {TAlignment::taLeftJustify, left},
      {TAlignment::taCenter, left + (right - left) / 2 - textWidth / 2},
      {TAlignment::taRightJustify, right - textWidth - 10},
  };
  for (const Case& c : cases) {
    track.SetAlignment(c.Alignment);
    const int x = CaptionLeft(Header(), TitleWidth + 1, TitleWidth + TrackWidth - 1, HeaderHeight() / 2, NormalColor);
    // The first glyph may keep a pixel of bearing.
    EXPECT_GE(x, c.Want) << static_cast<int>(c.Alignment);
    EXPECT_LE(x, c.Want + 2) << static_cast<int>(c.Alignment);
  }
}

TEST_F(SkinListViewTest, DrawHeaderSectionHandlerDrawsOnTheSkinnedBackground) {
  Skin();
  struct Call {
    TListColumn* Column;
    bool Pressed;
    TRect R;
  };
  std::vector<Call> calls;
  View->OnDrawHeaderSection = [&](TCanvas& Cnvs, TListColumn* Column, bool Pressed, TRect& R) {
    calls.push_back({Column, Pressed, R});
    Cnvs.Brush()->SetColor(clYellow);
    Cnvs.FillRect(Rect(2, 2, 6, 6));
  };
  const int y = HeaderHeight() / 2;
  PostToHeader(WM_LBUTTONDOWN, 20, y);
  calls.clear();
  const COLORREF handlerPixel = WindowPixel(Header(), 3, 3);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Column, View->Columns().Items(0));
  EXPECT_TRUE(calls[0].Pressed);
  EXPECT_EQ(calls[0].R.left, 0);
  EXPECT_EQ(calls[0].R.right, TitleWidth);
  EXPECT_EQ(calls[1].Column, View->Columns().Items(1));
  EXPECT_FALSE(calls[1].Pressed);
  EXPECT_EQ(handlerPixel, static_cast<COLORREF>(clYellow));
  // Where the handler drew nothing the section keeps its skinned background, and no caption.
  EXPECT_EQ(WindowPixel(Header(), TitleWidth + 30, y), NormalColor);
  EXPECT_EQ(WindowPixel(Header(), 30, y), DownColor);
  PostToHeader(WM_LBUTTONUP, 20, y);
}

TEST_F(SkinListViewTest, HeaderItemsBeyondTheColumnsAndReorderedColumns) {
  Skin();
  std::vector<TListColumn*> drawn;
  View->OnDrawHeaderSection = [&](TCanvas&, TListColumn* Column, bool, TRect&) { drawn.push_back(Column); };
  // A column put into the window behind the view's back has a header item but no TListColumn.
  WideString text = ToWide(String("Extra"));
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 60;
  column.pszText = text.data();
  ASSERT_EQ(SendMessageW(View->Handle(), LVM_INSERTCOLUMNW, 2, reinterpret_cast<LPARAM>(&column)), 2);
  WindowPixel(Header(), 0, 0);
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[2], nullptr);
  // Its section is drawn all the same, with the header's own caption.
  View->OnDrawHeaderSection = nullptr;
  const int x = CaptionLeft(Header(), TitleWidth + TrackWidth + 1, TitleWidth + TrackWidth + 59, HeaderHeight() / 2,
                            NormalColor);
  EXPECT_GE(x, 0) << "no caption in the extra section";
  SendMessageW(View->Handle(), LVM_DELETECOLUMN, 2, 0);

  // With FullDrag every section shows the column it stands for.
  View->SetFullDrag(true);
  int order[2] = {1, 0};
  ASSERT_TRUE(SendMessageW(View->Handle(), LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order)));
  View->OnDrawHeaderSection = [&](TCanvas&, TListColumn* Column, bool, TRect& R) {
    drawn.push_back(Column);
    EXPECT_EQ(R.right, Column->Width());
  };
  drawn.clear();
  WindowPixel(Header(), 0, 0);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0], View->Columns().Items(1));
  EXPECT_EQ(drawn[1], View->Columns().Items(0));
  EXPECT_EQ(View->GetHeaderSectionRect(0).right, TrackWidth);
}

TEST_F(SkinListViewTest, HeaderPaintLeavesACallersDeviceContextToTheCaller) {
  Skin();
  const HDC dc = GetDC(Header());
  SendMessageW(Header(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  // Still ours to release: the header did not give it back behind our back.
  EXPECT_EQ(ReleaseDC(Header(), dc), 1);
}

TEST_F(SkinListViewTest, HeaderFollowsTheWindowAndIsLetGoWithTheView) {
  const HWND first = Header();
  ASSERT_NE(first, nullptr);
  // A new window of the view brings a new header, which is taken over in its turn.
  View->SetParent(nullptr);
  EXPECT_EQ(View->HeaderWindow(), nullptr);
  View->SetParent(Form.get());
  windowtesting::Pump();
  ASSERT_NE(Header(), nullptr);
  Skin();
  EXPECT_EQ(WindowPixel(Header(), TitleWidth - 3, HeaderHeight() / 2), NormalColor);

  // The header outlives the view's own part of the object by a moment: it must be handed back first.
  const HWND header = Header();
  delete View;
  View = nullptr;
  windowtesting::Pump();
  EXPECT_FALSE(IsWindow(header));
}

// ---------------------------------------------------------------------------------------------
// The bars

TEST_F(SkinListViewTest, ReportViewBarsFollowTheView) {
  AddItems(10000);
  const int perPage = CountPerPage();
  ASSERT_GT(perPage, 1);
  EXPECT_TRUE(VBar->Visible());
  EXPECT_EQ(VBar->Min(), 0);
  EXPECT_EQ(VBar->Max(), 9999);
  EXPECT_EQ(VBar->PageSize(), perPage);
  EXPECT_EQ(VBar->SmallChange(), 1);
  EXPECT_EQ(VBar->LargeChange(), perPage);
  EXPECT_EQ(VBar->Position(), 0);
  // The columns fit: no horizontal bar, and it would not stand beside the vertical one anyway.
  EXPECT_FALSE(HBar->Visible());

  // Bar to view: two rows down.
  VBar->SetPosition(2);
  windowtesting::Pump();
  EXPECT_EQ(TopIndex(), 2);
  // View to bar: a page down from the keyboard.
  View->SetFocus();
  SendMessageW(View->Handle(), WM_KEYDOWN, VK_END, 0);
  Settle();
  EXPECT_EQ(VBar->Position(), TopIndex());
  EXPECT_EQ(VBar->Position(), 10000 - perPage);
}

TEST_F(SkinListViewTest, ListViewScrollsByColumnsThroughLineMessages) {
  View->SetViewStyle(TViewStyle::vsList);
  AddItems(10000);
  EXPECT_FALSE(VBar->Visible());
  ASSERT_TRUE(HBar->Visible());
  RECT item{};
  item.left = LVIR_BOUNDS;
  SendMessageW(View->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(HBar->PageSize(), View->Width() / (item.right - item.left));
  EXPECT_EQ(HBar->SmallChange(), 1);

  int lineRight = 0, lineLeft = 0;
  auto inner = View->WindowProc;
  View->WindowProc = [&](TMessage& M) {
    if (M.Msg == WM_HSCROLL && M.WParam == SB_LINERIGHT) ++lineRight;
    if (M.Msg == WM_HSCROLL && M.WParam == SB_LINELEFT) ++lineLeft;
    inner(M);
  };
  HBar->SetPosition(3);
  EXPECT_EQ(lineRight, 3);
  EXPECT_EQ(GetScrollPos(View->Handle(), SB_HORZ), 3);
  HBar->SetPosition(1);
  EXPECT_EQ(lineLeft, 2);
  EXPECT_EQ(GetScrollPos(View->Handle(), SB_HORZ), 1);
  View->WindowProc = inner;
}

TEST_F(SkinListViewTest, HorizontalBarTakesItsLookBesideTheVerticalOne) {
  View->Columns().Items(1)->SetWidth(600);
  AddItems(100);
  EXPECT_TRUE(VBar->Visible());
  EXPECT_TRUE(HBar->Visible());
  EXPECT_TRUE(HBar->Both());
  EXPECT_EQ(HBar->PageSize(), View->Width());
  // The system's own bars, shown by the list view as its rows and columns outgrow it, are hidden
  // again: unseen, they would still be drawn at every scroll step.
  const auto ownBars = [this] { return GetWindowLongW(View->Handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL); };
  EXPECT_EQ(ownBars(), 0);
  // Sideways by pixels.
  HBar->SetPosition(50);
  windowtesting::Pump();
  EXPECT_EQ(GetScrollPos(View->Handle(), SB_HORZ), 50);
  EXPECT_EQ(ownBars(), 0);

  // Few enough rows for one page: the vertical bar goes, and so does the horizontal bar's look.
  SendMessageW(View->Handle(), WM_SETREDRAW, FALSE, 0);
  while (View->Items().Count() > 3) View->Items().Delete(View->Items().Count() - 1);
  SendMessageW(View->Handle(), WM_SETREDRAW, TRUE, 0);
  Settle();
  EXPECT_FALSE(VBar->Visible());
  EXPECT_TRUE(HBar->Visible());
  EXPECT_FALSE(HBar->Both());
}

TEST_F(SkinListViewTest, IconViewScrollsByPixels) {
  View->SetViewStyle(TViewStyle::vsIcon);
  AddItems(300);
  ASSERT_TRUE(VBar->Visible());
  int min = 0, max = 0;
  GetScrollRange(View->Handle(), SB_VERT, &min, &max);
  EXPECT_EQ(VBar->Max(), max);
  EXPECT_EQ(VBar->PageSize(), View->Height());
  VBar->SetPosition(40);
  windowtesting::Pump();
  EXPECT_EQ(GetScrollPos(View->Handle(), SB_VERT), 40);
}

TEST_F(SkinListViewTest, BarsFollowTheViewsVisibilityAndSizeLimits) {
  AddItems(1000);
  ASSERT_TRUE(VBar->Visible());
  View->SetVisible(false);
  EXPECT_FALSE(VBar->Visible());
  EXPECT_FALSE(HBar->Visible());
  View->SetVisible(true);
  Settle();
  EXPECT_TRUE(VBar->Visible());
  EXPECT_FALSE(HBar->Visible());

  // A view of 5 pixels leaves its bars as they are.
  View->SetBounds(0, 0, 380, 5);
  Settle();
  EXPECT_TRUE(VBar->Visible());
  // A bar that goes is forgotten.
  delete VBar;
  VBar = nullptr;
  EXPECT_EQ(View->VScrollBar(), nullptr);
  View->SetBounds(0, 0, 380, 200);
  Settle();
}

// What the ripping thread does to the track list from its own thread.
DWORD WINAPI RipLikeThread(LPVOID Parameter) {
  TskSkinListView& view = *static_cast<TskSkinListView*>(Parameter);
  view.SetEnabled(false);
  for (int i = 0; i < view.Items().Count(); i += 2) view.Items().Item(i)->SetChecked(true);
  view.SetEnabled(true);
  return 0;
}

// Every change reaches the window, and the bars, on the interface thread.
TEST_F(SkinListViewTest, ChecksAndEnabledFromAnotherThread) {
  View->SetCheckboxes(true);
  AddItems(300);
  const HANDLE thread = CreateThread(nullptr, 0, &RipLikeThread, View, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) windowtesting::Pump();
  CloseHandle(thread);
  Settle();
  EXPECT_TRUE(View->Enabled());
  EXPECT_TRUE(View->Items().Item(0)->Checked());
  EXPECT_FALSE(View->Items().Item(1)->Checked());
  EXPECT_TRUE(View->Items().Item(298)->Checked());
  EXPECT_TRUE(VBar->Visible());
  EXPECT_EQ(VBar->Max(), 299);
}

TEST_F(SkinListViewTest, Looks) {
  AddItems(40);
  auto skinned = ShowForm(ViewForm);
  auto* view = dynamic_cast<TskSkinListView*>(skinned->FindComponent("View"));
  view->SetCheckboxes(true);
  for (int i = 0; i < 40; ++i) {
    TListItem* item = view->Items().Add();
    item->SetCaption("Track " + IntToStr(i + 1));
    item->SubItems().Add(IntToStr(i + 1));
  }
  view->SetSkinData(&TestSkin.Skin());
  auto* bar = dynamic_cast<TskSkinScrollBar*>(skinned->FindComponent("VBar"));
  bar->SetSkinDataName("vscrollbar");
  bar->SetSkinData(&TestSkin.Skin());
  view->Items().Item(1)->SetChecked(true);
  windowtesting::Pump();
  const int y = HeaderHeight() / 2;
  PostMessageW(view->HeaderWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(TitleWidth + 20, y));
  windowtesting::Pump();
  WriteLooks("skinlistview_looks", {Form->Handle(), skinned->Handle()}, 400, 220);
  PostMessageW(view->HeaderWindow(), WM_LBUTTONUP, 0, MAKELPARAM(TitleWidth + 20, y));
  windowtesting::Pump();
}
