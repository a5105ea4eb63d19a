// The skinned slider's built-in pictures: a thumb of two states side by side and a ruler, for each
// orientation. Their lower-left pixel is the transparent colour they are drawn with.
#pragma once

#include <string>

namespace artwork {

// Writes SK_HTB.bmp (18 x 17), SK_HRL.bmp (10 x 8), SK_VTB.bmp (38 x 9) and SK_VRL.bmp (8 x 10).
void WriteSliderPictures(const std::string& folder);

}  // namespace artwork
