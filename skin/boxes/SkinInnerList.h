// The list window inside a skinned list box: a system list box that keeps the items, the selection
// and the scroll state, but paints every item and its background itself and tells its owner about
// its input, so the owner can raise its own events and keep its skinned scroll bars in step.
//
// Classes in this file: TskListBox.
#pragma once
#include "platform/classlib/Bitmap.h"
#include "platform/classlib/StdCtrls.h"

namespace skin {

class TskSkinCustomListBox;

class TskListBox : public classlib::TListBox {
public:
  explicit TskListBox(classlib::TComponent* AOwner);

  // The skinned list box that made this list; not owned. Without one nothing is forwarded.
  TskSkinCustomListBox* OwnerListBox = nullptr;

  // How far item images and texts are shifted left, in pixels (never below 0).
  int HorzOffset() const { return FHorzOffset; }
  void SetHorzOffset(int Value);

  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void PaintWindow(HDC DC) override;
  // The owner's background over an AW x AH area at (X, Y): the skin's client piece tiled.
  void PaintBGWH(classlib::TCanvas& Canvas, int AW, int AH, int X, int Y);
  classlib::TOwnerDrawState GetState(int Index);
  // The owner drives the list as the user would (the combo box tracks its drop-down this way).
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void Click() override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
  void CreateWnd() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void KeyPress(char& Key) override;
  // Paints one item in the owner's look; lists with more in their items paint them their way.
  virtual void DrawItem(classlib::TCanvas& Canvas, int Index, const classlib::TRect& Rect,
                        classlib::TOwnerDrawState State);
  // The image and text of an item (or the owner's OnDrawItem) on an item bitmap.
  void DrawItemContent(classlib::TBitmap& Bitmap, int Index, classlib::TRect TextRect, classlib::TOwnerDrawState State);

private:
  void PaintList(HDC DC);
  void PaintColumnsList(HDC DC);
  void PaintBG(HDC DC);
  void DrawDefaultItem(classlib::TCanvas& Canvas, int Index, const classlib::TRect& Rect,
                       classlib::TOwnerDrawState State);
  void DrawSkinItem(classlib::TCanvas& Canvas, int Index, const classlib::TRect& Rect, classlib::TOwnerDrawState State);
  void DrawStretchSkinItem(classlib::TCanvas& Canvas, int Index, const classlib::TRect& Rect,
                           classlib::TOwnerDrawState State);
  void CNDrawItem(classlib::TMessage& Message);
  void SelectByFirstLetter(char Letter);
  // LB_FINDSTRING (a prefix, Exact false) and LB_FINDSTRINGEXACT over the items, without regard to
  // case, from the item after StartAfter round to it; LB_ERR when none matches.
  int FindItem(int StartAfter, const WCHAR* Text, bool Exact) const;
  // LB_GETTEXTLEN (Buffer nullptr) and LB_GETTEXT.
  int ItemText(int Index, WCHAR* Buffer) const;

  int FHorzOffset = 0;
  bool FRedrawOff = false;  // WM_SETREDRAW turned drawing off
};

}  // namespace skin
