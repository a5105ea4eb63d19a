// Registration of the class library's streamable classes, area by area.
#pragma once

namespace classlib {

class TClassRegistry;
struct TFormValue;

void RegisterClassLibrary(TClassRegistry& Registry);
// A cursor as a description writes it: its name (crHandPoint) or its number.
int ReadCursor(const TFormValue& Value);

}  // namespace classlib
