// The file dialog's tool-bar glyphs, drawn as crisp pixel art on the transparent magenta (no soft
// edges: a blend with the magenta would show as a pink fringe once the magenta is cut away).
#pragma once

#include <string>

namespace artwork {

// Writes SK_BACK.bmp (a green round button with a white arrow pointing left), SK_UP.bmp (a yellow
// open folder with a green arrow bending upward), SK_NEWFOLDER.bmp (a yellow folder with an orange
// spark at its top right) and SK_LVSTYLE.bmp (a small window with a blue frame holding six coloured
// tiles), each 16 x 16.
void WriteDialogGlyphs(const std::string& folder);

}  // namespace artwork
