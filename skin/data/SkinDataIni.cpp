// Skin INI files: the sections of the skin itself, the lists of areas, objects and controls, and
// the folder of picture and cursor files that goes with them.
#include "skin/data/SkinData.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/JPEGImage.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace skin {

using classlib::IntToStr;
using classlib::String;
using classlib::TBitmap;
using classlib::TCustomIniFile;
using classlib::TPoint;
using classlib::TRect;

namespace {

constexpr TRect kNoRect{};
constexpr TPoint kNoPoint{};

// FORMINFO up to "rolluprightpoint": what the mask correction works on.
const TSkinFieldTable<TskSkinData>& FormInfoHead() {
  using C = TskSkinData;
  static const auto table = TSkinFieldTable<C>()
                                .Field("lefttoppoint", &C::LeftTopPoint, kNoPoint, 1)
                                .Field("righttoppoint", &C::RightTopPoint, kNoPoint, 2)
                                .Field("leftbottompoint", &C::LeftBottomPoint, kNoPoint, 3)
                                .Field("rightbottompoint", &C::RightBottomPoint, kNoPoint, 4)
                                .Field("clientrect", &C::ClientRect, kNoRect, 5)
                                .Field("bgpictureindex", &C::BGPictureIndex, -1, 6)
                                .Field("mdibgpictureindex", &C::MDIBGPictureIndex, -1, 7)
                                .Field("leftstretch", &C::LeftStretch, false, 9)
                                .Field("rightstretch", &C::RightStretch, false, 10)
                                .Field("topstretch", &C::TopStretch, false, 11)
                                .Field("bottomstretch", &C::BottomStretch, false, 12)
                                .Field("buttonsrect", &C::ButtonsRect, kNoRect, 13)
                                .Field("captionrect", &C::CaptionRect, kNoRect, 14)
                                .Field("buttonsoffset", &C::ButtonsOffset, 0, 15)
                                .Field("buttonsinleft", &C::ButtonsInLeft, false, 16)
                                .Field("maskrectarea", &C::MaskRectArea, kNoRect, 8)
                                .Field("hittestlefttoppoint", &C::HitTestLeftTopPoint, kNoPoint, 17)
                                .Field("hittestrighttoppoint", &C::HitTestRightTopPoint, kNoPoint, 18)
                                .Field("hittestleftbottompoint", &C::HitTestLeftBottomPoint, kNoPoint, 19)
                                .Field("hittestrightbottompoint", &C::HitTestRightBottomPoint, kNoPoint, 20)
                                .Field("rollupleftpoint", &C::RollUpLeftPoint, kNoPoint, 21)
                                .Field("rolluprightpoint", &C::RollUpRightPoint, kNoPoint, 22);
  return table;
}

const TSkinFieldTable<TskSkinData>& FormInfoTail() {
  using C = TskSkinData;
  static const auto table = TSkinFieldTable<C>()
                                .Field("mainmenurect", &C::MainMenuRect, kNoRect, 1)
                                .Field("iconrect", &C::IconRect, kNoRect, 2)
                                .Field("mainmenupopupup", &C::MainMenuPopupUp, false, 3)
                                .Field("borderwidth", &C::BorderWidth, 0, 4)
                                .Field("cursorindex", &C::CursorIndex, -1, 5)
                                .Field("autorenderinginactiveimage", &C::AutoRenderingInActiveImage, false, 6)
                                .Field("inactiveeffect", &C::InActiveEffect, TskInActiveEffect::ieBrightness, 7);
  return table;
}

void LoadNamedPicture(TBitmap& Bitmap, const String& Dir, const String& Name) {
  if (Name.empty()) Bitmap.SetSize(0, 0);
  else LoadSkinPicture(Bitmap, Dir + Name);
}

// Pictures are stored under their bare names only: a name from a skin must not reach outside
// the folder it is stored into.
String StoredPictureName(const String& Dir, const String& Name) {
  const String bare = classlib::ExtractFileName(Name);
  if (bare.empty() || bare == "." || bare == "..") throw classlib::EStreamError("Cannot create file " + Dir + Name);
  return Dir + bare;
}

// Each picture in the format its name promises, so that the folder loads back as written.
void StorePicture(const TBitmap& Bitmap, const String& FileName) {
  if (IsJpegFile(classlib::ExtractFileName(FileName))) {
    classlib::TJPEGImage jpeg;
    jpeg.Assign(Bitmap);
    jpeg.SaveToFile(FileName);
  } else {
    Bitmap.SaveToFile(FileName);
  }
}

}  // namespace

