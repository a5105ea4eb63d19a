// Real input through the system's queue, for tests of what a user does with the pointer and keys.
// The events come from a thread of their own, one at a time, while the test's thread handles
// messages: a press can start a loop of the system's (moving or sizing a window, a menu) that
// returns only after the release. Each call returns with the events' messages handled.
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

}  // namespace skintesting
