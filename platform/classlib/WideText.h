// Conversions at the Win32 boundary: String (UTF-8) <-> UTF-16 for the W functions.
#pragma once

#include "platform/classlib/Types.h"

#include <string>

namespace classlib {

// UTF-16 text as the W functions take it (wchar_t is 2 bytes under Winelib).
using WideString = std::basic_string<WCHAR>;

WideString ToWide(const String& text);
String FromWide(const WCHAR* text, int length = -1);
inline String FromWide(const WideString& text) { return FromWide(text.c_str(), static_cast<int>(text.size())); }

// Text in the system's ANSI code page (the play lists' and INI files' bytes) <-> String.
std::string ToAnsi(const String& text);
String FromAnsi(const std::string& text);

}  // namespace classlib
