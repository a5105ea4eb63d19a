// How skin INI files write their values: rectangles and points as comma-separated integers,
// Booleans as 1 or 0, font styles and alignments as words, and two forms of string list.
#pragma once

#include "platform/classlib/GraphicsObjects.h"
#include "platform/classlib/IniFiles.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/Strings.h"

namespace skin {

// A rectangle text holds four integers separated by three commas, a point text two and one.
// Within each piece only the digits count (blanks and decimal points are dropped), but a minus sign
// before the first digit keeps the number negative. A piece without digits, or with more than a
// 32-bit integer holds, raises EConvertError "'piece' is not a valid integer value"; pieces beyond
// the fourth (second) are ignored.
classlib::TRect GetRect(const classlib::String& Text);
classlib::TPoint GetPoint(const classlib::String& Text);
// "left,top,right,bottom"
classlib::String SetRect(const classlib::TRect& R);

// Missing keys: 0,0,0,0 and 0,0.
classlib::TRect ReadRect(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident);
void WriteRect(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident,
               const classlib::TRect& Value);
classlib::TPoint ReadPoint(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident);
void WritePoint(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident,
                const classlib::TPoint& Value);
// True only for the integer 1.
bool ReadBoolean(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident);
void WriteBoolean(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident,
                  bool Value);
// "fsbold", "fsitalic", "fsunderline", "fsstrikeout", each found anywhere in the value (case counts).
classlib::TFontStyles ReadFontStyles(classlib::TCustomIniFile& Ini, const classlib::String& Section,
                                     const classlib::String& Ident);
void WriteFontStyles(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident,
                     classlib::TFontStyles Value);
// "tacenter" (also for a missing key), "taleftjustify"; any other word is right-justified.
classlib::TAlignment ReadAlignment(classlib::TCustomIniFile& Ini, const classlib::String& Section,
                                   const classlib::String& Ident);
void WriteAlignment(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident,
                    classlib::TAlignment Value);

// Text lines: Ident+"linecount", then Ident+"line0"...; appended to Strings.
void ReadStrings(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident,
                 classlib::TStrings& Strings);
void WriteStrings(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident,
                  const classlib::TStrings& Strings);
// A numbered list: Ident+"count", then the items under the bare keys "0", "1"...; appended to Strings.
void ReadStrings1(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident,
                  classlib::TStrings& Strings);
void WriteStrings1(classlib::TCustomIniFile& Ini, const classlib::String& Section, const classlib::String& Ident,
                   const classlib::TStrings& Strings);

}  // namespace skin
