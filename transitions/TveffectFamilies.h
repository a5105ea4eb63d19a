// The transition families, each composing the frames of its own styles.
#pragma once

#include "transitions/TveffectRaster.h"

namespace transitions {

// One-axis, corner, centre, quarter and push copies: 1-57 and 128-135.
void ComposeCopy(TFrame& Frame, int Style);
// Bars, shreds and speckles: 60-68, 71-79, 86-109 and 123-126.
void ComposeStrips(TFrame& Frame, int Style);
// Shapes: 58, 59, 69, 70, 80-85, 110-117, 127 and 136-150.
void ComposeShape(TFrame& Frame, int Style);
// Fade and pivots: 118-122, on 32-bit bitmaps.
void ComposePixels(TFrame& Frame, int Style);

}  // namespace transitions