void TskSkinData::LoadFromFile(const String& FileName) {
  LoadFrame([&] {
    classlib::TMemIniFile ini(FileName);
    if (!IsSkinIniFile(ini)) return false;
    const String dir = classlib::ExtractFilePath(FileName);
    ReadVersion(ini);
    ReadPictureNames(ini);
    LoadNamedPicture(*Picture, dir, PictureName);
    LoadNamedPicture(*InActivePicture, dir, InActivePictureName);
    LoadNamedPicture(*Mask, dir, MaskName);
    LoadNamedPicture(*RollUpPicture, dir, RollUpPictureName);
    LoadNamedPicture(*RollUpMask, dir, RollUpMaskName);
    ReadActivePictures(ini, dir);
    ReadCursors(ini, dir);
    ReadDescriptions(ini);
    return true;
  });
}

void TskSkinData::ReadVersion(TCustomIniFile& IniFile) {
  SkinName = IniFile.ReadString("VERSION", "skinname", "");
  SkinAuthor = IniFile.ReadString("VERSION", "skinauthor", "");
  AuthorEmail = IniFile.ReadString("VERSION", "authoremail", "");
  AuthorURL = IniFile.ReadString("VERSION", "authorurl", "");
  SkinComments = IniFile.ReadString("VERSION", "skincomments", "");
}

void TskSkinData::ReadPictureNames(TCustomIniFile& IniFile) {
  PictureName = IniFile.ReadString("PICTURES", "picture", "");
  InActivePictureName = IniFile.ReadString("PICTURES", "inactivepicture", "");
  MaskName = IniFile.ReadString("PICTURES", "mask", "");
  RollUpPictureName = IniFile.ReadString("PICTURES", "rolluppicture", "");
  RollUpMaskName = IniFile.ReadString("PICTURES", "rollupmask", "");
}

// FORMINFO, the two windows and the three lists: what a folder and a compressed skin share.
void TskSkinData::ReadDescriptions(TCustomIniFile& IniFile) {
  ReadFormInfo(IniFile);
  PopupWindow->LoadFromFile(IniFile);
  HintWindow->LoadFromFile(IniFile);
  ReadAreas(IniFile);
  ReadObjects(IniFile);
  ReadCtrls(IniFile);
}

void TskSkinData::ReadActivePictures(TCustomIniFile& IniFile, const String& Dir) {
  ReadStrings1(IniFile, "PICTURES", "activepictures", *ActivePicturesNames);
  for (int i = 0; i < ActivePicturesNames->Count(); ++i) {
    auto bitmap = std::make_unique<TBitmap>();
    LoadSkinPicture(*bitmap, Dir + (*ActivePicturesNames)[i]);
    ActivePictures.push_back(std::move(bitmap));
  }
}

void TskSkinData::ReadCursors(TCustomIniFile& IniFile, const String& Dir) {
  StartCursorIndex = std::max(IniFile.ReadInteger("CURSORS", "startcursorindex", 1), 1);
  ReadStrings1(IniFile, "CURSORS", "cursors", *CursorsNames);
  for (int i = 0; i < CursorsNames->Count(); ++i) {
    const classlib::WideString path = classlib::ToWide(Dir + (*CursorsNames)[i]);
    classlib::Screen->SetCursors(StartCursorIndex + i, LoadCursorFromFileW(path.c_str()));
  }
}

