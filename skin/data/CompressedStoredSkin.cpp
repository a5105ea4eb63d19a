#include "skin/data/CompressedStoredSkin.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/IniFiles.h"
#include "platform/classlib/SysUtils.h"
#include "skin/data/SkinData.h"
#include "skin/data/Skzlibcompress.h"
#include "skin/data/SkutilsIni.h"

namespace skin {

using classlib::String;
using classlib::TBitmap;
using classlib::TMemoryStream;
using classlib::TStream;

namespace {

void WriteInt32(TStream& Stream, std::int32_t Value) { Stream.WriteBuffer(&Value, sizeof Value); }

// One picture slot: a flag byte (1 for an empty picture), then the picture as a BMP file.
void WritePictureSlot(TStream& Stream, const TBitmap& Bitmap) {
  const std::uint8_t empty = Bitmap.Empty() ? 1 : 0;
  Stream.WriteBuffer(&empty, 1);
  if (!empty) Bitmap.SaveToStream(Stream);
}

void WriteLines(TStream& Stream, const classlib::TStrings& Lines) { Lines.SaveToStream(Stream); }

}  // namespace

TskCompressedStoredSkin::TskCompressedStoredSkin(classlib::TComponent* AOwner)
    : TComponent(AOwner), FPackedData(std::make_unique<TMemoryStream>()) {}

TskCompressedStoredSkin::~TskCompressedStoredSkin() = default;

bool TskCompressedStoredSkin::Designing() const {
  return ComponentState().Contains(classlib::TComponentStateItem::csDesigning);
}

void TskCompressedStoredSkin::SetFileName(const String& Value) {
  if (!Designing()) {
    FFileName = Value;
    return;
  }
  FFileName = classlib::ExtractFileName(Value);
  LoadFromIniFile(Value);
}

void TskCompressedStoredSkin::SetCompressedFileName(const String& Value) {
  if (!Designing()) {
    FCompressedFileName = Value;
    return;
  }
  FCompressedFileName = classlib::ExtractFileName(Value);
  LoadFromCompressFile(Value);
}

bool TskCompressedStoredSkin::GetEmpty() const { return FPackedData->Size() == 0; }

void TskCompressedStoredSkin::ReadData(TStream& Stream) {
  FPackedData->Clear();
  FPackedData->CopyFrom(Stream, 0);
}

void TskCompressedStoredSkin::WriteData(TStream& Stream) const {
  if (FPackedData->Size() > 0)
    Stream.WriteBuffer(FPackedData->Memory(), static_cast<int>(FPackedData->Size()));
}

void TskCompressedStoredSkin::DeCompressToStream(TStream& Stream) const {
  DeCompressStream(Stream, *FPackedData);
}

void TskCompressedStoredSkin::LoadFromSkinData(TskSkinData& SkinData) {
  TMemoryStream stream;
  WriteInt32(stream, skinstream::WrittenVersion);
  for (const TBitmap* bitmap : {SkinData.Picture.get(), SkinData.InActivePicture.get(), SkinData.Mask.get(),
                                SkinData.RollUpPicture.get(), SkinData.RollUpMask.get()})
    WritePictureSlot(stream, *bitmap);
  WriteInt32(stream, static_cast<std::int32_t>(SkinData.ActivePictures.size()));
  for (const auto& bitmap : SkinData.ActivePictures) bitmap->SaveToStream(stream);
  classlib::TMemIniFile ini;
  SkinData.SaveToCustomIniFile(ini);
  classlib::TStringList lines;
  ini.GetStrings(lines);
  WriteLines(stream, lines);

  TMemoryStream packed;
  CompressStream(stream, packed);
  FPackedData->Clear();
  FPackedData->CopyFrom(packed, 0);
}

void TskCompressedStoredSkin::LoadFromIniFile(const String& IniFileName) {
  classlib::TStringList lines;
  lines.LoadFromFile(IniFileName);
  classlib::TMemIniFile ini;
  ini.SetStrings(lines);
  if (!IsSkinIniFile(ini)) return;
  const String dir = classlib::ExtractFilePath(IniFileName);
  FPackedData->Clear();

  TMemoryStream stream;
  WriteInt32(stream, skinstream::WrittenVersion);
  for (const char* key : {"picture", "inactivepicture", "mask", "rolluppicture", "rollupmask"}) {
    const String name = ini.ReadString("PICTURES", key, "");
    TBitmap bitmap;
    if (!name.empty()) LoadSkinPicture(bitmap, dir + name);
    WritePictureSlot(stream, bitmap);
  }
  classlib::TStringList names;
  ReadStrings1(ini, "PICTURES", "activepictures", names);
  WriteInt32(stream, names.Count());
  for (int i = 0; i < names.Count(); ++i) {
    TBitmap bitmap;
    LoadSkinPicture(bitmap, dir + names[i]);
    bitmap.SaveToStream(stream);
  }
  WriteLines(stream, lines);

  TMemoryStream packed;
  CompressStream(stream, packed);
  FPackedData->CopyFrom(packed, 0);
}

void TskCompressedStoredSkin::LoadFromCompressFile(const String& FileName) {
  classlib::TFileStream file(FileName, classlib::fmOpenRead | classlib::fmShareDenyWrite);
  const std::int64_t size = file.Size();
  std::int32_t tag = 0, length = 0;
  if (size < 8) throw classlib::EStreamError("Not a skin file: " + FileName);
  file.ReadBuffer(&tag, sizeof tag);
  file.ReadBuffer(&length, sizeof length);
  if (tag < 0 || tag > skinstream::NewestVersion || length < 0 || length > size - 8)
    throw classlib::EStreamError("Not a skin file: " + FileName);
  TMemoryStream data;
  if (length > 0) data.CopyFrom(file, length);
  FPackedData->Clear();
  if (length > 0) FPackedData->CopyFrom(data, 0);
}

void TskCompressedStoredSkin::SaveToCompressFile(const String& FileName) const {
  if (GetEmpty()) return;
  classlib::TFileStream file(FileName, classlib::fmCreate);
  WriteInt32(file, skinstream::FileTag);
  WriteInt32(file, static_cast<std::int32_t>(FPackedData->Size()));
  file.WriteBuffer(FPackedData->Memory(), static_cast<int>(FPackedData->Size()));
}

void WriteStringToStream(const String& S, TStream& Stream) {
  WriteInt32(Stream, static_cast<std::int32_t>(S.size()));
  if (!S.empty()) Stream.WriteBuffer(S.data(), static_cast<int>(S.size()));
}

void ReadStringFromStream(String& S, TStream& Stream) {
  std::int32_t length = 0;
  Stream.ReadBuffer(&length, sizeof length);
  if (length < 0 || length > Stream.Size() - Stream.Position()) throw classlib::EStreamError("Stream read error");
  S.assign(static_cast<size_t>(length), '\0');
  if (length > 0) Stream.ReadBuffer(S.data(), length);
}

}  // namespace skin
