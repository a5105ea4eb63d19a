// Makes the picture-show controls known to the form reader with their published properties.
// Safe to call more than once.
#pragma once

#include <cstdint>
#include <vector>

namespace classlib {
class TPicture;
}

namespace transitions {

void RegisterTransitionClasses();

// A picture stored in a form description ("Picture.Data"): the graphic's class name as a length byte
// and its characters, then the graphic's data (a bitmap's with a 32-bit length in front). Raises
// EReadError for a class it does not know and EInvalidGraphic for bad picture data.
void ReadPictureData(classlib::TPicture& Picture, const std::vector<std::uint8_t>& Data);

}  // namespace transitions
