#include "tests/support/testing.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/IniFiles.h"
#include "platform/classlib/Streams.h"
#include "platform/classlib/SysUtils.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/Skzlibcompress.h"
#include "tests/skin/data/SkinDataTesting.h"

#include <cstring>

using namespace classlib;
using namespace skin;
using namespace skindatatesting;
using testing_support::ReadUnixFile;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

void InitApplication() {
  static const bool ready = [] {
    Application->Initialize();
    return true;
  }();
  (void)ready;
}

String IniText(TMemIniFile& ini) {
  TStringList lines;
  ini.GetStrings(lines);
  return lines.Text();
}

std::vector<UINT> Messages(const std::vector<TRecordingForm::TEntry>& log) {
  std::vector<UINT> messages;
  for (const auto& entry : log) messages.push_back(entry.Msg);
  return messages;
}

const std::vector<UINT> kChangeBracket = {WM_BEFORECHANGESKINDATA, WM_CHANGESKINDATA, WM_AFTERCHANGESKINDATA};

// A form that owns the skin under test, so every change message reaches it.
struct TSkinOnForm {
  std::vector<TRecordingForm::TEntry> log;
  std::unique_ptr<TRecordingForm> form;
  TskSkinData* skin;
  TSkinOnForm() {
    InitApplication();
    form = std::make_unique<TRecordingForm>(log);
    skin = new TskSkinData(form.get());
  }
};

TEST(SkinData, LoadsAFolderAndStoresItBackEqual) {
  TempDir dir;
  WriteTestSkin(dir);
  TSkinOnForm owner;
  TskSkinData& skin = *owner.skin;
  skin.LoadFromFile(dir.windowsFile("skin.ini"));
  EXPECT_EQ(Messages(owner.log), kChangeBracket);
  ASSERT_FALSE(skin.Empty);

  EXPECT_EQ(skin.SkinName, "Test skin");
  EXPECT_EQ(skin.Picture->Width(), 160);
  EXPECT_TRUE(skin.InActivePicture->Empty());
  ASSERT_EQ(skin.ActivePictures.size(), 2u);
  EXPECT_EQ(skin.ActivePictures[1]->Width(), 32);  // decoded as JPEG
  EXPECT_EQ(skin.ActivePicturesNames->Text(), "sheet.bmp\r\nphoto.jpg\r\n");
  EXPECT_EQ(skin.InActiveEffect, TskInActiveEffect::ieDarkness);
  EXPECT_EQ(skin.CaptionRect.left, -5);  // the sign survives
  EXPECT_EQ(skin.PopupWindow->WindowPictureIndex, 0);
  EXPECT_TRUE(skin.PopupWindow->RightStretch);
  EXPECT_EQ(skin.HintWindow->FontHeight, 14);
  EXPECT_TRUE(skin.HintWindow->FontStyle == (TFontStyles{TFontStyle::fsBold, TFontStyle::fsUnderline}));
  ASSERT_EQ(skin.AreaList.size(), 2u);
  EXPECT_EQ(skin.GetAreaIndex("closebutton"), 1);
  EXPECT_EQ(skin.AreaList[1]->AreaRect.left, -4);

  // "Splitter" with a capital letter and an entry without a colon are skipped; their neighbours load.
  ASSERT_EQ(skin.CtrlList.size(), 2u);
  EXPECT_EQ(skin.GetControlIndex("split"), 0);
  EXPECT_EQ(skin.GetControlIndex("Split"), -1);
  EXPECT_EQ(skin.GetControlIndex("Bad"), -1);
  auto* split = dynamic_cast<TskDataSkinSplitterControl*>(skin.CtrlList[0].get());
  ASSERT_NE(split, nullptr);
  EXPECT_EQ(split->SkinClientRect.right, 18);
  EXPECT_TRUE(split->StretchEffect);
  EXPECT_EQ(skin.CtrlList[1]->SkinRect.right, 0);

  // Stored to another folder and loaded from there, the skin writes the same text again.
  TempDir copy;
  skin.StoreToDisk(copy.windowsPath() + "\\");
  TskSkinData reloaded(nullptr);
  reloaded.LoadFromFile(copy.windowsFile("skin.ini"));
  ASSERT_FALSE(reloaded.Empty);
  TMemIniFile first, second;
  skin.SaveToCustomIniFile(first);
  reloaded.SaveToCustomIniFile(second);
  EXPECT_EQ(IniText(first), IniText(second));
  EXPECT_TRUE(SamePixels(*skin.Picture, *reloaded.Picture));
  EXPECT_TRUE(SamePixels(*skin.ActivePictures[0], *reloaded.ActivePictures[0]));
  // The JPEG-named picture was stored as JPEG and loaded back as one (not pixel-exact).
  EXPECT_EQ(ReadUnixFile(copy.unixFile("photo.jpg")).substr(0, 3), "\xFF\xD8\xFF");
  EXPECT_EQ(reloaded.ActivePictures[1]->Height(), 16);
}

