#include "skin/shell/SkinShellRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "skin/boxes/SkinBoxesRegistration.h"
#include "skin/shell/ShellChangeNotifier.h"
#include "skin/shell/SkinDriveDirFileLists.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinFileListView.h"
#include "skin/shell/SkinOpenDialog.h"
#include "skin/shell/SkinShellComboBox.h"

#include <cstdint>
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
      .Reference("ShellComboBox", &V::SetComboBox)
      .Event("OnAddFolder", &V::OnAddFolder);
}

void RegisterPathCombos(TClassRegistry& Registry) {
  RegisterSkinBoxClasses();
  Registry.Register<TskSkinFilterComboBox>("TskSkinFilterComboBox", "TskSkinComboBox")
      .Text("Filter", &TskSkinFilterComboBox::SetFilter)
      .Reference("FileList", &TskSkinFilterComboBox::SetFileListBox);
  using C = TskSkinShellComboBox;
  Registry.Register<C>("TskSkinShellComboBox", "TskSkinCustomComboBox")
      .Text("Root", &C::SetRoot)
      .SetOf("ObjectTypes", &C::SetObjectTypes,
             {{"otFolders", TShellObjectType::otFolders},
              {"otNonFolders", TShellObjectType::otNonFolders},
              {"otHidden", TShellObjectType::otHidden}})
      .Reference("ShellListView", &C::SetListView);
}

// A byte property that a description gives as a number.
template <class T>
void ByteProperty(TClassBuilder<T>& Builder, const String& Name, void (T::*Setter)(std::uint8_t)) {
  Builder.Custom(Name, [Name, Setter](T& o, const TFormValue& v, TReadContext&) {
    const int value = formvalue::ToInteger(v);
    if (value < 0 || value > 255) throw EReadError(Name + " out of range");
    (o.*Setter)(static_cast<std::uint8_t>(value));
  });
}

void RegisterFileDialogs(TClassRegistry& Registry) {
  using D = TskSkinOpenDialog;
  auto dialog = Registry.Register<D>("TskSkinOpenDialog", "TComponent");
  dialog.Integer("DialogWidth", &D::SetDialogWidth)
      .Integer("DialogHeight", &D::SetDialogHeight)
      .Integer("DialogMinWidth", &D::SetDialogMinWidth)
      .Integer("DialogMinHeight", &D::SetDialogMinHeight)
      .Boolean("CheckFileExists", &D::SetCheckFileExists)
      .Boolean("MultiSelection", &D::SetMultiSelection)
      .Boolean("AlphaBlend", &D::SetAlphaBlend)
      .Boolean("AlphaBlendAnimation", &D::SetAlphaBlendAnimation)
      .Boolean("CtrlAlphaBlend", &D::SetCtrlAlphaBlend)
      .Boolean("CtrlAlphaBlendAnimation", &D::SetCtrlAlphaBlendAnimation)
      .Text("LVHeaderSkinDataName", &D::SetLVHeaderSkinDataName)
      .Reference("SkinData", &D::SetSkinData)
      .Reference("CtrlSkinData", &D::SetCtrlSkinData)
      .Custom("DefaultFont.Name", [](D& d, const TFormValue& v, TReadContext&) { d.DefaultFont().SetName(formvalue::ToText(v)); })
      .Custom("DefaultFont.Height", [](D& d, const TFormValue& v, TReadContext&) { d.DefaultFont().SetHeight(formvalue::ToInteger(v)); })
      .Custom("DefaultFont.Color", [](D& d, const TFormValue& v, TReadContext&) { d.DefaultFont().SetColor(formvalue::ToColor(v)); })
      .Text("Title", &D::SetTitle)
      .Text("InitialDir", &D::SetInitialDir)
      .Text("Filter", &D::SetFilter)
      .Integer("FilterIndex", &D::SetFilterIndex)
      .Text("FileName", &D::SetFileName)
      .Event("OnFolderChange", &D::OnFolderChange);
  ByteProperty(dialog, "AlphaBlendValue", &D::SetAlphaBlendValue);
  ByteProperty(dialog, "CtrlAlphaBlendValue", &D::SetCtrlAlphaBlendValue);
  Registry.Register<TskSkinSaveDialog>("TskSkinSaveDialog", "TskSkinOpenDialog");

  using E = TskSkinFileEdit;
  Registry.Register<E>("TskSkinFileEdit", "TskSkinEdit")
      .Text("Filter", &E::SetFilter)
      .Reference("DlgSkinData", &E::SetDlgSkinData)
      .Reference("DlgCtrlSkinData", &E::SetDlgCtrlSkinData)
      .Text("LVHeaderSkinDataName", &E::SetLVHeaderSkinDataName);
  Registry.Register<TskSkinSaveFileEdit>("TskSkinSaveFileEdit", "TskSkinFileEdit");
}

void RegisterDriveDirFileLists(TClassRegistry& Registry) {
  Registry.Register<TskSkinDriveComboBox>("TskSkinDriveComboBox", "TskSkinComboBox")
      .Reference("DirList", &TskSkinDriveComboBox::SetDirListBox)
      .Enum("TextCase", &TskSkinDriveComboBox::SetTextCase,
            {{"tcLowerCase", TTextCase::tcLowerCase}, {"tcUpperCase", TTextCase::tcUpperCase}});
  using D = TskSkinDirectoryListBox;
  Registry.Register<D>("TskSkinDirectoryListBox", "TskSkinListBox")
      .Reference("FileList", &D::SetFileListBox)
      .Reference("DirLabel", &D::SetDirLabel)
      .Event("OnChange", &D::OnChange);
  using F = TskSkinFileListBox;
  Registry.Register<F>("TskSkinFileListBox", "TskSkinListBox")
      .Reference("FileEdit", &F::SetFileEdit)
      .SetOf("FileType", &F::SetFileType,
             {{"ftReadOnly", TFileAttr::ftReadOnly},
              {"ftHidden", TFileAttr::ftHidden},
              {"ftSystem", TFileAttr::ftSystem},
              {"ftVolumeID", TFileAttr::ftVolumeID},
              {"ftDirectory", TFileAttr::ftDirectory},
              {"ftArchive", TFileAttr::ftArchive},
              {"ftNormal", TFileAttr::ftNormal}})
      .Text("Mask", &F::SetMask)
      .Event("OnChange", &F::OnChange);
}

}  // namespace

void RegisterSkinShellClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterSkinBoxClasses();
    RegisterNotifier(TClassRegistry::Instance());
    RegisterFileListView(TClassRegistry::Instance());
    RegisterPathCombos(TClassRegistry::Instance());
    RegisterFileDialogs(TClassRegistry::Instance());
    RegisterDriveDirFileLists(TClassRegistry::Instance());
  });
}
