// The names of the TV page's recordings: one per start, in the capture folder, never an existing
// file's.
#pragma once

#include "platform/classlib/Types.h"

#include <windows.h>

// Folder, then the year, month, day, hour and minute of Time as plain numbers run together, then
// ".wmv": 7 May 2006 at 09:05 gives "20065795.wmv". Different times can give one name.
classlib::String RecordingFileName(const classlib::String& Folder, const SYSTEMTIME& Time);

// Name when nothing is there; otherwise the first of "<Name less .wmv> (2).wmv", " (3)"... that is
// free, so a recording never replaces an earlier one.
classlib::String FreeRecordingFileName(const classlib::String& Name);
