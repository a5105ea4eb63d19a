#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Menus.h"

#include <memory>
#include <string>
#include <vector>

using namespace classlib;
using windowtesting::Pump;
using windowtesting::ReadForm;

namespace {

const char* const ParentForm = R"(object TestForm: TForm
  FormStyle = fsMDIForm
  Left = 40
  Top = 40
  ClientWidth = 400
  ClientHeight = 300
  Menu = MainMenu1
  WindowMenu = Window1
  object Bar: TPanel
    Align = alTop
    Height = 30
  end
  object MainMenu1: TMainMenu
    object Window1: TMenuItem
      Caption = '&Window'
    end
  end
end
)";

String ChildText(const String& Name) {
  return "object " + Name + ": TForm\n  FormStyle = fsMDIChild\n  Width = 160\n  Height = 120\n  Caption = '" + Name +
         "'\nend\n";
}

// The program's main form: the MDI parent is always the application's.
std::unique_ptr<TForm> MakeMainForm(const String& Text) {
  windowtesting::InitApplication();
  TForm* form = nullptr;
  Application->CreateForm(form);
  ReadComponentText(form, Text, "TestForm");
  return std::unique_ptr<TForm>(form);
}

// A window's rectangle in another window's client coordinates, as "left,top,right,bottom".
String RectText(const TRect& R) {
  return std::to_string(R.left) + "," + std::to_string(R.top) + "," + std::to_string(R.right) + "," +
         std::to_string(R.bottom);
}

