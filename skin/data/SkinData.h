// The loaded skin: the form-frame pictures, the picture list, the frame geometry, the popup and
// hint windows and the named descriptions of objects, areas and controls. Skinned parts read its
// fields directly and look their descriptions up by name. Every load and clear is bracketed by
// the skin-change messages, sent to the owner form first and then to every other form.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Component.h"
#include "platform/classlib/Strings.h"
#include "skin/data/SkinDescriptions.h"

#include <functional>
#include <memory>
#include <vector>

namespace skin {

class TskCompressedStoredSkin;
class TskResourceStrData;

constexpr UINT WM_BEFORECHANGESKINDATA = 1225;
constexpr UINT WM_CHANGESKINDATA = 1226;
constexpr UINT WM_AFTERCHANGESKINDATA = 1227;
constexpr UINT WM_CHANGERESSTRDATA = 1274;
// The lParam of every skin-change message.
constexpr LPARAM SkinMessageTag = 1000;

class TskSkinData : public classlib::TComponent {
public:
  explicit TskSkinData(classlib::TComponent* AOwner);
  ~TskSkinData() override;

  // Published properties.
  void SetEnableSkinEffects(bool Value) { EnableSkinEffects = Value; }
  TskCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
  // Loads the stored skin at once, except at design time.
  void SetCompressedStoredSkin(TskCompressedStoredSkin* Value);
  TskResourceStrData* ResourceStrData() const { return FResourceStrData; }
  // Tells every form (1274), except at design time.
  void SetResourceStrData(TskResourceStrData* Value);

  // Exact, case-sensitive, first match; -1 when no entry has the name.
  int GetControlIndex(const classlib::String& Name) const;
  int GetIndex(const classlib::String& Name) const;
  int GetAreaIndex(const classlib::String& Name) const;

  void AddSkinArea(const classlib::String& Name, const classlib::TRect& Rect);
  // Loads FileName (JPEG or BMP) into a new entry of ActivePictures, named by its bare file name.
  void AddBitMap(const classlib::String& FileName);
  void DeleteBitMap(int Index);

  void ClearObjects();
  void ClearAll();
  // Clears, then sends 1225, 1226 and 1227.
  void ClearSkin();
  void SendSkinDataMessage(UINT Msg);

  // Skin INI files and their folders.
  void LoadFromFile(const classlib::String& FileName);
  void SaveToFile(const classlib::String& FileName);
  void SaveToCustomIniFile(classlib::TCustomIniFile& IniFile);
  // Writes Dir + "skin.ini" and every picture under its bare file name; Dir ends with a separator.
  void StoreToDisk(const classlib::String& Dir);

  // Compressed skins: a form's stored skin and .skn files.
  void LoadCompressedStoredSkin(TskCompressedStoredSkin& Skin);
  void LoadFromCompressedFile(const classlib::String& FileName);
  void SaveToCompressedFile(const classlib::String& FileName);

  // Section readers and writers of the INI text.
  void ReadActivePictures(classlib::TCustomIniFile& IniFile, const classlib::String& Dir);
  void ReadCursors(classlib::TCustomIniFile& IniFile, const classlib::String& Dir);
  void ReadFormInfo(classlib::TCustomIniFile& IniFile);
  void ReadAreas(classlib::TCustomIniFile& IniFile);
  void ReadObjects(classlib::TCustomIniFile& IniFile);
  void ReadCtrls(classlib::TCustomIniFile& IniFile);
  void WriteActivePictures(classlib::TCustomIniFile& IniFile);
  void WriteCursors(classlib::TCustomIniFile& IniFile);
  void WriteFormInfo(classlib::TCustomIniFile& IniFile);
  void WriteAreas(classlib::TCustomIniFile& IniFile);
  void WriteObjects(classlib::TCustomIniFile& IniFile);
  void WriteCtrls(classlib::TCustomIniFile& IniFile);

  bool EnableSkinEffects = true;
  classlib::TRect ButtonsRect{};
  classlib::TRect CaptionRect{};
  int ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  bool AutoRenderingInActiveImage = false;
  TskInActiveEffect InActiveEffect = TskInActiveEffect::ieBrightness;
  int StartCursorIndex = 1;
  int CursorIndex = -1;
  std::unique_ptr<TskDataSkinPopupWindow> PopupWindow;
  std::unique_ptr<TskDataSkinHintWindow> HintWindow;
  bool Empty = true;
  std::unique_ptr<classlib::TBitmap> Picture;
  std::unique_ptr<classlib::TBitmap> InActivePicture;
  std::unique_ptr<classlib::TBitmap> Mask;
  std::unique_ptr<classlib::TBitmap> RollUpPicture;
  std::unique_ptr<classlib::TBitmap> RollUpMask;
  std::vector<std::unique_ptr<classlib::TBitmap>> ActivePictures;
  classlib::String PictureName, InActivePictureName, MaskName, RollUpPictureName, RollUpMaskName;
  std::unique_ptr<classlib::TStringList> ActivePicturesNames;
  std::unique_ptr<classlib::TStringList> CursorsNames;
  std::vector<std::unique_ptr<TskDataSkinObject>> ObjectList;
  std::vector<std::unique_ptr<TskDataSkinArea>> AreaList;
  std::vector<std::unique_ptr<TskDataSkinControl>> CtrlList;
  classlib::TPoint LeftTopPoint{}, RightTopPoint{}, LeftBottomPoint{}, RightBottomPoint{};
  int BGPictureIndex = -1;
  int MDIBGPictureIndex = -1;
  classlib::TRect MainMenuRect{};
  classlib::TRect IconRect{};
  bool MainMenuPopupUp = false;
  classlib::TRect MaskRectArea{};
  classlib::TPoint HitTestLeftTopPoint{}, HitTestRightTopPoint{}, HitTestLeftBottomPoint{}, HitTestRightBottomPoint{};
  classlib::TRect ClientRect{};
  int BorderWidth = 0;
  bool TopStretch = false, LeftStretch = false, RightStretch = false, BottomStretch = false;
  classlib::TPoint RollUpLeftPoint{}, RollUpRightPoint{};
  classlib::String SkinName, SkinAuthor, AuthorURL, AuthorEmail, SkinComments;

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  // Runs Read between 1225 and 1226/1227 with the skin emptied first. Read returns false when the
  // source turns out to hold no skin. A failing read leaves the skin empty and still ends the
  // bracket before the error goes on to the caller.
  void LoadFrame(const std::function<bool()>& Read);
  void ReadVersion(classlib::TCustomIniFile& IniFile);
  void ReadPictureNames(classlib::TCustomIniFile& IniFile);
  void ReadDescriptions(classlib::TCustomIniFile& IniFile);
  bool Designing() const;

  TskCompressedStoredSkin* FCompressedStoredSkin = nullptr;
  TskResourceStrData* FResourceStrData = nullptr;
};

// A skin INI text has the sections VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS.
bool IsSkinIniFile(classlib::TCustomIniFile& IniFile);

// Text before the first colon, and what follows it (both empty without a colon).
void GetObjectTypeName(const classlib::String& S, classlib::String& Name, classlib::String& TypeName);
// Name before the first colon and the rectangle after it; without a colon Rect stays as it was.
void GetAreaNameRect(const classlib::String& S, classlib::String& Name, classlib::TRect& Rect);

// A picture file of a skin, decoded by its content: "BM" as a BMP file, FF D8 FF as JPEG; other
// content is read by the name's rule (".jpg" or ".jpeg" in the name for JPEG), which then fails.
void LoadSkinPicture(classlib::TBitmap& Bitmap, const classlib::String& FileName);

}  // namespace skin
