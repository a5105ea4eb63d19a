// The field tables that drive every skin description: one row per field with its key, its value
// when the key is missing, its value after construction and its places among the keys the class
// reads and writes. Reader, writer and constructor all walk the same rows, so they cannot drift.
#pragma once

#include "skin/data/SkinEnums.h"
#include "skin/data/SkutilsIni.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace skin {

template <class C>
class TSkinFieldTable {
public:
  using TReadField = std::function<void(C&, classlib::TCustomIniFile&, const classlib::String&, const char*)>;
  using TWriteField = std::function<void(const C&, classlib::TCustomIniFile&, const classlib::String&)>;
  using TConstructField = std::function<void(C&)>;

  // A field of a kind the skin values know: integer or colour, text, rectangle, point, Boolean,
  // font styles, alignment, morph kind or inactive effect. WritePlace orders the writer's keys;
  // the reader takes the rows in the order they were added unless ReadAt says otherwise.
  template <class T>
  TSkinFieldTable& Field(const char* Key, T C::*Member, T Missing, int WritePlace) {
    FRows.push_back(TRow{Key, Key, static_cast<int>(FRows.size()), WritePlace,
                         [=](C& object, classlib::TCustomIniFile& ini, const classlib::String& section,
                             const char* key) { object.*Member = ReadValue<T>(ini, section, key, Missing); },
                         [=](const C& object, classlib::TCustomIniFile& ini, const classlib::String& section) {
                           WriteValue(ini, section, Key, object.*Member);
                         },
                         [=](C& object) { object.*Member = Missing; }});
    return *this;
  }

  // An enumeration written as one of Words (in the order of the enumeration's values): a missing
  // key gives Missing, a word in no place gives Other.
  template <class E>
  TSkinFieldTable& Enumeration(const char* Key, E C::*Member, std::vector<const char*> Words, E Missing, E Other,
                               int WritePlace) {
    FRows.push_back(TRow{Key, Key, static_cast<int>(FRows.size()), WritePlace,
                         [=](C& object, classlib::TCustomIniFile& ini, const classlib::String& section,
                             const char* key) {
                           if (!ini.ValueExists(section, key)) {
                             object.*Member = Missing;
                             return;
                           }
                           const classlib::String value = ini.ReadString(section, key, "");
                           const auto word = std::find_if(Words.begin(), Words.end(),
                                                          [&](const char* w) { return value == w; });
                           object.*Member = word == Words.end() ? Other : static_cast<E>(word - Words.begin());
                         },
                         [=](const C& object, classlib::TCustomIniFile& ini, const classlib::String& section) {
                           const auto index = static_cast<size_t>(object.*Member);
                           ini.WriteString(section, Key, index < Words.size() ? Words[index] : "");
                         },
                         [=](C& object) { object.*Member = Missing; }});
    return *this;
  }

  // Text lines kept in a string list the description owns.
  TSkinFieldTable& Lines(const char* Key, std::unique_ptr<classlib::TStringList> C::*Member, int WritePlace) {
    FRows.push_back(TRow{Key, Key, static_cast<int>(FRows.size()), WritePlace,
                         [=](C& object, classlib::TCustomIniFile& ini, const classlib::String& section,
                             const char* key) {
                           (object.*Member)->Clear();
                           ReadStrings(ini, section, key, *(object.*Member));
                         },
                         [=](const C& object, classlib::TCustomIniFile& ini, const classlib::String& section) {
                           WriteStrings(ini, section, Key, *(object.*Member));
                         },
                         [=](C& object) { (object.*Member)->Clear(); }});
    return *this;
  }

  // The last row's value after construction, where it differs from its missing value.
  template <class T>
  TSkinFieldTable& Constructed(T C::*Member, T Value) {
    FRows.back().Construct = [=](C& object) { object.*Member = Value; };
    return *this;
  }

  // The last row's place in the reader's order, where it differs from the order of the rows.
  TSkinFieldTable& ReadAt(int ReadPlace) {
    FRows.back().ReadPlace = ReadPlace;
    return *this;
  }

  // The last row's key as the reader spells it, where the writer spells it otherwise. Keys match
  // without regard to case, so this keeps the stored spelling, not a second meaning.
  TSkinFieldTable& ReadAs(const char* ReadKey) {
    FRows.back().ReadKey = ReadKey;
    return *this;
  }

