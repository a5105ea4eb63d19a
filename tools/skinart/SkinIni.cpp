#include "tools/skinart/SkinIni.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace skinart {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// A decimal integer, optionally signed, with nothing else around it but blanks.
std::optional<int> ParseInteger(const std::string& text) {
  const std::string value = Trim(text);
  if (value.empty() || value.size() > 10) return std::nullopt;
  size_t at = value[0] == '-' ? 1 : 0;
  if (at == value.size()) return std::nullopt;
  for (size_t i = at; i < value.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(value[i]))) return std::nullopt;
  return std::stoi(value);
}

}  // namespace

void IniSection::Set(const std::string& key, std::string value) { FValues[Lower(key)] = std::move(value); }

bool IniSection::Has(const std::string& key) const { return FValues.count(Lower(key)) != 0; }

std::vector<std::string> IniSection::Keys() const {
  std::vector<std::string> keys;
  for (const auto& [key, value] : FValues) keys.push_back(key);
  return keys;
}

std::string IniSection::Text(const std::string& key, const std::string& missing) const {
  const auto found = FValues.find(Lower(key));
  return found == FValues.end() ? missing : found->second;
}

int IniSection::Integer(const std::string& key, int missing) const {
  if (!Has(key)) return missing;
  const auto value = ParseInteger(Text(key));
  if (!value) throw std::runtime_error("[" + FName + "] " + key + ": \"" + Text(key) + "\" is no integer");
  return *value;
}

std::vector<int> IniSection::Numbers(const std::string& key, size_t count) const {
  if (!Has(key)) return std::vector<int>(count, 0);
  const std::string text = Text(key);
  std::vector<int> numbers;
  std::stringstream pieces(text);
  std::string piece;
  while (std::getline(pieces, piece, ',')) {
    const auto value = ParseInteger(piece);
    // The skin's own reader drops minus signs, so a negative coordinate would not read back.
    if (!value || *value < 0) break;
    numbers.push_back(*value);
  }
  if (numbers.size() != count || std::count(text.begin(), text.end(), ',') != static_cast<long>(count - 1))
    throw std::runtime_error("[" + FName + "] " + key + ": \"" + text + "\" is not " + std::to_string(count) +
                             " numbers of 0 or more");
  return numbers;
}

artwork::Box IniSection::Rect(const std::string& key) const {
  const std::vector<int> n = Numbers(key, 4);
  return {n[0], n[1], n[2], n[3]};
}

Spot IniSection::Point(const std::string& key) const {
  const std::vector<int> n = Numbers(key, 2);
  return {n[0], n[1]};
}

IniFile IniFile::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::stringstream text;
  text << in.rdbuf();
  return Parse(text.str());
}

IniFile IniFile::Parse(const std::string& text) {
  IniFile file;
  std::stringstream lines(text);
  std::string line;
  IniSection* current = nullptr;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      const std::string name = line.substr(1, line.size() - 2);
      current = &file.FSections.try_emplace(Lower(name), name).first->second;
      continue;
    }
    const size_t equals = line.find('=');
    if (current == nullptr || equals == std::string::npos) continue;
    current->Set(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
  }
  return file;
}

const IniSection* IniFile::Find(const std::string& name) const {
  const auto found = FSections.find(Lower(name));
  return found == FSections.end() ? nullptr : &found->second;
}

const IniSection& IniFile::Section(const std::string& name) const {
  static const IniSection kNone("");
  const IniSection* section = Find(name);
  return section ? *section : kNone;
}

std::vector<std::string> IniFile::List(const std::string& section, const std::string& countKey) const {
  const IniSection& list = Section(section);
  std::vector<std::string> items;
  const int count = list.Integer(countKey, 0);
  for (int i = 0; i < count; ++i) items.push_back(list.Text(std::to_string(i)));
  return items;
}

std::optional<Entry> SplitEntry(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return std::nullopt;
  return Entry{text.substr(0, colon), text.substr(colon + 1)};
}

}  // namespace skinart
