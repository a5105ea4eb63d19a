// The class library's exception class: what handlers throw and the message loop shows.
#pragma once

#include "platform/classlib/Types.h"

#include <exception>

namespace classlib {

class Exception : public std::exception {
public:
  explicit Exception(String message) : FMessage(std::move(message)) {}
  const String& Message() const { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  String FMessage;
};

// Raised by form streaming: names the form, the line and the offending item.
class EReadError : public Exception {
public:
  using Exception::Exception;
};

// Raised on misuse of a class-library object (a missing component, a bad index...).
class EComponentError : public Exception {
public:
  using Exception::Exception;
};

// Raised when an object is taken as a class it is not of ("Invalid class typecast").
class EInvalidCast : public Exception {
public:
  using Exception::Exception;
};

class EStringListError : public Exception {
public:
  using Exception::Exception;
};

// Raised by a list control for an index it does not hold.
class EListError : public Exception {
public:
  using Exception::Exception;
};

class EStreamError : public Exception {
public:
  using Exception::Exception;
};

// Raised when a file or folder operation fails; ErrorCode is the system's error number.
class EInOutError : public Exception {
public:
  EInOutError(String message, DWORD ErrorCode) : Exception(std::move(message)), FErrorCode(ErrorCode) {}
  DWORD ErrorCode() const { return FErrorCode; }

private:
  DWORD FErrorCode;
};

}  // namespace classlib
