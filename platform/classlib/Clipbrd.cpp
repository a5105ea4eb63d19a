#include "platform/classlib/Clipbrd.h"

#include "platform/classlib/WideText.h"

#include <cstring>

namespace classlib {

namespace {

// Opens the clipboard for one scope. Another program may hold it for a moment: try a few times.
class TClipboardScope {
public:
  TClipboardScope() {
    for (int attempt = 0; attempt < 5 && !FOpen; ++attempt) {
      FOpen = OpenClipboard(nullptr);
      if (!FOpen) Sleep(10);
    }
  }
  ~TClipboardScope() {
    if (FOpen) CloseClipboard();
  }
  TClipboardScope(const TClipboardScope&) = delete;
  TClipboardScope& operator=(const TClipboardScope&) = delete;
  bool Open() const { return FOpen; }

private:
  bool FOpen = false;
};

}  // namespace

String ClipboardText() {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return String();
  TClipboardScope clipboard;
  if (!clipboard.Open()) return String();
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return String();
  const auto* text = static_cast<const WCHAR*>(GlobalLock(data));
  if (!text) return String();
  // The block may be larger than its text, and a careless writer may leave out the terminator.
  const size_t capacity = GlobalSize(data) / sizeof(WCHAR);
  size_t length = 0;
  while (length < capacity && text[length]) ++length;
  String result = FromWide(text, static_cast<int>(length));
  GlobalUnlock(data);
  return result;
}

bool SetClipboardText(const String& Text) {
  TClipboardScope clipboard;
  if (!clipboard.Open()) return false;
  EmptyClipboard();
  const WideString wide = ToWide(Text);
  const size_t bytes = (wide.size() + 1) * sizeof(WCHAR);
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return false;
  void* target = GlobalLock(block);
  std::memcpy(target, wide.c_str(), bytes);
  GlobalUnlock(block);
  if (!SetClipboardData(CF_UNICODETEXT, block)) {
    GlobalFree(block);
    return false;
  }
  return true;
}

}  // namespace classlib
