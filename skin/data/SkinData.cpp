#include "skin/data/SkinData.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace skin {

using classlib::String;
using classlib::TBitmap;

namespace {

template <class List>
int IndexOfName(const List& Entries, const String& Name) {
  for (size_t i = 0; i < Entries.size(); ++i)
    if (Entries[i]->IDName == Name) return static_cast<int>(i);
  return -1;
}

void MakeEmpty(TBitmap& Bitmap) { Bitmap.SetSize(0, 0); }

}  // namespace

TskSkinData::TskSkinData(classlib::TComponent* AOwner)
    : TComponent(AOwner),
      PopupWindow(std::make_unique<TskDataSkinPopupWindow>()),
      HintWindow(std::make_unique<TskDataSkinHintWindow>()),
      Picture(std::make_unique<TBitmap>()),
      InActivePicture(std::make_unique<TBitmap>()),
      Mask(std::make_unique<TBitmap>()),
      RollUpPicture(std::make_unique<TBitmap>()),
      RollUpMask(std::make_unique<TBitmap>()),
      ActivePicturesNames(std::make_unique<classlib::TStringList>()),
      CursorsNames(std::make_unique<classlib::TStringList>()) {}

TskSkinData::~TskSkinData() {
  Empty = true;
  ClearObjects();
}

bool TskSkinData::Designing() const {
  return ComponentState().Contains(classlib::TComponentStateItem::csDesigning);
}

void TskSkinData::Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != classlib::TOperation::opRemove) return;
  if (AComponent == FCompressedStoredSkin) FCompressedStoredSkin = nullptr;
  if (AComponent == FResourceStrData) FResourceStrData = nullptr;
}

void TskSkinData::SetCompressedStoredSkin(TskCompressedStoredSkin* Value) {
  FCompressedStoredSkin = Value;
  if (Value == nullptr) return;
  Value->FreeNotification(this);
  if (Designing()) return;
  try {
    LoadCompressedStoredSkin(*Value);
  } catch (const classlib::Exception&) {
    // A form that streams in with a bad stored skin keeps the default look: the program must
    // still start. Loads asked for later report their errors.
    if (!ComponentState().Contains(classlib::TComponentStateItem::csLoading)) throw;
  }
}

void TskSkinData::SetResourceStrData(TskResourceStrData* Value) {
  FResourceStrData = Value;
  if (Value != nullptr) Value->FreeNotification(this);
  if (!Designing()) SendSkinDataMessage(WM_CHANGERESSTRDATA);
}

int TskSkinData::GetControlIndex(const String& Name) const { return IndexOfName(CtrlList, Name); }
int TskSkinData::GetIndex(const String& Name) const { return IndexOfName(ObjectList, Name); }
int TskSkinData::GetAreaIndex(const String& Name) const { return IndexOfName(AreaList, Name); }

void TskSkinData::AddSkinArea(const String& Name, const classlib::TRect& Rect) {
  AreaList.push_back(std::make_unique<TskDataSkinArea>(Name, Rect));
}

void TskSkinData::AddBitMap(const String& FileName) {
  auto bitmap = std::make_unique<TBitmap>();
  LoadSkinPicture(*bitmap, FileName);
  ActivePicturesNames->Add(classlib::ExtractFileName(FileName));
  ActivePictures.push_back(std::move(bitmap));
}

void TskSkinData::DeleteBitMap(int Index) {
  if (Index < 0 || Index >= static_cast<int>(ActivePictures.size())) return;
  if (Index < ActivePicturesNames->Count()) ActivePicturesNames->Delete(Index);
  ActivePictures.erase(ActivePictures.begin() + Index);
}

void TskSkinData::ClearObjects() {
  AreaList.clear();
  ObjectList.clear();
  CtrlList.clear();
  ActivePictures.clear();
  PopupWindow->WindowPictureIndex = -1;
  HintWindow->WindowPictureIndex = -1;
  CursorsNames->Clear();
  ActivePicturesNames->Clear();
}

void TskSkinData::ClearAll() {
  ClearObjects();
  for (TBitmap* bitmap : {Picture.get(), InActivePicture.get(), Mask.get(), RollUpPicture.get(), RollUpMask.get()})
    MakeEmpty(*bitmap);
  PictureName.clear();
  InActivePictureName.clear();
  MaskName.clear();
  RollUpPictureName.clear();
  RollUpMaskName.clear();
  Empty = true;
}

void TskSkinData::ClearSkin() {
  ClearAll();
  SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
  SendSkinDataMessage(WM_CHANGESKINDATA);
  SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
}

void TskSkinData::SendSkinDataMessage(UINT Msg) {
  const auto wParam = reinterpret_cast<WPARAM>(this);
  auto* ownerForm = dynamic_cast<classlib::TForm*>(Owner());
  if (ownerForm != nullptr) SendMessageW(ownerForm->Handle(), Msg, wParam, SkinMessageTag);
  // A form may come or go while the others handle the message: walk a copy of the list, and
  // only forms that still exist.
  std::vector<classlib::TForm*> forms;
  for (int i = 0, count = classlib::Screen->FormCount(); i < count; ++i) forms.push_back(classlib::Screen->Forms(i));
  for (classlib::TForm* form : forms) {
    if (form == ownerForm) continue;
    bool stillThere = false;
    for (int i = 0, count = classlib::Screen->FormCount(); i < count && !stillThere; ++i)
      stillThere = classlib::Screen->Forms(i) == form;
    if (stillThere) SendMessageW(form->Handle(), Msg, wParam, SkinMessageTag);
  }
}

void TskSkinData::LoadFrame(const std::function<bool()>& Read) {
  Empty = true;
  SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
  ClearAll();
  try {
    if (Read()) Empty = false;
  } catch (...) {
    // Never leave half a skin in place, nor the forms waiting for the end of the change.
    ClearAll();
    SendSkinDataMessage(WM_CHANGESKINDATA);
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
    throw;
  }
  SendSkinDataMessage(WM_CHANGESKINDATA);
  SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
}

// ---------------------------------------------------------------------------------------------
// Free routines

bool IsSkinIniFile(classlib::TCustomIniFile& IniFile) {
  for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
    if (!IniFile.SectionExists(section)) return false;
  return true;
}

void GetObjectTypeName(const String& S, String& Name, String& TypeName) {
  Name.clear();
  TypeName.clear();
  const size_t colon = S.find(':');
  if (colon == String::npos) return;
  Name = S.substr(0, colon);
  TypeName = S.substr(colon + 1);
}

void GetAreaNameRect(const String& S, String& Name, classlib::TRect& Rect) {
  Name.clear();
  const size_t colon = S.find(':');
  if (colon == String::npos) return;
  Name = S.substr(0, colon);
  Rect = GetRect(S.substr(colon + 1));
}

void LoadSkinPicture(TBitmap& Bitmap, const String& FileName) {
  classlib::TFileStream file(FileName, classlib::fmOpenRead | classlib::fmShareDenyWrite);
  std::uint8_t head[3] = {};
  const int got = file.Read(head, sizeof head);
  file.SetPosition(0);
  const bool bmp = got >= 2 && head[0] == 'B' && head[1] == 'M';
  const bool jpeg = got == 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
  if (jpeg || (!bmp && IsJpegFile(classlib::ExtractFileName(FileName)))) LoadFromJpegStream(Bitmap, file);
  else Bitmap.LoadFromStream(file);
}

}  // namespace skin
