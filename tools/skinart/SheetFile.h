// Writes a skin picture as a 24-bit BMP with every colour rounded to its nearest byte value: the
// skin engine compares colours exactly (black mask pixels, the fuchsia of transparent thumbs) and
// tiles pieces side by side, so the dithering of the home page artwork would break both.
#pragma once

#include "tools/artwork/Canvas.h"

#include <string>

namespace skinart {

// Throws std::runtime_error when the file cannot be written.
void SaveSheet(const artwork::Canvas& sheet, const std::string& path);

}  // namespace skinart
