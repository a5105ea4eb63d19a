#include "platform/classlib/Registration.h"

#include "platform/classlib/ClassRegistry.h"

namespace classlib {

void RegisterClassLibrary(TClassRegistry& Registry) {
  Registry.Register<TComponent>("TComponent", "");
}

}  // namespace classlib
