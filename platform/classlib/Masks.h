// File-name patterns as the file dialogs and shell views filter with them: "*" any run of
// characters, "?" any one, "[a-fx]" one of a set or of its ranges ("[!...]" one outside it), every
// other character itself; letters match in either case.
#pragma once

#include "platform/classlib/Exception.h"
#include "platform/classlib/WideText.h"

namespace classlib {

// A pattern that cannot be read (a set that is never closed).
class EMaskException : public Exception {
public:
  using Exception::Exception;
};

class TMask {
public:
  // Raises EMaskException for a pattern that cannot be read.
  explicit TMask(const String& MaskValue);
  bool Matches(const String& Filename) const;

private:
  WideString FMask;  // upper case
};

bool MatchesMask(const String& Filename, const String& Mask);

}  // namespace classlib
