// Real input through the system's queue, for tests of what a user does with the pointer and keys.
// Three pacings, as different controls need them:
// - skintesting (paced): the events come from a thread of their own, 25 ms apart, while the test's
//   thread handles messages; a press can start a loop of the system's (moving or sizing a window)
//   that returns only after the release. Each call returns with the events' messages handled.
// - skintesting::queued: the events are queued at once and nothing is handled before the call
//   returns (a move waits only until the pointer has arrived): the test decides when messages run.
// - skintesting::stepped: each event is queued on its own and followed by a short spell of message
//   handling, the pointer put in place first.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace skintesting {

void MouseTo(int X, int Y);
void LeftClick(int X, int Y);
void LeftDoubleClick(int X, int Y);
void RightClick(int X, int Y);
// Presses at a point and keeps the button down; LeftReleaseAt moves there and releases it.
void LeftPress(int X, int Y);
void LeftReleaseAt(int X, int Y);
// Presses at From, moves in steps to To, releases. With SizeMoveLoop the press starts the system's
// move or size loop, and the moves wait until it runs.
void LeftDrag(POINT From, POINT To, bool SizeMoveLoop = true);
// A key pressed and released, with Alt held when asked.
void TapKey(WORD Key, bool Alt = false);
// Keys pressed in order and released in the reverse order: {VK_CONTROL, 'O'} is Ctrl+O.
void PressKeys(std::initializer_list<WORD> Keys);
// The keys that type C on the keyboard's layout, Shift included.
void TypeChar(char C);

namespace queued {
void MouseTo(int X, int Y);
void LeftClick(int X, int Y);
void RightClick(int X, int Y);
void TapKey(WORD Key);
}  // namespace queued

namespace stepped {
void MouseTo(int X, int Y);
void LeftPress(int X, int Y);
void LeftReleaseAt(int X, int Y);
void TapKey(WORD Key, bool Alt = false);
void TypeChar(char C);
}  // namespace stepped

}  // namespace skintesting
