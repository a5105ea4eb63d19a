#include "platform/classlib/WideText.h"

namespace classlib {
namespace {

// Plain ASCII is the same in UTF-8, the ANSI code pages and UTF-16, and most text the program
// hands to the system is ASCII: it is widened and narrowed here without two system calls a string.
bool IsAscii(const char* Text, size_t Length) {
  for (size_t i = 0; i < Length; ++i)
    if (static_cast<unsigned char>(Text[i]) >= 0x80) return false;
  return true;
}

bool IsAscii(const WCHAR* Text, size_t Length) {
  for (size_t i = 0; i < Length; ++i)
    if (Text[i] >= 0x80) return false;
  return true;
}

WideString MultiByteToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  if (IsAscii(text.data(), text.size())) return WideString(text.begin(), text.end());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  WideString result(static_cast<size_t>(length), 0);
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
  return result;
}

std::string WideToMultiByte(UINT codePage, const WCHAR* text, int length) {
  if (length < 0) length = lstrlenW(text);
  if (length == 0) return {};
  if (IsAscii(text, static_cast<size_t>(length))) return std::string(text, text + length);
  const int size = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size), 0);
  WideCharToMultiByte(codePage, 0, text, length, result.data(), size, nullptr, nullptr);
  return result;
}

}  // namespace

WideString ToWide(const String& text) { return MultiByteToWide(CP_UTF8, text); }

String FromWide(const WCHAR* text, int length) {
  if (!text) return {};
  return WideToMultiByte(CP_UTF8, text, length);
}

std::string ToAnsi(const String& text) {
  const WideString wide = ToWide(text);
  return WideToMultiByte(CP_ACP, wide.c_str(), static_cast<int>(wide.size()));
}

String FromAnsi(const std::string& text) { return FromWide(MultiByteToWide(CP_ACP, text)); }

}  // namespace classlib