TEST(SkinData, FormInfoCorrectsTheMaskAreaAndClampsTheAnchors) {
  const struct {
    const char* name;
    std::string formInfo;
    bool withMask;
    TRect maskArea;
    TPoint leftTop, rightBottom, hitTestLeftTop;
  } rows[] = {
      {"null mask area becomes the client rectangle", "maskrectarea=0,0,0,0\r\n", true, {11, 32, 148, 118},
       {11, 32}, {148, 118}, {5, 5}},
      {"mask area widened to hold the client", "maskrectarea=20,20,100,100\r\n", true, {11, 20, 148, 118},
       {11, 32}, {148, 118}, {5, 5}},
      {"no mask, no correction", "maskrectarea=20,20,100,100\r\n", false, {20, 20, 100, 100}, {11, 32},
       {148, 118}, {0, 0}},
      {"equal anchors: no clamp", "rightbottompoint=5,120\r\n", true, {11, 32, 148, 118}, {5, 5}, {5, 120}, {5, 5}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TStringList lines;
    lines.SetText("[VERSION]\r\n[PICTURES]\r\n" + String(row.withMask ? "mask=m.bmp\r\n" : "") +
                  "[FORMINFO]\r\n" + row.formInfo +
                  "lefttoppoint=5,5\r\nrightbottompoint=150,120\r\nclientrect=11,32,148,118\r\n");
    TMemIniFile ini;
    ini.SetStrings(lines);
    TskSkinData skin(nullptr);
    skin.MaskName = ini.ReadString("PICTURES", "mask", "");
    skin.ReadFormInfo(ini);
    EXPECT_TRUE(EqualRect(&skin.MaskRectArea, &row.maskArea));
    EXPECT_EQ(skin.LeftTopPoint.x, row.leftTop.x);
    EXPECT_EQ(skin.LeftTopPoint.y, row.leftTop.y);
    EXPECT_EQ(skin.RightBottomPoint.x, row.rightBottom.x);
    EXPECT_EQ(skin.RightBottomPoint.y, row.rightBottom.y);
    EXPECT_EQ(skin.HitTestLeftTopPoint.x, row.hitTestLeftTop.x);
    EXPECT_EQ(skin.HitTestLeftTopPoint.y, row.hitTestLeftTop.y);
  }
}

TEST(SkinData, SknFilesRoundTripAndStartWithTheirHeader) {
  TempDir dir;
  WriteTestSkin(dir);
  TskSkinData skin(nullptr);
  skin.LoadFromFile(dir.windowsFile("skin.ini"));
  skin.SaveToCompressedFile(dir.windowsFile("test.skn"));

  const std::string file = ReadUnixFile(dir.unixFile("test.skn"));
  ASSERT_GT(file.size(), 10u);
  EXPECT_EQ(file.substr(0, 4), std::string("\x02\x00\x00\x00", 4));
  std::int32_t length = 0;
  std::memcpy(&length, file.data() + 4, 4);
  EXPECT_EQ(static_cast<size_t>(length), file.size() - 8);
  EXPECT_EQ(file.substr(8, 2), "\x78\xDA");

  TSkinOnForm owner;
  owner.skin->LoadFromCompressedFile(dir.windowsFile("test.skn"));
  EXPECT_EQ(Messages(owner.log), kChangeBracket);
  ASSERT_FALSE(owner.skin->Empty);
  TMemIniFile first, second;
  skin.SaveToCustomIniFile(first);
  owner.skin->SaveToCustomIniFile(second);
  // A stream carries no cursors; everything else comes back.
  EXPECT_EQ(IniText(first), IniText(second));
  ASSERT_EQ(owner.skin->ActivePictures.size(), 2u);
  EXPECT_TRUE(SamePixels(*skin.Picture, *owner.skin->Picture));
  EXPECT_TRUE(SamePixels(*skin.Mask, *owner.skin->Mask));
  EXPECT_TRUE(SamePixels(*skin.ActivePictures[1], *owner.skin->ActivePictures[1]));
}

// A skin stream written by hand: version, the given slots (flag 0 and a picture, or flag 1),
// a picture count with pictures, and INI text.
std::string SkinStream(std::int32_t version, const std::vector<bool>& slots, const std::string& ini) {
  TMemoryStream stream;
  stream.WriteBuffer(&version, 4);
  TBitmap picture;
  DrawCoded(picture, 4, 3, 9);
  for (bool present : slots) {
    const std::uint8_t flag = present ? 0 : 1;
    stream.WriteBuffer(&flag, 1);
    if (present) picture.SaveToStream(stream);
  }
  const std::int32_t count = 1;
  stream.WriteBuffer(&count, 4);
  picture.SaveToStream(stream);
  stream.WriteBuffer(ini.data(), static_cast<int>(ini.size()));
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

std::string Packed(const std::string& stream) {
  TMemoryStream in, out;
  in.WriteBuffer(stream.data(), static_cast<int>(stream.size()));
  CompressStream(in, out);
  return std::string(reinterpret_cast<const char*>(out.Memory()), static_cast<size_t>(out.Size()));
}

void Store(TskCompressedStoredSkin& stored, const std::string& bytes) {
  TMemoryStream data;
  if (!bytes.empty()) data.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  data.SetPosition(0);
  stored.ReadData(data);
}

TEST(SkinData, StreamVersionsFillTheirOwnSlots) {
  const std::string ini = TestSkinIni();
  const struct {
    std::int32_t version;
    std::vector<bool> slots;
    bool picture, inactive, mask, rollUp, rollUpMask;
  } rows[] = {
      {3, {true, true, true}, true, true, true, false, false},
      {2, {true, false, true, true, true}, true, false, true, true, true},
      {1, {true, true, true, true}, true, false, true, true, true},
      {0, {true, true}, true, false, true, false, false},
      {-7, {false, true}, false, false, true, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.version);
    TSkinOnForm owner;
    TskCompressedStoredSkin stored(nullptr);
    Store(stored, Packed(SkinStream(row.version, row.slots, ini)));
    owner.skin->LoadCompressedStoredSkin(stored);
    EXPECT_EQ(Messages(owner.log), kChangeBracket);
    ASSERT_FALSE(owner.skin->Empty);
    EXPECT_EQ(!owner.skin->Picture->Empty(), row.picture);
    EXPECT_EQ(!owner.skin->InActivePicture->Empty(), row.inactive);
    EXPECT_EQ(!owner.skin->Mask->Empty(), row.mask);
    EXPECT_EQ(!owner.skin->RollUpPicture->Empty(), row.rollUp);
    EXPECT_EQ(!owner.skin->RollUpMask->Empty(), row.rollUpMask);
    EXPECT_EQ(owner.skin->ActivePictures.size(), 1u);
    EXPECT_EQ(owner.skin->GetControlIndex("split2"), 1);
    EXPECT_EQ(owner.skin->PictureName, "frame.bmp");  // a record only: no file was opened
  }
}

TEST(SkinData, BadSkinsEndTheChangeWithAnEmptySkin) {
  TempDir dir;
  const std::string ini = TestSkinIni();
  const std::string good = Packed(SkinStream(2, {true, true, true, true, true}, ini));
  std::string corrupt = good;
  corrupt[good.size() / 2] ^= 0x5A;
  std::string badBitmap = SkinStream(3, {true, true, true}, ini);
  badBitmap[5] = 'X';  // the first picture's "BM"
  std::string hugePicture = SkinStream(3, {true, true, true}, ini);
  hugePicture[5 + 18] = '\x7F';  // its width: far beyond the bytes that follow
  hugePicture[5 + 21] = '\x7F';

  // Content failures: the load starts, fails, and still ends the change with the skin empty.
  const struct {
    const char* name;
    std::string packed;
  } failures[] = {
      {"version above 3", Packed(SkinStream(4, {}, ""))},
      {"corrupt stream", corrupt},
      {"cut stream", good.substr(0, good.size() - 40)},
      {"not zlib", "this is no zlib stream at all"},
      {"bad bitmap", Packed(badBitmap)},
      {"picture larger than the stream", Packed(hugePicture)},
      {"stream ends inside the slots", Packed(std::string("\x02\x00\x00\x00\x00", 5))},
      {"bad rectangle", Packed(SkinStream(2, {false, false, false, false, false},
                                          TestSkinIni("[split2]\r\nclientrect=\r\n")))},
  };
  for (const auto& row : failures) {
    SCOPED_TRACE(row.name);
    TSkinOnForm owner;
    TskCompressedStoredSkin stored(nullptr);
    Store(stored, row.packed);
    if (std::string(row.name) == "version above 3") {
      owner.skin->LoadCompressedStoredSkin(stored);  // no skin, no error
    } else {
      EXPECT_THROW(owner.skin->LoadCompressedStoredSkin(stored), Exception);
    }
    EXPECT_EQ(Messages(owner.log), kChangeBracket);
    EXPECT_TRUE(owner.skin->Empty);
    EXPECT_TRUE(owner.skin->CtrlList.empty());
    EXPECT_TRUE(owner.skin->ActivePictures.empty());
    EXPECT_TRUE(owner.skin->Picture->Empty());
  }

  // Bytes after the end of the zlib stream are not part of the skin: it loads.
  {
    TSkinOnForm owner;
    TskCompressedStoredSkin stored(nullptr);
    Store(stored, good + std::string(5000, '\x33'));
    owner.skin->LoadCompressedStoredSkin(stored);
    EXPECT_FALSE(owner.skin->Empty);
  }

  // Refused before anything starts: no message, the skin in use stays.
  auto skn = [](std::int32_t tag, std::int32_t length, const std::string& data) {
    std::string file(8, '\0');
    std::memcpy(file.data(), &tag, 4);
    std::memcpy(file.data() + 4, &length, 4);
    return file + data;
  };
  const struct {
    const char* name;
    std::string file;
  } refusals[] = {
      {"tag 4", skn(4, static_cast<std::int32_t>(good.size()), good)},
      {"tag -1", skn(-1, static_cast<std::int32_t>(good.size()), good)},
      {"length past the end", skn(2, static_cast<std::int32_t>(good.size()) + 1, good)},
      {"negative length", skn(2, -1, good)},
      {"length 0", skn(2, 0, good)},
      {"shorter than its header", std::string("\x02\x00\x00", 3)},
  };
  for (const auto& row : refusals) {
    SCOPED_TRACE(row.name);
    WriteUnixFile(dir.unixFile("bad.skn"), row.file);
    TSkinOnForm owner;
    owner.skin->LoadFromFile([&] {
      WriteTestSkin(dir);
      return dir.windowsFile("skin.ini");
    }());
    owner.log.clear();
    try {
      owner.skin->LoadFromCompressedFile(dir.windowsFile("bad.skn"));
    } catch (const EStreamError&) {
    }
    EXPECT_TRUE(owner.log.empty());
    EXPECT_FALSE(owner.skin->Empty);
    EXPECT_EQ(owner.skin->CtrlList.size(), 2u);
  }

  // A stored skin of zero bytes is no skin: nothing happens.
  TSkinOnForm owner;
  TskCompressedStoredSkin stored(nullptr);
  Store(stored, "");
  EXPECT_TRUE(stored.GetEmpty());
  owner.skin->LoadCompressedStoredSkin(stored);
  EXPECT_TRUE(owner.log.empty());
}

TEST(SkinData, FolderFailuresEndTheChangeWithAnEmptySkin) {
  const struct {
    const char* name;
    std::string ini;
    const char* removed;
  } rows[] = {
      {"missing picture", TestSkinIni(), "sheet.bmp"},
      {"picture that is no picture", TestSkinIni(), "mask.bmp"},
      {"empty client rectangle", TestSkinIni("[split2]\r\nclientrect=\r\n"), nullptr},
      {"no SKINOBJECTS section", "[VERSION]\r\nver=2\r\n[PICTURES]\r\n[FORMINFO]\r\nx=1\r\n[SKINCONTROLS]\r\ncount=0\r\n",
       nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    WriteTestSkin(dir, row.ini);
    if (row.removed != nullptr) {
      if (std::string(row.name) == "missing picture") std::remove(dir.unixFile(row.removed).c_str());
      else WriteUnixFile(dir.unixFile(row.removed), "not a picture");
    }
    TSkinOnForm owner;
    if (std::string(row.name) == "no SKINOBJECTS section") owner.skin->LoadFromFile(dir.windowsFile("skin.ini"));
    else EXPECT_THROW(owner.skin->LoadFromFile(dir.windowsFile("skin.ini")), Exception);
    EXPECT_EQ(Messages(owner.log), kChangeBracket);
    EXPECT_TRUE(owner.skin->Empty);
    EXPECT_TRUE(owner.skin->ActivePictures.empty());
  }
}

TEST(SkinData, ChangesReachEveryFormOnceOwnerFirst) {
  InitApplication();
  std::vector<TRecordingForm::TEntry> log;
  auto before = std::make_unique<TRecordingForm>(log);
  auto owner = std::make_unique<TRecordingForm>(log);
  auto after = std::make_unique<TRecordingForm>(log);
  auto* skin = new TskSkinData(owner.get());
  skin->ClearSkin();

  ASSERT_EQ(log.size(), 9u);
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].Msg, kChangeBracket[i / 3]);
    EXPECT_EQ(log[i].WParam, reinterpret_cast<WPARAM>(skin));
    EXPECT_EQ(log[i].LParam, 1000);
  }
  // Each message goes to the owner first, then to the others in the screen's order.
  std::vector<TRecordingForm*> order;
  for (size_t i = 0; i < 3; ++i) order.push_back(log[i].Form);
  EXPECT_EQ(order, (std::vector<TRecordingForm*>{owner.get(), before.get(), after.get()}));

  log.clear();
  auto* strings = new TskResourceStrData(owner.get());
  skin->SetResourceStrData(strings);
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].Form, owner.get());
  for (const auto& entry : log) EXPECT_EQ(entry.Msg, WM_CHANGERESSTRDATA);

  // Freeing the string table clears the reference; the skin goes on.
  delete strings;
  EXPECT_EQ(skin->ResourceStrData(), nullptr);
}

