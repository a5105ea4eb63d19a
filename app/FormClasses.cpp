#include "app/FormClasses.h"

#include "app/Unit1.h"
#include "platform/classlib/ClassRegistry.h"

using namespace classlib;

void RegisterFormClasses() {
  TClassRegistry& registry = TClassRegistry::Instance();
  registry.Register<TForm1>("TForm1", "TForm");
}
