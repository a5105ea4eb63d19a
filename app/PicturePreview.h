// Drawing shared by the forms that work on the viewer's picture: the background "can.bmp" stretched
// over a picture control, and a picture fitted into it.
#pragma once

#include "image/PxImage.h"
#include "platform/classlib/ExtCtrls.h"

// The file every picture form draws behind its picture, read from the current directory.
inline constexpr char kPictureBackgroundFile[] = "can.bmp";

// Loads the background into Image and draws it over the whole of Target; without the file the
// control keeps what it showed and Image what it held.
void DrawPictureBackground(PxImage& Image, classlib::TImage& Target);

// Draws Image into Target by the dialogs' preview fit.
void DrawPreviewPicture(const PxImage& Image, classlib::TImage& Target);
