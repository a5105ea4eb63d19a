#include "platform/classlib/IniFiles.h"

#include "platform/classlib/Strings.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

namespace classlib {

// ---------------------------------------------------------------------------------------------
// TCustomIniFile

int TCustomIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
  return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

bool TCustomIniFile::SectionExists(const String& Section) {
  TStringList keys;
  ReadSection(Section, keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) {
  TStringList keys;
  ReadSection(Section, keys);
  return keys.IndexOf(Ident) >= 0;
}

// ---------------------------------------------------------------------------------------------
// TIniFile

namespace {

// A profile read that truncates silently returns the buffer size less 1 (a value) or less 2
// (a list of names): read again into a larger buffer until the answer fits.
template <class ReadInto>
WideString ReadProfile(ReadInto read, DWORD truncatedMargin) {
  WideString buffer(2048, 0);
  for (;;) {
    const DWORD length = read(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length + truncatedMargin < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.assign(buffer.size() * 2, 0);
  }
}

// The names of a list answer, each ended by a 0 character.
void SplitNames(const WideString& names, TStrings& Strings) {
  Strings.BeginUpdate();
  Strings.Clear();
  for (size_t start = 0; start < names.size();) {
    size_t end = start;
    while (end < names.size() && names[end] != 0) ++end;
    if (end > start) Strings.Add(FromWide(names.c_str() + start, static_cast<int>(end - start)));
    start = end + 1;
  }
  Strings.EndUpdate();
}

}  // namespace

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  const WideString section = ToWide(Section), ident = ToWide(Ident), fallback = ToWide(Default),
                   file = ToWide(FileName());
  return FromWide(ReadProfile(
      [&](WCHAR* buffer, DWORD size) {
        return GetPrivateProfileStringW(section.c_str(), ident.c_str(), fallback.c_str(), buffer, size, file.c_str());
      },
      1));
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  if (!WritePrivateProfileStringW(ToWide(Section).c_str(), ToWide(Ident).c_str(), ToWide(Value).c_str(),
                                  ToWide(FileName()).c_str()))
    throw EIniFileException("Unable to write to " + FileName());
}

void TIniFile::ReadSection(const String& Section, TStrings& Strings) {
  const WideString section = ToWide(Section), file = ToWide(FileName());
  const WCHAR empty[] = {0};
  SplitNames(ReadProfile(
                 [&](WCHAR* buffer, DWORD size) {
                   return GetPrivateProfileStringW(section.c_str(), nullptr, empty, buffer, size, file.c_str());
                 },
                 2),
             Strings);
}

void TIniFile::ReadSections(TStrings& Strings) {
  const WideString file = ToWide(FileName());
  SplitNames(ReadProfile([&](WCHAR* buffer,
                             DWORD size) { return GetPrivateProfileSectionNamesW(buffer, size, file.c_str()); },
                         2),
             Strings);
}

void TIniFile::EraseSection(const String& Section) {
  if (!WritePrivateProfileStringW(ToWide(Section).c_str(), nullptr, nullptr, ToWide(FileName()).c_str()))
    throw EIniFileException("Unable to write to " + FileName());
}

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
  // Deleting a key that is not there (or from a file that is not there) leaves nothing to do.
  WritePrivateProfileStringW(ToWide(Section).c_str(), ToWide(Ident).c_str(), nullptr, ToWide(FileName()).c_str());
}

// ---------------------------------------------------------------------------------------------
// TMemIniFile

namespace {

String TrimBlanks(const String& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == String::npos) return String();
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName) {
  if (FileName.empty() || !FileExists(FileName)) return;
  TStringList lines;
  lines.LoadFromFile(FileName);
  SetStrings(lines);
}

TMemIniFile::TSection* TMemIniFile::FindSection(const String& Section) {
  for (TSection& section : FSections)
    if (SameText(section.Name, Section)) return &section;
  return nullptr;
}

TMemIniFile::TSection& TMemIniFile::AddSection(const String& Section) {
  if (TSection* existing = FindSection(Section)) return *existing;
  FSections.push_back(TSection{Section, {}});
  return FSections.back();
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  if (const TSection* section = FindSection(Section))
    for (const TKey& key : section->Keys)
      if (SameText(key.Name, Ident)) return key.Value;
  return Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  TSection& section = AddSection(Section);
  for (TKey& key : section.Keys)
    if (SameText(key.Name, Ident)) {
      key.Value = Value;
      return;
    }
  section.Keys.push_back(TKey{Ident, Value});
}

void TMemIniFile::ReadSection(const String& Section, TStrings& Strings) {
  Strings.BeginUpdate();
  Strings.Clear();
  if (const TSection* section = FindSection(Section))
    for (const TKey& key : section->Keys) Strings.Add(key.Name);
  Strings.EndUpdate();
}

void TMemIniFile::ReadSections(TStrings& Strings) {
  Strings.BeginUpdate();
  Strings.Clear();
  for (const TSection& section : FSections) Strings.Add(section.Name);
  Strings.EndUpdate();
}

void TMemIniFile::EraseSection(const String& Section) {
  std::erase_if(FSections, [&](const TSection& section) { return SameText(section.Name, Section); });
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident) {
  if (TSection* section = FindSection(Section))
    std::erase_if(section->Keys, [&](const TKey& key) { return SameText(key.Name, Ident); });
}

void TMemIniFile::GetStrings(TStrings& List) const {
  List.BeginUpdate();
  List.Clear();
  for (const TSection& section : FSections) {
    List.Add("[" + section.Name + "]");
    for (const TKey& key : section.Keys) List.Add(key.Name + "=" + key.Value);
    List.Add(String());
  }
  List.EndUpdate();
}

// Key lines before the first section header, comments (";") and lines without "=" carry no value.
void TMemIniFile::SetStrings(const TStrings& List) {
  FSections.clear();
  TSection* section = nullptr;
  for (int i = 0, count = List.Count(); i < count; ++i) {
    const String line = List[i];
    const String trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed[0] == ';') continue;
    if (trimmed[0] == '[') {
      const size_t close = trimmed.find(']');
      section = &AddSection(trimmed.substr(1, close == String::npos ? String::npos : close - 1));
      continue;
    }
    const size_t equals = line.find('=');
    if (section == nullptr || equals == String::npos) continue;
    section->Keys.push_back(TKey{TrimBlanks(line.substr(0, equals)), line.substr(equals + 1)});
  }
}

void TMemIniFile::UpdateFile() const {
  TStringList lines;
  GetStrings(lines);
  lines.SaveToFile(FileName());
}

}  // namespace classlib
