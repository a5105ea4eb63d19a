// A picture of any registered kind, chosen by file extension when loaded.
//
// Classes in this file: TPicture.
#pragma once

#include "platform/classlib/Graphics.h"

#include <functional>
#include <memory>

namespace classlib {

class TBitmap;

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

class TPicture : public TPersistent {
public:
  TPicture();
  ~TPicture() override;

  // Takes a copy of another picture's graphic, or of a graphic itself.
  void Assign(const TPersistent& Source) override;

  // Attributes

  // The graphic held, or null.
  TGraphic* Graphic() const { return FGraphic.get(); }
  // Holds a copy of Value (of the same class); null empties the picture.
  void SetGraphic(const TGraphic* Value);
  // The graphic as a bitmap; a picture holding anything else (or nothing) gets a new empty bitmap.
  TBitmap* Bitmap();
  int Width() const;
  int Height() const;

  // Operations

  // The class comes from the file's extension. An unknown extension or a failed load raises, and the
  // picture keeps what it held.
  void LoadFromFile(const String& FileName);
  // Nothing is written for an empty picture.
  void SaveToFile(const String& FileName) const;

  // Makes files with Extension ("bmp" or ".bmp", without regard to case) load through Factory.
  // A later registration of the same extension replaces the earlier one. "bmp", "ico", "emf" and
  // "wmf" are registered from the start.
  static void RegisterFileFormat(const String& Extension, const String& Description, TGraphicFactory Factory);

  // Fires when the graphic is replaced or changes.
  TNotifyEvent OnChange;

private:
  void Adopt(std::unique_ptr<TGraphic> Graphic);

  std::unique_ptr<TGraphic> FGraphic;
};

}  // namespace classlib
