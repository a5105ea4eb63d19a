#include "app/FormClasses.h"

#include "app/Unit1.h"
#include "app/Unit10.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/Unit5.h"
#include "app/Unit6.h"
#include "app/Unit7.h"
#include "app/Unit8.h"
#include "app/Unit9.h"
#include "platform/classlib/ClassRegistry.h"

using namespace classlib;

void RegisterFormClasses() {
  TClassRegistry& registry = TClassRegistry::Instance();
  registry.Register<TForm1>("TForm1", "TForm");
  registry.Register<TForm2>("TForm2", "TForm");
  registry.Register<TForm3>("TForm3", "TForm");
  registry.Register<TForm4>("TForm4", "TForm");
  registry.Register<TForm5>("TForm5", "TForm");
  registry.Register<TForm6>("TForm6", "TForm");
  registry.Register<TForm7>("TForm7", "TForm");
  registry.Register<TForm8>("TForm8", "TForm");
  registry.Register<TForm9>("TForm9", "TForm");
  registry.Register<TForm10>("TForm10", "TForm");
}
