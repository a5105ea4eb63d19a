#include "skin/data/SkinDataRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/Streams.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"

#include <mutex>

using namespace classlib;
using namespace skin;

namespace {

void RegisterAll(TClassRegistry& Registry) {
  Registry.Register<TskSkinData>("TskSkinData", "TComponent")
      .Boolean("EnableSkinEffects", &TskSkinData::SetEnableSkinEffects)
      .Reference("CompressedStoredSkin", &TskSkinData::SetCompressedStoredSkin)
      .Reference("ResourceStrData", &TskSkinData::SetResourceStrData);

  Registry.Register<TskCompressedStoredSkin>("TskCompressedStoredSkin", "TComponent")
      .Text("FileName", &TskCompressedStoredSkin::SetFileName)
      .Text("CompressedFileName", &TskCompressedStoredSkin::SetCompressedFileName)
      .Text("Description", &TskCompressedStoredSkin::SetDescription)
      .Custom("CompressedData", [](TskCompressedStoredSkin& skin, const TFormValue& value, TReadContext&) {
        if (value.kind != TFormValue::Kind::Binary) throw EReadError("binary data is expected");
        TMemoryStream bytes;
        if (!value.Bytes.empty()) bytes.WriteBuffer(value.Bytes.data(), static_cast<int>(value.Bytes.size()));
        bytes.SetPosition(0);
        skin.ReadData(bytes);
      });

  Registry.Register<TskResourceStrData>("TskResourceStrData", "TComponent")
      .Custom("ResStrings.Strings",
              [](TskResourceStrData& strings, const TFormValue& value, TReadContext&) {
                TStringList lines;
                for (const String& line : formvalue::ToStrings(value)) lines.Add(line);
                strings.SetResStrs(lines);
              })
      .Integer("CharSet", &TskResourceStrData::SetCharSet);
}

}  // namespace

void RegisterSkinDataClasses() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterAll(TClassRegistry::Instance()); });
}
