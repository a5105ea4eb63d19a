// Window states, magnetic edges, skin changes and the timers' own stop.
#include "tests/skin/form/FormSkinTesting.h"

#include "platform/classlib/ExtCtrls.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"

#include <vector>

using namespace classlib;
using namespace formskintesting;
using skin::TskFormSkin;

namespace {

RECT WorkArea() {
  RECT r;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

bool SameRect(const RECT& A, const RECT& B) { return EqualRect(&A, &B) != FALSE; }

// A skinned control that counts the walk's calls.
class TProbe : public skin::TskSkinControl {
public:
  using TskSkinControl::TskSkinControl;
  void BeforeChangeSkinData() override {
    ++Befores;
    TskSkinControl::BeforeChangeSkinData();
  }
  void ChangeSkinData() override {
    ++Changes;
    TskSkinControl::ChangeSkinData();
  }
  int Befores = 0, Changes = 0;
};

}  // namespace

TEST(FormSkinStates, MaximizeFillsTheWorkAreaLessOnePixelOnABareScreen) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  TskFormSkin& fs = FormSkinOf(*form);
  fs.SetWindowState(TWindowState::wsMaximized);
  RECT expected = WorkArea();
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (SameRect(expected, screen)) InflateRect(&expected, -1, -1);
  EXPECT_TRUE(SameRect(form->BoundsRect(), expected));
  // A maximized form cannot be moved: WM_MOVING pins it.
  RECT moving{form->Left() + 50, form->Top() + 50, form->Left() + 50 + form->Width(), form->Top() + 50 + form->Height()};
  SendMessageW(form->Handle(), WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&moving));
  EXPECT_EQ(moving.left, form->Left());
  EXPECT_EQ(moving.top, form->Top());
  fs.SetMaximizeOnFullScreen(true);
  fs.SetWindowState(TWindowState::wsNormal);
  fs.SetWindowState(TWindowState::wsMaximized);
  EXPECT_TRUE(SameRect(form->BoundsRect(), screen));
}

TEST(FormSkinStates, MaximizeMinimizeRestoreReturnsToTheFirstBounds) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  TskFormSkin& fs = FormSkinOf(*form);
  const RECT normal = form->BoundsRect();
  fs.SetWindowState(TWindowState::wsMaximized);
  fs.SetWindowState(TWindowState::wsMinimized);
  EXPECT_EQ(form->Width(), PictureWidth);
  EXPECT_EQ(form->Height(), fs.GetMinHeight());
  fs.SetWindowState(TWindowState::wsNormal);
  EXPECT_TRUE(SameRect(form->BoundsRect(), normal));
  // A minimized form is neither rolled up nor unrolled.
  fs.SetWindowState(TWindowState::wsMinimized);
  fs.SetRollUpState(true);
  EXPECT_FALSE(fs.RollUpState);
}

TEST(FormSkinStates, MinimizedFormsParkSideBySideAlongTheBottom) {
  TFrameSkin skin;
  std::vector<std::unique_ptr<TForm>> forms;
  for (int i = 0; i < 3; ++i) forms.push_back(ShowFrameForm(&skin.Skin(), 100 + 40 * i, 100 + 40 * i));
  for (auto& form : forms) FormSkinOf(*form).SetWindowState(TWindowState::wsMinimized);
  const RECT area = WorkArea();
  const int mh = FormSkinOf(*forms[0]).GetMinHeight();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(forms[static_cast<size_t>(i)]->Left(), area.left + PictureWidth * i) << i;
    EXPECT_EQ(forms[static_cast<size_t>(i)]->Top(), area.bottom - mh) << i;
  }
}

TEST(FormSkinStates, ParkingEndsWhenTheFrameHasNoHeight) {
  TFrameSkin skin;
  auto parked = ShowFrameForm(&skin.Skin());
  const RECT area = WorkArea();
  // A client-mode form without a skin has neither minimum width nor height: its first place is the
  // work area's bottom-left corner, taken here.
  FormSkinOf(*parked).WindowState = TWindowState::wsMinimized;
  parked->SetBounds(area.left, area.bottom, 100, 50);
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  fs.SetSupportNCArea(false);
  ASSERT_EQ(fs.GetMinHeight(), 0);
  TPoint p{};
  fs.GetMinimizeCoord(p);
  EXPECT_EQ(p.x, area.left);
  EXPECT_EQ(p.y, area.bottom);
}

