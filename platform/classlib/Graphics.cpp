#include "platform/classlib/Graphics.h"

#include "platform/classlib/Streams.h"

namespace classlib {

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed();
}

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const String& FileName) const {
  TMemoryStream encoded;
  SaveToStream(encoded);
  TFileStream file(FileName, fmCreate);
  file.WriteBuffer(encoded.Memory(), static_cast<int>(encoded.Size()));
}

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace classlib
