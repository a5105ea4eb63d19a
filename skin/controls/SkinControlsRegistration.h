// Registers the skinned controls' classes and published properties with the form reader.
#pragma once

namespace classlib {
class TBitmap;
struct TFormValue;
}  // namespace classlib

void RegisterSkinControlClasses();

// A bitmap property stored in a form description ("Name.Data = { ... }"): the bitmap file, with its
// size in four bytes before it or without.
void ReadBitmapData(classlib::TBitmap& Bitmap, const classlib::TFormValue& Value);
