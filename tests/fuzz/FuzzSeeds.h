// The fuzzer's families of formats and their starting files: the files in a seed folder (made by
// scripts/fuzz with independent tools), and metafiles drawn here through GDI, since no packaged
// tool writes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

struct Seed {
  std::string name;   // file name, whose extension tells the format
  std::uint32_t id;   // the format id its decoder is asked with
  std::string bytes;
};

// The format id of a file name's extension (".bmp", ".ico" ...); 0 when none fits.
std::uint32_t FormatOfName(const std::string& name);

// The family's format ids (bmp: BMP and ICO; tga: TGA and PCX ...); empty for an unknown family.
std::vector<std::uint32_t> FamilyFormats(const std::string& family);

// Every file of the folder (a Windows path) whose format belongs to the family.
std::vector<Seed> ReadSeedFolder(const std::string& folder, const std::vector<std::uint32_t>& formats);

// A placeable Windows metafile and an enhanced metafile with lines, shapes, text and a bitmap.
std::vector<Seed> MetafileSeeds();

// Reads or writes a whole file by Windows path; false on failure.
bool ReadWholeFile(const std::string& path, std::string& bytes);
bool WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace fuzz