TRect RectInClient(HWND Window, HWND Client) {
  TRect r;
  GetWindowRect(Window, &r);
  MapWindowPoints(nullptr, Client, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class FormsMDI : public ::testing::Test {
protected:
  void SetUp() override {
    Main = MakeMainForm(ParentForm);
    ASSERT_EQ(Application->MainForm(), Main.get());
    Main->Show();
    Pump();
  }
  TForm& AddChild(const String& Name) {
    Children.push_back(ReadForm(ChildText(Name)));
    Children.back()->Show();
    Pump();
    return *Children.back();
  }
  std::vector<TForm*> Order() const {
    std::vector<TForm*> order;
    for (int i = 0; i < Main->MDIChildCount(); ++i) order.push_back(Main->MDIChildren(i));
    return order;
  }

  std::unique_ptr<TForm> Main;
  std::vector<std::unique_ptr<TForm>> Children;  // freed before the parent
};

TEST_F(FormsMDI, TheClientWindowFillsWhatTheAlignedControlsLeave) {
  const HWND client = Main->ClientHandle();
  ASSERT_NE(client, nullptr);
  WCHAR name[32];
  GetClassNameW(client, name, 32);
  EXPECT_EQ(lstrcmpiW(name, L"MDIClient"), 0);
  EXPECT_EQ(GetParent(client), Main->Handle());
  EXPECT_EQ(RectText(RectInClient(client, Main->Handle())), "0,30,400,300");

  Main->SetClientHeight(250);
  Pump();
  EXPECT_EQ(RectText(RectInClient(client, Main->Handle())), "0,30,400,250") << "the client follows the form's size";
  EXPECT_EQ(Main->MDIChildCount(), 0);
  EXPECT_EQ(Main->ActiveMDIChild(), nullptr);
}

TEST_F(FormsMDI, ChildrenLiveInTheClientAndAreListedInActivationOrder) {
  TForm& a = AddChild("A");
  TForm& b = AddChild("B");
  TForm& c = AddChild("C");
  EXPECT_EQ(GetParent(a.Handle()), Main->ClientHandle());
  EXPECT_TRUE(GetWindowLongPtrW(a.Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  EXPECT_EQ(Main->ActiveMDIChild(), &c);
  EXPECT_EQ(Order(), (std::vector<TForm*>{&c, &b, &a}));

  a.Show();
  Pump();
  EXPECT_EQ(Main->ActiveMDIChild(), &a);
  EXPECT_EQ(Order().front(), &a) << "showing a child brings it forward";

  Main->Next();
  Pump();
  EXPECT_NE(Main->ActiveMDIChild(), &a);
  Main->Previous();
  Pump();
  EXPECT_EQ(Main->ActiveMDIChild(), &a) << "Previous undoes Next";

  // Freeing the active child leaves the list and activates another one.
  Children.erase(Children.begin());
  Pump();
  EXPECT_EQ(Main->MDIChildCount(), 2);
  EXPECT_TRUE(Main->ActiveMDIChild() == &b || Main->ActiveMDIChild() == &c);
  EXPECT_EQ(c.MDIChildCount(), 0) << "a child has no children of its own";
}

TEST_F(FormsMDI, AChildWhoseWindowIsMadeEarlyStaysHiddenUntilShown) {
  Children.push_back(ReadForm(ChildText("Early")));
  TForm& child = *Children.back();
  child.HandleNeeded();
  Pump();
  EXPECT_FALSE(IsWindowVisible(child.Handle()));
  child.Show();
  Pump();
  EXPECT_TRUE(IsWindowVisible(child.Handle()));
  EXPECT_EQ(Main->ActiveMDIChild(), &child);
}

TEST_F(FormsMDI, ChildrenHearOfTheirActivation) {
  TForm& a = AddChild("A");
  TForm& b = AddChild("B");
  std::vector<String> log;
  for (TForm* child : {&a, &b}) {
    child->OnActivate = [&log](TObject* Sender) { log.push_back(static_cast<TForm*>(Sender)->Name() + "+"); };
    child->OnDeactivate = [&log](TObject* Sender) { log.push_back(static_cast<TForm*>(Sender)->Name() + "-"); };
  }
  a.Show();
  Pump();
  EXPECT_EQ(log, (std::vector<String>{"B-", "A+"}));
  for (TForm* child : {&a, &b}) child->OnActivate = child->OnDeactivate = nullptr;
}

TEST_F(FormsMDI, TileAndCascadeArrangeTheChildrenInsideTheClient) {
  TForm& a = AddChild("A");
  TForm& b = AddChild("B");
  const HWND client = Main->ClientHandle();
  TRect area;
  GetClientRect(client, &area);

  Main->Tile();
  Pump();
  const TRect ra = RectInClient(a.Handle(), client), rb = RectInClient(b.Handle(), client);
  TRect overlap;
  EXPECT_FALSE(IntersectRect(&overlap, &ra, &rb)) << "tiled children do not overlap";
  for (const TRect& r : {ra, rb}) {
    EXPECT_GE(r.left, area.left);
    EXPECT_GE(r.top, area.top);
    EXPECT_LE(r.right, area.right);
    EXPECT_LE(r.bottom, area.bottom);
  }

  Main->Cascade();
  Pump();
  const TRect ca = RectInClient(a.Handle(), client), cb = RectInClient(b.Handle(), client);
  EXPECT_GT(cb.left, ca.left) << "the active child ends on top, further in";
  EXPECT_GT(cb.top, ca.top);
}

TEST_F(FormsMDI, MenusAreReadAndForgottenWhenFreed) {
  ASSERT_NE(Main->Menu(), nullptr);
  ASSERT_NE(Main->WindowMenu(), nullptr);
  EXPECT_EQ(Main->WindowMenu()->Caption(), "&Window");
  delete Main->WindowMenu();
  EXPECT_EQ(Main->WindowMenu(), nullptr);
  delete Main->Menu();
  EXPECT_EQ(Main->Menu(), nullptr);
}

TEST(FormsMDIWithoutParent, AChildNeedsAnMDIMainForm) {
  windowtesting::InitApplication();
  ASSERT_EQ(Application->MainForm(), nullptr) << "a freed main form is no longer the application's";
  auto child = ReadForm(ChildText("Lonely"));
  EXPECT_THROW(child->HandleNeeded(), EComponentError);
}

}  // namespace
