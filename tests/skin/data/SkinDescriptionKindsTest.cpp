#include "tests/support/testing.h"

#include "platform/classlib/SysUtils.h"
#include "skin/data/SkinBarDescriptions.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinEditDescriptions.h"
#include "skin/data/SkinObjectDescriptions.h"
#include "skin/data/SkinPanelDescriptions.h"
#include "skin/data/SkinTabDescriptions.h"
#include "skin/data/SkinValueObjectDescriptions.h"

#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <typeinfo>

using namespace classlib;
using namespace skin;

namespace {

std::vector<std::string> Words(const std::string& Text) {
  std::istringstream in(Text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// The section as "key=value" lines, in the order the INI text holds them.
std::vector<std::string> SectionLines(TMemIniFile& Ini, const String& Section) {
  TStringList keys;
  Ini.ReadSection(Section, keys);
  std::vector<std::string> lines;
  for (int i = 0; i < keys.Count(); ++i) lines.push_back(keys[i] + "=" + Ini.ReadString(Section, keys[i], ""));
  return lines;
}

void Fill(TMemIniFile& Ini, const String& Section, const std::vector<std::string>& Lines) {
  for (const std::string& line : Lines) {
    const size_t equals = line.find('=');
    Ini.WriteString(Section, line.substr(0, equals), line.substr(equals + 1));
  }
}

// Turns "kind:key" words into "key=value" lines whose values differ from every missing and
// constructed value and from each other (so two fields sharing a key or a member show): r a
// rectangle with a negative left, p a point with a negative x, i an integer, b a set Boolean, s a
// text. A word holding "=" stands as it is.
std::vector<std::string> SectionOf(const std::string& Spec) {
  std::vector<std::string> lines;
  int n = 2;
  for (const std::string& word : Words(Spec)) {
    if (word.find('=') != std::string::npos) {
      lines.push_back(word);
      continue;
    }
    const std::string key = word.substr(2);
    const std::string v = std::to_string(n), v1 = std::to_string(n + 1);
    switch (word[0]) {
      case 'r':
        lines.push_back(key + "=-" + v + "," + v1 + "," + std::to_string(n + 50) + "," + std::to_string(n + 60));
        break;
      case 'p': lines.push_back(key + "=-" + v + "," + v1); break;
      case 'i': lines.push_back(key + "=" + v); break;
      case 'b': lines.push_back(key + "=1"); break;
      case 's': lines.push_back(key + "=text" + v); break;
      default: ADD_FAILURE() << "no kind " << word;
    }
    n += 3;
  }
  return lines;
}

// The value a section built by SectionOf holds under Key.
std::string Stored(const std::vector<std::string>& Lines, const std::string& Key) {
  for (const std::string& line : Lines)
    if (line.compare(0, Key.size() + 1, Key + "=") == 0) return line.substr(Key.size() + 1);
  ADD_FAILURE() << "no key " << Key;
  return "";
}

const std::string kControl = "i:pictureindex i:maskpictureindex i:cursorindex r:skinrect ";
const std::string kCustom =
    kControl + "p:lefttoppoint p:righttoppoint p:leftbottompoint p:rightbottompoint r:clientrect b:stretcheffect ";
const std::string kObject =
    "s:hint b:rollup i:activepictureindex b:skinrectinapicture i:cursorindex r:skinrect r:activeskinrect "
    "r:inactiveskinrect b:morphing morphkind=mkpush ";
const std::string kFont = " s:fontname i:fontheight fontstyle=fsbold,fsunderline i:fontcolor ";
const std::string kButton = kFont +
                            "i:activefontcolor i:downfontcolor i:disabledfontcolor b:morphing morphkind=mkleftslide "
                            "r:activeskinrect r:downskinrect r:disabledskinrect r:animateskinrect i:framecount "
                            "i:animateinterval ";
const std::string kEdit = "r:activeskinrect" + kFont +
                          "i:activefontcolor i:disabledfontcolor r:buttonrect r:activebuttonrect r:downbuttonrect "
                          "r:unenabledbuttonrect ";
const std::string kListBox =
    "r:itemrect r:activeitemrect r:focusitemrect i:itemleftoffset i:itemrightoffset r:itemtextrect" + kFont +
    "i:activefontcolor i:focusfontcolor r:captionrect s:captionfontname i:captionfontheight "
    "captionfontstyle=fsstrikeout i:captionfontcolor r:upbuttonrect r:activeupbuttonrect r:downupbuttonrect "
    "r:downbuttonrect r:activedownbuttonrect r:downdownbuttonrect r:checkbuttonrect r:activecheckbuttonrect "
    "r:downcheckbuttonrect s:vscrollbarname s:hscrollbarname s:bothhscrollbarname ";
const std::string kUpDownButtons =
    "r:upbuttonrect r:activeupbuttonrect r:downupbuttonrect r:downbuttonrect r:activedownbuttonrect "
    "r:downdownbuttonrect ";
const std::string kSymbols = "symbolslinecount=2 symbolsline0=0123456789 symbolsline1=AB ";
const std::string kMainMenuItem = kObject + "i:itemleftoffset i:itemrightoffset r:downrect r:textrect" + kFont +
                                  "i:activefontcolor i:downfontcolor i:unenabledfontColor b:stretcheffect";
const std::string kStdButton = kObject +
                               "r:downrect r:disableskinrsect i:groupindex command=cmrollup r:restorerect "
                               "r:restoreactiverect r:restoredownrect r:restoreinactiverect";
const std::string kFrameStrip = kControl + "i:framescount framesplacement=fpvertical ";
const std::map<std::string, std::string> kNoMorphing = {{"morphing", "0"}};

// One description of every kind: the section it is read from, in the writer's key order, and what
// the writer gives back where that differs (forced values, keys the class does not keep).
struct TKindCase {
  bool Object;
  const char* Type;
  std::string Section;
  std::map<std::string, std::string> Forced = {};
  std::vector<std::string> Kept = {};  // in the writer's order
};

const std::vector<TKindCase>& KindCases() {
  static const std::vector<TKindCase> cases = {
      {false, "slider", kControl + "i:bgcolor r:hrulerrect r:hthumbrect r:vrulerrect r:vthumbrect i:edgesize i:pointscolor"},
      {false, "bevel", kControl + "i:lightcolor i:darkcolor"},
      {false, "panel",
       kCustom + "i:bgpictureindex r:captionrect alignment=taleftjustify" + kFont +
           "r:checkimagerect r:uncheckimagerect r:markframerect r:framerect r:frametextrect i:frameleftoffset "
           "i:framerightoffset"},
      {false, "expanel",
       kCustom +
           "r:rollhskinrect r:rollvskinrect i:rollleftoffset i:rollrightoffset i:rolltopoffset i:rollbottomoffset "
           "r:rollvcaptionrect r:rollhcaptionrect r:closebuttonrect r:closebuttonactiverect r:closebuttondownrect "
           "r:hrollbuttonrect r:hrollbuttonactiverect r:hrollbuttondownrect r:hrestorebuttonrect "
           "r:hrestorebuttonactiverect r:hrestorebuttondownrect r:vrollbuttonrect r:vrollbuttonactiverect "
           "r:vrollbuttondownrect r:vrestorebuttonrect r:vrestorebuttonactiverect r:vrestorebuttondownrect "
           "r:captionrect" +
           kFont},
      {false, "menubutton", kCustom + kButton + "r:trackbuttonrect"},
      {false, "button", kCustom + kButton},
      {false, "checkradio",
       kCustom + kFont +
           "i:activefontcolor i:unenabledfontcolor i:framefontcolor b:morphing morphkind=mkgradient "
           "r:activeskinrect r:checkimagearea r:textarea r:checkimagerect r:uncheckimagerect r:activecheckimagerect "
           "r:activeuncheckimagerect r:unenabledcheckimagerect r:unenableduncheckimagerect"},
      {false, "gauge",
       kCustom + "r:progressarea r:progressrect i:beginoffset i:endoffset b:vertical" + kFont +
           "b:progresstransparent i:progresstransparentcolor b:progressstretch"},
      {false, "splitter", kCustom},
      {false, "trackbar",
       kCustom + "r:trackarea r:buttonrect r:activebuttonrect b:vertical b:buttontransparent i:buttontransparentcolor"},
      {false, "label", kCustom + kFont},
      {false, "stdlabel", kControl + kFont + "i:activefontcolor"},
      {false, "bitlabel", kCustom + "r:skintextrect i:symbolwidth i:symbolheight " + kSymbols},
      {false, "frameregulator", kFrameStrip + "kind=rkhorizontal"},
      {false, "framegauge", kFrameStrip},
      {false, "animate", kFrameStrip},
      {false, "updown", kCustom + kUpDownButtons,
       {{"lefttoppoint", "0,0"},
        {"righttoppoint", "0,0"},
        {"leftbottompoint", "0,0"},
        {"rightbottompoint", "0,0"},
        {"clientrect", "0,0,0,0"}}},
      {false, "switch", kFrameStrip},
      {false, "grid",
       kControl +
           "r:fixedcellrect r:selectcellrect r:focuscellrect i:fixedcellleftoffset i:fixedcellrightoffset "
           "r:fixedcelltextrect i:cellleftoffset i:cellrightoffset r:celltextrect i:linescolor i:bgcolor "
           "i:bgpictureindex" +
           kFont +
           "i:selectfontcolor i:focusfontcolor s:fixedfontname i:fixedfontheight fixedfontstyle=fsitalic "
           "i:fixedfontcolor b:cellstretcheffect b:fixedcellstretcheffect"},
      {false, "tab",
       kControl +
           "r:tabrect r:activetabrect r:focustabrect r:mouseintabrect r:clientrect i:bgpictureindex p:lefttoppoint "
           "p:righttoppoint p:leftbottompoint p:rightbottompoint i:tableftoffset i:tabrightoffset r:tabsbgrect "
           "b:tabstretcheffect" +
           kFont + "i:activefontcolor i:focusfontcolor i:mouseinfontcolor s:updown"},
      {false, "mainmenubar",
       kControl +
           "r:itemsrect s:menubaritem s:closebutton s:minbutton s:maxbutton s:sysmenubutton i:trackmarkcolor "
           "i:trackmarkactivecolor"},
      {false, "controlbar", kCustom + "r:itemrect i:bgpictureindex"},
      {false, "memo", kCustom + kEdit + "i:bgcolor i:activebgcolor"},
      {false, "edit", kCustom + kEdit},
      {false, "checklistbox", kCustom + kListBox + "r:itemcheckrect r:uncheckimagerect r:checkimagerect"},
      {false, "listbox", kCustom + kListBox},
      {false, "combobox",
       kCustom + "r:itemrect r:focusitemrect i:itemleftoffset i:itemrightoffset r:itemtextrect" + kFont +
           "i:focusfontcolor r:buttonrect r:activebuttonrect r:downbuttonrect r:unenabledbuttonrect s:listboxname "
           "b:itemstretcheffect b:focusitemstretcheffect"},
      {false, "scrollbar",
       kCustom + "r:trackarea " + kUpDownButtons +
           "r:thumbrect r:activethumbrect r:downthumbrect i:thumboffset1 i:thumboffset2 b:thumbtransparent "
           "i:thumbtransparentcolor r:glyphrect r:activeglyphrect r:downglyphrect"},
      {false, "spinedit", kCustom + "r:activeskinrect" + kFont + "i:activefontcolor i:disabledfontcolor " + kUpDownButtons},
      {false, "scrollbox", kCustom + "i:bgpictureindex"},
      {false, "treeview", kControl + kFont + "i:bgcolor"},
      {false, "listview", kControl + kFont + "i:bgcolor"},
      {false, "richedit", kControl + kFont + "i:bgcolor"},

      {true, "menuitem",
       kObject + "i:itemleftoffset i:itemrightoffset r:dividerrect i:dividerleftoffset i:dividerrightoffset r:textrect" +
           kFont + "i:activefontcolor i:unenabledfontcolor b:stretcheffect b:dividerstretcheffect"},
      {true, "mainmenubaritem", kMainMenuItem},
      {true, "mainmenuitem", kMainMenuItem},
      {true, "stdbutton", kStdButton},
      {true, "mainmenubarbutton", kStdButton},
      {true, "button", kObject + "r:downrect r:disableskinrsect i:groupindex"},
      {true, "caption",
       kObject + "b:defaultcaption r:textrect" + kFont +
           "i:activefontcolor alignment=tarightjustify b:light i:lightcolor i:activelightcolor b:shadow "
           "i:shadowcolor i:activeshadowcolor r:framerect r:activeframerect r:frametextrect i:frameleftoffset "
           "i:framerightoffset"},
      {true, "trackbar",
       kObject +
           "r:buttonrect r:activebuttonrect p:beginpoint p:endpoint i:minvalue i:maxvalue b:mousedownchangevalue "
           "b:buttontransparent i:buttontransparentcolor",
       kNoMorphing},
      {true, "gauge", kObject + "i:minvalue i:maxvalue kind=gkvertical"},
      {true, "framegauge", kObject + "i:minvalue i:maxvalue i:countframes framesplacement=fpvertical"},
      {true, "frameregulator", kObject + "i:minvalue i:maxvalue i:countframes framesplacement=fpvertical kind=rkhorizontal"},
      {true, "label", kObject + kFont + "i:activefontcolor alignment=taleftjustify s:textvalue"},
      {true, "bitlabel",
       kObject + "s:textvalue i:symbolwidth i:symbolheight " + kSymbols + "b:transparent i:transparentcolor",
       kNoMorphing},
      {true, "switch", kObject},
      {true, "animate", kObject + "i:countframes b:cycle b:buttonstyle i:timerinterval command=cmsysmenu r:downskinrect",
       kNoMorphing},
      {true, "userobject", kObject, {}, {"rollup", "skinrect", "cursorindex"}},
  };
  return cases;
}

// A description of either list, handled alike.
struct TDescription {
  std::unique_ptr<TskDataSkinControl> Control;
  std::unique_ptr<TskDataSkinObject> Object;

  TDescription(bool IsObject, const String& Type, const String& IDName) {
    if (IsObject) Object = CreateSkinObject(Type, IDName);
    else Control = CreateSkinControl(Type, IDName);
  }
  bool Exists() const { return Control || Object; }
  void Load(TCustomIniFile& Ini) { Control ? Control->LoadFromFile(Ini) : Object->LoadFromFile(Ini); }
  void Save(TCustomIniFile& Ini) const { Control ? Control->SaveToFile(Ini) : Object->SaveToFile(Ini); }
  String TypeName() const { return Control ? SkinControlTypeName(*Control) : SkinObjectTypeName(*Object); }
};

TEST(SkinDescriptionKinds, EveryKindReadsAndWritesEveryKeyItKeeps) {
  for (const TKindCase& kind : KindCases()) {
    SCOPED_TRACE(kind.Type);
    const std::vector<std::string> stored = SectionOf(kind.Section);
    std::vector<std::string> expected;
    for (const std::string& line : stored) {
      const std::string key = line.substr(0, line.find('='));
      const auto forced = kind.Forced.find(key);
      expected.push_back(forced == kind.Forced.end() ? line : key + "=" + forced->second);
    }
    if (!kind.Kept.empty()) {
      std::vector<std::string> kept;
      for (const std::string& key : kind.Kept) kept.push_back(key + "=" + Stored(stored, key));
      expected = kept;
    }

    TMemIniFile source;
    Fill(source, "d", stored);
    TDescription read(kind.Object, kind.Type, "d");
    ASSERT_TRUE(read.Exists());
    read.Load(source);
    TMemIniFile written;
    written.WriteString("d", "stale", "1");
    read.Save(written);
    EXPECT_EQ(SectionLines(written, "d"), expected);
    EXPECT_EQ(read.TypeName(), kind.Type);

    // What was written reads back into the same values.
    TDescription again(kind.Object, kind.Type, "d");
    again.Load(written);
    TMemIniFile rewritten;
    again.Save(rewritten);
    EXPECT_EQ(SectionLines(rewritten, "d"), expected);
  }
}

std::string PointText(const TPoint& P) { return IntToStr(P.x) + "," + IntToStr(P.y); }

// The fields behind the keys, where a table row could bind a key to a wrong member of the same kind.
TEST(SkinDescriptionKinds, KeysLandInTheirFields) {
  TMemIniFile ini;
  const auto buttonLines = SectionOf(kCustom + kButton + "r:trackbuttonrect");
  Fill(ini, "b", buttonLines);
  TskDataSkinMenuButtonControl button("b");
  button.LoadFromFile(ini);
  EXPECT_EQ(IntToStr(button.MaskPictureIndex), Stored(buttonLines, "maskpictureindex"));
  EXPECT_EQ(SetRect(button.SkinRect), Stored(buttonLines, "skinrect"));
  EXPECT_EQ(PointText(button.SkinRightTopPoint), Stored(buttonLines, "righttoppoint"));
  EXPECT_EQ(SetRect(button.SkinClientRect), Stored(buttonLines, "clientrect"));
  EXPECT_EQ(button.FontName, Stored(buttonLines, "fontname"));
  EXPECT_EQ(IntToStr(button.DownFontColor), Stored(buttonLines, "downfontcolor"));
  EXPECT_EQ(IntToStr(button.DisabledFontColor), Stored(buttonLines, "disabledfontcolor"));
  EXPECT_EQ(SetRect(button.DownSkinRect), Stored(buttonLines, "downskinrect"));
  EXPECT_EQ(IntToStr(button.FrameCount), Stored(buttonLines, "framecount"));
  EXPECT_EQ(SetRect(button.TrackButtonRect), Stored(buttonLines, "trackbuttonrect"));

  Fill(ini, "l", SectionOf(kCustom + "r:skintextrect i:symbolwidth i:symbolheight " + kSymbols));
  TskDataSkinBitLabelControl bitLabel("l");
  bitLabel.LoadFromFile(ini);
  ASSERT_EQ(bitLabel.Symbols->Count(), 2);
  EXPECT_EQ((*bitLabel.Symbols)[1], "AB");  // B is the cell of row 1, column 1

  const auto editLines = SectionOf(kCustom + kEdit);
  Fill(ini, "e", editLines);
  TskDataSkinEditControl edit("e");
  edit.LoadFromFile(ini);
  EXPECT_EQ(IntToStr(edit.ActiveFontColor), Stored(editLines, "activefontcolor"));
  EXPECT_EQ(IntToStr(edit.DisabledFontColor), Stored(editLines, "disabledfontcolor"));

  const auto listLines = SectionOf(kCustom + kListBox + "r:itemcheckrect r:uncheckimagerect r:checkimagerect");
  Fill(ini, "c", listLines);
  TskDataSkinCheckListBox checkList("c");
  checkList.LoadFromFile(ini);
  EXPECT_EQ(checkList.VScrollBarName, Stored(listLines, "vscrollbarname"));
  EXPECT_EQ(checkList.HScrollBarName, Stored(listLines, "hscrollbarname"));
  EXPECT_EQ(IntToStr(checkList.CaptionFontHeight), Stored(listLines, "captionfontheight"));
  EXPECT_EQ(SetRect(checkList.ItemCheckRect), Stored(listLines, "itemcheckrect"));
  EXPECT_EQ(SetRect(checkList.UnCheckImageRect), Stored(listLines, "uncheckimagerect"));
  EXPECT_EQ(SetRect(checkList.CheckImageRect), Stored(listLines, "checkimagerect"));

  const auto stdButtonLines = SectionOf(kStdButton);
  Fill(ini, "s", stdButtonLines);
  TskDataSkinMainMenuBarButton stdButton("s");
  stdButton.LoadFromFile(ini);
  EXPECT_EQ(stdButton.Hint, Stored(stdButtonLines, "hint"));
  EXPECT_EQ(SetRect(stdButton.InActiveSkinRect), Stored(stdButtonLines, "inactiveskinrect"));
  EXPECT_EQ(SetRect(stdButton.DisableSkinRect), Stored(stdButtonLines, "disableskinrsect"));
  EXPECT_EQ(IntToStr(stdButton.GroupIndex), Stored(stdButtonLines, "groupindex"));
  EXPECT_EQ(SetRect(stdButton.RestoreDownRect), Stored(stdButtonLines, "restoredownrect"));
  EXPECT_EQ(stdButton.Command, TStdCommand::cmRollUp);

  const auto trackLines = SectionOf(kObject + "r:buttonrect r:activebuttonrect p:beginpoint p:endpoint i:minvalue");
  Fill(ini, "t", trackLines);
  TskDataSkinTrackBar track("t");
  track.LoadFromFile(ini);
  EXPECT_EQ(PointText(track.BeginPoint), Stored(trackLines, "beginpoint"));
  EXPECT_EQ(PointText(track.EndPoint), Stored(trackLines, "endpoint"));
  EXPECT_EQ(IntToStr(track.ActivePictureIndex), Stored(trackLines, "activepictureindex"));
}

// Each row: a kind, the section's text, and what the description holds after reading it.
struct TReadCase {
  const char* Name;
  bool Object;
  const char* Type;
  std::string Lines;
  std::function<void(const TDescription&)> Check;
};

template <class T>
const T& As(const TDescription& Description) {
  const T* typed = Description.Control ? dynamic_cast<const T*>(Description.Control.get())
                                       : dynamic_cast<const T*>(Description.Object.get());
  if (!typed) throw std::runtime_error("description of another class");
  return *typed;
}

TEST(SkinDescriptionKinds, MissingAndMalformedKeys) {
  const TReadCase cases[] = {
      {"button without animation keys", false, "button", "",
       [](const TDescription& d) {
         const auto& button = As<TskDataSkinButtonControl>(d);
         EXPECT_EQ(button.AnimateInterval, 25);
         EXPECT_TRUE(IsRectEmpty(&button.AnimateSkinRect));
         EXPECT_EQ(button.FontHeight, 14);
         EXPECT_EQ(button.FontName, "Arial");
       }},
      {"button with a word for a number", false, "button", "fontheight=big morphing=2",
       [](const TDescription& d) {
         EXPECT_EQ(As<TskDataSkinButtonControl>(d).FontHeight, 14);
         EXPECT_FALSE(As<TskDataSkinButtonControl>(d).Morphing);
       }},
      {"stdlabel active colour", false, "stdlabel", "",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinStdLabelControl>(d).ActiveFontColor, 16711680); }},
      {"track-bar control transparent colour", false, "trackbar", "",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinTrackBarControl>(d).ButtonTransparentColor, 0); }},
      {"scroll bar offsets and colour", false, "scrollbar", "",
       [](const TDescription& d) {
         EXPECT_EQ(As<TskDataSkinScrollBarControl>(d).ThumbOffset1, 0);
         EXPECT_EQ(As<TskDataSkinScrollBarControl>(d).ThumbTransparentColor, 0);
       }},
      {"listbox scroll-bar names", false, "listbox", "hscrollbarname=",
       [](const TDescription& d) {
         EXPECT_EQ(As<TskDataSkinListBox>(d).VScrollBarName, "vscrollbar");
         EXPECT_EQ(As<TskDataSkinListBox>(d).BothHScrollBarName, "bothhscrollbar");
         EXPECT_EQ(As<TskDataSkinListBox>(d).HScrollBarName, "");  // present but empty
       }},
      {"treeview background", false, "treeview", "",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinTreeView>(d).BGColor, 0); }},
      {"panel alignment", false, "panel", "",
       [](const TDescription& d) {
         EXPECT_EQ(As<TskDataSkinPanelControl>(d).Alignment, TAlignment::taCenter);
         EXPECT_EQ(As<TskDataSkinPanelControl>(d).BGPictureIndex, -1);
       }},
      {"grid background picture", false, "grid", "",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinGridControl>(d).BGPictureIndex, -1); }},
      {"framescount absent", false, "switch", "",
       [](const TDescription& d) {
         EXPECT_EQ(As<TskDataSkinSwitchControl>(d).FramesCount, 1);
         EXPECT_EQ(As<TskDataSkinSwitchControl>(d).FramesPlacement, TFramesPlacement::fpHorizontal);
       }},
      {"framescount 0", false, "framegauge", "framescount=0",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinFrameGauge>(d).FramesCount, 1); }},
      {"framescount -3", false, "animate", "framescount=-3",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinAnimateControl>(d).FramesCount, 1); }},
      {"framescount 5, placement empty", false, "frameregulator", "framescount=5 framesplacement=",
       [](const TDescription& d) {
         EXPECT_EQ(As<TskDataSkinFrameRegulator>(d).FramesCount, 5);
         EXPECT_EQ(As<TskDataSkinFrameRegulator>(d).FramesPlacement, TFramesPlacement::fpVertical);
         EXPECT_EQ(As<TskDataSkinFrameRegulator>(d).Kind, TRegulatorKind::rkRound);
       }},
      {"regulator kind in capitals", false, "frameregulator", "kind=RKHORIZONTAL framesplacement=FPHORIZONTAL",
       [](const TDescription& d) {
         EXPECT_EQ(As<TskDataSkinFrameRegulator>(d).Kind, TRegulatorKind::rkVertical);
         EXPECT_EQ(As<TskDataSkinFrameRegulator>(d).FramesPlacement, TFramesPlacement::fpVertical);
       }},
      {"updown geometry", false, "updown", "lefttoppoint=3,3 rightbottompoint=4,4 clientrect=1,1,10,10 stretcheffect=1",
       [](const TDescription& d) {
         const auto& upDown = As<TskDataSkinUpDownControl>(d);
         EXPECT_EQ(upDown.SkinLeftTopPoint.x, 0);
         EXPECT_EQ(upDown.SkinRightBottomPoint.y, 0);
         EXPECT_TRUE(IsRectEmpty(&upDown.SkinClientRect));
         EXPECT_TRUE(upDown.StretchEffect);
       }},
      {"stdbutton without command", true, "stdbutton", "",
       [](const TDescription& d) {
         EXPECT_EQ(As<TskDataSkinStdButton>(d).Command, TStdCommand::cmDefault);
         EXPECT_EQ(As<TskDataSkinStdButton>(d).GroupIndex, -1);
       }},
      {"stdbutton command in other letters", true, "stdbutton", "command=cmClose",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinStdButton>(d).Command, TStdCommand::cmMinimizeToTray); }},
      {"stdbutton minimize to tray", true, "stdbutton", "command=cmminimizetotray",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinStdButton>(d).Command, TStdCommand::cmMinimizeToTray); }},
      {"animate command and frames", true, "animate", "command=cmClose morphing=1",
       [](const TDescription& d) {
         const auto& animate = As<TskDataSkinAnimate>(d);
         EXPECT_EQ(animate.Command, TStdCommand::cmMinimizeToTray);
         EXPECT_EQ(animate.CountFrames, 1);
         EXPECT_EQ(animate.TimerInterval, 50);
         EXPECT_FALSE(animate.Morphing);
       }},
      {"frame gauge object frames", true, "framegauge", "",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinFrameGaugeObject>(d).CountFrames, 0); }},
      {"frame regulator object frames", true, "frameregulator", "countframes=-2",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinFrameRegulatorObject>(d).CountFrames, -2); }},
      {"gauge object kind empty", true, "gauge", "kind=",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinGauge>(d).Kind, TGaugeKind::gkVertical); }},
      {"gauge object kind absent", true, "gauge", "",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinGauge>(d).Kind, TGaugeKind::gkHorizontal); }},
      {"track-bar object morphing", true, "trackbar", "morphing=1 morphkind=mkpush",
       [](const TDescription& d) {
         EXPECT_FALSE(As<TskDataSkinTrackBar>(d).Morphing);
         EXPECT_EQ(As<TskDataSkinTrackBar>(d).MorphKind, TMorphKind::mkPush);
       }},
      {"bit-label object", true, "bitlabel", "morphing=1",
       [](const TDescription& d) {
         EXPECT_EQ(As<TskDataSkinBitLabel>(d).TransparentColor, 16711935);
         EXPECT_FALSE(As<TskDataSkinBitLabel>(d).Morphing);
         EXPECT_EQ(As<TskDataSkinBitLabel>(d).Symbols->Count(), 0);
       }},
      {"label object font in lower case", true, "label", "fontname=Courier",
       [](const TDescription& d) {
         EXPECT_EQ(As<TskDataSkinLabel>(d).FontName, "Courier");
         EXPECT_EQ(As<TskDataSkinLabel>(d).Alignment, TAlignment::taCenter);
       }},
      {"main-menu item disabled colour in lower case", true, "mainmenuitem", "unenabledfontcolor=255",
       [](const TDescription& d) { EXPECT_EQ(As<TskDataSkinMainMenuItem>(d).UnEnabledFontColor, 255); }},
      {"frame button group", true, "button", "disableskinrsect=1,2,3,4",
       [](const TDescription& d) {
         EXPECT_EQ(As<TskDataSkinButton>(d).GroupIndex, -1);
         EXPECT_EQ(As<TskDataSkinButton>(d).DisableSkinRect.right, 3);
       }},
      {"userobject keeps three keys", true, "userobject", "hint=tip activeskinrect=1,2,3,4 rollup=1 cursorindex=2",
       [](const TDescription& d) {
         const auto& user = As<TskDataUserObject>(d);
         EXPECT_EQ(user.Hint, "");
         EXPECT_TRUE(IsRectEmpty(&user.ActiveSkinRect));
         EXPECT_TRUE(user.RollUp);
         EXPECT_EQ(user.CursorIndex, 2);
       }},
  };
  for (const TReadCase& row : cases) {
    SCOPED_TRACE(row.Name);
    TMemIniFile ini;
    ini.WriteString("d", "unrelated", "1");
    Fill(ini, "d", Words(row.Lines));
    TDescription description(row.Object, row.Type, "d");
    ASSERT_TRUE(description.Exists());
    description.Load(ini);
    row.Check(description);
  }
}

