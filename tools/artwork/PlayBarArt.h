// The sound dialog's play bar glyphs, crisp pixel art on the transparent magenta like the file
// dialog's tool-bar glyphs.
#pragma once

#include <string>

namespace artwork {

// Writes SK_PLAY.bmp (a black triangle pointing right with a white outline) and SK_STOP.bmp (a
// black square with a white outline), each 16 x 16.
void WritePlayBarGlyphs(const std::string& folder);

}  // namespace artwork
