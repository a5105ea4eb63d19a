// The text form of a stored form description ("object Name: TClass ... end") parsed into TFormObject.
#pragma once

#include "platform/classlib/Exception.h"
#include "platform/classlib/FormValue.h"

namespace classlib {

// Parses one description (UTF-8, an optional byte-order mark allowed). Every fault raises EReadError
// "FormName: line N: what was wrong"; FormName is the resource or file the text came from.
TFormObject ParseFormDescription(const String& Text, const String& FormName);

// The one shape of a form-streaming error, shared by the parser and the reader.
inline EReadError FormError(const String& FormName, int Line, const String& What) {
  return EReadError(FormName + ": line " + std::to_string(Line) + ": " + What);
}

}  // namespace classlib
