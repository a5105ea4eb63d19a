#include "flat/FlatRegistration.h"

#include "flat/PlainGroupBox.h"
#include "platform/classlib/ClassRegistry.h"

#include <mutex>

using namespace classlib;
using namespace flat;

namespace {

void RegisterAll(TClassRegistry& Registry) {
  Registry.Register<TPlainGroupBox>("TPlainGroupBox", "TCustomControl")
      .Boolean("Transparent", &TPlainGroupBox::SetTransparent)
      .Color("ColorBorder", &TPlainGroupBox::SetColorBorder)
      .Enum("Border", &TPlainGroupBox::SetBorder,
            {{"brFull", TGroupBoxBorder::brFull}, {"brOnlyTopLine", TGroupBoxBorder::brOnlyTopLine}})
      .Custom("AdvColorBorder",
              [](TPlainGroupBox& Box, const TFormValue& Value, TReadContext&) {
                const int percent = formvalue::ToInteger(Value);
                if (percent < 0 || percent > MaxAdvColors) throw EReadError("a percentage 0..100 is expected");
                Box.SetAdvColorBorder(static_cast<TAdvColors>(percent));
              })
      .Boolean("UseAdvColors", &TPlainGroupBox::SetUseAdvColors);
}

}  // namespace

void RegisterFlatClasses() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterAll(TClassRegistry::Instance()); });
}