// A description written without being read shows its constructed values.
TEST(SkinDescriptionKinds, ConstructedValues) {
  const struct {
    bool Object;
    const char* Type;
    const char* Line;
  } rows[] = {
      {false, "button", "fontheight=12"},
      {false, "button", "animateinterval=0"},
      {false, "stdlabel", "activefontcolor=16711680"},
      {false, "scrollbar", "thumbtransparentcolor=16711935"},
      {false, "trackbar", "buttontransparentcolor=16711935"},
      {false, "gauge", "progresstransparentcolor=16711935"},
      {false, "gauge", "fontheight=14"},
      {false, "listbox", "vscrollbarname="},
      {false, "memo", "fontheight=12"},
      {false, "richedit", "bgcolor=16777215"},
      {false, "animate", "framescount=1"},
      {false, "tab", "bgpictureindex=-1"},
      // Constructed as their parents: the fields they add start at zero.
      {true, "menuitem", "fontname="},
      {true, "caption", "alignment=taleftjustify"},
      {true, "stdbutton", "command=cmclose"},
      {true, "stdbutton", "groupindex=-1"},
      {true, "animate", "countframes=0"},
      {true, "label", "fontheight=0"},
      {true, "bitlabel", "transparentcolor=16711935"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.Type) + " " + row.Line);
    TDescription description(row.Object, row.Type, "d");
    ASSERT_TRUE(description.Exists());
    TMemIniFile ini;
    description.Save(ini);
    const std::string line = row.Line;
    const std::string key = line.substr(0, line.find('='));
    EXPECT_EQ(key + "=" + ini.ReadString("d", key, "(none)"), line);
  }
}

