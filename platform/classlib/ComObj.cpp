#include "platform/classlib/ComObj.h"

#include "platform/classlib/SysUtils.h"

namespace classlib {

HRESULT OleCheck(HRESULT Result) {
  if (SUCCEEDED(Result)) return Result;
  char text[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                static_cast<DWORD>(Result), 0, text, sizeof text, nullptr);
  while (length && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == '.')) --length;
  String message = length ? String(text, length) : Format("OLE error %.8X", static_cast<unsigned>(Result));
  throw EOleSysError(message, Result);
}

}  // namespace classlib
