// The picture dialog's stretch glyph, crisp pixel art on the transparent magenta like the file
// dialog's other tool-bar glyphs.
#pragma once

#include <string>

namespace artwork {

// Writes SK_STRETCH.bmp (16 x 16): a white square in a blue frame with a green arrow pointing out
// from each of its sides.
void WritePictureDialogGlyphs(const std::string& folder);

}  // namespace artwork
