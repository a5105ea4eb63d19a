#include "skin/data/SkinEnums.h"

#include <iterator>

namespace skin {

using classlib::String;

namespace {

constexpr const char* kMorphKindWords[] = {"mkdefault",    "mkgradient",   "mkleftgradient", "mkrightgradient",
                                           "mkleftslide", "mkrightslide", "mkpush"};
constexpr const char* kInActiveEffectWords[] = {"iebrightness", "iedarkness",   "iegrayscale",
                                                "ienoise",      "iesplitblur", "ieinvert"};

// The place of Value among Words, or -1.
template <size_t N>
int WordIndex(const String& Value, const char* const (&Words)[N]) {
  for (size_t i = 0; i < N; ++i)
    if (Value == Words[i]) return static_cast<int>(i);
  return -1;
}

}  // namespace

TMorphKind ReadMorphKind(classlib::TCustomIniFile& Ini, const String& Section, const String& Ident) {
  const int index = WordIndex(Ini.ReadString(Section, Ident, ""), kMorphKindWords);
  return index < 0 ? TMorphKind::mkDefault : static_cast<TMorphKind>(index);
}

void WriteMorphKind(classlib::TCustomIniFile& Ini, const String& Section, const String& Ident, TMorphKind Value) {
  Ini.WriteString(Section, Ident, kMorphKindWords[static_cast<size_t>(Value)]);
}

TskInActiveEffect ReadInActiveEffect(classlib::TCustomIniFile& Ini, const String& Section, const String& Ident) {
  if (!Ini.ValueExists(Section, Ident)) return TskInActiveEffect::ieBrightness;
  const int index = WordIndex(Ini.ReadString(Section, Ident, ""), kInActiveEffectWords);
  return index < 0 ? TskInActiveEffect::ieGrayScale : static_cast<TskInActiveEffect>(index);
}

void WriteInActiveEffect(classlib::TCustomIniFile& Ini, const String& Section, const String& Ident,
                         TskInActiveEffect Value) {
  Ini.WriteString(Section, Ident, kInActiveEffectWords[static_cast<size_t>(Value)]);
}

}  // namespace skin
