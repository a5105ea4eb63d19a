// The colour dialog's graphical picker: a ring of fully saturated hues around a square of
// saturation (across) and lightness (down) for the current hue, with a small XOR circle on each
// marking the current colour. Pressing or dragging with the left button on the ring changes the
// hue, in the square the saturation and lightness. The dialog owns one palette over its picture
// and learns of every change through ChangeEdits; when the colour changes elsewhere it sets
// PaletteColor between two DrawCursor calls and redraws.
//
// Classes in this file: TskColorPalette.
#pragma once

#include "platform/classlib/ExtCtrls.h"
#include "skin/boxes/SkinColorCtrls.h"
#include "skin/data/SkinData.h"

#include <array>
#include <functional>

namespace skin {

// Palette image geometry, in pixels of the 195 x 195 picture.
inline constexpr classlib::TRect PaletteWheelCoord{0, 0, 195, 195};
inline constexpr int PaletteRingWidth = 20;
inline constexpr classlib::TRect RectWheel{44, 44, 150, 150};
inline constexpr double CalcEpsilon = 1e-08;
// Degrees to radians; this value rather than the exact one, so that angles land where users expect.
inline constexpr double CalcRadian = 0.01745329252;

// Angles are in degrees on the screen (Y down), so they grow clockwise.
void CalcAngle360(double& Angle);
double CalcDistancePoints(double X1, double Y1, double X2, double Y2);
double CalcArcSinRadians(double X);
double CalcArcCosRadians(double X);
double CalcArcTan(double X);
// Direction from point 1 to point 2 in [0, 360): 0 along +X, 90 along +Y.
double CalcAnglePoints(double X1, double Y1, double X2, double Y2);
// How far the ray from the centre to point 2 lies clockwise of the ray to point 1, in [0, 360).
double CalcAngle3Points(double X1, double Y1, double XC, double YC, double X2, double Y2);
void CalcPointSurEllipse(double CX, double CY, double RX, double RY, double Angle, double& X, double& Y);
void CalcRotationPoint(double CX, double CY, double Angle, double PX, double PY, double& X, double& Y);

enum class TClickZoneWheel { czwheelPnone, czwheelPCircle, czwheelPCar };

class TskColorPalette {
public:
  // Takes over Image: a 195 x 195 picture of 32 bits per pixel and its mouse events.
  explicit TskColorPalette(classlib::TImage& Image);
  TskColorPalette(const TskColorPalette&) = delete;
  TskColorPalette& operator=(const TskColorPalette&) = delete;

  // Data members
  TWheelColor PaletteColor;
  TClickZoneWheel ClickZone = TClickZoneWheel::czwheelPnone;
  // Horizontal offsets of the ring and of the square inside the picture.
  int CircleLeft = 0;
  int CarLeft = 0;
  // The skin whose "panel" background fills the picture behind the ring; none: button face.
  TskSkinData* CtrlSkinData = nullptr;
  // Called after each change of PaletteColor made with the pointer.
  std::function<void()> ChangeEdits;

  // Operations
  // Hue table, background, ring, square and cursors; once, before the picture is shown.
  void InitWheelPalette();
  // The square for PaletteColor's hue, then the cursors.
  void DrawWheelPalette();
  // Draws both cursors, or removes them when they are drawn.
  void DrawCursor();
  classlib::TPoint SquareCursor() const;
  classlib::TPoint RingCursor() const;

  void PaletteWheelMouseDown(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState Shift,
                             int X, int Y);
  void PaletteWheelMouseMove(classlib::TObject* Sender, classlib::TShiftState Shift, int X, int Y);
  void PaletteWheelMouseUp(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState Shift,
                           int X, int Y);

private:
  classlib::TBitmap& Picture();
  void PaintBackground();
  void PaintRing();
  void PaintSquare();
  // Steps of a press, drag or release in Zone.
  void Track(TClickZoneWheel Zone, int X, int Y);

  classlib::TImage& FImage;
  std::array<TRGB, 360> FHueTable{};
};

}  // namespace skin
