#include "tests/fuzz/FuzzSeeds.h"

#include "image/PxImage.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <map>

namespace fuzz {

namespace {

std::u16string Wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(std::max(length, 1)), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, reinterpret_cast<LPWSTR>(wide.data()), length);
  wide.resize(wide.size() - 1);
  return wide;
}

std::string Narrow(const WCHAR* text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(std::max(length, 1)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
  narrow.resize(narrow.size() - 1);
  return narrow;
}

// Draws what the metafile seeds hold: pens, brushes, shapes, text, a clip region and a bitmap.
void DrawSample(HDC dc) {
  HPEN pen = CreatePen(PS_DASH, 1, RGB(200, 30, 40));
  HBRUSH brush = CreateHatchBrush(HS_DIAGCROSS, RGB(10, 120, 220));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Rectangle(dc, 2, 2, 60, 40);
  Ellipse(dc, 20, 10, 90, 70);
  const POINT points[] = {{5, 70}, {40, 95}, {80, 75}, {60, 50}};
  Polygon(dc, points, 4);
  PolyBezier(dc, points, 4);
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, 99, 99);
  HRGN region = CreateEllipticRgn(10, 10, 80, 80);
  SelectClipRgn(dc, region);
  SetTextColor(dc, RGB(0, 90, 0));
  SetBkMode(dc, TRANSPARENT);
  TextOutW(dc, 8, 30, L"Tavrel", 6);
  SelectClipRgn(dc, nullptr);
  DeleteObject(region);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = 3;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  std::uint8_t pixels[3 * 12] = {};
  for (std::size_t i = 0; i < sizeof pixels; ++i) pixels[i] = static_cast<std::uint8_t>(i * 23);
  StretchDIBits(dc, 60, 60, 30, 20, 0, 0, 4, 3, pixels, &info, DIB_RGB_COLORS, SRCCOPY);

  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

std::string EnhancedMetafile() {
  const RECT frame{0, 0, 2600, 2600};  // hundredths of a millimetre
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  if (!dc) return {};
  DrawSample(dc);
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  if (!metafile) return {};
  std::string bytes(GetEnhMetaFileBits(metafile, 0, nullptr), '\0');
  GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
  DeleteEnhMetaFile(metafile);
  return bytes;
}

// A Windows metafile behind the placeable header that gives its bounds and units.
std::string PlaceableMetafile() {
  HDC dc = CreateMetaFileW(nullptr);
  if (!dc) return {};
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, 100, 100, nullptr);
  DrawSample(dc);
  HMETAFILE metafile = CloseMetaFile(dc);
  if (!metafile) return {};
  std::string records(GetMetaFileBitsEx(metafile, 0, nullptr), '\0');
  GetMetaFileBitsEx(metafile, static_cast<UINT>(records.size()), records.data());
  DeleteMetaFile(metafile);

  const std::uint16_t header[10] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 1440, 0, 0};
  std::uint16_t checksum = 0;
  for (const std::uint16_t word : header) checksum ^= word;
  std::string bytes;
  for (const std::uint16_t word : header) bytes += {static_cast<char>(word & 0xFF), static_cast<char>(word >> 8)};
  bytes += {static_cast<char>(checksum & 0xFF), static_cast<char>(checksum >> 8)};
  return bytes + records;
}

}  // namespace

std::uint32_t FormatOfName(const std::string& name) {
  static const std::map<std::string, std::uint32_t> kExtensions = {
      {"bmp", FMT_BMP}, {"ico", FMT_ICO},  {"cur", FMT_ICO},  {"gif", FMT_GIF}, {"jpg", FMT_JPG}, {"png", FMT_PNG},
      {"tif", FMT_TIF}, {"tga", FMT_TGA},  {"pcx", FMT_PCX},  {"wbmp", FMT_WBMP}, {"wmf", FMT_WMF}, {"emf", FMT_WMF},
      {"jp2", FMT_JP2}, {"j2k", FMT_JPC},  {"pgx", FMT_PGX},  {"pbm", FMT_PNM}, {"pgm", FMT_PNM}, {"ppm", FMT_PNM},
      {"pnm", FMT_PNM}, {"ras", FMT_RAS}};
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return 0;
  std::string extension = name.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto found = kExtensions.find(extension);
  return found == kExtensions.end() ? 0 : found->second;
}

std::vector<std::uint32_t> FamilyFormats(const std::string& family) {
  static const std::map<std::string, std::vector<std::uint32_t>> kFamilies = {
      {"bmp", {FMT_BMP, FMT_ICO}},
      {"gif", {FMT_GIF}},
      {"jpeg", {FMT_JPG}},
      {"png", {FMT_PNG}},
      {"tiff", {FMT_TIF}},
      {"tga", {FMT_TGA, FMT_PCX}},
      {"wmf", {FMT_WBMP, FMT_WMF}},
      {"jpeg2000", {FMT_JP2, FMT_JPC, FMT_PGX, FMT_PNM, FMT_RAS}}};
  const auto found = kFamilies.find(family);
  return found == kFamilies.end() ? std::vector<std::uint32_t>{} : found->second;
}

std::vector<Seed> ReadSeedFolder(const std::string& folder, const std::vector<std::uint32_t>& formats) {
  std::vector<Seed> seeds;
  const std::u16string pattern = Wide(folder + "\\*");
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(reinterpret_cast<LPCWSTR>(pattern.c_str()), &found);
  if (search == INVALID_HANDLE_VALUE) return seeds;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    Seed seed{Narrow(found.cFileName), 0, {}};
    seed.id = FormatOfName(seed.name);
    if (std::find(formats.begin(), formats.end(), seed.id) == formats.end()) continue;
    if (ReadWholeFile(folder + "\\" + seed.name, seed.bytes) && !seed.bytes.empty()) seeds.push_back(std::move(seed));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(seeds.begin(), seeds.end(), [](const Seed& a, const Seed& b) { return a.name < b.name; });
  return seeds;
}

std::vector<Seed> MetafileSeeds() {
  std::vector<Seed> seeds;
  if (std::string emf = EnhancedMetafile(); !emf.empty()) seeds.push_back({"drawn.emf", FMT_WMF, std::move(emf)});
  if (std::string wmf = PlaceableMetafile(); !wmf.empty()) seeds.push_back({"drawn.wmf", FMT_WMF, std::move(wmf)});
  return seeds;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  const std::u16string wide = Wide(path);
  HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(wide.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 28);
  if (ok) {
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    ok = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                           read == bytes.size());
  }
  CloseHandle(file);
  return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  const std::u16string wide = Wide(path);
  HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(wide.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                                    written == bytes.size());
  CloseHandle(file);
  return ok;
}

}  // namespace fuzz
