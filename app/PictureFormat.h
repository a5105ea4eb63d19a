// How the program tells a picture file's format from its name: one rule for reading files, and one
// for choosing the encoder of a file about to be written.
#pragma once

#include "image/PxImage.h"
#include "platform/classlib/Strings.h"

// The format a picture file is read with: the three characters after the first "." of the file-name
// part, lower-cased. Unknown extensions and names without a dot give FMT_UNKNOWN, which lets the
// image library probe every format.
PxImageFormat FormatFromFileName(const classlib::String& Path);

// The encoder for a file about to be written: its extension after the last "." of the file-name
// part, as a whole. A name such as "copy.png.bmp" is written as BMP, so what the file is called is
// what it holds. FMT_UNKNOWN when no encoder of the program fits.
PxImageFormat SaveFormatFromFileName(const classlib::String& Path);
