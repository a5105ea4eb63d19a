#include "skin/shell/SkinShellRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "skin/boxes/SkinBoxesRegistration.h"
#include "skin/shell/ShellChangeNotifier.h"
#include "skin/shell/SkinDirTreeView.h"
#include "skin/shell/SkinDriveDirFileLists.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinFileListView.h"
#include "skin/shell/SkinOpenDialog.h"
#include "skin/shell/SkinOpenSkinDialog.h"
#include "skin/shell/SkinPictureDialogs.h"
#include "skin/shell/SkinPreviewDialogs.h"
#include "skin/shell/SkinSoundDialogs.h"
#include "skin/shell/SkinShellComboBox.h"
#include "skin/shell/SkinSelectDirectoryDialog.h"
#include "skin/shell/SkinShellDriveComboBox.h"

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
      .Reference("ShellTreeView", &V::SetTreeView)
      .Event("OnAddFolder", &V::OnAddFolder);
}

// The constructor's values are the defaults: ShowRoot off, RightClickSelect, AutoContextMenus and
// UseShellImages on, ObjectTypes [otFolders], Root "rfDesktop".
void RegisterDirTreeView(TClassRegistry& Registry) {
  using T = TskCustomShellTreeView;
  Registry.Register<TskSkinDirTreeView>("TskSkinDirTreeView", "TskSkinCustomTreeView")
      .Boolean("AutoContextMenus", &T::SetAutoContextMenus)
      .Boolean("AutoRefresh", &T::SetAutoRefresh)
      .SetOf("ObjectTypes", &T::SetObjectTypes,
             {{"otFolders", TShellObjectType::otFolders},
              {"otNonFolders", TShellObjectType::otNonFolders},
              {"otHidden", TShellObjectType::otHidden}})
      .Text("Root", &T::SetRoot)
      .Reference("ShellComboBox", &T::SetComboBox)
      .Reference("ShellListView", &T::SetListView)
      .Boolean("UseShellImages", &T::SetUseShellImages)
      .Event("OnAddFolder", &T::OnAddFolder);
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
      .Reference("ShellListView", &C::SetListView)
      .Reference("ShellTreeView", &C::SetTreeView);
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
  // What every skinned file dialog publishes; the dialogs register under this base.
  using D = TskCustomFileDialog;
  auto dialog = Registry.Register<D>("TskCustomFileDialog", "TComponent");
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
      .Text("FileName", &D::SetFileName);
  ByteProperty(dialog, "AlphaBlendValue", &D::SetAlphaBlendValue);
  ByteProperty(dialog, "CtrlAlphaBlendValue", &D::SetCtrlAlphaBlendValue);
  Registry.Register<TskSkinOpenDialog>("TskSkinOpenDialog", "TskCustomFileDialog")
      .Event("OnFolderChange", &TskSkinOpenDialog::OnFolderChange);
  Registry.Register<TskSkinSaveDialog>("TskSkinSaveDialog", "TskSkinOpenDialog");

  using E = TskSkinFileEdit;
  Registry.Register<E>("TskSkinFileEdit", "TskSkinEdit")
      .Text("Filter", &E::SetFilter)
      .Reference("DlgSkinData", &E::SetDlgSkinData)
      .Reference("DlgCtrlSkinData", &E::SetDlgCtrlSkinData)
      .Text("LVHeaderSkinDataName", &E::SetLVHeaderSkinDataName);
  Registry.Register<TskSkinSaveFileEdit>("TskSkinSaveFileEdit", "TskSkinFileEdit");
}

void RegisterDriveComboBox(TClassRegistry& Registry) {
  using C = TskSkinShellDriveComboBox;
  Registry.Register<C>("TskSkinShellDriveComboBox", "TskSkinCustomComboBox")
      .SetOf("DriveTypes", &C::SetDriveTypes,
             {{"dtUnknown", TDriveType::dtUnknown},
              {"dtNoDrive", TDriveType::dtNoDrive},
              {"dtFloppy", TDriveType::dtFloppy},
              {"dtFixed", TDriveType::dtFixed},
              {"dtNetwork", TDriveType::dtNetwork},
              {"dtCDROM", TDriveType::dtCDROM},
              {"dtRAM", TDriveType::dtRAM}})
      .Event("OnChange", &C::OnChange);
}

