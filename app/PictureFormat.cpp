#include "app/PictureFormat.h"

#include "platform/classlib/SysUtils.h"

#include <utility>

using namespace classlib;

namespace {

String FileNamePart(const String& Path) {
  const size_t slash = Path.rfind('\\');
  return slash == String::npos ? Path : Path.substr(slash + 1);
}

PxImageFormat FormatOfExtension(const String& Extension) {
  static const std::pair<const char*, PxImageFormat> kExtensions[] = {
      {"bmp", FMT_BMP}, {"gif", FMT_GIF}, {"jpg", FMT_JPG}, {"png", FMT_PNG}, {"ico", FMT_ICO},
      {"tif", FMT_TIF}, {"tga", FMT_TGA}, {"pcx", FMT_PCX}, {"wmf", FMT_WMF}, {"emf", FMT_WMF},
  };
  const String lower = LowerCase(Extension);
  for (const auto& [name, format] : kExtensions)
    if (lower == name) return format;
  return FMT_UNKNOWN;
}

}  // namespace

PxImageFormat FormatFromFileName(const String& Path) {
  const String name = FileNamePart(Path);
  const size_t dot = name.find('.');
  if (dot == String::npos) return FMT_UNKNOWN;
  return FormatOfExtension(name.substr(dot + 1, 3));
}

PxImageFormat SaveFormatFromFileName(const String& Path) {
  const String name = FileNamePart(Path);
  const size_t dot = name.rfind('.');
  if (dot == String::npos) return FMT_UNKNOWN;
  const PxImageFormat format = FormatOfExtension(name.substr(dot + 1));
  // Metafiles are only ever read: the image library has no encoder for them.
  return format == FMT_WMF ? FMT_UNKNOWN : format;
}
