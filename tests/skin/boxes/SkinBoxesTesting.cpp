#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "skin/boxes/SkinBoxesRegistration.h"

using namespace classlib;

namespace skinboxestesting {

std::unique_ptr<TForm> ShowForm(const std::string& Text) {
  RegisterSkinBoxClasses();
  auto form = windowtesting::ReadForm(Text);
  form->Show();
  SetForegroundWindow(form->Handle());
  windowtesting::PumpFor(50);
  return form;
}

TWindowPicture::TWindowPicture(HWND Window) {
  RECT r;
  GetWindowRect(Window, &r);
  FTarget = std::make_unique<windowtesting::TPaintTarget>(std::max<int>(1, r.right - r.left), std::max<int>(1, r.bottom - r.top),
                                                          RGB(255, 0, 255));
  PrintWindow(Window, FTarget->DC(), 0);
}

}  // namespace skinboxestesting
