#include "skin/shell/SkinShellRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "skin/boxes/SkinBoxesRegistration.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/shell/ShellChangeNotifier.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinFileListView.h"
#include "skin/shell/SkinShellComboBox.h"

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

void RegisterFileListView(TClassRegistry& Registry) {
  using V = TskCustomShellListView;
  Registry.Register<TskSkinFileListView>("TskSkinFileListView", "TskSkinCustomListView")
      .Boolean("AutoContextMenus", &V::SetAutoContextMenus)
      .Boolean("AutoRefresh", &V::SetAutoRefresh)
      .Boolean("AutoNavigate", &V::SetAutoNavigate)
      .SetOf("ObjectTypes", &V::SetObjectTypes,
             {{"otFolders", TShellObjectType::otFolders},
              {"otNonFolders", TShellObjectType::otNonFolders},
              {"otHidden", TShellObjectType::otHidden}})
      .Text("Root", &V::SetRoot)
      .Text("Mask", &V::SetMask)
      .Boolean("Sorted", &V::SetSorted)
      .Event("OnAddFolder", &V::OnAddFolder);
}

void RegisterPathCombos(TClassRegistry& Registry) {
  RegisterSkinBoxClasses();
  Registry.Register<TskSkinFilterComboBox>("TskSkinFilterComboBox", "TskSkinComboBox")
      .Text("Filter", &TskSkinFilterComboBox::SetFilter);
  using C = TskSkinShellComboBox;
  Registry.Register<C>("TskSkinShellComboBox", "TskSkinCustomComboBox")
      .Text("Root", &C::SetRoot)
      .SetOf("ObjectTypes", &C::SetObjectTypes,
             {{"otFolders", TShellObjectType::otFolders},
              {"otNonFolders", TShellObjectType::otNonFolders},
              {"otHidden", TShellObjectType::otHidden}});
>>>>>>> h-pathcombo
}

}  // namespace

void RegisterSkinShellClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterSkinControlClasses();
    RegisterNotifier(TClassRegistry::Instance());
    RegisterFileListView(TClassRegistry::Instance());
    RegisterPathCombos(TClassRegistry::Instance());
  });
}
