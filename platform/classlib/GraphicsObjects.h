// Font, pen and brush: drawing attributes whose GDI object is made on first use and remade after a change.
//
// Classes in this file: TGraphicsObject, TFont, TPen, TBrush.
#pragma once

#include "platform/classlib/Component.h"

namespace classlib {

// Owns one GDI object built from its attributes. A change drops the object; the next Handle() builds
// a new one. OnChange fires before the old object is deleted, so a canvas that has it selected can
// swap it out first (GDI does not delete an object that is selected into a DC).
class TGraphicsObject : public TPersistent {
public:
  ~TGraphicsObject() override;

  TNotifyEvent OnChange;

protected:
  HGDIOBJ ObjectHandle();
  virtual HGDIOBJ CreateObject() const = 0;
  void Changed();

private:
  HGDIOBJ FHandle = nullptr;
};

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = Set<TFontStyle>;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = BYTE;

// Height is in pixels, negative for the character height (without internal leading), as GDI takes it;
// Size is in points, converted through the screen's pixels per inch.
class TFont : public TGraphicsObject {
public:
  void Assign(const TPersistent& Source) override;

  HFONT Handle() { return static_cast<HFONT>(ObjectHandle()); }

  // Attributes
  const String& Name() const { return FName; }
  void SetName(const String& Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Size() const;
  void SetSize(int Value);
  // The text colour is no part of the GDI font: a canvas applies it when it selects the font.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);

  // The screen's logical pixels per inch, which Size converts through.
  static int PixelsPerInch();

protected:
  HGDIOBJ CreateObject() const override;

private:
  String FName = "Arial";
  int FHeight = -11;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = TFontPitch::fpDefault;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How the pen combines with the pixels below it (the binary raster operations R2_x).
enum class TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TGraphicsObject {
public:
  void Assign(const TPersistent& Source) override;

  HPEN Handle() { return static_cast<HPEN>(ObjectHandle()); }

  // Attributes
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  // Applied by the canvas (SetROP2) when it selects the pen.
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);
  // Mode as the R2_x code SetROP2 takes.
  int Rop2() const;

protected:
  HGDIOBJ CreateObject() const override;

private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = TPenStyle::psSolid;
  TPenMode FMode = TPenMode::pmCopy;
};

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
  void Assign(const TPersistent& Source) override;

  HBRUSH Handle() { return static_cast<HBRUSH>(ObjectHandle()); }

  // Attributes
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);

protected:
  HGDIOBJ CreateObject() const override;

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = TBrushStyle::bsSolid;
};

}  // namespace classlib