void TskSkinData::ReadFormInfo(TCustomIniFile& IniFile) {
  FormInfoHead().Read(*this, IniFile, "FORMINFO");
  if (!MaskName.empty()) {
    if (IsNullRect(MaskRectArea)) {
      MaskRectArea = ClientRect;
    } else {
      MaskRectArea.left = std::min(MaskRectArea.left, ClientRect.left);
      MaskRectArea.top = std::min(MaskRectArea.top, ClientRect.top);
      MaskRectArea.right = std::max(MaskRectArea.right, ClientRect.right);
      MaskRectArea.bottom = std::max(MaskRectArea.bottom, ClientRect.bottom);
    }
    if (IsNullPoint(HitTestLeftTopPoint)) HitTestLeftTopPoint = LeftTopPoint;
    if (IsNullPoint(HitTestRightTopPoint)) HitTestRightTopPoint = RightTopPoint;
    if (IsNullPoint(HitTestLeftBottomPoint)) HitTestLeftBottomPoint = LeftBottomPoint;
    if (IsNullPoint(HitTestRightBottomPoint)) HitTestRightBottomPoint = RightBottomPoint;
  }
  FormInfoTail().Read(*this, IniFile, "FORMINFO");
  // Each anchor is pulled onto the client rectangle from the outside of its own corner.
  if (RightBottomPoint.x != LeftTopPoint.x && RightBottomPoint.y != LeftTopPoint.y) {
    LeftTopPoint.x = std::max<LONG>(LeftTopPoint.x, ClientRect.left);
    LeftTopPoint.y = std::max<LONG>(LeftTopPoint.y, ClientRect.top);
    RightTopPoint.x = std::min<LONG>(RightTopPoint.x, ClientRect.right);
    RightTopPoint.y = std::max<LONG>(RightTopPoint.y, ClientRect.top);
    LeftBottomPoint.x = std::max<LONG>(LeftBottomPoint.x, ClientRect.left);
    LeftBottomPoint.y = std::min<LONG>(LeftBottomPoint.y, ClientRect.bottom);
    RightBottomPoint.x = std::min<LONG>(RightBottomPoint.x, ClientRect.right);
    RightBottomPoint.y = std::min<LONG>(RightBottomPoint.y, ClientRect.bottom);
  }
}

void TskSkinData::ReadAreas(TCustomIniFile& IniFile) {
  const int count = IniFile.ReadInteger("SKINAREAS", "count", 0);
  for (int i = 0; i < count; ++i) {
    String name;
    TRect rect{};
    GetAreaNameRect(IniFile.ReadString("SKINAREAS", IntToStr(i), ""), name, rect);
    AddSkinArea(name, rect);
  }
}

void TskSkinData::ReadObjects(TCustomIniFile& IniFile) {
  const int count = IniFile.ReadInteger("SKINOBJECTS", "count", 0);
  for (int i = 0; i < count; ++i) {
    String name, type;
    GetObjectTypeName(IniFile.ReadString("SKINOBJECTS", IntToStr(i), ""), name, type);
    if (auto object = CreateSkinObject(type, name)) {
      object->LoadFromFile(IniFile);
      ObjectList.push_back(std::move(object));
    }
  }
}

