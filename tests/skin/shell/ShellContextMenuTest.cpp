#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/shell/ShellContextMenu.h"

#include <string>
#include <vector>

namespace {

using namespace skin;
using classlib::String;

// Picks the entry whose text contains Wanted in the next context menu shown on this thread (null:
// closes the menu with Escape), with keys posted to the menu loop from a second thread.
class TMenuPicker {
public:
  TMenuPicker(HWND Owner, const char* Wanted) : FOwner(Owner), FWanted(Wanted ? Wanted : "") {
    FThread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
  }
  ~TMenuPicker() {
    WaitForSingleObject(FThread, 5000);
    CloseHandle(FThread);
  }
  TMenuPicker(const TMenuPicker&) = delete;
  TMenuPicker& operator=(const TMenuPicker&) = delete;

  // The texts the menu showed.
  std::vector<std::string> Entries;

private:
  static DWORD WINAPI Run(LPVOID Self) {
    static_cast<TMenuPicker*>(Self)->Pick();
    return 0;
  }

  void Pick() {
    HWND menuWindow = nullptr;
    for (int i = 0; i < 200 && !menuWindow; ++i, Sleep(25)) {
      HWND found = FindWindowW(L"#32768", nullptr);
      if (found && IsWindowVisible(found)) menuWindow = found;
    }
    if (!menuWindow) return;
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    int downs = 0, target = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      if (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) continue;
      ++downs;
      WCHAR text[256] = {};
      GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
      std::string entry = classlib::FromWide(text);
      std::erase(entry, '&');
      Entries.push_back(entry);
      if (!target && !FWanted.empty() && entry.find(FWanted) != std::string::npos) target = downs;
    }
    if (!target) {
      PostMessageW(FOwner, WM_KEYDOWN, VK_ESCAPE, 0);
      return;
    }
    for (int i = 0; i < target; ++i) PostMessageW(FOwner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(FOwner, WM_KEYDOWN, VK_RETURN, 0);
  }

  HWND FOwner;
  std::string FWanted;
  HANDLE FThread;
};

// A form that carries one verb out itself and records what it was asked and told.
class TVerbForm : public classlib::TForm, public IShellCommandVerb {
public:
  TVerbForm() : TForm(nullptr) {}
  void ExecuteCommand(const String& Verb, bool& Handled) override {
    Asked.push_back(Verb);
    Handled = Verb == Handles;
  }
  void CommandCompleted(const String& Verb, bool Succeeded) override {
    Told.push_back(Verb + (Succeeded ? ":ok" : ":failed"));
  }
  String Handles = "delete";
  std::vector<String> Asked, Told;
};

class ShellContextMenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    windowtesting::InitApplication();
    testing_support::WriteUnixFile(Dir.unixFile("notes.txt"), "hello");
    TRoot path = Dir.windowsPath();
    ReplaceRootFolder(Root, "", path);
    LPITEMIDLIST item = nullptr;
    classlib::WideString name = classlib::ToWide("notes.txt");
    ASSERT_TRUE(SUCCEEDED(Root->ShellFolder()->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &item, nullptr)));
    File = std::make_unique<TskShellFolder>(Root.get(), item, nullptr);
    FreeItemIDList(item);
    Form.SetBounds(100, 100, 300, 200);
    Form.Show();
    windowtesting::PumpFor(50);
  }

  testing_support::TempDir Dir;
  std::unique_ptr<TskShellFolder> Root, File;
  TVerbForm Form;
};

TEST_F(ShellContextMenuTest, TheControlCarriesItsOwnVerbsOut) {
  TMenuPicker picker(Form.Handle(), "Delete");
  InvokeContextMenu(Form, File.get(), 20, 20);
  EXPECT_EQ(Form.Asked, std::vector<String>{"delete"});
  EXPECT_EQ(Form.Told, std::vector<String>{"delete:ok"});
  EXPECT_TRUE(classlib::FileExists(Dir.windowsFile("notes.txt"))) << "the shell was not asked";
}

TEST_F(ShellContextMenuTest, TheShellCarriesTheRestOut) {
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();
  TMenuPicker picker(Form.Handle(), "Copy");
  InvokeContextMenu(Form, File.get(), 20, 20);
  EXPECT_EQ(Form.Asked, std::vector<String>{"copy"});
  EXPECT_EQ(Form.Told, std::vector<String>{"copy:ok"});
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_HDROP)) << "the shell copied the file";
}

TEST_F(ShellContextMenuTest, CancelledOrEmptyMenusAskNothing) {
  {
    TMenuPicker picker(Form.Handle(), nullptr);
    InvokeContextMenu(Form, File.get(), 20, 20);
    EXPECT_FALSE(picker.Entries.empty());
  }
  InvokeContextMenu(Form, nullptr, 20, 20);
  EXPECT_TRUE(Form.Asked.empty());
  EXPECT_TRUE(Form.Told.empty());
}

TEST(ShellContextMenuMessages, OnlyMenuMessagesWhileAMenuIsOpen) {
  classlib::TMessage drawItem{WM_DRAWITEM, 0, 0, 5};
  EXPECT_FALSE(ForwardContextMenuMessage(drawItem)) << "no menu is open";
  classlib::TMessage paint{WM_PAINT, 0, 0, 0};
  EXPECT_FALSE(ForwardContextMenuMessage(paint));
}

}  // namespace
