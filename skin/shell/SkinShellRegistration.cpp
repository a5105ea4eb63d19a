#include "skin/shell/SkinShellRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "skin/shell/ShellChangeNotifier.h"

#include <mutex>

using namespace classlib;
using namespace skin;

namespace {

void RegisterNotifier(TClassRegistry& Registry) {
  using N = TskShellChangeNotifier;
  Registry.Register<N>("TskShellChangeNotifier", "TComponent")
      .SetOf("NotifyFilters", &N::SetFilters,
             {{"nfFileNameChange", TNotifyFilter::nfFileNameChange},
              {"nfDirNameChange", TNotifyFilter::nfDirNameChange},
              {"nfAttributeChange", TNotifyFilter::nfAttributeChange},
              {"nfSizeChange", TNotifyFilter::nfSizeChange},
              {"nfWriteChange", TNotifyFilter::nfWriteChange},
              {"nfSecurityChange", TNotifyFilter::nfSecurityChange}})
      .Text("Root", &N::SetRoot)
      .Boolean("WatchSubTree", &N::SetWatchSubTree)
      .Custom("OnChange", [](N& Notifier, const TFormValue& Value, TReadContext& Context) {
        Notifier.SetOnChange(Context.Root()->FindHandler<TThreadMethod>(formvalue::ToIdent(Value)));
      });
}

}  // namespace

void RegisterSkinShellClasses() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterNotifier(TClassRegistry::Instance()); });
}