TEST(SkinData, LookupsSplittingAndPictureListEditing) {
  TskSkinData skin(nullptr);
  EXPECT_EQ(skin.GetControlIndex("x"), -1);
  skin.CtrlList.push_back(std::make_unique<TskDataSkinControl>("button"));
  skin.CtrlList.push_back(std::make_unique<TskDataSkinControl>("button"));
  EXPECT_EQ(skin.GetControlIndex("button"), 0);
  EXPECT_EQ(skin.GetControlIndex("Button"), -1);

  const struct {
    const char* text;
    const char* name;
    const char* type;
  } rows[] = {{"a:b", "a", "b"}, {"a:b:c", "a", "b:c"}, {"abc", "", ""}, {":b", "", "b"}};
  for (const auto& row : rows) {
    String name = "x", type = "y";
    GetObjectTypeName(row.text, name, type);
    EXPECT_EQ(name, row.name);
    EXPECT_EQ(type, row.type);
  }

  TempDir dir;
  WriteTestSkin(dir);
  skin.AddBitMap(dir.windowsFile("frame.bmp"));
  skin.AddBitMap(dir.windowsFile("sheet.bmp"));
  skin.AddBitMap(dir.windowsFile("photo.jpg"));
  skin.DeleteBitMap(0);
  ASSERT_EQ(skin.ActivePictures.size(), 2u);
  EXPECT_EQ(skin.ActivePicturesNames->Text(), "sheet.bmp\r\nphoto.jpg\r\n");
  EXPECT_EQ(skin.ActivePictures[0]->Width(), 40);

  skin.PopupWindow->WindowPictureIndex = 3;
  skin.ClearSkin();
  EXPECT_TRUE(skin.Empty);
  EXPECT_TRUE(skin.CtrlList.empty());
  EXPECT_EQ(skin.PopupWindow->WindowPictureIndex, -1);
}

TEST(SkinData, LengthPrefixedStringsRoundTripAndRefuseImpossibleLengths) {
  TMemoryStream stream;
  WriteStringToStream("Tavrel", stream);
  WriteStringToStream("", stream);
  EXPECT_EQ(stream.Size(), 4 + 6 + 4);
  stream.SetPosition(0);
  String first = "x", second = "y";
  ReadStringFromStream(first, stream);
  ReadStringFromStream(second, stream);
  EXPECT_EQ(first, "Tavrel");
  EXPECT_EQ(second, "");

  for (std::int32_t length : {-1, 7, 0x7FFFFFFF}) {
    TMemoryStream bad;
    bad.WriteBuffer(&length, 4);
    bad.WriteBuffer("abc", 3);
    bad.SetPosition(0);
    String text = "kept";
    EXPECT_THROW(ReadStringFromStream(text, bad), EStreamError) << length;
  }
}

}  // namespace

