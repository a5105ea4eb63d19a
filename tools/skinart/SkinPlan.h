// What a skin INI asks to be drawn, and the build check of its geometry. The plan walks every
// description the skin lists and turns each rectangle key into a piece: a box of a picture with the
// look drawn there, or a place inside a description's image that must lie within that image. The
// same walk feeds the check and the drawing, so the two cannot disagree.
#pragma once

#include "tools/skinart/SkinIni.h"
#include "tools/skinart/SkinLooks.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace skinart {

using Paint = std::function<void(Canvas&, Box)>;

struct Piece {
  std::string picture;  // file name of the picture the box lies in
  Box box;              // in that picture's coordinates
  Box bounds;           // where the box must lie: the whole picture, or its description's image
  bool point = false;   // a point (box of no size), which may lie on the bounds' right or bottom edge
  std::string origin;   // "[section] key", for messages
  Paint paint;          // empty for a place inside an image drawn by another piece
};

struct PictureSize {
  int width = 0, height = 0;
};

struct SkinPlan {
  std::vector<std::string> pictures;             // every picture file the skin names, in order
  std::map<std::string, PictureSize> sizes;      // their sizes, from SKINART
  std::vector<Piece> pieces;                     // in drawing order
  std::vector<std::string> errors;               // empty for a sound skin
};

// Never throws for a fault of the skin: every fault found becomes an entry of `errors`.
SkinPlan PlanSkin(const IniFile& ini);

}  // namespace skinart
