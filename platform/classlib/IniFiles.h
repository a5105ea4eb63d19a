// INI files: sections of "key=value" lines, names matched without regard to case.
// TCustomIniFile holds what every INI object offers; TIniFile works on a file on disk through
// the platform's profile functions (GetPrivateProfileStringW and WritePrivateProfileStringW).
#pragma once

#include "platform/classlib/Component.h"

#include <vector>

namespace classlib {

class TStrings;

// A write that the platform refused.
class EIniFileException : public Exception {
public:
  using Exception::Exception;
};

class TCustomIniFile : public TObject {
public:
  explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}

  const String& FileName() const { return FFileName; }

  // The value, or Default when the section or key is missing.
  virtual String ReadString(const String& Section, const String& Ident, const String& Default) = 0;
  virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
  // Replace Strings' lines with the section's key names, or the file's section names.
  virtual void ReadSection(const String& Section, TStrings& Strings) = 0;
  virtual void ReadSections(TStrings& Strings) = 0;
  virtual void EraseSection(const String& Section) = 0;
  virtual void DeleteKey(const String& Section, const String& Ident) = 0;

  // Decimal, "$" or "0x" hexadecimal; a missing key or a value that is no integer gives Default.
  int ReadInteger(const String& Section, const String& Ident, int Default);
  void WriteInteger(const String& Section, const String& Ident, int Value);
  // An integer: 0 is false, any other true; a value that is no integer gives Default. Written as 1 or 0.
  bool ReadBool(const String& Section, const String& Ident, bool Default);
  void WriteBool(const String& Section, const String& Ident, bool Value);
  // A section counts as existing when it holds at least one key.
  bool SectionExists(const String& Section);
  bool ValueExists(const String& Section, const String& Ident);

private:
  String FFileName;
};

// FileName should be a full Windows path: the platform looks for a bare name in the Windows folder.
// A missing file reads as all defaults; the first write creates it (text in the ANSI code page).
class TIniFile : public TCustomIniFile {
public:
  using TCustomIniFile::TCustomIniFile;

  String ReadString(const String& Section, const String& Ident, const String& Default) override;
  // Raises EIniFileException "Unable to write to FILE" when the platform refuses the write.
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings& Strings) override;
  void ReadSections(TStrings& Strings) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
};

// An INI text held in memory, read from FileName when it exists or given as lines, and written
// back only by UpdateFile. Values stay exactly as written (the profile functions under TIniFile
// trim blanks and strip quotes, which would change skin values); section and key names are
// matched without regard to case. A section that occurs twice in the text is read as one.
class TMemIniFile : public TCustomIniFile {
public:
  // An empty FileName gives an empty INI text; a file that cannot be read raises EStreamError.
  explicit TMemIniFile(const String& FileName = String());

  String ReadString(const String& Section, const String& Ident, const String& Default) override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings& Strings) override;
  void ReadSections(TStrings& Strings) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;

  // The text as lines: each section's header, its key=value lines, then an empty line.
  void GetStrings(TStrings& List) const;
  // Replaces the whole content by the INI text of List.
  void SetStrings(const TStrings& List);
  void Clear() { FSections.clear(); }
  // Writes the text to FileName (ANSI code page, CR LF), replacing the file.
  void UpdateFile() const;

private:
  struct TKey {
    String Name;
    String Value;
  };
  struct TSection {
    String Name;
    std::vector<TKey> Keys;
  };

  TSection* FindSection(const String& Section);
  TSection& AddSection(const String& Section);

  std::vector<TSection> FSections;
};

}  // namespace classlib
