// Opening a skinned popup menu against showing a plain popup window, in the same run:
// - a 30-item menu opened by the skinned menu engine (TskSkinMenu::Popup with a skin this program
//   writes: a framed, masked "POPUPWINDOW" and a "MENUITEM" object) until its window has painted;
// - a plain WS_POPUP window of the same size, created, shown and painted with 30 lines of DrawText.
// Target: at most 3 times the plain time. Closing either is not timed. Figures are the least wall
// time of nine repetitions, the two sides' repetitions interleaved.

#include "bench/SkinBenchSupport.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/form/SkinMenu.h"

#include <memory>
#include <string>
#include <vector>

using namespace classlib;

namespace {

constexpr int kItems = 30;

const char SkinIni[] = R"([VERSION]
ver=2
skinname=Bench menus

[PICTURES]
activepicturescount=3
0=window.bmp
1=mask.bmp
2=items.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=1
0=MENUITEM:menuitem

[SKINCONTROLS]
count=0

[POPUPWINDOW]
windowpictureindex=0
maskpictureindex=1
lefttoppoint=6,6
righttoppoint=34,6
leftbottompoint=6,34
rightbottompoint=34,34
itemsrect=4,4,36,36
scrollmarkercolor=16777215
scrollmarkeractivecolor=65535

[MENUITEM]
activepictureindex=2
skinrect=0,0,60,20
activeskinrect=0,20,60,40
dividerrect=0,40,60,46
itemleftoffset=4
itemrightoffset=4
textrect=4,0,56,20
fontname=Arial
fontheight=14
fontcolor=16116450
activefontcolor=16777215
unenabledfontcolor=7102040
stretcheffect=1
)";

// The menu window's picture, its mask (rounding the window's corners off) and the items' picture.
struct TMenuPictures {
  TBitmap Window, Mask, Items;
  TMenuPictures() {
    bench::Shade(Window, 40, 40, 20, 40);
    Mask.SetPixelFormat(TPixelFormat::pf24bit);
    Mask.SetSize(40, 40);
    bench::Fill(Mask, Rect(0, 0, 40, 40), 0);
    for (const TPoint& corner : {Point(0, 0), Point(39, 0), Point(0, 39), Point(39, 39)})
      Mask.Canvas()->SetPixels(corner.x, corner.y, clWhite);
    bench::Shade(Items, 60, 46, 20, 40);
  }
};

LRESULT CALLBACK PlainProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg != WM_PAINT) return DefWindowProcW(Window, Msg, WParam, LParam);
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(Window, &ps);
  RECT client;
  GetClientRect(Window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(Window, GWLP_USERDATA)));
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < kItems; ++i) {
    RECT line{24, 3 + i * 20, client.right - 3, 3 + (i + 1) * 20};
    const WideString text = ToWide("Menu item " + IntToStr(i + 1));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line, DT_SINGLELINE | DT_VCENTER);
  }
  SelectObject(dc, old);
  EndPaint(Window, &ps);
  return 0;
}

struct TScene {
  TMenuPictures Pictures;
  bench::TBenchSkin Skin{
      "menus", SkinIni, {{"window.bmp", &Pictures.Window}, {"mask.bmp", &Pictures.Mask}, {"items.bmp", &Pictures.Items}}};
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TPopupMenu> Menu;
  std::unique_ptr<skin::TskSkinMenu> Engine;
  TFont PlainFont;
  int Width = 0;
  int Height = 0;

  TScene() {
    bench::InitApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Form->Show();
    Menu = std::make_unique<TPopupMenu>(nullptr);
    for (int i = 0; i < kItems; ++i) {
      auto* item = new TMenuItem(Menu.get());
      item->SetCaption("Menu item " + IntToStr(i + 1));
      Menu->Items()->Add(item);
    }
    Engine = std::make_unique<skin::TskSkinMenu>(nullptr, Form.get());
    PlainFont.SetName("Arial");
    PlainFont.SetHeight(14);
    bench::RegisterPlainClass(L"TavrelBenchPlainPopup", PlainProc, nullptr, CS_SAVEBITS);
    // The plain window takes the skinned menu's size.
    OpenSkinned();
    Width = Engine->PopupWindows.at(0)->Width();
    Height = Engine->PopupWindows.at(0)->Height();
    Engine->CloseMenu(0);
    Application->ProcessMessages();
  }

  void OpenSkinned() {
    Engine->Popup(nullptr, &Skin.Skin, 0, Rect(400, 100, 400, 100), Menu->Items(), false);
    UpdateWindow(Engine->PopupWindows.at(0)->Handle());
  }

  HWND OpenPlain() {
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"TavrelBenchPlainPopup", L"", WS_POPUP, 400,
                                        100, Width, Height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(PlainFont.Handle()));
    ShowWindow(window, SW_SHOWNA);
    UpdateWindow(window);
    return window;
  }
};

// Made in main and freed before the program ends, while the application still runs.
std::unique_ptr<TScene> TheScene;

TScene& Scene() { return *TheScene; }

void Register() {
  bench::AddTimed("menu/plain_WS_POPUP", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    for (auto _ : state) {
      const HWND window = s.OpenPlain();
      state.PauseTiming();
      DestroyWindow(window);
      Application->ProcessMessages();
      state.ResumeTiming();
    }
  });
  bench::AddTimed("menu/skinned_30_items", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    for (auto _ : state) {
      s.OpenSkinned();
      state.PauseTiming();
      s.Engine->CloseMenu(0);
      Application->ProcessMessages();
      state.ResumeTiming();
    }
  });
}

}  // namespace

int main(int argc, char** argv) {
  TheScene = std::make_unique<TScene>();
  Register();
  const int status = bench::RunAgainstTargets(argc, argv, {{"menu/skinned_30_items", "menu/plain_WS_POPUP", 3.0}});
  TheScene.reset();
  return status;
}