TEST(SkinDescriptionKinds, WritersKeepTheirKeySets) {
  TMemIniFile ini;
  Fill(ini, "u", {"stale=1", "hint=tip"});
  TskDataUserObject user("u");
  user.RollUp = true;
  user.Hint = "not kept";
  user.SaveToFile(ini);
  EXPECT_EQ(SectionLines(ini, "u"), (std::vector<std::string>{"rollup=1", "skinrect=0,0,0,0", "cursorindex=-1"}));

  // The odd spellings as the writers give them: the label object reads "fontName" but writes it
  // in lower case.
  TskDataSkinMainMenuItem item("m");
  item.SaveToFile(ini);
  EXPECT_EQ(SectionLines(ini, "m")[20], "unenabledfontColor=0");
  TskDataSkinButton button("b");
  button.SaveToFile(ini);
  EXPECT_EQ(SectionLines(ini, "b")[11], "disableskinrsect=0,0,0,0");
  TskDataSkinLabel label("l");
  label.SaveToFile(ini);
  EXPECT_EQ(SectionLines(ini, "l")[10], "fontname=");

  // Up-down geometry set after reading is still written as zero, in its place.
  TskDataSkinUpDownControl upDown("d");
  upDown.SkinRightTopPoint = {5, 6};
  upDown.SkinClientRect = {1, 2, 3, 4};
  upDown.SaveToFile(ini);
  const auto lines = SectionLines(ini, "d");
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[5], "righttoppoint=0,0");
  EXPECT_EQ(lines[8], "clientrect=0,0,0,0");
}