TEST(FormSkinStates, MagneticEdgesSnapWithinTheDistanceOnly) {
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  const RECT a = skin::GetMonitorWorkArea(form->Handle(), true);
  struct Case {
    int Size, L, T, W, H, WantL, WantT;
  };
  const Case cases[] = {
      {10, a.left + 9, 300, 200, 100, a.left, 300},           {10, a.left + 10, 300, 200, 100, a.left + 10, 300},
      {10, a.left - 9, 300, 200, 100, a.left, 300},           {10, a.left - 10, 300, 200, 100, a.left - 10, 300},
      {10, 300, a.top + 9, 200, 100, 300, a.top},             {10, a.right - 200 - 9, 300, 200, 100, a.right - 200, 300},
      {10, 300, a.bottom - 100 + 9, 200, 100, 300, a.bottom - 100},
      {10, a.left + 3, 300, a.right - a.left - 5, 100, a.left + 5, 300},  // both edges in reach: the right wins
      {0, a.left, a.top, 200, 100, a.left, a.top},            {0, a.left + 1, 300, 200, 100, a.left + 1, 300}};
  for (const Case& c : cases) {
    fs.SetMagneticSize(static_cast<std::uint8_t>(c.Size));
    int l = c.L, t = c.T;
    fs.DoMagnetic(l, t, c.W, c.H);
    EXPECT_EQ(l, c.WantL) << c.Size << " " << c.L << "," << c.T;
    EXPECT_EQ(t, c.WantT) << c.Size << " " << c.L << "," << c.T;
  }
}

TEST(FormSkinStates, SkinChangeReachesBothFormsAndNestedControls) {
  TFrameSkin skin, other;
  std::vector<std::unique_ptr<TForm>> forms;
  forms.push_back(ShowFrameForm(&skin.Skin(), 100, 100));
  forms.push_back(ShowFrameForm(&skin.Skin(), 150, 150));
  std::vector<std::vector<UINT>> seen(2);
  for (size_t i = 0; i < forms.size(); ++i) {
    TskFormSkin& fs = FormSkinOf(*forms[i]);
    fs.OldWindowProc = [&log = seen[i], old = fs.OldWindowProc](TMessage& Message) {
      if (Message.Msg >= skin::WM_BEFORECHANGESKINDATA && Message.Msg <= skin::WM_AFTERCHANGESKINDATA)
        log.push_back(Message.Msg);
      old(Message);
    };
  }
  auto* panel = new TPanel(forms[0].get());
  panel->SetParent(forms[0].get());
  auto* probe = new TProbe(forms[0].get());
  probe->SetParent(panel);
  probe->SetSkinData(&skin.Skin());
  auto* stranger = new TProbe(forms[0].get());
  stranger->SetParent(panel);
  stranger->SetSkinData(&other.Skin());
  probe->Changes = stranger->Changes = 0;  // setting the skin itself re-skins the control

  skin.Reload();
  const std::vector<UINT> order{skin::WM_BEFORECHANGESKINDATA, skin::WM_CHANGESKINDATA, skin::WM_AFTERCHANGESKINDATA};
  EXPECT_EQ(seen[0], order);
  EXPECT_EQ(seen[1], order);
  EXPECT_EQ(probe->Befores, 1);
  EXPECT_EQ(probe->Changes, 1);
  EXPECT_EQ(stranger->Befores, 0);
  EXPECT_EQ(stranger->Changes, 0);
  // The other skin changes the control that follows it, not the frame.
  other.Reload();
  EXPECT_EQ(stranger->Changes, 1);
  EXPECT_EQ(probe->Changes, 1);

  skin.Skin().ClearSkin();
  windowtesting::PumpFor(50);
  for (auto& form : forms) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(form->Handle(), region), ERROR);
    DeleteObject(region);
    EXPECT_FALSE(FormSkinOf(*form).SkinActive);
  }
}

TEST(FormSkinStates, ObjectTimersStopThemselvesWhenNothingNeedsThem) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  TskFormSkin& fs = FormSkinOf(*form);
  fs.MorphingTimer->SetEnabled(true);
  fs.AnimationTimer->SetEnabled(true);
  fs.MorphingTimer->OnTimer(fs.MorphingTimer);
  fs.AnimationTimer->OnTimer(fs.AnimationTimer);
  EXPECT_FALSE(fs.MorphingTimer->Enabled());
  EXPECT_FALSE(fs.AnimationTimer->Enabled());
  // The pointer timer stops itself during the system's size or move loop.
  fs.InSizeMove = true;
  fs.PointerTimer->SetEnabled(true);
  fs.PointerTimer->OnTimer(fs.PointerTimer);
  EXPECT_FALSE(fs.PointerTimer->Enabled());
  fs.InSizeMove = false;
}
