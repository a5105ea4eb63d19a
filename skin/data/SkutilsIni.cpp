#include "skin/data/SkutilsIni.h"

#include "platform/classlib/SysUtils.h"

#include <array>

namespace skin {

using classlib::String;
using classlib::TCustomIniFile;

namespace {

// The digits of a piece, with its sign when a minus comes before the first digit.
int PieceValue(const String& piece) {
  String number;
  for (char c : piece) {
    if (c >= '0' && c <= '9') number += c;
    else if (c == '-' && number.empty()) number = "-";
  }
  return classlib::StrToInt(number);
}

template <size_t Count>
std::array<int, Count> Pieces(const String& text) {
  std::array<int, Count> values{};
  size_t start = 0;
  for (size_t i = 0; i < Count; ++i) {
    const size_t comma = start <= text.size() ? text.find(',', start) : String::npos;
    const String piece = start <= text.size() ? text.substr(start, comma - start) : String();
    values[i] = PieceValue(piece);
    start = comma == String::npos ? text.size() + 1 : comma + 1;
  }
  return values;
}

constexpr struct {
  classlib::TFontStyle Style;
  const char* Word;
} kFontStyleWords[] = {
    {classlib::TFontStyle::fsBold, "fsbold"},
    {classlib::TFontStyle::fsItalic, "fsitalic"},
    {classlib::TFontStyle::fsUnderline, "fsunderline"},
    {classlib::TFontStyle::fsStrikeOut, "fsstrikeout"},
};

}  // namespace

classlib::TRect GetRect(const String& Text) {
  const auto v = Pieces<4>(Text);
  return classlib::TRect{v[0], v[1], v[2], v[3]};
}

classlib::TPoint GetPoint(const String& Text) {
  const auto v = Pieces<2>(Text);
  return classlib::TPoint{v[0], v[1]};
}

String SetRect(const classlib::TRect& R) {
  using classlib::IntToStr;
  return IntToStr(R.left) + "," + IntToStr(R.top) + "," + IntToStr(R.right) + "," + IntToStr(R.bottom);
}

classlib::TRect ReadRect(TCustomIniFile& Ini, const String& Section, const String& Ident) {
  return GetRect(Ini.ReadString(Section, Ident, "0,0,0,0"));
}

void WriteRect(TCustomIniFile& Ini, const String& Section, const String& Ident, const classlib::TRect& Value) {
  Ini.WriteString(Section, Ident, SetRect(Value));
}

classlib::TPoint ReadPoint(TCustomIniFile& Ini, const String& Section, const String& Ident) {
  return GetPoint(Ini.ReadString(Section, Ident, "0,0"));
}

void WritePoint(TCustomIniFile& Ini, const String& Section, const String& Ident, const classlib::TPoint& Value) {
  Ini.WriteString(Section, Ident, classlib::IntToStr(Value.x) + "," + classlib::IntToStr(Value.y));
}

bool ReadBoolean(TCustomIniFile& Ini, const String& Section, const String& Ident) {
  return Ini.ReadInteger(Section, Ident, 0) == 1;
}

void WriteBoolean(TCustomIniFile& Ini, const String& Section, const String& Ident, bool Value) {
  Ini.WriteInteger(Section, Ident, Value ? 1 : 0);
}

classlib::TFontStyles ReadFontStyles(TCustomIniFile& Ini, const String& Section, const String& Ident) {
  const String value = Ini.ReadString(Section, Ident, "");
  classlib::TFontStyles styles;
  for (const auto& word : kFontStyleWords)
    if (value.find(word.Word) != String::npos) styles.Include(word.Style);
  return styles;
}

void WriteFontStyles(TCustomIniFile& Ini, const String& Section, const String& Ident, classlib::TFontStyles Value) {
  String text;
  for (const auto& word : kFontStyleWords)
    if (Value.Contains(word.Style)) text += (text.empty() ? "" : ",") + String(word.Word);
  Ini.WriteString(Section, Ident, text);
}

classlib::TAlignment ReadAlignment(TCustomIniFile& Ini, const String& Section, const String& Ident) {
  const String value = Ini.ReadString(Section, Ident, "tacenter");
  if (value == "tacenter") return classlib::TAlignment::taCenter;
  if (value == "taleftjustify") return classlib::TAlignment::taLeftJustify;
  return classlib::TAlignment::taRightJustify;
}

void WriteAlignment(TCustomIniFile& Ini, const String& Section, const String& Ident, classlib::TAlignment Value) {
  switch (Value) {
    case classlib::TAlignment::taLeftJustify: Ini.WriteString(Section, Ident, "taleftjustify"); return;
    case classlib::TAlignment::taRightJustify: Ini.WriteString(Section, Ident, "tarightjustify"); return;
    case classlib::TAlignment::taCenter: Ini.WriteString(Section, Ident, "tacenter"); return;
  }
}

void ReadStrings(TCustomIniFile& Ini, const String& Section, const String& Ident, classlib::TStrings& Strings) {
  const int count = Ini.ReadInteger(Section, Ident + "linecount", 0);
  for (int i = 0; i < count; ++i) Strings.Add(Ini.ReadString(Section, Ident + "line" + classlib::IntToStr(i), ""));
}

void WriteStrings(TCustomIniFile& Ini, const String& Section, const String& Ident, const classlib::TStrings& Strings) {
  Ini.WriteInteger(Section, Ident + "linecount", Strings.Count());
  for (int i = 0; i < Strings.Count(); ++i) Ini.WriteString(Section, Ident + "line" + classlib::IntToStr(i), Strings[i]);
}

void ReadStrings1(TCustomIniFile& Ini, const String& Section, const String& Ident, classlib::TStrings& Strings) {
  const int count = Ini.ReadInteger(Section, Ident + "count", 0);
  for (int i = 0; i < count; ++i) Strings.Add(Ini.ReadString(Section, classlib::IntToStr(i), ""));
}

void WriteStrings1(TCustomIniFile& Ini, const String& Section, const String& Ident, const classlib::TStrings& Strings) {
  Ini.WriteInteger(Section, Ident + "count", Strings.Count());
  for (int i = 0; i < Strings.Count(); ++i) Ini.WriteString(Section, classlib::IntToStr(i), Strings[i]);
}

}  // namespace skin
