// Compressed skins: the skin stream a form carries, and .skn files.
#include "skin/data/SkinData.h"

#include "platform/classlib/Streams.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/Skzlibcompress.h"
#include "skin/data/SkutilsIni.h"

#include <array>

namespace skin {

using classlib::String;
using classlib::TBitmap;
using classlib::TMemoryStream;

namespace {

// Inflates the whole compressed skin, refusing one that would grow past the size limit.
void Inflate(TskCompressedStoredSkin& Skin, TMemoryStream& Stream) {
  Skin.PackedData().SetPosition(0);
  TDecompressionStream inflater(Skin.PackedData());
  std::array<std::uint8_t, 4096> block;
  for (int got; (got = inflater.Read(block.data(), block.size())) > 0;) {
    if (Stream.Size() + got > skinstream::MaxInflatedSize) throw EDecompressionError("compression error");
    Stream.WriteBuffer(block.data(), got);
  }
  Stream.SetPosition(0);
}

std::int32_t ReadInt32(TMemoryStream& Stream) {
  std::int32_t value = 0;
  Stream.ReadBuffer(&value, sizeof value);
  return value;
}

void ReadPictureSlot(TMemoryStream& Stream, TBitmap& Bitmap) {
  std::uint8_t empty = 0;
  Stream.ReadBuffer(&empty, 1);
  if (empty != 0) Bitmap.SetSize(0, 0);
  else Bitmap.LoadFromStream(Stream);
}

}  // namespace

void TskSkinData::LoadCompressedStoredSkin(TskCompressedStoredSkin& Skin) {
  if (Skin.GetEmpty()) return;
  LoadFrame([&] {
    TMemoryStream stream;
    Inflate(Skin, stream);
    const std::int32_t version = ReadInt32(stream);
    if (version > skinstream::NewestVersion) return false;

    std::vector<TBitmap*> slots;
    switch (version) {
      case 3: slots = {Picture.get(), InActivePicture.get(), Mask.get()}; break;
      case 2: slots = {Picture.get(), InActivePicture.get(), Mask.get(), RollUpPicture.get(), RollUpMask.get()}; break;
      case 1: slots = {Picture.get(), Mask.get(), RollUpPicture.get(), RollUpMask.get()}; break;
      default: slots = {Picture.get(), Mask.get()}; break;
    }
    for (TBitmap* bitmap : slots) ReadPictureSlot(stream, *bitmap);

    const std::int32_t count = ReadInt32(stream);
    for (std::int32_t i = 0; i < count; ++i) {
      auto bitmap = std::make_unique<TBitmap>();
      bitmap->LoadFromStream(stream);
      ActivePictures.push_back(std::move(bitmap));
    }

    classlib::TStringList lines;
    lines.LoadFromStream(stream);
    classlib::TMemIniFile ini;
    ini.SetStrings(lines);
    ReadVersion(ini);
    ReadPictureNames(ini);
    ReadStrings1(ini, "PICTURES", "activepictures", *ActivePicturesNames);
    ReadDescriptions(ini);
    return true;
  });
}

void TskSkinData::LoadFromCompressedFile(const String& FileName) {
  TskCompressedStoredSkin skin(nullptr);
  skin.LoadFromCompressFile(FileName);
  if (!skin.GetEmpty()) LoadCompressedStoredSkin(skin);
}

void TskSkinData::SaveToCompressedFile(const String& FileName) {
  TskCompressedStoredSkin skin(nullptr);
  skin.LoadFromSkinData(*this);
  skin.SaveToCompressFile(FileName);
}

}  // namespace skin
