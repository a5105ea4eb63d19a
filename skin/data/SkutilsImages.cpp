// Building skin images of any size from the rectangles of a skin picture, and the frame bands of a
// mask for a window of any size.

#include "skin/data/Skutils.h"

#include <algorithm>
#include <cstdint>

namespace skin {

namespace {

// One piece of SB (Source relative to R's top-left corner) copied, scaled where the sizes differ,
// onto Dest of Target. A piece with no area on either side draws nothing: reversed rectangles
// would mirror it.
void CopyPiece(TBitmap& Target, const TRect& Dest, TBitmap& SB, const TRect& R, const TRect& Source) {
  if (Dest.right <= Dest.left || Dest.bottom <= Dest.top) return;
  if (Source.right <= Source.left || Source.bottom <= Source.top) return;
  const TRect from{Source.left + R.left, Source.top + R.top, Source.right + R.left, Source.bottom + R.top};
  Target.Canvas()->CopyRect(Dest, *SB.Canvas(), from);
}

// The tiles of a run: the strip From..To repeated with Step from Start on, the last tile cut at
// End. Tile(sourceFrom, sourceTo, targetFrom, targetTo) is called for each tile with a length;
// a step of zero or less, or a span shorter than the strip's fixed neighbours, gives none.
// LastTile, when not negative, ends the run earlier.
template <class TileFn>
void Run(int From, int To, int Step, int Start, int End, TileFn&& Tile, std::int64_t LastTile = -1) {
  if (Step <= 0) return;
  std::int64_t count = (std::int64_t{End} - Start) / Step;
  if (LastTile >= 0) count = std::min(count, LastTile);
  for (std::int64_t i = 0; i <= count; ++i) {
    const std::int64_t tileStart = Start + i * Step;
    const std::int64_t cut = std::max<std::int64_t>(0, tileStart + Step - End);
    const std::int64_t tileEnd = tileStart + Step - cut;
    const std::int64_t sourceEnd = To - cut;
    if (tileEnd <= tileStart || sourceEnd <= From) continue;
    Tile(From, static_cast<int>(sourceEnd), static_cast<int>(tileStart), static_cast<int>(tileEnd));
  }
}

// A horizontal run: source rows SourceTop..SourceBottom onto target rows Top..Bottom.
void HRun(TBitmap& B, TBitmap& SB, const TRect& R, int From, int To, int Step, int Start, int End, int SourceTop,
          int SourceBottom, int Top, int Bottom, std::int64_t LastTile = -1) {
  if (Bottom <= Top || SourceBottom <= SourceTop) return;
  Run(
      From, To, Step, Start, End,
      [&](int s1, int s2, int d1, int d2) {
        CopyPiece(B, TRect{d1, Top, d2, Bottom}, SB, R, TRect{s1, SourceTop, s2, SourceBottom});
      },
      LastTile);
}

// A vertical run: source columns SourceLeft..SourceRight onto target columns Left..Right.
void VRun(TBitmap& B, TBitmap& SB, const TRect& R, int From, int To, int Step, int Start, int End, int SourceLeft,
          int SourceRight, int Left, int Right) {
  if (Right <= Left || SourceRight <= SourceLeft) return;
  Run(From, To, Step, Start, End, [&](int s1, int s2, int d1, int d2) {
    CopyPiece(B, TRect{Left, d1, Right, d2}, SB, R, TRect{SourceLeft, s1, SourceRight, s2});
  });
}

// The client piece tiled over Span: columns outside, rows inside.
void ClientRun(TBitmap& B, TBitmap& SB, const TRect& R, const TRect& Piece, const TRect& Span) {
  Run(Piece.left, Piece.right, RectWidth(Piece), Span.left, Span.right, [&](int sx1, int sx2, int dx1, int dx2) {
    Run(Piece.top, Piece.bottom, RectHeight(Piece), Span.top, Span.bottom, [&](int sy1, int sy2, int dy1, int dy2) {
      CopyPiece(B, TRect{dx1, dy1, dx2, dy2}, SB, R, TRect{sx1, sy1, sx2, sy2});
    });
  });
}

// The anchor geometry of a nine-part builder, named as the builders use it.
struct TNineParts {
  TPoint LT, RT, LB, RB;
  TRect Cl;
  TPoint NewLT, NewRT, NewLB, NewRB;
  TRect NewCl;
  int RW, RH, W, H;
};

struct TEdgeStretch {
  bool Left = false, Top = false, Right = false, Bottom = false;
};

void DrawNineParts(const TNineParts& g, TBitmap& B, TBitmap& SB, const TRect& R, bool DrawClient,
                   const TEdgeStretch& Stretch) {
  const TRect& c = g.Cl;
  const TRect& n = g.NewCl;
  // Edges: tiled along their length, or one scaled copy.
  if (Stretch.Top)
    CopyPiece(B, TRect{g.NewLT.x, 0, g.NewRT.x, n.top}, SB, R, TRect{g.LT.x, 0, g.RT.x, c.top});
  else
    HRun(B, SB, R, g.LT.x, g.RT.x, g.RT.x - g.LT.x, g.NewLT.x, g.NewRT.x, 0, c.top, 0, n.top);
  if (Stretch.Bottom)
    CopyPiece(B, TRect{g.NewLB.x, n.bottom, g.NewRB.x, g.H}, SB, R, TRect{g.LB.x, c.bottom, g.RB.x, g.RH});
  else
    HRun(B, SB, R, g.LB.x, g.RB.x, g.RB.x - g.LB.x, g.NewLB.x, g.NewRB.x, c.bottom, g.RH, n.bottom, g.H);
  // The tiled left edge reads as many source columns as the new client rectangle leaves.
  if (Stretch.Left)
    CopyPiece(B, TRect{0, g.NewLT.y, n.left, g.NewLB.y}, SB, R, TRect{0, g.LT.y, c.left, g.LB.y});
  else
    VRun(B, SB, R, g.LT.y, g.LB.y, g.LB.y - g.LT.y, g.NewLT.y, g.NewLB.y, 0, n.left, 0, n.left);
  if (Stretch.Right)
    CopyPiece(B, TRect{n.right, g.NewRT.y, g.W, g.NewRB.y}, SB, R, TRect{c.right, g.RT.y, g.RW, g.RB.y});
  else
    VRun(B, SB, R, g.RT.y, g.RB.y, g.RB.y - g.RT.y, g.NewRT.y, g.NewRB.y, c.right, g.RW, n.right, g.W);

  // Corners: the top band owns both top corners, the left column the bottom-left one and the
  // bottom band the bottom-right one.
  CopyPiece(B, TRect{0, 0, g.NewLT.x, n.top}, SB, R, TRect{0, 0, g.LT.x, c.top});
  CopyPiece(B, TRect{0, n.top, n.left, g.NewLT.y}, SB, R, TRect{0, c.top, c.left, g.LT.y});
  CopyPiece(B, TRect{g.NewRT.x, 0, g.W, n.top}, SB, R, TRect{g.RT.x, 0, g.RW, c.top});
  CopyPiece(B, TRect{n.right, n.top, g.W, g.NewRT.y}, SB, R, TRect{c.right, c.top, g.RW, g.RT.y});
  CopyPiece(B, TRect{0, g.NewLB.y, n.left, g.H}, SB, R, TRect{0, g.LB.y, c.left, g.RH});
  CopyPiece(B, TRect{n.left, n.bottom, g.NewLB.x, g.H}, SB, R, TRect{c.left, c.bottom, g.LB.x, g.RH});
  CopyPiece(B, TRect{g.NewRB.x, n.bottom, g.W, g.H}, SB, R, TRect{g.RB.x, c.bottom, g.RW, g.RH});
  CopyPiece(B, TRect{n.right, g.NewRB.y, g.W, n.bottom}, SB, R, TRect{c.right, g.RB.y, g.RW, c.bottom});

  if (DrawClient) ClientRun(B, SB, R, c, n);
}

TNineParts NineParts(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& ClRect,
                     const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB, const TPoint& NewRB,
                     const TRect& NewClRect, const TRect& R, int W, int H) {
  return TNineParts{LT, RT, LB, RB, ClRect, NewLT, NewRT, NewLB, NewRB, NewClRect, RectWidth(R), RectHeight(R), W, H};
}

// Sizes B; false when there is nothing to draw after that.
bool PrepareNineParts(TBitmap& B, TBitmap& SB, const TPoint& LT, const TPoint& RB, int W, int H) {
  B.SetSize(W, H);
  return RB.x != LT.x && RB.y != LT.y && !SB.Empty() && !B.Empty();
}

}  // namespace

void CreateStrechImage(TBitmap& B, TBitmap& SB, const TRect& R, const TRect& ClRect) {
  if (B.Empty() || SB.Empty()) return;
  const int W = B.Width(), H = B.Height();
  const int RW = RectWidth(R), RH = RectHeight(R);
  const int CL = ClRect.left, CT = ClRect.top, CR = ClRect.right, CB = ClRect.bottom;
  const int NR = W - (RW - CR), NB = H - (RH - CB);
  CopyPiece(B, TRect{0, 0, CL, CT}, SB, R, TRect{0, 0, CL, CT});
  CopyPiece(B, TRect{CL, 0, NR, CT}, SB, R, TRect{CL, 0, CR, CT});
  CopyPiece(B, TRect{NR, 0, W, CT}, SB, R, TRect{CR, 0, RW, CT});
  CopyPiece(B, TRect{NR, CT, W, NB}, SB, R, TRect{CR, CT, RW, CB});
  CopyPiece(B, TRect{NR, NB, W, H}, SB, R, TRect{CR, CB, RW, RH});
  CopyPiece(B, TRect{CL, NB, NR, H}, SB, R, TRect{CL, CB, CR, RH});
  CopyPiece(B, TRect{0, NB, CL, H}, SB, R, TRect{0, CB, CL, RH});
  CopyPiece(B, TRect{0, CT, CL, NB}, SB, R, TRect{0, CT, CL, CB});
  CopyPiece(B, TRect{CL, CT, NR, NB}, SB, R, TRect{CL, CT, CR, CB});
}

void CreateHSkinImage(int LO, int RO, TBitmap& B, TBitmap& SB, const TRect& R, int W, int, bool Stretch) {
  const int RW = RectWidth(R), RH = RectHeight(R);
  B.SetSize(W, RH);
  if (B.Empty() || SB.Empty()) return;
  if (LO != 0) CopyPiece(B, TRect{0, 0, LO, RH}, SB, R, TRect{0, 0, LO, RH});
  if (RO != 0) CopyPiece(B, TRect{W - RO, 0, W, RH}, SB, R, TRect{RW - RO, 0, RW, RH});
  const TRect middle{LO, 0, RW - RO, RH};
  if (Stretch) return CopyPiece(B, TRect{LO, 0, W - RO, RH}, SB, R, middle);
  HRun(B, SB, R, middle.left, middle.right, std::max(1, RectWidth(middle)), LO, W - RO, 0, RH, 0, RH);
}

void CreateHSkinImage2(int LO, int RO, TBitmap& B, TBitmap& SB, const TRect& R, int W, int, bool Stretch) {
  const int RW = RectWidth(R), RH = RectHeight(R);
  B.SetSize(W, RH);
  if (B.Empty() || SB.Empty()) return;
  if (LO != 0) CopyPiece(B, TRect{0, 0, LO, RH}, SB, R, TRect{0, 0, LO, RH});
  const TRect middle{LO, 0, RW - RO, RH};
  if (Stretch) return CopyPiece(B, TRect{LO, 0, W, RH}, SB, R, middle);
  HRun(B, SB, R, middle.left, middle.right, std::max(1, RectWidth(middle)), LO, W, 0, RH, 0, RH);
}

void CreateHSkinImage3(int LO, int RO, TBitmap& B, TBitmap& SB, const TRect& R, int W, int, bool Stretch) {
  const int RW = RectWidth(R), RH = RectHeight(R);
  B.SetSize(W, RH);
  if (B.Empty() || SB.Empty()) return;
  const TRect middle{LO, 0, RW - RO, RH};
  if (Stretch) return CopyPiece(B, TRect{0, 0, W, RH}, SB, R, middle);
  HRun(B, SB, R, middle.left, middle.right, std::max(1, RectWidth(middle)), 0, W, 0, RH, 0, RH);
}

void CreateVSkinImage(int TO, int BO, TBitmap& B, TBitmap& SB, const TRect& R, int, int H, bool Stretch) {
  const int RW = RectWidth(R), RH = RectHeight(R);
  B.SetSize(RW, H);
  if (B.Empty() || SB.Empty()) return;
  if (TO != 0) CopyPiece(B, TRect{0, 0, RW, TO}, SB, R, TRect{0, 0, RW, TO});
  if (BO != 0) CopyPiece(B, TRect{0, H - BO, RW, H}, SB, R, TRect{0, RH - BO, RW, RH});
  const TRect middle{0, TO, RW, RH - BO};
  if (Stretch) return CopyPiece(B, TRect{0, TO, RW, H - BO}, SB, R, middle);
  VRun(B, SB, R, middle.top, middle.bottom, RectHeight(middle), TO, H - BO, 0, RW, 0, RW);
}

void CreateSkinBG(const TRect& ClRect, const TRect& NewClRect, TBitmap& B, TBitmap& SB, const TRect& R, int W,
                  int H) {
  B.SetSize(W, H);
  if (RectWidth(NewClRect) <= 0 || RectHeight(NewClRect) <= 0 || B.Empty() || SB.Empty()) return;
  ClientRun(B, SB, R, ClRect, TRect{0, 0, RectWidth(NewClRect), RectHeight(NewClRect)});
}

void CreateSkinImage(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& ClRect,
                     const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB, const TPoint& NewRB,
                     const TRect& NewClRect, TBitmap& B, TBitmap& SB, const TRect& R, int W, int H,
                     bool DrawClient) {
  if (!PrepareNineParts(B, SB, LT, RB, W, H)) return;
  DrawNineParts(NineParts(LT, RT, LB, RB, ClRect, NewLT, NewRT, NewLB, NewRB, NewClRect, R, W, H), B, SB, R,
                DrawClient, TEdgeStretch{});
}

void CreateSkinImageBS(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& ClRect,
                       const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB, const TPoint& NewRB,
                       const TRect& NewClRect, TBitmap& B, TBitmap& SB, const TRect& R, int W, int H,
                       bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch) {
  if (!PrepareNineParts(B, SB, LT, RB, W, H)) return;
  DrawNineParts(NineParts(LT, RT, LB, RB, ClRect, NewLT, NewRT, NewLB, NewRB, NewClRect, R, W, H), B, SB, R,
                DrawClient, TEdgeStretch{LeftStretch, TopStretch, RightStretch, BottomStretch});
}

void CreateSkinImage2(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& ClRect,
                      const TPoint& NewLT, const TPoint&, const TPoint& NewLB, const TPoint&, const TRect& NewClRect,
                      TBitmap& B, TBitmap& SB, const TRect& R, int W, int H, bool DrawClient) {
  if (!PrepareNineParts(B, SB, LT, RB, W, H)) return;
  const int RH = RectHeight(R);
  const TRect& c = ClRect;
  const TRect& n = NewClRect;
  // Without a right edge every tile of the top band is as wide as the bottom band's middle, so a
  // top middle of another width is scaled into it.
  HRun(B, SB, R, LT.x, RT.x, RB.x - LT.x, NewLT.x, W, 0, c.top, 0, n.top);
  HRun(B, SB, R, LB.x, RB.x, RB.x - LB.x, NewLB.x, W, c.bottom, RH, n.bottom, H);
  VRun(B, SB, R, LT.y, LB.y, LB.y - LT.y, NewLT.y, NewLB.y, 0, n.left, 0, n.left);
  CopyPiece(B, TRect{0, 0, NewLT.x, n.top}, SB, R, TRect{0, 0, LT.x, c.top});
  CopyPiece(B, TRect{0, n.top, n.left, NewLT.y}, SB, R, TRect{0, c.top, c.left, LT.y});
  CopyPiece(B, TRect{0, NewLB.y, n.left, H}, SB, R, TRect{0, LB.y, c.left, RH});
  CopyPiece(B, TRect{n.left, n.bottom, NewLB.x, H}, SB, R, TRect{c.left, c.bottom, LB.x, RH});
  if (DrawClient) ClientRun(B, SB, R, c, TRect{n.left, n.top, W, n.bottom});
}

void CreateSkinHBorderImages(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                             const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB, const TPoint& NewRB,
                             const TRect& NewClRect, TBitmap& TopB, TBitmap& BottomB, TBitmap& SB, const TRect& R,
                             int W, int H, bool TopStretch, bool BottomStretch) {
  if (SB.Empty()) return;
  const int RW = RectWidth(R), RH = RectHeight(R);
  const int NCT = NewClRect.top, NCB = NewClRect.bottom;

  if (W > 0 && NCT > 0 && RT.x - LT.x > 0) {
    TopB.SetSize(W, NCT);
    if (TopStretch)
      CopyPiece(TopB, TRect{NewLT.x, 0, NewRT.x, NCT}, SB, R, TRect{LT.x, 0, RT.x, NCT});
    else
      HRun(TopB, SB, R, LT.x, RT.x, RT.x - LT.x, 0, W, 0, NCT, 0, NCT);
    CopyPiece(TopB, TRect{0, 0, NewLT.x, NCT}, SB, R, TRect{0, 0, LT.x, NCT});
    CopyPiece(TopB, TRect{NewRT.x, 0, W, NCT}, SB, R, TRect{RT.x, 0, RW, NCT});
  }

  const int BH = H - NCB;
  if (W > 0 && BH > 0 && RB.x - LB.x > 0) {
    BottomB.SetSize(W, BH);
    const int top = RH - BH;
    if (BottomStretch)
      CopyPiece(BottomB, TRect{NewLB.x, 0, NewRB.x, BH}, SB, R, TRect{LB.x, top, RB.x, RH});
    else
      HRun(BottomB, SB, R, LB.x, RB.x, RB.x - LB.x, 0, W, top, RH, 0, BH);
    CopyPiece(BottomB, TRect{0, 0, NewLB.x, BH}, SB, R, TRect{0, top, LB.x, RH});
    CopyPiece(BottomB, TRect{NewRB.x, 0, W, BH}, SB, R, TRect{RB.x, top, RW, RH});
  }
}

void CreateSkinVBorderImages(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                             const TRect& ClRect, const TRect& NewClRect, TBitmap& LeftB, TBitmap& RightB,
                             TBitmap& SB, const TRect& R, int W, int H, int TopHeight, int BottomHeight,
                             bool LeftStretch, bool RightStretch) {
  if (SB.Empty()) return;
  const int RW = RectWidth(R);
  const int CT = ClRect.top, CR = ClRect.right, CB = ClRect.bottom;
  const int NCL = NewClRect.left, NCR = NewClRect.right;

  const int LH = H - BottomHeight - TopHeight;
  if (NCL > 0 && LH > 0 && LB.y - LT.y > 0) {
    LeftB.SetSize(NCL, LH);
    if (LeftStretch)
      CopyPiece(LeftB, TRect{0, LT.y - CT, NCL, LH - (CB - LB.y)}, SB, R, TRect{0, LT.y, NCL, LB.y});
    else
      VRun(LeftB, SB, R, LT.y, LB.y, LB.y - LT.y, 0, LH, 0, NCL, 0, NCL);
    if (LT.y - CT > 0) CopyPiece(LeftB, TRect{0, 0, NCL, LT.y - CT}, SB, R, TRect{0, CT, NCL, LT.y});
    if (CB - LB.y > 0) CopyPiece(LeftB, TRect{0, LH - (CB - LB.y), NCL, LH}, SB, R, TRect{0, LB.y, NCL, CB});
  }

  const int RWd = W - NCR;
  if (RWd >= 1 && LH >= 1 && RB.y - RT.y >= 1) {
    RightB.SetSize(RWd, LH);
    if (RightStretch)
      CopyPiece(RightB, TRect{0, RT.y - CT, RWd, LH - (CB - RB.y)}, SB, R, TRect{CR, RT.y, RW, RB.y});
    else
      VRun(RightB, SB, R, RT.y, RB.y, RB.y - RT.y, 0, LH, CR, RW, 0, RWd);
    if (RT.y - CT > 0) CopyPiece(RightB, TRect{0, 0, RWd, RT.y - CT}, SB, R, TRect{CR, CT, RW, RT.y});
    if (CB - RB.y >= 1) CopyPiece(RightB, TRect{0, LH - (CB - RB.y), RWd, LH}, SB, R, TRect{CR, RB.y, RW, CB});
  }
}

void CreateSkinBorderImages(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                            const TRect& ClRect, const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB,
                            const TPoint& NewRB, const TRect& NewClRect, TBitmap& LeftB, TBitmap& TopB,
                            TBitmap& RightB, TBitmap& BottomB, TBitmap& SB, const TRect& R, int W, int H,
                            bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch) {
  CreateSkinHBorderImages(LT, RT, LB, RB, NewLT, NewRT, NewLB, NewRB, NewClRect, TopB, BottomB, SB, R, W, H,
                          TopStretch, BottomStretch);
  // The side bands fill what the top and bottom bands leave, as large as those bitmaps are now.
  CreateSkinVBorderImages(LT, RT, LB, RB, ClRect, NewClRect, LeftB, RightB, SB, R, W, H, TopB.Height(),
                          BottomB.Height(), LeftStretch, RightStretch);
}

void CreateSkinMask(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& ClRect,
                    const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB, const TPoint& NewRB,
                    const TRect& NewClRect, TBitmap& Mask, TBitmap& TopB, TBitmap& LeftB, TBitmap& RightB,
                    TBitmap& BottomB, int W, int) {
  if (Mask.Empty()) return;
  const int CL = ClRect.left, CT = ClRect.top, CR = ClRect.right, CB = ClRect.bottom;
  const int MW = Mask.Width(), MH = Mask.Height();
  const int NH = RectHeight(NewClRect);
  const TRect whole{0, 0, MW, MH};  // the mask is the element: no offset

  // The side bands: their middles first, then the fixed ends over them.
  if (CL > 0 && NH > 0) {
    LeftB.SetSize(CL, NH);
    VRun(LeftB, Mask, whole, LT.y, LB.y, LB.y - LT.y, 0, NH, 0, CL, 0, CL);
    if (LT.y - CT > 0) CopyPiece(LeftB, TRect{0, 0, CL, LT.y - CT}, Mask, whole, TRect{0, CT, CL, LT.y});
    if (CB - LB.y > 0) CopyPiece(LeftB, TRect{0, NH - (CB - LB.y), CL, NH}, Mask, whole, TRect{0, LB.y, CL, CB});
  }
  const int RWm = MW - CR;
  if (RWm > 0 && NH > 0) {
    RightB.SetSize(RWm, NH);
    VRun(RightB, Mask, whole, RT.y, RB.y, RB.y - RT.y, 0, NH, CR, MW, 0, RWm);
    if (RT.y - CT > 0) CopyPiece(RightB, TRect{0, 0, RWm, RT.y - CT}, Mask, whole, TRect{CR, CT, MW, RT.y});
    if (CB - RB.y > 0) CopyPiece(RightB, TRect{0, NH - (CB - RB.y), RWm, NH}, Mask, whole, TRect{CR, RB.y, MW, CB});
  }
  // The top and bottom bands: as many tiles as fit in W, placed between the new anchors.
  if (W > 0 && CT > 0) {
    TopB.SetSize(W, CT);
    const int step = RT.x - LT.x;
    if (step > 0) HRun(TopB, Mask, whole, LT.x, RT.x, step, NewLT.x, NewRT.x, 0, CT, 0, CT, W / step);
    CopyPiece(TopB, TRect{0, 0, LT.x, CT}, Mask, whole, TRect{0, 0, LT.x, CT});
    CopyPiece(TopB, TRect{NewRT.x, 0, W, CT}, Mask, whole, TRect{RT.x, 0, MW, CT});
  }
  const int BHm = MH - CB;
  if (W >= 1 && BHm >= 1) {
    BottomB.SetSize(W, BHm);
    const int step = RB.x - LB.x;
    if (step > 0) HRun(BottomB, Mask, whole, LB.x, RB.x, step, NewLB.x, NewRB.x, CB, MH, 0, BHm, W / step);
    CopyPiece(BottomB, TRect{0, 0, LB.x, BHm}, Mask, whole, TRect{0, CB, LB.x, MH});
    CopyPiece(BottomB, TRect{NewRB.x, 0, W, BHm}, Mask, whole, TRect{RB.x, CB, MW, MH});
  }
}

void DrawGlyph(TCanvas& Canvas, int X, int Y, TBitmap& Glyph, int NumGlyphs, int GlyphIndex) {
  if (Glyph.Empty() || NumGlyphs < 1 || GlyphIndex < 1 || GlyphIndex > NumGlyphs) return;
  const int FW = Glyph.Width() / NumGlyphs, FH = Glyph.Height();
  if (FW <= 0) return;
  TBitmap frame;
  frame.SetSize(FW, FH);
  frame.Canvas()->CopyRect(TRect{0, 0, FW, FH}, *Glyph.Canvas(), TRect{(GlyphIndex - 1) * FW, 0, GlyphIndex * FW, FH});
  // The frame's bottom-left colour is the one left out.
  frame.SetTransparent(true);
  Canvas.Draw(X, Y, &frame);
}

}  // namespace skin
