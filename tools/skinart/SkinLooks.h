// The looks of Tavrel's skins: every part a skin picture holds, drawn into a given box of a sheet in
// the palette and manner of the program's home page artwork (night blue, soft rims, blue to violet
// highlights). Each look fills its whole box, so the skin engine may cut, tile or stretch it.
#pragma once

#include "tools/artwork/Canvas.h"

#include <string>

namespace skinart {

using artwork::Box;
using artwork::Canvas;
using artwork::Rgb;

enum class State { Normal, Hot, Down, Disabled, Focused, Inactive };

// The highlight colours; the main skin's are blue, the second skin's violet.
struct Accent {
  Rgb hotTop, hotBottom, rim, downTop, downBottom, selectFrom, selectTo;
};
// Throws std::invalid_argument for a name other than "blue" and "violet".
const Accent& AccentNamed(const std::string& name);

enum class Glyph { Close, Minimize, RollUp, Unroll, SysMenu, ArrowUp, ArrowDown, ArrowLeft, ArrowRight, Ellipsis };

// The transparent colour of the thumbs (fuchsia), written exactly.
extern const Rgb kKeyColour;

namespace look {

void Backdrop(Canvas& sheet, Box box);

// The form frame: the caption band above `client`, the borders around it and a rounded outline
// (`client` of no height gives the rolled-up frame). The mask is black inside that outline and
// white outside.
void Frame(Canvas& sheet, Box box, Box client, bool active, const Accent& accent);
void FrameMask(Canvas& sheet, Box box);
// A strip of the active caption band whose first row is row `bandRow` of the band.
void CaptionStrip(Canvas& sheet, Box box, int bandRow, int captionHeight);
void CaptionButton(Canvas& sheet, Box box, Glyph glyph, State state, int bandRow, int captionHeight);

void PushButton(Canvas& sheet, Box box, State state, const Accent& accent);
void HeaderSection(Canvas& sheet, Box box, State state, const Accent& accent);
void ToolButton(Canvas& sheet, Box box, State state, const Accent& accent);
// A tool button whose part `drop` (sheet coordinates) opens its menu.
void MenuButton(Canvas& sheet, Box box, Box drop, State state, const Accent& accent);

void CheckBackground(Canvas& sheet, Box box, State state);
void CheckBox(Canvas& sheet, Box box, bool checked, State state, const Accent& accent);

// An edit field; `focused` lights its rim.
void Field(Canvas& sheet, Box box, bool focused, const Accent& accent);
void FieldButton(Canvas& sheet, Box box, Glyph glyph, State state, const Accent& accent);
// The highlight behind a selected item; `rim` adds the focus rim.
void Selection(Canvas& sheet, Box box, bool rim, const Accent& accent);
void ListItem(Canvas& sheet, Box box);

void Panel(Canvas& sheet, Box box);
void ToolPanel(Canvas& sheet, Box box);
void GaugeBar(Canvas& sheet, Box box, const Accent& accent);

// A track bar's background with its rail along `rail` (sheet coordinates).
void TrackRail(Canvas& sheet, Box box, Box rail, bool vertical);
void TrackThumb(Canvas& sheet, Box box, bool vertical, State state, const Accent& accent);

void TabPage(Canvas& sheet, Box box);
void Tab(Canvas& sheet, Box box, State state, const Accent& accent);
void TabRow(Canvas& sheet, Box box);

void ScrollTrack(Canvas& sheet, Box box, bool vertical);
void ScrollCorner(Canvas& sheet, Box box);
void ScrollButton(Canvas& sheet, Box box, Glyph arrow, State state, const Accent& accent);
void ScrollThumb(Canvas& sheet, Box box, bool vertical, State state, const Accent& accent);
void ScrollGrip(Canvas& sheet, Box box, bool vertical, State state, const Accent& accent);

void MenuItem(Canvas& sheet, Box box, bool active, const Accent& accent);
void MenuDivider(Canvas& sheet, Box box);
void PopupWindow(Canvas& sheet, Box box);
void HintWindow(Canvas& sheet, Box box, const Accent& accent);

}  // namespace look

}  // namespace skinart
