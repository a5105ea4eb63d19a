// A JPEG picture: decoded and encoded by the project's image library (PxImage), drawn through a
// bitmap made from it.
//
// Classes in this file: TJPEGImage.
//
// This unit sits above the image library, so it is built as a library of its own (classlibjpeg)
// rather than into classlib, which the image library's neighbours use without JPEG.
#pragma once

#include "platform/classlib/Graphics.h"

#include <cstdint>
#include <memory>
#include <vector>

class PxImage;

namespace classlib {

class TBitmap;

class TJPEGImage : public TGraphic {
public:
  TJPEGImage();
  ~TJPEGImage() override;

  // Takes a copy of another JPEG picture, or the pixels of a bitmap (encoded when next saved).
  void Assign(const TPersistent& Source) override;
  // Makes Dest a 24-bit bitmap holding the decoded picture; an empty picture empties Dest.
  void AssignTo(TBitmap& Dest) const;
  std::unique_ptr<TGraphic> Clone() const override;

  // Attributes

  bool Empty() const override;
  int Width() const override;
  int Height() const override;
  // A JPEG picture is as large as its image: these raise EInvalidGraphicOperation.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;

  // Quality 1..100 of the next encoding (90 by default); values outside are brought into range.
  int CompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int Value);
  // Whether the decoded picture has one grey channel.
  bool Grayscale() const;

  // Operations

  // Reads a JPEG from the stream's position to its end. Data that does not decode raises
  // EInvalidGraphic with the decoder's reason, and the picture keeps what it held.
  void LoadFromStream(TStream& Stream) override;
  // Writes the JPEG it was read from, or a new encoding of the pixels; nothing for an empty picture.
  // An encoding failure raises EInvalidGraphic.
  void SaveToStream(TStream& Stream) const override;

protected:
  void Draw(TCanvas& ACanvas, const TRect& Rect) override;

private:
  // Puts a decoded image and the file it came from (empty when there is none yet) in place.
  void Install(std::unique_ptr<PxImage> Image, std::vector<std::uint8_t> Data);
  const TBitmap& DrawingBitmap() const;

  std::unique_ptr<PxImage> FImage;               // null when empty
  std::vector<std::uint8_t> FData;               // the JPEG file, kept so a save loses nothing
  mutable std::unique_ptr<TBitmap> FBitmap;      // made on first draw, dropped on change
  int FQuality = 90;
};

// Lets TPicture load and save ".jpg" and ".jpeg" files; registers once, however often it is called.
void RegisterJPEGFileFormats();

}  // namespace classlib
