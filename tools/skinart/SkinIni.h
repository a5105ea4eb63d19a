// The few parts of a skin INI file the drawing tool reads: sections and keys matched without
// regard to case, values as written, and the rectangle, point and integer values of the skin.
#pragma once

#include "tools/artwork/Canvas.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace skinart {

struct Spot {
  int x = 0, y = 0;
};

class IniSection {
public:
  explicit IniSection(std::string name) : FName(std::move(name)) {}

  const std::string& Name() const { return FName; }
  void Set(const std::string& key, std::string value);
  bool Has(const std::string& key) const;
  // Every key of the section, in lower case.
  std::vector<std::string> Keys() const;
  // The value as written, or `missing`.
  std::string Text(const std::string& key, const std::string& missing = "") const;
  // Throws std::runtime_error naming the section and key when the value is not of its kind.
  int Integer(const std::string& key, int missing) const;
  // Four decimal numbers, left, top, right, bottom; a missing key is the empty rectangle.
  artwork::Box Rect(const std::string& key) const;
  // Two decimal numbers, x, y; a missing key is 0,0.
  Spot Point(const std::string& key) const;

private:
  std::vector<int> Numbers(const std::string& key, size_t count) const;

  std::string FName;
  std::map<std::string, std::string> FValues;  // by lower-case key
};

class IniFile {
public:
  // Throws std::runtime_error when the file cannot be read.
  static IniFile Load(const std::string& path);
  static IniFile Parse(const std::string& text);

  // The section, or nullptr when the file has none of that name.
  const IniSection* Find(const std::string& name) const;
  // The section, or an empty one when the file has none of that name.
  const IniSection& Section(const std::string& name) const;
  // "count" and the keys "0" .. count-1 of a list section; `countKey` names the count.
  std::vector<std::string> List(const std::string& section, const std::string& countKey) const;

private:
  std::map<std::string, IniSection> FSections;  // by lower-case name
};

// "name:type" split at the first colon; nullopt without a colon.
struct Entry {
  std::string name, type;
};
std::optional<Entry> SplitEntry(const std::string& text);

}  // namespace skinart