TEST(SkinDescriptionTypes, EveryNameGivesItsClassAndWritesBackAsIt) {
  std::vector<std::string> controls, objects;
  for (const auto& type : SkinControlTypes()) controls.push_back(type.Name);
  for (const auto& type : SkinObjectTypes()) objects.push_back(type.Name);
  EXPECT_EQ(controls, Words("slider bevel panel expanel menubutton button checkradio gauge splitter trackbar label "
                            "stdlabel bitlabel frameregulator framegauge animate updown switch grid tab mainmenubar "
                            "controlbar memo edit checklistbox listbox combobox scrollbar spinedit scrollbox treeview "
                            "listview richedit"));
  EXPECT_EQ(objects, Words("menuitem mainmenubaritem mainmenuitem stdbutton mainmenubarbutton button caption trackbar "
                           "gauge framegauge frameregulator label bitlabel switch animate userobject"));

  // One entry of every class in each list; written and read back, each comes back as its class.
  TskSkinData skin(nullptr);
  for (const auto& type : SkinControlTypes()) skin.CtrlList.push_back(type.Create(type.Name));
  for (const auto& type : SkinObjectTypes()) skin.ObjectList.push_back(type.Create(type.Name));
  TMemIniFile ini;
  skin.WriteObjects(ini);
  skin.WriteCtrls(ini);
  TskSkinData reread(nullptr);
  reread.ReadObjects(ini);
  reread.ReadCtrls(ini);
  ASSERT_EQ(reread.CtrlList.size(), skin.CtrlList.size());
  ASSERT_EQ(reread.ObjectList.size(), skin.ObjectList.size());
  for (size_t i = 0; i < skin.CtrlList.size(); ++i) {
    EXPECT_EQ(ini.ReadString("SKINCONTROLS", IntToStr(i), ""), controls[i] + ":" + controls[i]);
    EXPECT_EQ(typeid(*reread.CtrlList[i]), typeid(*skin.CtrlList[i])) << controls[i];
  }
  for (size_t i = 0; i < skin.ObjectList.size(); ++i) {
    EXPECT_EQ(ini.ReadString("SKINOBJECTS", IntToStr(i), ""), objects[i] + ":" + objects[i]);
    EXPECT_EQ(typeid(*reread.ObjectList[i]), typeid(*skin.ObjectList[i])) << objects[i];
  }
}

TEST(SkinDescriptionTypes, AnUnknownTypeIsSkippedAndItsNeighboursLoad) {
  TMemIniFile ini;
  Fill(ini, "SKINCONTROLS", {"count=3", "0=a:checkradio", "1=b:Button", "2=c:menubutton"});
  Fill(ini, "b", {"pictureindex=4"});
  Fill(ini, "c", {"trackbuttonrect=1,2,3,4"});
  TskSkinData skin(nullptr);
  skin.ReadCtrls(ini);
  ASSERT_EQ(skin.CtrlList.size(), 2u);
  EXPECT_NE(dynamic_cast<TskDataSkinCheckRadioControl*>(skin.CtrlList[0].get()), nullptr);
  EXPECT_EQ(skin.GetControlIndex("b"), -1);
  const auto* menuButton = dynamic_cast<TskDataSkinMenuButtonControl*>(skin.CtrlList[1].get());
  ASSERT_NE(menuButton, nullptr);
  EXPECT_EQ(menuButton->TrackButtonRect.bottom, 4);
  EXPECT_EQ(SkinControlTypeName(*menuButton), "menubutton");
}

}  // namespace
