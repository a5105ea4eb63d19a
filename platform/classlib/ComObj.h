// Failures of COM calls raised as exceptions, with the system's text for the result code.
#pragma once

#include "platform/classlib/Exception.h"

#include <windows.h>

namespace classlib {

class EOleSysError : public Exception {
public:
  EOleSysError(String Message, HRESULT ErrorCode) : Exception(std::move(Message)), FErrorCode(ErrorCode) {}
  HRESULT ErrorCode() const { return FErrorCode; }

private:
  HRESULT FErrorCode;
};

// Raises EOleSysError for a failed result; passes a successful one through.
HRESULT OleCheck(HRESULT Result);

}  // namespace classlib