void TskSkinData::ReadCtrls(TCustomIniFile& IniFile) {
  const int count = IniFile.ReadInteger("SKINCONTROLS", "count", 0);
  for (int i = 0; i < count; ++i) {
    String name, type;
    GetObjectTypeName(IniFile.ReadString("SKINCONTROLS", IntToStr(i), ""), name, type);
    if (auto control = CreateSkinControl(type, name)) {
      control->LoadFromFile(IniFile);
      CtrlList.push_back(std::move(control));
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Writing

void TskSkinData::SaveToCustomIniFile(TCustomIniFile& IniFile) {
  IniFile.EraseSection("VERSION");
  IniFile.WriteInteger("VERSION", "ver", 2);
  IniFile.WriteString("VERSION", "skinname", SkinName);
  IniFile.WriteString("VERSION", "skinauthor", SkinAuthor);
  IniFile.WriteString("VERSION", "authoremail", AuthorEmail);
  IniFile.WriteString("VERSION", "authorurl", AuthorURL);
  IniFile.WriteString("VERSION", "skincomments", SkinComments);

  IniFile.EraseSection("PICTURES");
  IniFile.WriteString("PICTURES", "picture", PictureName);
  IniFile.WriteString("PICTURES", "inactivepicture", InActivePictureName);
  IniFile.WriteString("PICTURES", "mask", MaskName);
  IniFile.WriteString("PICTURES", "rolluppicture", RollUpPictureName);
  IniFile.WriteString("PICTURES", "rollupmask", RollUpMaskName);
  WriteActivePictures(IniFile);

  IniFile.EraseSection("CURSORS");
  WriteCursors(IniFile);
  IniFile.EraseSection("FORMINFO");
  WriteFormInfo(IniFile);
  PopupWindow->SaveToFile(IniFile);
  HintWindow->SaveToFile(IniFile);
  WriteAreas(IniFile);
  WriteObjects(IniFile);
  WriteCtrls(IniFile);
}

void TskSkinData::WriteActivePictures(TCustomIniFile& IniFile) {
  WriteStrings1(IniFile, "PICTURES", "activepictures", *ActivePicturesNames);
}

void TskSkinData::WriteCursors(TCustomIniFile& IniFile) {
  IniFile.WriteInteger("CURSORS", "startcursorindex", StartCursorIndex);
  WriteStrings1(IniFile, "CURSORS", "cursors", *CursorsNames);
}

void TskSkinData::WriteFormInfo(TCustomIniFile& IniFile) {
  FormInfoHead().Write(*this, IniFile, "FORMINFO");
  FormInfoTail().Write(*this, IniFile, "FORMINFO");
}

void TskSkinData::WriteAreas(TCustomIniFile& IniFile) {
  IniFile.EraseSection("SKINAREAS");
  IniFile.WriteInteger("SKINAREAS", "count", static_cast<int>(AreaList.size()));
  for (size_t i = 0; i < AreaList.size(); ++i)
    IniFile.WriteString("SKINAREAS", IntToStr(i), AreaList[i]->IDName + ":" + SetRect(AreaList[i]->AreaRect));
}

void TskSkinData::WriteObjects(TCustomIniFile& IniFile) {
  IniFile.EraseSection("SKINOBJECTS");
  IniFile.WriteInteger("SKINOBJECTS", "count", static_cast<int>(ObjectList.size()));
  for (size_t i = 0; i < ObjectList.size(); ++i) {
    const TskDataSkinObject& object = *ObjectList[i];
    IniFile.WriteString("SKINOBJECTS", IntToStr(i), object.IDName + ":" + SkinObjectTypeName(object));
    object.SaveToFile(IniFile);
  }
}

void TskSkinData::WriteCtrls(TCustomIniFile& IniFile) {
  IniFile.EraseSection("SKINCONTROLS");
  IniFile.WriteInteger("SKINCONTROLS", "count", static_cast<int>(CtrlList.size()));
  for (size_t i = 0; i < CtrlList.size(); ++i) {
    const TskDataSkinControl& control = *CtrlList[i];
    IniFile.WriteString("SKINCONTROLS", IntToStr(i), control.IDName + ":" + SkinControlTypeName(control));
    control.SaveToFile(IniFile);
  }
}

void TskSkinData::SaveToFile(const String& FileName) {
  { classlib::TFileStream truncate(FileName, classlib::fmCreate); }
  classlib::TMemIniFile ini(FileName);
  SaveToCustomIniFile(ini);
  ini.UpdateFile();
}

void TskSkinData::StoreToDisk(const String& Dir) {
  SaveToFile(Dir + "skin.ini");
  const std::pair<const TBitmap*, const String*> pictures[] = {
      {Picture.get(), &PictureName},           {InActivePicture.get(), &InActivePictureName},
      {Mask.get(), &MaskName},                 {RollUpPicture.get(), &RollUpPictureName},
      {RollUpMask.get(), &RollUpMaskName},
  };
  for (const auto& [bitmap, name] : pictures)
    if (!bitmap->Empty()) StorePicture(*bitmap, StoredPictureName(Dir, *name));
  // Pictures without a name (a compressed skin from elsewhere may carry more) are not stored.
  const int named = std::min<int>(ActivePicturesNames->Count(), static_cast<int>(ActivePictures.size()));
  for (int i = 0; i < named; ++i) StorePicture(*ActivePictures[i], StoredPictureName(Dir, (*ActivePicturesNames)[i]));
}

}  // namespace skin
