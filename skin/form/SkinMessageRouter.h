// The one handler of the application's messages that skinned forms and menus share: whoever needs
// the keyboard while a menu is open pushes an entry, and only the latest entry sees the messages.
//
// Classes in this file: TskAppMessageRouter.
#pragma once

#include "platform/classlib/Forms.h"

#include <vector>

namespace skin {

// The application's OnMessage is taken over while the stack holds an entry and given back, as it
// was before the first entry, when the last one leaves. Each entry belongs to an owner (a form
// component, a menu engine) that removes only its own, so a freed owner never stays installed
// and owners may come and go in any order.
class TskAppMessageRouter {
public:
  // Puts Owner's handler on top; an owner already on the stack moves to the top with the new
  // handler.
  static void Push(const void* Owner, classlib::TMessageEvent Handler);
  // Takes Owner's entry out wherever it stands; nothing when Owner has none.
  static void Remove(const void* Owner);
  static bool Contains(const void* Owner);
  // The owner whose handler sees the messages now; null when the stack is empty.
  static const void* Top();

private:
  struct TEntry {
    const void* Owner;
    classlib::TMessageEvent Handler;
  };
  static TskAppMessageRouter& Instance();
  void Route(MSG& Msg, bool& Handled);

  std::vector<TEntry> FEntries;
  classlib::TMessageEvent FSaved;
};

}  // namespace skin
