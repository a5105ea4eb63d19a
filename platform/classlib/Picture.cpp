#include "platform/classlib/Picture.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Icon.h"
#include "platform/classlib/Metafile.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <vector>

namespace classlib {

namespace {

struct TFileFormat {
  String Extension;  // lower case, without the dot
  String Description;
  TGraphicFactory Factory;
};

String NormalizedExtension(String Extension) {
  if (!Extension.empty() && Extension.front() == '.') Extension.erase(0, 1);
  std::transform(Extension.begin(), Extension.end(), Extension.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return Extension;
}

// The registered formats; pictures may be loaded on a worker thread while a library registers more.
class TFileFormats {
public:
  TFileFormats() {
    Add("bmp", "Bitmaps", [] { return std::make_unique<TBitmap>(); });
    Add("ico", "Icons", [] { return std::make_unique<TIcon>(); });
    Add("emf", "Enhanced Metafiles", [] { return std::make_unique<TMetafile>(); });
    Add("wmf", "Metafiles", [] { return std::make_unique<TMetafile>(); });
  }

  void Add(const String& Extension, const String& Description, TGraphicFactory Factory) {
    std::lock_guard<std::mutex> lock(FMutex);
    const String extension = NormalizedExtension(Extension);
    auto it = std::find_if(FFormats.begin(), FFormats.end(),
                           [&extension](const TFileFormat& f) { return f.Extension == extension; });
    if (it != FFormats.end()) {
      it->Description = Description;
      it->Factory = std::move(Factory);
    } else {
      FFormats.push_back(TFileFormat{extension, Description, std::move(Factory)});
    }
  }

  // A new empty graphic for files with Extension, or null when no format has it.
  std::unique_ptr<TGraphic> Create(const String& Extension) {
    TGraphicFactory factory;
    {
      std::lock_guard<std::mutex> lock(FMutex);
      const String extension = NormalizedExtension(Extension);
      auto it = std::find_if(FFormats.begin(), FFormats.end(),
                             [&extension](const TFileFormat& f) { return f.Extension == extension; });
      if (it == FFormats.end()) return nullptr;
      factory = it->Factory;
    }
    return factory();
  }

private:
  std::mutex FMutex;
  std::vector<TFileFormat> FFormats;
};

TFileFormats& FileFormats() {
  static TFileFormats formats;
  return formats;
}

// The extension of a Windows or Unix path, without the dot; empty when the name has none.
String ExtensionOf(const String& FileName) {
  const std::size_t dot = FileName.find_last_of('.');
  const std::size_t separator = FileName.find_last_of("\\/:");
  if (dot == String::npos || (separator != String::npos && dot < separator)) return String();
  return FileName.substr(dot + 1);
}

}  // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const String& Extension, const String& Description, TGraphicFactory Factory) {
  FileFormats().Add(Extension, Description, std::move(Factory));
}

void TPicture::Adopt(std::unique_ptr<TGraphic> Graphic) {
  FGraphic = std::move(Graphic);
  if (FGraphic) FGraphic->OnChange = [this](TObject*) {
    if (OnChange) OnChange(this);
  };
  if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* Value) {
  if (Value == FGraphic.get()) return;
  Adopt(Value ? Value->Clone() : nullptr);
}

void TPicture::Assign(const TPersistent& Source) {
  if (const auto* picture = dynamic_cast<const TPicture*>(&Source)) return SetGraphic(picture->Graphic());
  if (const auto* graphic = dynamic_cast<const TGraphic*>(&Source)) return SetGraphic(graphic);
  TPersistent::Assign(Source);
}

TBitmap* TPicture::Bitmap() {
  if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get())) return bitmap;
  Adopt(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }

int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const String& FileName) {
  const String extension = ExtensionOf(FileName);
  std::unique_ptr<TGraphic> graphic = FileFormats().Create(extension);
  if (!graphic) throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
  graphic->LoadFromFile(FileName);
  Adopt(std::move(graphic));
}

void TPicture::SaveToFile(const String& FileName) const {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

}  // namespace classlib
