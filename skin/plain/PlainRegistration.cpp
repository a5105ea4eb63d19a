#include "skin/plain/PlainRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "skin/plain/SkinPlainDialogs.h"

#include <mutex>

using namespace classlib;
using namespace skin;

namespace {

void RegisterAll(TClassRegistry& Registry) {
  Registry.Register<TskSkinOpenDialog>("TskSkinOpenDialog", "TOpenDialog")
      .Boolean("MultiSelection", &TskSkinOpenDialog::SetMultiSelection)
      .Boolean("CheckFileExists", &TskSkinOpenDialog::SetCheckFileExists);
  Registry.Register<TskSkinSaveDialog>("TskSkinSaveDialog", "TskSkinOpenDialog");
}

}  // namespace

void RegisterPlainSkinClasses() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterAll(TClassRegistry::Instance()); });
}