  void Read(C& Object, classlib::TCustomIniFile& Ini, const classlib::String& Section) const {
    for (const TRow* row : Ordered(&TRow::ReadPlace)) row->Read(Object, Ini, Section, row->ReadKey);
  }

  void Write(const C& Object, classlib::TCustomIniFile& Ini, const classlib::String& Section) const {
    for (const TRow* row : Ordered(&TRow::WritePlace)) row->Write(Object, Ini, Section);
  }

  void Construct(C& Object) const {
    for (const TRow& row : FRows) row.Construct(Object);
  }

  std::vector<const char*> Keys() const {
    std::vector<const char*> keys;
    for (const TRow* row : Ordered(&TRow::WritePlace)) keys.push_back(row->Key);
    return keys;
  }

private:
  struct TRow {
    const char* Key;
    const char* ReadKey;
    int ReadPlace;
    int WritePlace;
    TReadField Read;
    TWriteField Write;
    TConstructField Construct;
  };

  std::vector<const TRow*> Ordered(int TRow::*Place) const {
    std::vector<const TRow*> rows;
    for (const TRow& row : FRows) rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(), [&](const TRow* a, const TRow* b) { return a->*Place < b->*Place; });
    return rows;
  }

  template <class T>
  static T ReadValue(classlib::TCustomIniFile& Ini, const classlib::String& Section, const char* Key, T Missing) {
    if constexpr (std::is_same_v<T, int>) return Ini.ReadInteger(Section, Key, Missing);
    else if constexpr (std::is_same_v<T, classlib::String>) return Ini.ReadString(Section, Key, Missing);
    else if constexpr (std::is_same_v<T, bool>) return Ini.ValueExists(Section, Key) ? ReadBoolean(Ini, Section, Key) : Missing;
    else if constexpr (std::is_same_v<T, classlib::TRect>) return Ini.ValueExists(Section, Key) ? ReadRect(Ini, Section, Key) : Missing;
    else if constexpr (std::is_same_v<T, classlib::TPoint>) return Ini.ValueExists(Section, Key) ? ReadPoint(Ini, Section, Key) : Missing;
    else if constexpr (std::is_same_v<T, classlib::TFontStyles>) return Ini.ValueExists(Section, Key) ? ReadFontStyles(Ini, Section, Key) : Missing;
    else if constexpr (std::is_same_v<T, classlib::TAlignment>) return Ini.ValueExists(Section, Key) ? ReadAlignment(Ini, Section, Key) : Missing;
    else if constexpr (std::is_same_v<T, TMorphKind>) return ReadMorphKind(Ini, Section, Key);
    else if constexpr (std::is_same_v<T, TskInActiveEffect>) return ReadInActiveEffect(Ini, Section, Key);
    else static_assert(sizeof(T) == 0, "no skin value of this kind");
  }

  template <class T>
  static void WriteValue(classlib::TCustomIniFile& Ini, const classlib::String& Section, const char* Key, const T& Value) {
    if constexpr (std::is_same_v<T, int>) Ini.WriteInteger(Section, Key, Value);
    else if constexpr (std::is_same_v<T, classlib::String>) Ini.WriteString(Section, Key, Value);
    else if constexpr (std::is_same_v<T, bool>) WriteBoolean(Ini, Section, Key, Value);
    else if constexpr (std::is_same_v<T, classlib::TRect>) WriteRect(Ini, Section, Key, Value);
    else if constexpr (std::is_same_v<T, classlib::TPoint>) WritePoint(Ini, Section, Key, Value);
    else if constexpr (std::is_same_v<T, classlib::TFontStyles>) WriteFontStyles(Ini, Section, Key, Value);
    else if constexpr (std::is_same_v<T, classlib::TAlignment>) WriteAlignment(Ini, Section, Key, Value);
    else if constexpr (std::is_same_v<T, TMorphKind>) WriteMorphKind(Ini, Section, Key, Value);
    else if constexpr (std::is_same_v<T, TskInActiveEffect>) WriteInActiveEffect(Ini, Section, Key, Value);
    else static_assert(sizeof(T) == 0, "no skin value of this kind");
  }

  std::vector<TRow> FRows;
};

}  // namespace skin
