// The two skinned scroll bars a wrapped system view (the list view, the tree view) shows in place
// of its own: the view's window is all client area, without the native bars; the skinned bars are
// linked to it, shown only while it shows, and its parent makes room for bars that came or went.
//
// Classes in this file: TskViewBars.
#pragma once

#include "platform/classlib/Controls.h"

namespace skin {

class TskSkinScrollBar;

struct TskViewBars {
  explicit TskViewBars(classlib::TControl& AView) : View(AView) {}
  // The bars may outlive the view: they must not call into it afterwards.
  ~TskViewBars();
  TskViewBars(const TskViewBars&) = delete;
  TskViewBars& operator=(const TskViewBars&) = delete;

  // Takes the scroll styles out of the view's window.
  static void StripScrollStyles(classlib::TCreateParams& Params);
  // Keeps the view's window free of a non-client area; true when Message was one of its messages.
  static bool HandleNonClient(classlib::TMessage& Message);

  // Links Value as the vertical or horizontal bar; the bar's changes go to OnChange.
  void LinkV(TskSkinScrollBar* Value, const classlib::TNotifyEvent& OnChange) { Link(V, Value, OnChange); }
  void LinkH(TskSkinScrollBar* Value, const classlib::TNotifyEvent& OnChange) { Link(H, Value, OnChange); }
  // Forgets a bar being freed.
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation);
  // Whether the view, having handled a message Msg, updates its bars.
  bool UpdateAfter(UINT Msg) const;
  // Shows or hides Bar (only while the view shows); true when that changed its visibility.
  bool ShowBar(TskSkinScrollBar& Bar, bool Show);
  // Switches the horizontal bar to its look beside a vertical one, and lets the parent make room
  // for bars that came or went.
  void FinishUpdate(bool VisibilityChanged);
  // The bars show and hide with the view.
  void FollowVisible();
  void Realign() const;

  classlib::TControl& View;
  TskSkinScrollBar* V = nullptr;
  TskSkinScrollBar* H = nullptr;
  // Raised while the bars' own moves and the parent's realignment must not update them again.
  bool Busy = false;

private:
  void Link(TskSkinScrollBar*& Field, TskSkinScrollBar* Value, const classlib::TNotifyEvent& OnChange);
};

}  // namespace skin
