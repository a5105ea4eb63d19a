// The two enumerations of the skin data and how skin INI files spell them.
#pragma once

#include "platform/classlib/IniFiles.h"

#include <cstdint>

namespace skin {

// How the change between a normal and an active image is animated.
enum class TMorphKind : std::uint8_t { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };

// How the frame image of an inactive form is computed from the active one.
enum class TskInActiveEffect : std::uint8_t { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };

// Words compared exactly; a missing key or any other word gives mkDefault.
TMorphKind ReadMorphKind(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident);
void WriteMorphKind(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident,
                    TMorphKind Value);
// Words compared exactly; a missing key gives ieBrightness, any other word ieGrayScale.
TskInActiveEffect ReadInActiveEffect(classlib::TCustomIniFile& Ini, const classlib::String& Section,
                                     const classlib::String& Ident);
void WriteInActiveEffect(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident,
                         TskInActiveEffect Value);

}  // namespace skin
