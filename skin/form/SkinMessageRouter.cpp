#include "skin/form/SkinMessageRouter.h"

#include <algorithm>

namespace skin {

using classlib::Application;

TskAppMessageRouter& TskAppMessageRouter::Instance() {
  static TskAppMessageRouter router;
  return router;
}

void TskAppMessageRouter::Push(const void* Owner, classlib::TMessageEvent Handler) {
  TskAppMessageRouter& self = Instance();
  if (self.FEntries.empty()) {
    self.FSaved = Application->OnMessage;
    Application->OnMessage = [&self](MSG& Msg, bool& Handled) { self.Route(Msg, Handled); };
  }
  std::erase_if(self.FEntries, [Owner](const TEntry& e) { return e.Owner == Owner; });
  self.FEntries.push_back({Owner, std::move(Handler)});
}

void TskAppMessageRouter::Remove(const void* Owner) {
  TskAppMessageRouter& self = Instance();
  const size_t before = self.FEntries.size();
  std::erase_if(self.FEntries, [Owner](const TEntry& e) { return e.Owner == Owner; });
  if (before != 0 && self.FEntries.empty()) {
    Application->OnMessage = std::move(self.FSaved);
    self.FSaved = nullptr;
  }
}

bool TskAppMessageRouter::Contains(const void* Owner) {
  const auto& entries = Instance().FEntries;
  return std::any_of(entries.begin(), entries.end(), [Owner](const TEntry& e) { return e.Owner == Owner; });
}

const void* TskAppMessageRouter::Top() {
  const auto& entries = Instance().FEntries;
  return entries.empty() ? nullptr : entries.back().Owner;
}

void TskAppMessageRouter::Route(MSG& Msg, bool& Handled) {
  if (FEntries.empty()) return;
  // A copy: the handler may remove its own entry.
  const classlib::TMessageEvent handler = FEntries.back().Handler;
  handler(Msg, Handled);
}

}  // namespace skin
