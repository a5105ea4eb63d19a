#include "tools/skinart/SkinPlan.h"

#include <set>
#include <stdexcept>

namespace skinart {

namespace {

bool IsEmpty(Box box) { return box.left == 0 && box.top == 0 && box.right == 0 && box.bottom == 0; }

Box Offset(Box box, Box by) { return {box.left + by.left, box.top + by.top, box.right + by.left, box.bottom + by.top}; }

bool Overlap(Box a, Box b) { return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom; }

bool SameBox(Box a, Box b) { return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom; }

std::string Text(Box box) {
  return std::to_string(box.left) + "," + std::to_string(box.top) + "," + std::to_string(box.right) + "," +
         std::to_string(box.bottom);
}

const char* const kAnchorKeys[] = {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"};

class Planner;

// One description while it is planned: its section, the pictures its images lie in and the keys
// it has used, so that a rectangle nobody draws is reported instead of shipped blank.
class Description {
public:
  // "skinrect" lies in `skinPicture` (the form picture for objects drawn on the frame), every
  // other image in `picture`.
  Description(Planner& planner, const IniSection& section, std::string picture, std::string skinPicture);
  Description(Planner& planner, const IniSection& section, const std::string& picture)
      : Description(planner, section, picture, picture) {}

  // The description's image, which the relative rectangles refer to; "skinrect" unless set here.
  Box Skin() const { return FSkin; }
  void SetSkin(Box image) { FSkin = image; }

  // A rectangle of the picture with a look drawn into it, or only checked when `paint` is empty;
  // nothing for an absent key or 0,0,0,0. Returns the rectangle as written.
  Box Image(const std::string& key, Paint paint);
  // A rectangle relative to `within` (picture coordinates) that must lie inside it; returned in
  // picture coordinates, or empty when absent.
  Box Place(const std::string& key, Box within);
  Box Place(const std::string& key) { return Place(key, FSkin); }
  // The four anchor points and the client rectangle, relative to the image. Anchors without a
  // client rectangle would make the skin engine divide by zero, so they are refused.
  Box Anchors(const std::string& clientKey = "clientrect");
  // Reports every rectangle key of the section that no look used.
  void Finish();

private:
  Box Read(const std::string& key);
  std::string Origin(const std::string& key) const { return "[" + FSection.Name() + "] " + key; }

  Planner& FPlanner;
  const IniSection& FSection;
  std::string FPicture;
  std::string FSkinPicture;
  Box FSkin;
  std::set<std::string> FUsed;
};

class Planner {
public:
  explicit Planner(const IniFile& ini) : FIni(ini) {}

  SkinPlan Run();

  void Error(const std::string& text) { FPlan.errors.push_back(text); }
  void Add(Piece piece) { FPlan.pieces.push_back(std::move(piece)); }
  Box Whole(const std::string& picture) const {
    const auto found = FPlan.sizes.find(picture);
    return found == FPlan.sizes.end() ? Box{} : Box{0, 0, found->second.width, found->second.height};
  }
  const Accent& Highlights() const { return *FAccent; }

private:
  void ReadPictures();
  // The picture a description's index key names; empty for -1, and for a bad index, which is reported.
  std::string PictureAt(const IniSection& section, const std::string& key);
  void FormInfo();
  void Windows();
  void Objects();
  void Controls();
  // Plans every "name:type" entry of a list section with `plan`.
  void Entries(const std::string& list, void (Planner::*plan)(const IniSection&, const std::string&));
  void Object(const IniSection& section, const std::string& type);
  void Control(const IniSection& section, const std::string& type);
  void CheckOverlaps();

  const IniFile& FIni;
  SkinPlan FPlan;
  const Accent* FAccent = nullptr;
  std::vector<std::string> FActivePictures;
  // The caption band's height and the row where the caption buttons sit, for their backgrounds.
  int FCaptionHeight = 0;
  int FButtonsRow = 0;
};

Description::Description(Planner& planner, const IniSection& section, std::string picture, std::string skinPicture)
    : FPlanner(planner), FSection(section), FPicture(std::move(picture)), FSkinPicture(std::move(skinPicture)) {
  FSkin = FSection.Rect("skinrect");
}

Box Description::Read(const std::string& key) {
  FUsed.insert(key);
  return FSection.Rect(key);
}

Box Description::Image(const std::string& key, Paint paint) {
  const Box box = Read(key);
  if (IsEmpty(box)) return box;
  const std::string& picture = key == "skinrect" ? FSkinPicture : FPicture;
  if (picture.empty())
    FPlanner.Error(Origin(key) + " " + Text(box) + " has no picture to lie in");
  else
    FPlanner.Add({picture, box, FPlanner.Whole(picture), false, Origin(key), std::move(paint)});
  return box;
}

Box Description::Place(const std::string& key, Box within) {
  const Box relative = Read(key);
  if (IsEmpty(relative)) return relative;
  const Box box = Offset(relative, within);
  FPlanner.Add({FSkinPicture, box, within, false, Origin(key), {}});
  return box;
}

Box Description::Anchors(const std::string& clientKey) {
  bool anyAnchor = false;
  for (const char* key : kAnchorKeys) {
    FUsed.insert(key);
    const Spot p = FSection.Point(key);
    if (p.x == 0 && p.y == 0) continue;
    anyAnchor = true;
    const Box at = Offset({p.x, p.y, p.x, p.y}, FSkin);
    FPlanner.Add({FSkinPicture, at, FSkin, true, Origin(key), {}});
  }
  const Box client = Place(clientKey);
  if (anyAnchor && IsEmpty(client))
    FPlanner.Error("[" + FSection.Name() + "] has anchor points but no " + clientKey + " (the skin engine would divide by zero)");
  return client;
}

void Description::Finish() {
  for (const std::string& key : FSection.Keys()) {
    if (FUsed.count(key)) continue;
    Box box;
    try {
      box = FSection.Rect(key);
    } catch (const std::runtime_error&) {
      continue;  // not a rectangle
    }
    if (!IsEmpty(box)) FPlanner.Error(Origin(key) + " " + Text(box) + " has no look to draw");
  }
}

SkinPlan Planner::Run() {
  try {
    FAccent = &AccentNamed(FIni.Section("SKINART").Text("accent"));
  } catch (const std::invalid_argument& e) {
    Error(std::string("[SKINART] accent: ") + e.what());
    return FPlan;
  }
  // Each part runs on when another fails, so one build reports every fault it can see.
  for (const auto part : {&Planner::ReadPictures, &Planner::FormInfo, &Planner::Windows, &Planner::Objects,
                          &Planner::Controls}) {
    try {
      (this->*part)();
    } catch (const std::runtime_error& e) {
      Error(e.what());
    }
  }
  for (const Piece& piece : FPlan.pieces) {
    const Box b = piece.bounds, x = piece.box;
    const bool inside = x.left >= b.left && x.top >= b.top && x.right <= b.right && x.bottom <= b.bottom &&
                        (piece.point ? true : x.right > x.left && x.bottom > x.top);
    if (!inside) {
      const bool whole = SameBox(b, Whole(piece.picture));
      Error(piece.origin + " " + Text(x) + " lies outside " +
            (whole ? piece.picture + " (" + Text(b) + ")" : "its image " + Text(b) + " in " + piece.picture));
    }
  }
  CheckOverlaps();
  return FPlan;
}

void Planner::ReadPictures() {
  const IniSection& pictures = FIni.Section("PICTURES");
  const IniSection& art = FIni.Section("SKINART");
  std::vector<std::string> names;
  for (const char* key : {"picture", "inactivepicture", "mask", "rolluppicture", "rollupmask"})
    if (!pictures.Text(key).empty()) names.push_back(pictures.Text(key));
  FActivePictures = FIni.List("PICTURES", "activepicturescount");
  names.insert(names.end(), FActivePictures.begin(), FActivePictures.end());
  for (const std::string& name : names) {
    if (FPlan.sizes.count(name)) continue;
    FPlan.pictures.push_back(name);
    Spot size;
    if (!art.Has(name) || (size = art.Point(name)).x <= 0 || size.y <= 0) {
      Error("[SKINART] " + name + ": the picture needs a size (width,height)");
      size = {};
    }
    FPlan.sizes[name] = {size.x, size.y};
  }
}

std::string Planner::PictureAt(const IniSection& section, const std::string& key) {
  const int index = section.Integer(key, -1);
  if (index == -1) return "";
  if (index < 0 || index >= static_cast<int>(FActivePictures.size())) {
    Error("[" + section.Name() + "] " + key + " " + std::to_string(index) + " is past the picture list of " +
          std::to_string(FActivePictures.size()) + " pictures");
    return "";
  }
  return FActivePictures[index];
}

void Planner::FormInfo() {
  const IniSection& info = FIni.Section("FORMINFO");
  const IniSection& pictures = FIni.Section("PICTURES");
  for (const char* key : {"bgpictureindex", "mdibgpictureindex"})
    if (!PictureAt(info, key).empty()) Error("[FORMINFO] " + std::string(key) + ": form backgrounds have no look to draw");
  const std::string frame = pictures.Text("picture");
  if (frame.empty()) return;

  Description form(*this, info, frame);
  form.SetSkin(Whole(frame));  // the frame's geometry is relative to its whole picture
  const Box client = form.Anchors();
  FCaptionHeight = client.top;
  const Box buttons = form.Place("buttonsrect", Whole(frame));
  FButtonsRow = buttons.top;
  for (const char* key : {"captionrect", "maskrectarea", "mainmenurect", "iconrect"}) form.Place(key, Whole(frame));
  form.Finish();
  for (const char* key : {"hittestlefttoppoint", "hittestrighttoppoint", "hittestleftbottompoint", "hittestrightbottompoint"}) {
    const Spot p = info.Point(key);
    Add({frame, {p.x, p.y, p.x, p.y}, Whole(frame), true, std::string("[FORMINFO] ") + key, {}});
  }
  const Accent& accent = Highlights();
  Add({frame, Whole(frame), Whole(frame), false, "[PICTURES] picture",
       [client, &accent](Canvas& c, Box b) { look::Frame(c, b, client, true, accent); }});

  const auto sameSize = [&](const char* key, Paint paint) {
    const std::string name = pictures.Text(key);
    if (name.empty()) return;
    if (!SameBox(Whole(name), Whole(frame))) Error(std::string("[PICTURES] ") + key + ": " + name + " is not the size of " + frame);
    Add({name, Whole(name), Whole(name), false, std::string("[PICTURES] ") + key, std::move(paint)});
  };
  sameSize("inactivepicture", [client, &accent](Canvas& c, Box b) { look::Frame(c, b, client, false, accent); });
  sameSize("mask", [](Canvas& c, Box b) { look::FrameMask(c, b); });

  const std::string rollUp = pictures.Text("rolluppicture");
  if (rollUp.empty()) return;
  const Box band{client.left, client.top, client.right, client.top};
  if (Whole(rollUp).bottom < client.top) Error("[PICTURES] rolluppicture: " + rollUp + " is lower than the caption band");
  Add({rollUp, Whole(rollUp), Whole(rollUp), false, "[PICTURES] rolluppicture",
       [band, &accent](Canvas& c, Box b) { look::Frame(c, b, band, true, accent); }});
  const std::string rollUpMask = pictures.Text("rollupmask");
  if (!rollUpMask.empty()) {
    if (!SameBox(Whole(rollUpMask), Whole(rollUp))) Error("[PICTURES] rollupmask: " + rollUpMask + " is not the size of " + rollUp);
    Add({rollUpMask, Whole(rollUpMask), Whole(rollUpMask), false, "[PICTURES] rollupmask",
         [](Canvas& c, Box b) { look::FrameMask(c, b); }});
  }
  for (const char* key : {"rollupleftpoint", "rolluprightpoint"}) {
    const Spot p = info.Point(key);
    Add({rollUp, {p.x, p.y, p.x, p.y}, Whole(rollUp), true, std::string("[FORMINFO] ") + key, {}});
  }
}

void Planner::Windows() {
  const Accent& accent = Highlights();
  for (const char* name : {"POPUPWINDOW", "HINTWINDOW"}) {
    const IniSection* section = FIni.Find(name);
    if (!section) continue;
    if (!PictureAt(*section, "maskpictureindex").empty())
      Error(std::string("[") + name + "] maskpictureindex: window masks have no look to draw");
    const std::string picture = PictureAt(*section, "windowpictureindex");
    if (picture.empty()) continue;
    const bool popup = std::string(name) == "POPUPWINDOW";
    Add({picture, Whole(picture), Whole(picture), false, std::string("[") + name + "] windowpictureindex",
         popup ? Paint([](Canvas& c, Box b) { look::PopupWindow(c, b); })
               : Paint([&accent](Canvas& c, Box b) { look::HintWindow(c, b, accent); })});
    // The window's geometry is relative to its whole picture.
    Description window(*this, *section, picture);
    window.SetSkin(Whole(picture));
    // A popup window lays its items out in "itemsrect" where a hint has its client rectangle.
    window.Anchors(popup ? "itemsrect" : "clientrect");
    window.Finish();
  }
}

void Planner::Entries(const std::string& list, void (Planner::*plan)(const IniSection&, const std::string&)) {
  for (const std::string& text : FIni.List(list, "count")) {
    const auto entry = SplitEntry(text);
    if (!entry) {
      Error("[" + list + "] \"" + text + "\" is no name:type entry");
      continue;
    }
    try {
      (this->*plan)(FIni.Section(entry->name), entry->type);
    } catch (const std::runtime_error& e) {
      Error(e.what());
    }
  }
}

void Planner::Objects() { Entries("SKINOBJECTS", &Planner::Object); }

void Planner::Controls() { Entries("SKINCONTROLS", &Planner::Control); }

Glyph CommandGlyph(const std::string& command, const std::string& where) {
  if (command == "cmclose") return Glyph::Close;
  if (command == "cmminimize") return Glyph::Minimize;
  if (command == "cmrollup") return Glyph::RollUp;
  if (command == "cmsysmenu") return Glyph::SysMenu;
  throw std::runtime_error(where + " command: \"" + command + "\" has no look to draw");
}

void Planner::Object(const IniSection& section, const std::string& type) {
  const std::string picture = PictureAt(section, "activepictureindex");
  const bool inPicture = section.Integer("skinrectinapicture", 0) == 1;
  const std::string frame = FIni.Section("PICTURES").Text("picture");
  const int height = FCaptionHeight, row = FButtonsRow;
  if (type == "stdbutton") {
    const Glyph glyph = CommandGlyph(section.Text("command", "cmdefault"), "[" + section.Name() + "]");
    const Glyph restore = glyph == Glyph::RollUp ? Glyph::Unroll : glyph;
    Description d(*this, section, picture, inPicture ? picture : frame);
    const auto state = [&](const std::string& key, Glyph g, State s) {
      d.Image(key, [=](Canvas& c, Box b) { look::CaptionButton(c, b, g, s, row, height); });
    };
    // Drawn from the caption-button picture, or else part of the frame picture.
    if (inPicture)
      state("skinrect", glyph, State::Normal);
    else
      d.Image("skinrect", {});
    state("activeskinrect", glyph, State::Hot);
    state("downrect", glyph, State::Down);
    state("inactiveskinrect", glyph, State::Inactive);
    state("disableskinrsect", glyph, State::Disabled);
    state("restorerect", restore, State::Normal);
    state("restoreactiverect", restore, State::Hot);
    state("restoredownrect", restore, State::Down);
    state("restoreinactiverect", restore, State::Inactive);
    d.Finish();
    return;
  }
  if (type == "caption") {
    if (inPicture) throw std::runtime_error("[" + section.Name() + "] a caption drawn from its own picture has no look");
    Description d(*this, section, picture, frame);
    d.Image("skinrect", {});  // the caption band of the frame picture
    d.Place("textrect");
    const int bandRow = d.Skin().top;
    d.Image("activeskinrect", [=](Canvas& c, Box b) { look::CaptionStrip(c, b, bandRow, height); });
    d.Finish();
    return;
  }
  if (type == "menuitem") {
    const Accent& accent = Highlights();
    Description d(*this, section, picture);
    d.Image("skinrect", [&accent](Canvas& c, Box b) { look::MenuItem(c, b, false, accent); });
    d.Image("activeskinrect", [&accent](Canvas& c, Box b) { look::MenuItem(c, b, true, accent); });
    d.Image("dividerrect", [](Canvas& c, Box b) { look::MenuDivider(c, b); });
    d.Place("textrect");
    d.Finish();
    return;
  }
  throw std::runtime_error("[" + section.Name() + "] the object kind \"" + type + "\" has no look to draw");
}

void Planner::Control(const IniSection& section, const std::string& type) {
  const Accent& accent = Highlights();
  if (!PictureAt(section, "maskpictureindex").empty())
    Error("[" + section.Name() + "] maskpictureindex: control masks have no look to draw");
  Description d(*this, section, PictureAt(section, "pictureindex"));
  const std::string& name = section.Name();
  const auto states = [&](std::initializer_list<std::pair<const char*, State>> keys,
                          const std::function<void(Canvas&, Box, State)>& draw) {
    for (const auto& [key, state] : keys) {
      const State s = state;
      d.Image(key, [draw, s](Canvas& c, Box b) { draw(c, b, s); });
    }
  };
  const auto buttonStates = {std::pair{"skinrect", State::Normal}, std::pair{"activeskinrect", State::Hot},
                             std::pair{"downskinrect", State::Down}, std::pair{"disabledskinrect", State::Disabled}};

  if (type == "button") {
    d.Anchors();
    // The program gives these names their roles: column headers and tool bar buttons.
    if (name == "resizebutton")
      states(buttonStates, [&accent](Canvas& c, Box b, State s) { look::HeaderSection(c, b, s, accent); });
    else if (name == "toolbutton")
      states(buttonStates, [&accent](Canvas& c, Box b, State s) { look::ToolButton(c, b, s, accent); });
    else
      states(buttonStates, [&accent](Canvas& c, Box b, State s) { look::PushButton(c, b, s, accent); });
  } else if (type == "menubutton") {
    d.Anchors();
    const Box dropAt = section.Rect("trackbuttonrect");
    d.Place("trackbuttonrect");
    states(buttonStates, [&accent, dropAt](Canvas& c, Box b, State s) {
      look::MenuButton(c, b, Offset(dropAt, b), s, accent);
    });
  } else if (type == "checkradio") {
    d.Anchors();
    d.Place("checkimagearea");
    d.Place("textarea");
    states({{"skinrect", State::Normal}, {"activeskinrect", State::Hot}},
           [](Canvas& c, Box b, State s) { look::CheckBackground(c, b, s); });
    states({{"checkimagerect", State::Normal}, {"activecheckimagerect", State::Hot}, {"unenabledcheckimagerect", State::Disabled}},
           [&accent](Canvas& c, Box b, State s) { look::CheckBox(c, b, true, s, accent); });
    states({{"uncheckimagerect", State::Normal}, {"activeuncheckimagerect", State::Hot}, {"unenableduncheckimagerect", State::Disabled}},
           [&accent](Canvas& c, Box b, State s) { look::CheckBox(c, b, false, s, accent); });
  } else if (type == "edit" || type == "combobox") {
    const bool combo = type == "combobox";
    const Glyph glyph = combo ? Glyph::ArrowDown : Glyph::Ellipsis;
    const Box client = d.Anchors();
    const Box button = section.Rect("buttonrect");
    d.Place("buttonrect");
    // The button's normal look is part of the control's image.
    const auto field = [&accent, button, glyph](bool focused) {
      return [&accent, button, glyph, focused](Canvas& c, Box b) {
        look::Field(c, b, focused, accent);
        if (!IsEmpty(button)) look::FieldButton(c, Offset(button, b), glyph, State::Normal, accent);
      };
    };
    d.Image("skinrect", field(false));
    if (!combo) d.Image("activeskinrect", field(true));
    states({{"activebuttonrect", State::Hot}, {"downbuttonrect", State::Down}, {"unenabledbuttonrect", State::Disabled}},
           [&accent, glyph](Canvas& c, Box b, State s) { look::FieldButton(c, b, glyph, s, accent); });
    if (combo) {
      d.Image("itemrect", [](Canvas& c, Box b) { look::ListItem(c, b); });
      d.Image("focusitemrect", [&accent](Canvas& c, Box b) { look::Selection(c, b, false, accent); });
      d.Place("itemtextrect", client);
    }
  } else if (type == "listbox") {
    d.Anchors();
    d.Place("captionrect");
    d.Image("skinrect", [&accent](Canvas& c, Box b) { look::Field(c, b, false, accent); });
    const Box item = d.Image("itemrect", [](Canvas& c, Box b) { look::ListItem(c, b); });
    d.Image("activeitemrect", [&accent](Canvas& c, Box b) { look::Selection(c, b, false, accent); });
    d.Image("focusitemrect", [&accent](Canvas& c, Box b) { look::Selection(c, b, true, accent); });
    d.Place("itemtextrect", item);
  } else if (type == "panel") {
    d.Anchors();
    d.Place("captionrect");
    if (!PictureAt(section, "bgpictureindex").empty()) Error("[" + name + "] bgpictureindex: panel backgrounds have no look to draw");
    if (name == "toolpanel")
      d.Image("skinrect", [](Canvas& c, Box b) { look::ToolPanel(c, b); });
    else
      d.Image("skinrect", [](Canvas& c, Box b) { look::Panel(c, b); });
  } else if (type == "gauge") {
    d.Anchors();
    d.Place("progressarea");
    d.Image("skinrect", [&accent](Canvas& c, Box b) { look::Field(c, b, false, accent); });
    d.Image("progressrect", [&accent](Canvas& c, Box b) { look::GaugeBar(c, b, accent); });
  } else if (type == "trackbar") {
    const bool vertical = section.Integer("vertical", 0) == 1;
    const Box rail = section.Rect("clientrect");
    d.Anchors();
    d.Place("trackarea");
    d.Image("skinrect", [rail, vertical](Canvas& c, Box b) { look::TrackRail(c, b, Offset(rail, b), vertical); });
    states({{"buttonrect", State::Normal}, {"activebuttonrect", State::Hot}},
           [&accent, vertical](Canvas& c, Box b, State s) { look::TrackThumb(c, b, vertical, s, accent); });
  } else if (type == "scrollbar") {
    d.Anchors();
    const Box track = section.Rect("trackarea");
    const bool vertical = track.bottom - track.top > track.right - track.left;
    d.Place("trackarea");
    const Glyph up = vertical ? Glyph::ArrowDown : Glyph::ArrowRight;  // the up button raises the position
    const Glyph down = vertical ? Glyph::ArrowUp : Glyph::ArrowLeft;
    const Box upAt = section.Rect("upbuttonrect"), downAt = section.Rect("downbuttonrect");
    d.Place("upbuttonrect");
    d.Place("downbuttonrect");
    d.Image("skinrect", [=, &accent](Canvas& c, Box b) {
      look::ScrollTrack(c, b, vertical);
      // Past the up button, a horizontal bar beside a vertical one meets the corner.
      if (!vertical && upAt.right < b.right - b.left) look::ScrollCorner(c, {b.left + upAt.right, b.top, b.right, b.bottom});
      if (!IsEmpty(upAt)) look::ScrollButton(c, Offset(upAt, b), up, State::Normal, accent);
      if (!IsEmpty(downAt)) look::ScrollButton(c, Offset(downAt, b), down, State::Normal, accent);
    });
    states({{"activeupbuttonrect", State::Hot}, {"downupbuttonrect", State::Down}},
           [&accent, up](Canvas& c, Box b, State s) { look::ScrollButton(c, b, up, s, accent); });
    states({{"activedownbuttonrect", State::Hot}, {"downdownbuttonrect", State::Down}},
           [&accent, down](Canvas& c, Box b, State s) { look::ScrollButton(c, b, down, s, accent); });
    states({{"thumbrect", State::Normal}, {"activethumbrect", State::Hot}, {"downthumbrect", State::Down}},
           [&accent, vertical](Canvas& c, Box b, State s) { look::ScrollThumb(c, b, vertical, s, accent); });
    states({{"glyphrect", State::Normal}, {"activeglyphrect", State::Hot}, {"downglyphrect", State::Down}},
           [&accent, vertical](Canvas& c, Box b, State s) { look::ScrollGrip(c, b, vertical, s, accent); });
  } else if (type == "tab") {
    d.Anchors();
    if (!PictureAt(section, "bgpictureindex").empty()) Error("[" + name + "] bgpictureindex: page backgrounds have no look to draw");
    d.Image("skinrect", [](Canvas& c, Box b) { look::TabPage(c, b); });
    states({{"tabrect", State::Normal}, {"activetabrect", State::Down}, {"focustabrect", State::Focused}, {"mouseintabrect", State::Hot}},
           [&accent](Canvas& c, Box b, State s) { look::Tab(c, b, s, accent); });
    d.Image("tabsbgrect", [](Canvas& c, Box b) { look::TabRow(c, b); });
  } else if (type != "listview" && type != "treeview" && type != "richedit" && type != "stdlabel" && type != "bevel") {
    throw std::runtime_error("[" + name + "] the control kind \"" + type + "\" has no look to draw");
  }
  d.Finish();
}

void Planner::CheckOverlaps() {
  const auto& pieces = FPlan.pieces;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (!pieces[i].paint) continue;
    for (size_t j = i + 1; j < pieces.size(); ++j) {
      if (!pieces[j].paint || pieces[j].picture != pieces[i].picture) continue;
      // One image may serve two states; two different images must not share pixels.
      if (Overlap(pieces[i].box, pieces[j].box) && !SameBox(pieces[i].box, pieces[j].box))
        Error(pieces[j].origin + " " + Text(pieces[j].box) + " overlaps " + pieces[i].origin + " " +
              Text(pieces[i].box) + " in " + pieces[i].picture);
    }
  }
}

}  // namespace

SkinPlan PlanSkin(const IniFile& ini) { return Planner(ini).Run(); }

}  // namespace skinart
