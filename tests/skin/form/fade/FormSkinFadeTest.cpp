// The fade-in on show, which the frame uses only on Windows 5.0 to 5.2: Wine runs this program as
// Windows XP (5.1) by a per-program version setting the build puts into the prefix.
#include "tests/classlib/WindowTesting.h"

#include "skin/data/Skutils.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinFormRegistration.h"

using namespace classlib;

namespace {

struct TFade {
  std::unique_ptr<TForm> Form;
  skin::TskFormSkin* Frame;
};

TFade ShowFading(bool AlphaBlend, bool Animation, std::uint8_t Value) {
  RegisterSkinFormClasses();
  TFade fade{windowtesting::ReadForm("object TestForm: TForm\n  Left = 100\n  Top = 100\n  Width = 300\n  Height = 200\n"
                                     "  object FormSkin: TskFormSkin\n  end\nend\n"),
             nullptr};
  fade.Frame = dynamic_cast<skin::TskFormSkin*>(fade.Form->FindComponent("FormSkin"));
  fade.Frame->SetAlphaBlendValue(Value);
  fade.Frame->SetAlphaBlendAnimation(Animation);
  fade.Frame->SetAlphaBlend(AlphaBlend);
  fade.Form->Show();
  windowtesting::PumpFor(100);
  return fade;
}

bool Layered(HWND Window) { return (GetWindowLongPtrW(Window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

}  // namespace

TEST(FormSkinFade, RunsAsWindowsXP) { ASSERT_TRUE(skin::CheckW2KWXP()); }

TEST(FormSkinFade, AnimationAloneFadesInToOpaqueAndDropsTheLayeredStyle) {
  TFade fade = ShowFading(false, true, 200);
  EXPECT_FALSE(Layered(fade.Form->Handle()));
}

TEST(FormSkinFade, AlphaBlendWithoutAnimationSetsItsValueAtOnceAndKeepsTheStyle) {
  TFade fade = ShowFading(true, false, 200);
  ASSERT_TRUE(Layered(fade.Form->Handle()));
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(fade.Form->Handle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  EXPECT_TRUE(flags & LWA_ALPHA);
}

TEST(FormSkinFade, AlphaBlendAndAnimationFadeToTheValue) {
  TFade fade = ShowFading(true, true, 120);
  ASSERT_TRUE(Layered(fade.Form->Handle()));
  BYTE alpha = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(fade.Form->Handle(), nullptr, &alpha, nullptr));
  EXPECT_EQ(alpha, 120);
}

TEST(FormSkinFade, OpaqueValueWithoutAnimationDropsTheStyle) {
  TFade fade = ShowFading(true, false, 255);
  EXPECT_FALSE(Layered(fade.Form->Handle()));
}
