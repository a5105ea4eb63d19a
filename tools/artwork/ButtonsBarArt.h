// The skinned button bar's scroll glyphs: a black triangle on an olive ground, which the glyph
// drawing leaves out as the colour of the lower-left pixel.
#pragma once

#include <string>

namespace artwork {

// Writes SK_BB_UP.bmp and SK_BB_DOWN.bmp, 11 x 11 each: a triangle 9 wide and 5 high, centred,
// pointing up or down.
void WriteButtonsBarPictures(const std::string& folder);

}  // namespace artwork
