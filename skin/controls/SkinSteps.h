// The tick-by-tick steps that skinned buttons share: the hover fade and the frame-strip animation.
#pragma once

namespace skin {

// One tick of the fade towards the hot look (Hot) or back: 0.2 a tick. Returns false once the fade
// has settled, with Kf exactly 1 or 0.
inline bool StepMorph(double& Kf, bool Hot) {
  if (Hot && Kf < 1) {
    Kf += 0.2;
    return true;
  }
  if (!Hot && Kf > 0) {
    Kf -= 0.2;
    return true;
  }
  Kf = Hot ? 1 : 0;
  return false;
}

// One tick of a frame-strip animation over frames 1..FrameCount, forwards or back. Returns whether
// the frame changed (to repaint) in Changed, and false once the run has ended.
inline bool StepAnimation(int& ShownFrame, int FrameCount, bool Forward, bool& Changed) {
  Changed = Forward ? ShownFrame <= FrameCount : ShownFrame >= 0;
  if (Changed) ShownFrame += Forward ? 1 : -1;
  return Forward ? ShownFrame <= FrameCount : ShownFrame > 0;
}

}  // namespace skin
