// The skinned form frame against a plain Win32 window with its system caption, in the same run:
// - a frame repaint of a 700 x 530 form (RedrawWindow with RDW_FRAME | RDW_INVALIDATE |
//   RDW_UPDATENOW): the skinned frame (pieces, caption, six caption buttons) against the system's
//   caption and borders. Target: at most 2 times the plain time.
// - one resize step of the same forms (the width changes by one pixel): for the skinned form the
//   layout, the four mask pieces and the new window region. Target: at most 3 times the plain
//   window's resize.
// - the region of a 700 x 530 mask with rounded corners and a shaped edge: the frame's region from the
//   mask's black runs against uniting one rectangle per black run with CombineRgn.
//   Target: at most 0.5 times.
// Figures are the least wall time of nine repetitions, the two sides' repetitions interleaved.

#include "bench/SkinBenchSupport.h"

#include "platform/classlib/Forms.h"
#include "skin/form/FormSkin.h"

#include <memory>

using namespace classlib;

namespace {

constexpr int kFormW = 700, kFormH = 530;
constexpr UINT kFrameRepaint = RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW;

// A 240 x 140 frame as the program's own skins draw it: a caption band, six caption buttons, borders
// of 4 and a mask with rounded corners.
const char SkinIni[] = R"([VERSION]
ver=2
skinname=Bench frame

[PICTURES]
picture=frame.bmp
mask=mask.bmp
activepicturescount=0

[FORMINFO]
lefttoppoint=50,26
righttoppoint=170,26
leftbottompoint=50,136
rightbottompoint=170,136
clientrect=4,26,236,136
bgpictureindex=-1
borderwidth=4

[SKINAREAS]
count=0

[SKINOBJECTS]
count=7
0=caption:caption
1=closebutton:stdbutton
2=maxbutton:stdbutton
3=minbutton:stdbutton
4=rollupbutton:stdbutton
5=traybutton:stdbutton
6=sysmenubutton:stdbutton

[caption]
skinrect=26,2,150,24
textrect=0,0,124,22
fontname=Arial
fontheight=14
fontcolor=16777215
activefontcolor=16777215
defaultcaption=1

[closebutton]
skinrect=218,5,234,21
command=cmclose

[maxbutton]
skinrect=200,5,216,21
command=cmmaximize

[minbutton]
skinrect=182,5,198,21
command=cmminimize

[rollupbutton]
skinrect=164,5,180,21
command=cmrollup

[traybutton]
skinrect=152,5,162,21
command=cmminimizetotray

[sysmenubutton]
skinrect=6,5,22,21
command=cmsysmenu

[SKINCONTROLS]
count=0
)";

// White outside a rounded rectangle of radius Radius, black inside; a wavy lower edge gives the
// rows several runs.
void DrawMask(TBitmap& Mask, int Width, int Height, int Radius) {
  Mask.SetPixelFormat(TPixelFormat::pf24bit);
  Mask.SetSize(Width, Height);
  bench::Fill(Mask, Rect(0, 0, Width, Height), 0xFFFFFF);
  const HRGN shape = CreateRoundRectRgn(0, 0, Width + 1, Height + 1, 2 * Radius, 2 * Radius);
  FillRgn(Mask.Canvas()->Handle(), shape, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DeleteObject(shape);
  for (int x = Radius; x < Width - Radius; x += 8) bench::Fill(Mask, Rect(x, Height - 3, x + 3, Height), 0xFFFFFF);
}

// The frame picture (flat pieces, a caption band and six caption buttons) and its mask.
struct TFramePictures {
  TBitmap Frame, Mask;
  TFramePictures() {
    Frame.SetPixelFormat(TPixelFormat::pf24bit);
    Frame.SetSize(240, 140);
    bench::Fill(Frame, Rect(0, 0, 240, 140), 0x804020);
    bench::Fill(Frame, Rect(4, 26, 236, 136), 0xE0E0E0);
    bench::Fill(Frame, Rect(26, 2, 150, 24), 0xA06040);
    for (int x : {6, 152, 164, 182, 200, 218}) bench::Fill(Frame, Rect(x, 5, x + 16, 21), 0x4040C0);
    DrawMask(Mask, 240, 140, 10);
  }
};

LRESULT CALLBACK PlainProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return DefWindowProcW(Window, Msg, WParam, LParam);
}

