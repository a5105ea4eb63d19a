// A windowed container whose children may be larger than its client area.
//
// Classes in this file: TScrollBox.
#pragma once

#include "platform/classlib/Controls.h"

namespace classlib {

class TClassRegistry;

// The edge of a windowed control: none, or a sunken client edge.
enum class TBorderStyle { bsNone, bsSingle };

// Shows window scroll bars while its unaligned children reach past the client area, and moves those
// children as the bars move. Aligned children share the client area the bars leave.
class TScrollBox : public TWinControl {
public:
  explicit TScrollBox(TComponent* AOwner);

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;

private:
  // One window scroll bar: the extent of the children along it (0 while it is hidden), the visible
  // part of that extent and how far the children are scrolled.
  struct TScrollState {
    int Extent = 0;
    int Page = 0;
    int Position = 0;
  };

  // Fits both bars to the children; true when a bar appeared or went, changing the client area.
  bool UpdateScrollBars();
  void SetBar(int Bar, TScrollState& State, int Extent, int Page);
  void ScrollTo(int Bar, int Position);
  void Scroll(int Bar, WPARAM Request);
  void MoveUnalignedChildren(int DeltaX, int DeltaY);
  TScrollState& State(int Bar) { return Bar == SB_HORZ ? FHorz : FVert; }

  TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
  TScrollState FHorz;
  TScrollState FVert;
};

// Registers the classes of this unit with the form reader.
void RegisterScrollBox(TClassRegistry& Registry);

}  // namespace classlib
