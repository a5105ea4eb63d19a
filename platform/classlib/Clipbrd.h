// The system clipboard's text.
#pragma once

#include "platform/classlib/Types.h"

namespace classlib {

// The clipboard's text; empty when it holds none or cannot be opened.
String ClipboardText();
// Puts Text on the clipboard in place of whatever it held; false when the clipboard cannot be opened.
bool SetClipboardText(const String& Text);

}  // namespace classlib
