// A whole skin, pictures and INI text, as one zlib-compressed block: what a form carries in its
// "CompressedData" property, and what a .skn file holds behind its tag and length.
#pragma once

#include "platform/classlib/Component.h"
#include "platform/classlib/Streams.h"

#include <memory>

namespace skin {

class TskSkinData;

class TskCompressedStoredSkin : public classlib::TComponent {
public:
  explicit TskCompressedStoredSkin(classlib::TComponent* AOwner);
  ~TskCompressedStoredSkin() override;

  const classlib::String& FileName() const { return FFileName; }
  void SetFileName(const classlib::String& Value);
  const classlib::String& CompressedFileName() const { return FCompressedFileName; }
  void SetCompressedFileName(const classlib::String& Value);
  const classlib::String& Description() const { return FDescription; }
  void SetDescription(const classlib::String& Value) { FDescription = Value; }

  // The compressed skin; empty when the component holds none.
  classlib::TMemoryStream& PackedData() { return *FPackedData; }
  bool GetEmpty() const;

  // The "CompressedData" property of the stored form: exactly the compressed bytes.
  void ReadData(classlib::TStream& Stream);
  void WriteData(classlib::TStream& Stream) const;

  // Appends the skin stream inflated from PackedData.
  void DeCompressToStream(classlib::TStream& Stream) const;
  void LoadFromSkinData(TskSkinData& SkinData);
  // A file that is no skin leaves PackedData unchanged.
  void LoadFromIniFile(const classlib::String& IniFileName);
  // A .skn file: tag (0 to 3), length L (0 for no skin, at most the bytes that follow), data.
  // A file that is not of that form raises EStreamError and leaves PackedData unchanged.
  void LoadFromCompressFile(const classlib::String& FileName);
  // Nothing is written while the component is empty.
  void SaveToCompressFile(const classlib::String& FileName) const;

private:
  bool Designing() const;

  classlib::String FFileName;
  classlib::String FCompressedFileName;
  classlib::String FDescription;
  std::unique_ptr<classlib::TMemoryStream> FPackedData;
};

// The skin stream: version, the form pictures each behind an empty flag, the picture list behind
// its count, then the INI text. Written as version 2.
namespace skinstream {
constexpr std::int32_t WrittenVersion = 2;
constexpr std::int32_t NewestVersion = 3;
// The .skn file's tag as written.
constexpr std::int32_t FileTag = 2;
// A compressed skin that inflates to more than this is refused.
constexpr std::int64_t MaxInflatedSize = 64 * 1024 * 1024;
}  // namespace skinstream

// A 32-bit length and the bytes of S; no skin format uses this form.
void WriteStringToStream(const classlib::String& S, classlib::TStream& Stream);
// Refuses (EStreamError) a negative length or one longer than the bytes left.
void ReadStringFromStream(classlib::String& S, classlib::TStream& Stream);

}  // namespace skin
