// Conversions at the Win32 boundary: String (UTF-8) <-> UTF-16 for the W functions.
#pragma once

#include "platform/classlib/Types.h"

#include <string>
#include <utility>

namespace classlib {

// UTF-16 text as the W functions take it. Under Winelib WCHAR is a 2-byte wchar_t while the C
// library's wide functions (which std::wstring calls) expect 4 bytes, so the text is kept as
// char16_t and handed out as WCHAR pointers.
class WideString : public std::u16string {
public:
  using std::u16string::u16string;
  WideString(std::u16string Text) : std::u16string(std::move(Text)) {}
  WideString(size_t Count, WCHAR Fill) : std::u16string(Count, static_cast<char16_t>(Fill)) {}

  const WCHAR* c_str() const { return reinterpret_cast<const WCHAR*>(std::u16string::c_str()); }
  const WCHAR* data() const { return reinterpret_cast<const WCHAR*>(std::u16string::data()); }
  WCHAR* data() { return reinterpret_cast<WCHAR*>(std::u16string::data()); }
};

WideString ToWide(const String& text);
String FromWide(const WCHAR* text, int length = -1);
inline String FromWide(const WideString& text) { return FromWide(text.c_str(), static_cast<int>(text.size())); }

// Text in the system's ANSI code page (the play lists' and INI files' bytes) <-> String.
std::string ToAnsi(const String& text);
String FromAnsi(const std::string& text);

}  // namespace classlib
