// Registration of the class library's streamable classes, area by area.
#pragma once

namespace classlib {

class TClassRegistry;

void RegisterClassLibrary(TClassRegistry& Registry);

}  // namespace classlib
