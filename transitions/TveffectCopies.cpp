// One-axis copies (1-34), corner, centre and quarter copies (35-57) and the pushes (128-135): one to
// four scaled copies per frame, no regions.
#include "transitions/TveffectFamilies.h"

#include <algorithm>

namespace transitions {

using namespace classlib;

namespace {

// The width of the roll of the unrolling styles along a side of length Size at extent Reached: it
// grows at the start, shrinks at the end.
int RollWidth(int Reached, int Size) {
  if (Reached < Size / 5) return Reached / 2;
  if (Reached + Size / 5 > Size) return (Size - Reached) / 2;
  return Size / 10;
}

void ComposeOneAxis(TFrame& f, int Style) {
  const int W = f.W, H = f.H, X = f.X, Y = f.Y, G = f.G;
  const TRect all = Rect(0, 0, W, H);
  switch (Style) {
    case 1: return f.Copy(all, Rect(W - X, 0, W, H));
    case 2: return f.Copy(all, Rect(0, 0, X, H));
    case 3: return f.Copy(all, Rect(W - X, 0, 2 * W - X, H));
    case 4: return f.Copy(all, Rect(X - W, 0, X, H));
    case 5: return f.Copy(Rect(0, 0, X, H), Rect(0, 0, X, H));
    case 6: return f.Copy(Rect(W - X, 0, W, H), Rect(W - X, 0, W, H));
    case 7: return f.Copy(Rect(0, 0, X, H), Rect(0, 0, 2 * W - X, H));
    case 8: return f.Copy(Rect(W - X, 0, W, H), Rect(X - W, 0, W, H));
    case 9: return f.Copy(Rect((W - X) / 2, 0, (W + X) / 2, H), Rect(X - W, 0, 2 * W - X, H));
    case 10: return f.Copy(all, Rect((W - X) / 2, 0, (W + X) / 2, H));
    case 11: {
      const TRect r = Rect((W - X) / 2, 0, (W + X) / 2, H);
      return f.Copy(r, r);
    }
    case 12: {
      const TRect left = Rect(0, 0, X / 2 + 1, H);
      const TRect right = Rect(W - X / 2 - 1, 0, W, H);
      f.Copy(left, left);
      return f.Copy(right, right);
    }
    case 13:
      f.Copy(Rect(0, 0, W / 2 + 1, H), Rect(0, 0, X / 2 + 1, H));
      return f.Copy(Rect(W / 2, 0, W, H), Rect(W - X / 2 - 1, 0, W, H));
    case 14: {
      const int d = RollWidth(X, W);
      MirrorCopyRect(*f.Display.Canvas(), Rect(X, 0, X + d, H), f.Image, Rect(X + d, 0, X + 2 * d, H), true, false);
      return f.Copy(Rect(0, 0, X, H), Rect(0, 0, X, H));
    }
    case 15: {
      const int d = RollWidth(X, W);
      MirrorCopyRect(*f.Display.Canvas(), Rect(W - X - d, 0, W - X, H), f.Image,
                     Rect(W - X - 2 * d, 0, W - X - d, H), true, false);
      return f.Copy(Rect(W - X, 0, W, H), Rect(W - X, 0, W, H));
    }
    // The build-up slice is W div G wide; with G = 0 (small pictures) there is none to stretch.
    case 16:
      f.Copy(Rect(0, 0, X, H), Rect(0, 0, X, H));
      if (G > 0) f.Copy(Rect(X, 0, std::min(X + W / G, W), H), Rect(X, 0, W, H));
      return;
    case 17:
      f.Copy(Rect(W - X, 0, W, H), Rect(W - X, 0, W, H));
      if (G > 0) f.Copy(Rect(std::max(W - X - W / G, 0), 0, W - X, H), Rect(0, 0, W - X, H));
      return;
    case 18: return f.Copy(all, Rect(0, H - Y, W, H));
    case 19: return f.Copy(all, Rect(0, 0, W, Y));
    case 20: return f.Copy(all, Rect(0, H - Y, W, 2 * H - Y));
    case 21: return f.Copy(all, Rect(0, Y - H, W, Y));
    case 22: return f.Copy(Rect(0, 0, W, Y), Rect(0, 0, W, Y));
    case 23: return f.Copy(Rect(0, H - Y, W, H), Rect(0, H - Y, W, H));
    case 24: return f.Copy(Rect(0, 0, W, Y), Rect(0, 0, W, 2 * H - Y));
    case 25: return f.Copy(Rect(0, H - Y, W, H), Rect(0, Y - H, W, H));
    case 26: return f.Copy(Rect(0, (H - Y) / 2, W, (H + Y) / 2), Rect(0, Y - H, W, 2 * H - Y));
    case 27: return f.Copy(all, Rect(0, (H - Y) / 2, W, (H + Y) / 2));
    case 28: {
      const TRect r = Rect(0, (H - Y) / 2, W, (H + Y) / 2);
      return f.Copy(r, r);
    }
    case 29: {
      const TRect top = Rect(0, 0, W, Y / 2 + 1);
      const TRect bottom = Rect(0, H - Y / 2 - 1, W, H);
      f.Copy(top, top);
      return f.Copy(bottom, bottom);
    }
    case 30:
      f.Copy(Rect(0, 0, W, H / 2 + 1), Rect(0, 0, W, Y / 2 + 1));
      return f.Copy(Rect(0, H / 2, W, H), Rect(0, H - Y / 2 - 1, W, H));
    case 31: {
      const int d = RollWidth(Y, H);
      MirrorCopyRect(*f.Display.Canvas(), Rect(0, Y, W, Y + d), f.Image, Rect(0, Y + d, W, Y + 2 * d), false, true);
      return f.Copy(Rect(0, 0, W, Y), Rect(0, 0, W, Y));
    }
    case 32: {
      const int d = RollWidth(Y, H);
      MirrorCopyRect(*f.Display.Canvas(), Rect(0, H - Y - d, W, H - Y), f.Image,
                     Rect(0, H - Y - 2 * d, W, H - Y - d), false, true);
      return f.Copy(Rect(0, H - Y, W, H), Rect(0, H - Y, W, H));
    }
    case 33:
      f.Copy(Rect(0, 0, W, Y), Rect(0, 0, W, Y));
      if (G > 0) f.Copy(Rect(0, Y, W, std::min(Y + H / G, H)), Rect(0, Y, W, H));
      return;
    case 34:
      f.Copy(Rect(0, H - Y, W, H), Rect(0, H - Y, W, H));
      if (G > 0) f.Copy(Rect(0, std::max(H - Y - H / G, 0), W, H - Y), Rect(0, 0, W, H - Y));
      return;
  }
}

void ComposeCorner(TFrame& f, int Style) {
  const int W = f.W, H = f.H, X = f.X, Y = f.Y;
  const TRect all = Rect(0, 0, W, H);
  const TRect centre = Rect((W - X) / 2, (H - Y) / 2, (W + X) / 2, (H + Y) / 2);
  auto reveal = [&f](const TRect& r) { f.Copy(r, r); };
  switch (Style) {
    case 35: return f.Copy(all, Rect(W - X, H - Y, W, H));
    case 36: return f.Copy(all, Rect(W - X, 0, W, Y));
    case 37: return f.Copy(all, Rect(0, 0, X, Y));
    case 38: return f.Copy(all, Rect(0, H - Y, X, H));
    case 39: return f.Copy(all, Rect(W - X, H - Y, 2 * W - X, 2 * H - Y));
    case 40: return f.Copy(all, Rect(W - X, Y - H, 2 * W - X, Y));
    case 41: return f.Copy(all, Rect(X - W, Y - H, X, Y));
    case 42: return f.Copy(all, Rect(X - W, H - Y, X, 2 * H - Y));
    case 43: return reveal(Rect(0, 0, X, Y));
    case 44: return reveal(Rect(0, H - Y, X, H));
    case 45: return reveal(Rect(W - X, H - Y, W, H));
    case 46: return reveal(Rect(W - X, 0, W, Y));
    case 47: return f.Copy(Rect(0, 0, X, Y), Rect(0, 0, 2 * W - X, 2 * H - Y));
    case 48: return f.Copy(Rect(0, H - Y, X, H), Rect(0, Y - H, 2 * W - X, H));
    case 49: return f.Copy(Rect(W - X, H - Y, W, H), Rect(X - W, Y - H, W, H));
    case 50: return f.Copy(Rect(W - X, 0, W, Y), Rect(X - W, 0, W, 2 * H - Y));
    case 51: return f.Copy(centre, Rect(X - W, Y - H, 2 * W - X, 2 * H - Y));
    case 52: return f.Copy(all, centre);
    case 53: return reveal(centre);
    case 54:
      reveal(Rect(0, 0, W, Y / 2));
      reveal(Rect(0, H - Y / 2, W, H));
      reveal(Rect(0, 0, X / 2, H));
      return reveal(Rect(W - X / 2, 0, W, H));
    case 55:
      reveal(Rect(0, 0, X / 2 + 1, Y / 2 + 1));
      reveal(Rect(0, H - Y / 2 - 1, X / 2 + 1, H));
      reveal(Rect(W - X / 2 - 1, H - Y / 2 - 1, W, H));
      return reveal(Rect(W - X / 2 - 1, 0, W, Y / 2 + 1));
    case 56:
      f.Copy(Rect(0, 0, W / 2 + 1, H / 2 + 1), Rect(0, 0, X / 2 + 1, Y / 2 + 1));
      f.Copy(Rect(0, H / 2 + 1, W / 2 + 1, H), Rect(0, H - Y / 2, X / 2 + 1, H));
      f.Copy(Rect(W / 2 + 1, H / 2 + 1, W, H), Rect(W - X / 2, H - Y / 2, W, H));
      return f.Copy(Rect(W / 2 + 1, 0, W, H / 2 + 1), Rect(W - X / 2, 0, W, Y / 2 + 1));
    case 57:
      // Four quarters, each sliding in from its own side, turning clockwise from the top left.
      f.Copy(Rect(0, 0, W / 2 + 1, H / 2 + 1), Rect((X - W) / 2, 0, X / 2 + 1, H / 2 + 1));
      f.Copy(Rect(W / 2 - 1, 0, W, H / 2 + 1), Rect(W / 2 - 1, (Y - H) / 2, W, Y / 2 + 1));
      f.Copy(Rect(W / 2 + 1, H / 2 - 1, W, H), Rect(W - X / 2, H / 2 - 1, W + (W - X) / 2, H));
      return f.Copy(Rect(0, H / 2 + 1, W / 2 + 1, H), Rect(0, H - Y / 2, W / 2 + 1, H + (H - Y) / 2));
  }
}

// Display always starts as the complete old screen, so the pushes move or squeeze all of it.
void ComposePush(TFrame& f, int Style) {
  const int W = f.W, H = f.H, X = f.X, Y = f.Y;
  const TRect all = Rect(0, 0, W, H);
  switch (Style) {
    case 128:
      f.SelfCopy(Rect(0, 0, W - X, H), Rect(X, 0, W, H));
      return f.Copy(Rect(W - X, 0, W, H), Rect(0, 0, X, H));
    case 129:
      f.SelfCopy(Rect(X, 0, W, H), Rect(0, 0, W - X, H));
      return f.Copy(Rect(0, 0, X, H), Rect(W - X, 0, W, H));
    case 130:
      f.SelfCopy(all, Rect(X, 0, W, H));
      return f.Copy(Rect(W - X, 0, W, H), Rect(0, 0, X, H));
    case 131:
      f.SelfCopy(all, Rect(0, 0, W - X, H));
      return f.Copy(Rect(0, 0, X, H), Rect(W - X, 0, W, H));
    case 132:
      f.SelfCopy(Rect(0, 0, W, H - Y), Rect(0, Y, W, H));
      return f.Copy(Rect(0, H - Y, W, H), Rect(0, 0, W, Y));
    case 133:
      f.SelfCopy(Rect(0, Y, W, H), Rect(0, 0, W, H - Y));
      return f.Copy(Rect(0, 0, W, Y), Rect(0, H - Y, W, H));
    case 134:
      f.SelfCopy(all, Rect(0, Y, W, H));
      return f.Copy(Rect(0, H - Y, W, H), Rect(0, 0, W, Y));
    case 135:
      f.SelfCopy(all, Rect(0, 0, W, H - Y));
      return f.Copy(Rect(0, 0, W, Y), Rect(0, H - Y, W, H));
  }
}

}  // namespace

void ComposeCopy(TFrame& Frame, int Style) {
  if (Style <= 34)
    ComposeOneAxis(Frame, Style);
  else if (Style <= 57)
    ComposeCorner(Frame, Style);
  else
    ComposePush(Frame, Style);
}

}  // namespace transitions
