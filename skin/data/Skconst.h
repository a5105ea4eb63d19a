// The skin engine's built-in texts: each skinned part shows the text of its SK_ name when its skin
// carries no string table of its own.
#pragma once

#include "platform/classlib/Types.h"

namespace skin {

// X(name without the SK_ prefix, text)
#define SKIN_ENGINE_STRINGS(X) \
  X(MI_MINCAPTION, "Mi&nimize") \
  X(MI_MAXCAPTION, "Ma&ximize") \
  X(MI_CLOSECAPTION, "&Close") \
  X(MI_RESTORECAPTION, "&Restore") \
  X(MI_MINTOTRAYCAPTION, "Minimize to &Tray") \
  X(MI_ROLLUPCAPTION, "Ro&llUp") \
  X(MINBUTTON_HINT, "Minimize") \
  X(MAXBUTTON_HINT, "Maximize") \
  X(CLOSEBUTTON_HINT, "Close") \
  X(TRAYBUTTON_HINT, "Minimize to Tray") \
  X(ROLLUPBUTTON_HINT, "Roll Up") \
  X(MENUBUTTON_HINT, "System menu") \
  X(Edit_Undo, "Undo") \
  X(Edit_Copy, "Copy") \
  X(Edit_Cut, "Cut") \
  X(Edit_Paste, "Paste") \
  X(Edit_Delete, "Delete") \
  X(Edit_SelectAll, "Select All") \
  X(MSG_BTN_YES, "&Yes") \
  X(MSG_BTN_NO, "&No") \
  X(MSG_BTN_OK, "OK") \
  X(MSG_BTN_CANCEL, "Cancel") \
  X(MSG_BTN_ABORT, "&Abort") \
  X(MSG_BTN_RETRY, "&Retry") \
  X(MSG_BTN_IGNORE, "&Ignore") \
  X(MSG_BTN_ALL, "&All") \
  X(MSG_BTN_NOTOALL, "N&oToAll") \
  X(MSG_BTN_YESTOALL, "&YesToAll") \
  X(MSG_BTN_HELP, "&Help") \
  X(MSG_BTN_OPEN, "&Open") \
  X(MSG_BTN_SAVE, "&Save") \
  X(MSG_BTN_CLOSE, "Close") \
  X(MSG_BTN_BACK_HINT, "Go To Last Folder Visited") \
  X(MSG_BTN_UP_HINT, "Up One Level") \
  X(MSG_BTN_NEWFOLDER_HINT, "Create New Folder") \
  X(MSG_BTN_VIEWMENU_HINT, "View Menu") \
  X(MSG_BTN_STRETCH_HINT, "Stretch Picture") \
  X(MSG_FILENAME, "File name:") \
  X(MSG_FILETYPE, "File type:") \
  X(MSG_NEWFOLDER, "New Folder") \
  X(MSG_LV_DETAILS, "Details") \
  X(MSG_LV_ICON, "Large icons") \
  X(MSG_LV_SMALLICON, "Small icons") \
  X(MSG_LV_LIST, "List") \
  X(MSG_PREVIEWSKIN, "Preview") \
  X(MSG_PREVIEWBUTTON, "Button") \
  X(MSG_CAP_WARNING, "Warning") \
  X(MSG_CAP_ERROR, "Error") \
  X(MSG_CAP_INFORMATION, "Information") \
  X(MSG_CAP_CONFIRM, "Confirm") \
  X(CALC_CAP, "Calculator") \
  X(ERROR, "Error") \
  X(COLORGRID_CAP, "Basic colors") \
  X(CUSTOMCOLORGRID_CAP, "Custom colors") \
  X(ADDCUSTOMCOLORBUTTON_CAP, "Add to Custom Colors") \
  X(FONTDLG_COLOR, "Color:") \
  X(FONTDLG_NAME, "Name:") \
  X(FONTDLG_SIZE, "Size:") \
  X(FONTDLG_HEIGHT, "Height:") \
  X(FONTDLG_EXAMPLE, "Example:") \
  X(FONTDLG_STYLE, "Style:") \
  X(FONTDLG_SCRIPT, "Script:") \
  X(NODISKINDRIVE, "There is no disk in Drive or Drive is not ready") \
  X(NOVALIDDRIVEID, "Not a valid Drive ID") \
  X(FLV_NAME, "Name") \
  X(FLV_SIZE, "Size") \
  X(FLV_TYPE, "Type") \
  X(FLV_LOOKIN, "Look in: ") \
  X(FLV_MODIFIED, "Modified") \
  X(FLV_ATTRIBUTES, "Attributes") \
  X(FLV_DISKSIZE, "Disk Size") \
  X(FLV_FREESPACE, "Free Space") \
  X(PRNDLG_NAME, "Name:") \
  X(PRNDLG_PRINTER, "Printer") \
  X(PRNDLG_PROPERTIES, "Properties...") \
  X(PRNDLG_TYPE, "Type:") \
  X(PRNDLG_STATUS, "Status:") \
  X(PRNDLG_WHERE, "Where:") \
  X(PRNDLG_COMMENT, "Comment:") \
  X(PRNDLG_PRINTRANGE, "Print range") \
  X(PRNDLG_COPIES, "Copies") \
  X(PRNDLG_NUMCOPIES, "Number of copies:") \
  X(PRNDLG_COLLATE, "Collate") \
  X(PRNDLG_ALL, "All") \
  X(PRNDLG_PAGES, "Pages") \
  X(PRNDLG_SELECTION, "Selection") \
  X(PRNDLG_PRINTTOFILE, "Print to file") \
  X(PRNDLG_FROM, "from:") \
  X(PRNDLG_TO, "to:") \
  X(PRNDLG_ORIENTATION, "Orientation") \
  X(PRNDLG_PAPER, "Paper") \
  X(PRNDLG_PORTRAIT, "Portrait") \
  X(PRNDLG_LANDSCAPE, "Landscape") \
  X(PRNDLG_SOURCE, "Source:") \
  X(PRNDLG_SIZE, "Size:") \
  X(PRNDLG_MARGINS, "Margins (millimeters)") \
  X(PRNDLG_MARGINS_INCHES, "Margins (inches)") \
  X(PRNDLG_LEFT, "Left:") \
  X(PRNDLG_RIGHT, "Right:") \
  X(PRNDLG_TOP, "Top:") \
  X(PRNDLG_BOTTOM, "Bottom:") \
  X(PRNDLG_WARNING, "There are no printers in your system!") \
  X(FIND_NEXT, "Find next") \
  X(FIND_WHAT, "Find what:") \
  X(FIND_DIRECTION, "Direction") \
  X(FIND_DIRECTIONUP, "Up") \
  X(FIND_DIRECTIONDOWN, "Down") \
  X(FIND_MATCH_CASE, "Match case") \
  X(FIND_MATCH_WHOLE_WORD_ONLY, "Match whole word only") \
  X(FIND_REPLACE_WITH, "Replace with:") \
  X(FIND_REPLACE, "Replace") \
  X(FIND_REPLACE_All, "Replace All") \
  X(PRNSTATUS_Printing, "Printing") \
  X(PRNSTATUS_Processing, "Processing") \
  X(PRNSTATUS_TonerLow, "Toner Low") \
  X(PRNSTATUS_UserIntervention, "User Intervention") \
  X(PRNSTATUS_Waiting, "Waiting") \
  X(PRNSTATUS_WarningUp, "Warming Up") \
  X(PRNSTATUS_Ready, "Ready") \
  X(PRNSTATUS_PrintingAndWaiting, "Printing: %d document(s) waiting") \
  X(PRNSTATUS_PendingDeletion, "Pending Deletion") \
  X(PRNSTATUS_Busy, "Busy") \
  X(PRNSTATUS_DoorOpen, "Door Open") \
  X(PRNSTATUS_Error, "Error") \
  X(PRNSTATUS_Initializing, "Initializing") \
  X(PRNSTATUS_IOActive, "IO Active") \
  X(PRNSTATUS_ManualFeed, "Manual Feed") \
  X(PRNSTATUS_NoToner, "No Toner") \
  X(PRNSTATUS_NotAvailable, "Not Available") \
  X(PRNSTATUS_OFFLine, "Offline") \
  X(PRNSTATUS_OutOfMemory, "Out of Memory") \
  X(PRNSTATUS_OutBinFull, "Output Bin Full") \
  X(PRNSTATUS_PagePunt, "Page Punt") \
  X(PRNSTATUS_PaperJam, "Paper Jam") \
  X(PRNSTATUS_PaperOut, "Paper Out") \
  X(PRNSTATUS_PaperProblem, "Paper Problem") \
  X(PRNSTATUS_Paused, "Paused") \

#define SKIN_ENGINE_STRING_CONSTANT(Name, Text) inline constexpr const char SK_##Name[] = Text;
SKIN_ENGINE_STRINGS(SKIN_ENGINE_STRING_CONSTANT)
#undef SKIN_ENGINE_STRING_CONSTANT

// The text of a built-in string by its full name ("SK_MI_MINCAPTION"); false when there is none.
bool FindSkinEngineString(const classlib::String& Name, classlib::String& Text);

}  // namespace skin