struct TScene {
  TFramePictures Pictures;
  bench::TBenchSkin Skin{"frame", SkinIni, {{"frame.bmp", &Pictures.Frame}, {"mask.bmp", &Pictures.Mask}}};
  std::unique_ptr<TForm> Form;
  HWND Plain = nullptr;
  TBitmap BigMask;

  TScene() {
    bench::InitApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, kFormW, kFormH);
    Form->SetCaption("Skinned frame");
    auto* frame = new skin::TskFormSkin(Form.get());
    frame->SetSkinData(&Skin.Skin);
    Form->Show();
    bench::RegisterPlainClass(L"TavrelBenchPlainFrame", PlainProc, GetSysColorBrush(COLOR_BTNFACE));
    Plain = CreateWindowExW(0, L"TavrelBenchPlainFrame", L"Plain frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, kFormW,
                            kFormH, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    DrawMask(BigMask, kFormW, kFormH, 24);
    Application->ProcessMessages();
  }
  ~TScene() { DestroyWindow(Plain); }

  void Front(HWND Window) {
    SetWindowPos(Window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Application->ProcessMessages();
  }
};

std::unique_ptr<TScene> TheScene;

TScene& Scene() { return *TheScene; }

// Toggles the width between 700 and 701.
void ResizeStep(HWND Window, int& Width) {
  Width = Width == kFormW ? kFormW + 1 : kFormW;
  SetWindowPos(Window, nullptr, 0, 0, Width, kFormH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// One rectangle per horizontal run of black pixels, united one at a time.
HRGN RunByRunRegion(TBitmap& Mask) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  HRGN run = CreateRectRgn(0, 0, 0, 0);
  const int w = Mask.Width(), h = Mask.Height();
  for (int y = 0; y < h; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(Mask.ScanLine(y));
    for (int x = 0; x < w;) {
      while (x < w && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) != 0) ++x;
      const int start = x;
      while (x < w && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0) ++x;
      if (x > start) {
        SetRectRgn(run, start, y, x, y + 1);
        CombineRgn(region, region, run, RGN_OR);
      }
    }
  }
  DeleteObject(run);
  return region;
}

void Register() {
  bench::AddTimed("repaint/plain_caption", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Plain);
    for (auto _ : state) RedrawWindow(s.Plain, nullptr, nullptr, kFrameRepaint);
  });
  bench::AddTimed("repaint/skinned_frame", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Form->Handle());
    for (auto _ : state) RedrawWindow(s.Form->Handle(), nullptr, nullptr, kFrameRepaint);
  });
  bench::AddTimed("resize/plain_window", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Plain);
    int width = kFormW;
    for (auto _ : state) ResizeStep(s.Plain, width);
  });
  bench::AddTimed("resize/skinned_frame", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    s.Front(s.Form->Handle());
    int width = kFormW;
    for (auto _ : state) ResizeStep(s.Form->Handle(), width);
  });
  bench::AddTimed("region/CombineRgn_per_run", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    for (auto _ : state) DeleteObject(RunByRunRegion(s.BigMask));
  });
  bench::AddTimed("region/skin_mask", benchmark::kMicrosecond, [](benchmark::State& state) {
    TScene& s = Scene();
    for (auto _ : state) DeleteObject(skin::CreateMaskRegion(s.BigMask, 0, 0));
  });
}

}  // namespace

int main(int argc, char** argv) {
  TheScene = std::make_unique<TScene>();
  Register();
  const int status = bench::RunAgainstTargets(argc, argv,
                                              {{"repaint/skinned_frame", "repaint/plain_caption", 2.0},
                                               {"resize/skinned_frame", "resize/plain_window", 3.0},
                                               {"region/skin_mask", "region/CombineRgn_per_run", 0.5}});
  TheScene.reset();
  return status;
}
