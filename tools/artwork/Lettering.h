// A tiny geometric typeface of round-ended strokes, drawn as a shape so it antialiases like the
// rest of the artwork. It holds only the letters the artwork spells.
#pragma once

#include "tools/artwork/Canvas.h"

#include <string>

namespace artwork {

struct TextShape {
  ShapeDistance distance;
  Box bounds;  // every pixel the letters touch
};

// `text` set with the top of its capitals at `topLeft` and capitals `capHeight` pixels high.
// Throws std::invalid_argument for a letter the typeface lacks.
TextShape Lettering(const std::string& text, Point topLeft, float capHeight);
// Width in pixels of `text` at `capHeight`, for placing it.
float LetteringWidth(const std::string& text, float capHeight);

}  // namespace artwork