void RegisterSelectDirectory(TClassRegistry& Registry) {
  using D = TskSkinSelectDirectoryDialog;
  auto dialog = Registry.Register<D>("TskSkinSelectDirectoryDialog", "TComponent");
  dialog.Integer("DialogWidth", &D::SetDialogWidth)
      .Integer("DialogHeight", &D::SetDialogHeight)
      .Integer("DialogMinWidth", &D::SetDialogMinWidth)
      .Integer("DialogMinHeight", &D::SetDialogMinHeight)
      .Boolean("AlphaBlend", &D::SetAlphaBlend)
      .Boolean("AlphaBlendAnimation", &D::SetAlphaBlendAnimation)
      .Reference("SkinData", &D::SetSkinData)
      .Reference("CtrlSkinData", &D::SetCtrlSkinData)
      .Custom("DefaultFont.Name", [](D& d, const TFormValue& v, TReadContext&) { d.DefaultFont().SetName(formvalue::ToText(v)); })
      .Custom("DefaultFont.Height", [](D& d, const TFormValue& v, TReadContext&) { d.DefaultFont().SetHeight(formvalue::ToInteger(v)); })
      .Custom("DefaultFont.Color", [](D& d, const TFormValue& v, TReadContext&) { d.DefaultFont().SetColor(formvalue::ToColor(v)); })
      .Text("Title", &D::SetTitle)
      .Text("Directory", &D::SetDirectory)
      .Boolean("ShowToolBar", &D::SetShowToolBar);
  ByteProperty(dialog, "AlphaBlendValue", &D::SetAlphaBlendValue);

  using E = TskSkinDirectoryEdit;
  Registry.Register<E>("TskSkinDirectoryEdit", "TskSkinEdit")
      .Reference("DlgSkinData", &E::SetDlgSkinData)
      .Reference("DlgCtrlSkinData", &E::SetDlgCtrlSkinData);
}

// The picture dialogs and the skin dialog publish what every file dialog does, and their own.
void RegisterPictureAndSkinDialogs(TClassRegistry& Registry) {
  Registry.Register<TskSkinOpenPictureDialog>("TskSkinOpenPictureDialog", "TskCustomFileDialog")
      .Boolean("StretchPicture", &TskSkinOpenPictureDialog::SetStretchPicture);
  Registry.Register<TskSkinSavePictureDialog>("TskSkinSavePictureDialog", "TskSkinOpenPictureDialog");
  Registry.Register<TskOpenSkinDialog>("TskOpenSkinDialog", "TskCustomFileDialog")
      .Integer("CompressedFilterIndex", &TskOpenSkinDialog::SetCompressedFilterIndex)
      .Integer("UnCompressedFilterIndex", &TskOpenSkinDialog::SetUnCompressedFilterIndex);
}

void RegisterPreviewAndSoundDialogs(TClassRegistry& Registry) {
  using P = TskSkinOpenPreviewDialog;
  Registry.Register<P>("TskSkinOpenPreviewDialog", "TskSkinOpenDialog")
      .Integer("PaintPanelSize", &P::SetPaintPanelSize)
      .Event("OnPreviewPanelPaint", &P::OnPreviewPanelPaint);
  Registry.Register<TskSkinSavePreviewDialog>("TskSkinSavePreviewDialog", "TskSkinOpenPreviewDialog");
  using S = TskSkinOpenSoundDialog;
  Registry.Register<S>("TskSkinOpenSoundDialog", "TskSkinOpenDialog")
      .Integer("PaintPanelSize", &S::SetPaintPanelSize)
      .Event("OnPlayButtonClick", &S::OnPlayButtonClick)
      .Event("OnStopButtonClick", &S::OnStopButtonClick);
  Registry.Register<TskSkinSaveSoundDialog>("TskSkinSaveSoundDialog", "TskSkinOpenSoundDialog");
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
    RegisterDirTreeView(TClassRegistry::Instance());
    RegisterFileDialogs(TClassRegistry::Instance());
    RegisterDriveComboBox(TClassRegistry::Instance());
    RegisterSelectDirectory(TClassRegistry::Instance());
    RegisterPictureAndSkinDialogs(TClassRegistry::Instance());
    RegisterPreviewAndSoundDialogs(TClassRegistry::Instance());
    RegisterDriveDirFileLists(TClassRegistry::Instance());
  });
}
