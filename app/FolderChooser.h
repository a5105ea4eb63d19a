// The shell's folder chooser, through which the user picks the slide-show, capture and rip folders.
#pragma once

#include "platform/classlib/Types.h"

// Shows the folder-browsing dialog titled "select folder" over the whole shell namespace, owned by
// (and so placed over) Owner, and returns the chosen folder's file-system path (without a trailing
// separator, except for a drive root such as "C:\"), or "" when the user cancelled, the choice
// has no file-system path or the shell's allocator cannot be had.
classlib::String SelectFolder(HWND Owner);
