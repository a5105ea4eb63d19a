#include "skin/boxes/SkinBoxesRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/Registration.h"
#include "skin/boxes/SkinCalendar.h"
#include "skin/boxes/SkinCheckComboBox.h"
#include "skin/boxes/SkinCheckListBox.h"
#include "skin/boxes/SkinColorCtrls.h"
#include "skin/boxes/SkinColorDialog.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinDateEdit.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinFontColorComboBoxes.h"
#include "skin/boxes/SkinFontColorListBoxes.h"
#include "skin/boxes/SkinMemo2.h"
#include "skin/boxes/SkinNumericEdit.h"
#include "skin/boxes/SkinPasswordEdit.h"
#include "skin/boxes/SkinScrollBox.h"
#include "skin/boxes/SkinSpinEdit.h"
#include "skin/boxes/SkinTimeEdit.h"
#include "skin/boxes/SkinTrackEdit.h"
#include "skin/controls/SkinControlsRegistration.h"

#include <mutex>

using namespace classlib;
using namespace skin;

namespace {

TFontStyles ReadFontStyles(const TFormValue& Value) {
  if (Value.kind != TFormValue::Kind::Set) throw EReadError("a set is expected");
  TFontStyles style;
  for (const String& name : Value.Names) {
    if (name == "fsBold") style.Include(TFontStyle::fsBold);
    else if (name == "fsItalic") style.Include(TFontStyle::fsItalic);
    else if (name == "fsUnderline") style.Include(TFontStyle::fsUnderline);
    else if (name == "fsStrikeOut") style.Include(TFontStyle::fsStrikeOut);
    else throw EReadError("invalid set member " + name);
  }
  return style;
}

// The sub-properties of a font the control returns through Get: Prefix.Name, .Height, .Color, .Style.
template <class T>
void FontFields(TClassBuilder<T>& Builder, const String& Prefix, TFont& (*Get)(T&)) {
  Builder.Custom(Prefix + ".Name", [Get](T& c, const TFormValue& v, TReadContext&) { Get(c).SetName(formvalue::ToText(v)); })
      .Custom(Prefix + ".Height", [Get](T& c, const TFormValue& v, TReadContext&) { Get(c).SetHeight(formvalue::ToInteger(v)); })
      .Custom(Prefix + ".Color", [Get](T& c, const TFormValue& v, TReadContext&) { Get(c).SetColor(formvalue::ToColor(v)); })
      .Custom(Prefix + ".Style", [Get](T& c, const TFormValue& v, TReadContext&) { Get(c).SetStyle(ReadFontStyles(v)); });
}

// Items.Strings = ( 'a' 'b' ).
template <class T>
void ItemsField(TClassBuilder<T>& Builder) {
  Builder.Custom("Items.Strings", [](T& c, const TFormValue& v, TReadContext&) {
    TStringList list;
    for (const String& s : formvalue::ToStrings(v)) list.Add(s);
    c.SetItems(list);
  });
}

const std::vector<std::pair<String, TAlignment>> Alignments{{"taLeftJustify", TAlignment::taLeftJustify},
                                                            {"taRightJustify", TAlignment::taRightJustify},
                                                            {"taCenter", TAlignment::taCenter}};

void RegisterListBoxes(TClassRegistry& Registry) {
  using L = TskSkinCustomListBox;
  auto list = Registry.Register<L>("TskSkinCustomListBox", "TskSkinCustomControl");
  list.Boolean("UseSkinItemHeight", &L::SetUseSkinItemHeight)
      .Boolean("HorizontalExtent", &L::SetHorizontalExtent)
      .Integer("Columns", &L::SetColumns)
      .Integer("RowCount", &L::SetRowCount)
      .Reference("Images", &L::SetImages)
      .Integer("ImageIndex", &L::SetImageIndex)
      .Integer("NumGlyphs", &L::SetNumGlyphs)
      .Integer("Spacing", &L::SetSpacing)
      .Boolean("CaptionMode", &L::SetCaptionMode)
      .Integer("DefaultCaptionHeight", &L::SetDefaultCaptionHeight)
      .Enum("Alignment", &L::SetAlignment, Alignments)
      .Integer("DefaultItemHeight", &L::SetDefaultItemHeight)
      .Integer("ItemIndex", &L::SetItemIndex)
      .Boolean("MultiSelect", &L::SetMultiSelect)
      .Boolean("ExtandedSelect", &L::SetExtandedSelect)
      .Boolean("Sorted", &L::SetSorted)
      .Integer("ListBoxTabOrder", &L::SetListBoxTabOrder)
      .Boolean("ListBoxTabStop", &L::SetListBoxTabStop)
      .Event("OnUpButtonClick", &L::OnUpButtonClick)
      .Event("OnDownButtonClick", &L::OnDownButtonClick)
      .Event("OnCheckButtonClick", &L::OnCheckButtonClick)
      .Event("OnListBoxClick", &L::OnListBoxClick)
      .Event("OnListBoxDblClick", &L::OnListBoxDblClick)
      .Event("OnListBoxMouseDown", &L::OnListBoxMouseDown)
      .Event("OnListBoxMouseUp", &L::OnListBoxMouseUp)
      .Event("OnListBoxMouseMove", &L::OnListBoxMouseMove)
      .Event("OnListBoxKeyDown", &L::OnListBoxKeyDown)
      .Event("OnListBoxKeyUp", &L::OnListBoxKeyUp)
      .Event("OnListBoxKeyPress", &L::OnListBoxKeyPress)
      .Event("OnDrawItem", &L::OnDrawItem)
      .Enum("ListBoxDragMode", &L::SetListBoxDragMode,
            {{"dmManual", TDragMode::dmManual}, {"dmAutomatic", TDragMode::dmAutomatic}})
      .Enum("ListBoxDragKind", &L::SetListBoxDragKind, {{"dkDrag", TDragKind::dkDrag}, {"dkDock", TDragKind::dkDock}})
      .Custom("ListBoxDragCursor", [](L& c, const TFormValue& v, TReadContext&) { c.SetListBoxDragCursor(ReadCursor(v)); })
      .Custom("OnListBoxDragDrop",
              [](L& c, const TFormValue& v, TReadContext& r) {
                c.SetOnListBoxDragDrop(r.Root()->FindHandler<TDragDropEvent>(formvalue::ToIdent(v)));
              })
      .Custom("OnListBoxDragOver",
              [](L& c, const TFormValue& v, TReadContext& r) {
                c.SetOnListBoxDragOver(r.Root()->FindHandler<TDragOverEvent>(formvalue::ToIdent(v)));
              })
      .Custom("OnListBoxStartDrag",
              [](L& c, const TFormValue& v, TReadContext& r) {
                c.SetOnListBoxStartDrag(r.Root()->FindHandler<TStartDragEvent>(formvalue::ToIdent(v)));
              })
      .Custom("OnListBoxEndDrag", [](L& c, const TFormValue& v, TReadContext& r) {
        c.SetOnListBoxEndDrag(r.Root()->FindHandler<TEndDragEvent>(formvalue::ToIdent(v)));
      });
  ItemsField(list);
  FontFields<L>(list, "DefaultCaptionFont", [](L& c) -> TFont& { return c.DefaultCaptionFont(); });
  FontFields<L>(list, "ListBoxFont", [](L& c) -> TFont& { return c.ListBoxFont(); });
  Registry.Register<TskSkinListBox>("TskSkinListBox", "TskSkinCustomListBox");
}

void RegisterComboBoxes(TClassRegistry& Registry) {
  using C = TskSkinCustomComboBox;
  auto combo = Registry.Register<C>("TskSkinCustomComboBox", "TskSkinCustomControl");
  combo.Boolean("UseSkinSize", &C::SetUseSkinSize)
      .Boolean("HideSelection", &C::SetHideSelection)
      .Boolean("AutoComplete", &C::SetAutoComplete)
      .Boolean("ListBoxUseSkinItemHeight", &C::SetListBoxUseSkinItemHeight)
      .Boolean("ListBoxAlphaBlend", &C::SetListBoxAlphaBlend)
      .Boolean("ListBoxAlphaBlendAnimation", &C::SetListBoxAlphaBlendAnimation)
      .Custom("ListBoxAlphaBlendValue",
              [](C& c, const TFormValue& v, TReadContext&) {
                const int value = formvalue::ToInteger(v);
                if (value < 0 || value > 255) throw EReadError("ListBoxAlphaBlendValue out of range");
                c.SetListBoxAlphaBlendValue(static_cast<std::uint8_t>(value));
              })
      .Boolean("HorizontalExtent", &C::SetHorizontalExtent)
      .Reference("Images", &C::SetImages)
      .Integer("ImageIndex", &C::SetImageIndex)
      .Integer("ListBoxWidth", &C::SetListBoxWidth)
      .Text("ListBoxCaption", &C::SetListBoxCaption)
      .Boolean("ListBoxCaptionMode", &C::SetListBoxCaptionMode)
      .Integer("ListBoxDefaultItemHeight", &C::SetListBoxDefaultItemHeight)
      .Enum("ListBoxCaptionAlignment", &C::SetListBoxCaptionAlignment, Alignments)
      .Integer("ItemIndex", &C::SetItemIndex)
      .Integer("DropDownCount", &C::SetDropDownCount)
      .Boolean("Sorted", &C::SetSorted)
      .Enum("Style", &C::SetStyle,
            std::vector<std::pair<String, TskSkinCustomComboBoxStyle>>{
                {"skcbEditStyle", TskSkinCustomComboBoxStyle::skcbEditStyle},
                {"skcbFixedStyle", TskSkinCustomComboBoxStyle::skcbFixedStyle}})
      .Custom("OnListBoxDrawItem",
              [](C& c, const TFormValue& v, TReadContext& r) {
                c.SetListBoxDrawItem(r.Root()->FindHandler<TskDrawSkinItemEvent>(formvalue::ToIdent(v)));
              })
      .Event("OnComboBoxDrawItem", &C::OnComboBoxDrawItem)
      .Event("OnChange", &C::OnChange)
      .Event("OnClick", &C::OnClick)
      .Event("OnCloseUp", &C::OnCloseUp)
      .Event("OnDropDown", &C::OnDropDown);
  ItemsField(combo);
  FontFields<C>(combo, "ListBoxDefaultFont", [](C& c) -> TFont& { return c.ListBoxDefaultFont(); });
  FontFields<C>(combo, "ListBoxDefaultCaptionFont", [](C& c) -> TFont& { return c.ListBoxDefaultCaptionFont(); });
  Registry.Register<TskSkinComboBox>("TskSkinComboBox", "TskSkinCustomComboBox");
}

void RegisterEdits(TClassRegistry& Registry) {
  Registry.Register<TskCustomEdit>("TskCustomEdit", "TCustomMaskEdit").Boolean("ReadOnly", &TskCustomEdit::SetReadOnly);
  using E = TskSkinCustomEdit;
  auto edit = Registry.Register<E>("TskSkinCustomEdit", "TskCustomEdit");
  edit.Reference("SkinData", &E::SetSkinData)
      .Text("SkinDataName", &E::SetSkinDataName)
      .Boolean("UseSkinFont", &E::SetUseSkinFont)
      .Integer("DefaultWidth", &E::SetDefaultWidth)
      .Integer("DefaultHeight", &E::SetDefaultHeight)
      .Boolean("ButtonMode", &E::SetButtonMode)
      .Boolean("AlphaBlend", &E::SetAlphaBlend)
      .Custom("AlphaBlendValue",
              [](E& c, const TFormValue& v, TReadContext&) {
                const int value = formvalue::ToInteger(v);
                if (value < 0 || value > 255) throw EReadError("AlphaBlendValue out of range");
                c.SetAlphaBlendValue(static_cast<std::uint8_t>(value));
              })
      .Enum("Alignment", &E::SetAlignment, Alignments)
      .Event("OnButtonClick", &E::OnButtonClick);
  FontFields<E>(edit, "DefaultFont", [](E& c) -> TFont& { return c.DefaultFont(); });
  Registry.Register<TskSkinEdit>("TskSkinEdit", "TskSkinCustomEdit");
  Registry.Register<TskSkinMaskEdit>("TskSkinMaskEdit", "TskSkinEdit");
  Registry.Register<TskSkinURLEdit>("TskSkinURLEdit", "TskSkinEdit")
      .Boolean("Execute", &TskSkinURLEdit::SetExecute)
      .Enum("LinkType", &TskSkinURLEdit::SetLinkType,
            std::vector<std::pair<String, TskURLLinkType>>{{"skltHTTP", TskURLLinkType::skltHTTP},
                                                           {"skltMail", TskURLLinkType::skltMail}});
}

void RegisterCheckLists(TClassRegistry& Registry) {
  Registry.Register<TskSkinCheckListBox>("TskSkinCheckListBox", "TskSkinCustomListBox")
      .Event("OnClickCheck", &TskSkinCheckListBox::OnClickCheck);
  using C = TskSkinCustomCheckComboBox;
  auto combo = Registry.Register<C>("TskSkinCustomCheckComboBox", "TskSkinCustomControl");
  combo.Boolean("AlphaBlend", &C::SetAlphaBlend)
      .Boolean("AlphaBlendAnimation", &C::SetAlphaBlendAnimation)
      .Custom("AlphaBlendValue",
              [](C& c, const TFormValue& v, TReadContext&) {
                const int value = formvalue::ToInteger(v);
                if (value < 0 || value > 255) throw EReadError("AlphaBlendValue out of range");
                c.SetAlphaBlendValue(static_cast<std::uint8_t>(value));
              })
      .Boolean("ListBoxUseSkinFont", &C::SetListBoxUseSkinFont)
      .Boolean("ListBoxUseSkinItemHeight", &C::SetListBoxUseSkinItemHeight)
      .Reference("Images", &C::SetImages)
      .Integer("ImageIndex", &C::SetImageIndex)
      .Integer("ListBoxWidth", &C::SetListBoxWidth)
      .Text("ListBoxCaption", &C::SetListBoxCaption)
      .Boolean("ListBoxCaptionMode", &C::SetListBoxCaptionMode)
      .Integer("ListBoxDefaultItemHeight", &C::SetListBoxDefaultItemHeight)
      .Enum("ListBoxCaptionAlignment", &C::SetListBoxCaptionAlignment, Alignments)
      .Integer("DropDownCount", &C::SetDropDownCount)
      .Boolean("Sorted", &C::SetSorted)
      .Custom("OnListBoxDrawItem",
              [](C& c, const TFormValue& v, TReadContext& r) {
                c.SetListBoxDrawItem(r.Root()->FindHandler<TskDrawSkinItemEvent>(formvalue::ToIdent(v)));
              })
      .Event("OnChange", &C::OnChange)
      .Event("OnClick", &C::OnClick)
      .Event("OnCloseUp", &C::OnCloseUp)
      .Event("OnDropDown", &C::OnDropDown);
  ItemsField(combo);
  FontFields<C>(combo, "ListBoxDefaultFont", [](C& c) -> TFont& { return c.ListBoxDefaultFont(); });
  FontFields<C>(combo, "ListBoxDefaultCaptionFont", [](C& c) -> TFont& { return c.ListBoxDefaultCaptionFont(); });
  Registry.Register<TskSkinCheckComboBox>("TskSkinCheckComboBox", "TskSkinCustomCheckComboBox");
  using S = TskSkinScrollBox;
  Registry.Register<S>("TskSkinScrollBox", "TskSkinCustomControl")
      .Reference("VScrollBar", &S::SetVScrollBar)
      .Reference("HScrollBar", &S::SetHScrollBar)
      .Enum("BorderStyle", &S::SetBorderStyle,
            std::vector<std::pair<String, TskSkinBorderStyle>>{{"bvFrame", TskSkinBorderStyle::bvFrame},
                                                               {"bvRaised", TskSkinBorderStyle::bvRaised},
                                                               {"bvLowered", TskSkinBorderStyle::bvLowered},
                                                               {"bvNone", TskSkinBorderStyle::bvNone}})
      .Boolean("CanFocused", &S::SetCanFocused);
}

void RegisterColorControls(TClassRegistry& Registry) {
  Registry.Register<TskSkinColorGrid>("TskSkinColorGrid", "TskSkinPanel")
      .Integer("ColCount", &TskSkinColorGrid::SetColCount)
      .Integer("RowCount", &TskSkinColorGrid::SetRowCount)
      .Color("ColorValue", &TskSkinColorGrid::SetColorValue)
      .Event("OnChange", &TskSkinColorGrid::OnChange);
  Registry.Register<TskSkinCustomColorGrid>("TskSkinCustomColorGrid", "TskSkinPanel")
      .Integer("ColCount", &TskSkinCustomColorGrid::SetColCount)
      .Integer("RowCount", &TskSkinCustomColorGrid::SetRowCount)
      .Color("ColorValue", &TskSkinCustomColorGrid::SetColorValue)
      .Event("OnChange", &TskSkinCustomColorGrid::OnChange);
  Registry.Register<TskColorViewer>("TskColorViewer", "TGraphicControl")
      .Color("ColorValue", &TskColorViewer::SetColorValue);
  using D = TskSkinColorDialog;
  auto dialog = Registry.Register<D>("TskSkinColorDialog", "TComponent");
  dialog.Color("Color", &D::SetColor)
      .Text("Caption", &D::SetCaption)
      .Boolean("AlphaBlend", &D::SetAlphaBlend)
      .Custom("AlphaBlendValue",
              [](D& c, const TFormValue& v, TReadContext&) {
                const int value = formvalue::ToInteger(v);
                if (value < 0 || value > 255) throw EReadError("AlphaBlendValue out of range");
                c.SetAlphaBlendValue(static_cast<std::uint8_t>(value));
              })
      .Boolean("AlphaBlendAnimation", &D::SetAlphaBlendAnimation)
      .Reference("SkinData", &D::SetSkinData)
      .Reference("CtrlSkinData", &D::SetCtrlSkinData)
      .Text("ButtonSkinDataName", &D::SetButtonSkinDataName)
      .Text("LabelSkinDataName", &D::SetLabelSkinDataName)
      .Text("EditSkinDataName", &D::SetEditSkinDataName)
      .Boolean("UseSkinFont", &D::SetUseSkinFont);
  FontFields<D>(dialog, "DefaultLabelFont", [](D& c) -> TFont& { return c.DefaultLabelFont(); });
  FontFields<D>(dialog, "DefaultEditFont", [](D& c) -> TFont& { return c.DefaultEditFont(); });
  FontFields<D>(dialog, "DefaultButtonFont", [](D& c) -> TFont& { return c.DefaultButtonFont(); });
}

const std::vector<std::pair<String, TskFontDevice>> FontDevices{
    {"fdScreen", TskFontDevice::fdScreen}, {"fdPrinter", TskFontDevice::fdPrinter}, {"fdBoth", TskFontDevice::fdBoth}};

const std::vector<std::pair<String, TskFontListOption>> FontListOptions{
    {"foAnsiOnly", TskFontListOption::foAnsiOnly},           {"foTrueTypeOnly", TskFontListOption::foTrueTypeOnly},
    {"foFixedPitchOnly", TskFontListOption::foFixedPitchOnly}, {"foNoOEMFonts", TskFontListOption::foNoOEMFonts},
    {"foOEMFontsOnly", TskFontListOption::foOEMFontsOnly},   {"foScalableOnly", TskFontListOption::foScalableOnly},
    {"foNoSymbolFonts", TskFontListOption::foNoSymbolFonts}};

const std::vector<std::pair<String, TskColorBoxStyleItem>> ColorBoxStyles{
    {"skcbStandardColors", TskColorBoxStyleItem::skcbStandardColors},
    {"skcbExtendedColors", TskColorBoxStyleItem::skcbExtendedColors},
    {"skcbSystemColors", TskColorBoxStyleItem::skcbSystemColors},
    {"skcbIncludeNone", TskColorBoxStyleItem::skcbIncludeNone},
    {"skcbIncludeDefault", TskColorBoxStyleItem::skcbIncludeDefault},
    {"skcbCustomColor", TskColorBoxStyleItem::skcbCustomColor},
    {"skcbPrettyNames", TskColorBoxStyleItem::skcbPrettyNames}};

void RegisterFontColorBoxes(TClassRegistry& Registry) {
  Registry.Register<TskSkinFontListBox>("TskSkinFontListBox", "TskSkinListBox")
      .Enum("Device", &TskSkinFontListBox::SetDevice, FontDevices)
      .SetOf("Options", &TskSkinFontListBox::SetOptions, FontListOptions)
      .Boolean("TrueTypeOnly", &TskSkinFontListBox::SetTrueTypeOnly)
      .Boolean("UseFonts", &TskSkinFontListBox::SetUseFonts)
      .Text("FontName", &TskSkinFontListBox::SetFontName);
  Registry.Register<TskSkinColorListBox>("TskSkinColorListBox", "TskSkinListBox")
      .SetOf("ExStyle", &TskSkinColorListBox::SetExStyle, ColorBoxStyles)
      .Color("Selected", &TskSkinColorListBox::SetSelected)
      .Boolean("ShowNames", &TskSkinColorListBox::SetShowNames)
      .Color("DefaultColorColor", &TskSkinColorListBox::SetDefaultColorColor)
      .Color("NoneColorColor", &TskSkinColorListBox::SetNoneColorColor);
  Registry.Register<TskSkinFontComboBox>("TskSkinFontComboBox", "TskSkinCustomComboBox")
      .Enum("Device", &TskSkinFontComboBox::SetDevice, FontDevices)
      .SetOf("Options", &TskSkinFontComboBox::SetOptions, FontListOptions)
      .Boolean("TrueTypeOnly", &TskSkinFontComboBox::SetTrueTypeOnly)
      .Boolean("UseFonts", &TskSkinFontComboBox::SetUseFonts)
      .Text("FontName", &TskSkinFontComboBox::SetFontName);
  Registry.Register<TskSkinFontSizeComboBox>("TskSkinFontSizeComboBox", "TskSkinCustomComboBox");
  Registry.Register<TskSkinColorComboBox>("TskSkinColorComboBox", "TskSkinCustomComboBox")
      .SetOf("ExStyle", &TskSkinColorComboBox::SetExStyle, ColorBoxStyles)
      .Color("Selected", &TskSkinColorComboBox::SetSelected)
      .Boolean("ShowNames", &TskSkinColorComboBox::SetShowNames)
      .Color("DefaultColorColor", &TskSkinColorComboBox::SetDefaultColorColor)
      .Color("NoneColorColor", &TskSkinColorComboBox::SetNoneColorColor);
  Registry.Register<TskSkinMRUComboBox>("TskSkinMRUComboBox", "TskSkinComboBox");
}

void RegisterCalendar(TClassRegistry& Registry) {
  using M = TskSkinMonthCalendar;
  Registry.Register<M>("TskSkinMonthCalendar", "TskSkinPanel")
      .Boolean("TodayDefault", &M::SetTodayDefault)
      .Enum("FirstDayOfWeek", &M::SetFirstDayOfWeek,
            std::vector<std::pair<String, TskDaysOfWeek>>{{"Sun", TskDaysOfWeek::Sun}, {"Mon", TskDaysOfWeek::Mon},
                                                          {"Tue", TskDaysOfWeek::Tue}, {"Wed", TskDaysOfWeek::Wed},
                                                          {"Thu", TskDaysOfWeek::Thu}, {"Fri", TskDaysOfWeek::Fri},
                                                          {"Sat", TskDaysOfWeek::Sat}})
      .Event("OnNumberClick", &M::OnNumberClick);
}

void RegisterNumberEdits(TClassRegistry& Registry) {
  const std::vector<std::pair<String, TskValueType>> valueTypes{{"vtInteger", TskValueType::vtInteger},
                                                                 {"vtFloat", TskValueType::vtFloat}};
  const auto decimal = [](const TFormValue& v) {
    const int value = formvalue::ToInteger(v);
    if (value < 0 || value > 255) throw EReadError("Decimal out of range");
    return static_cast<std::uint8_t>(value);
  };
  using N = TskSkinNumericEdit;
  Registry.Register<N>("TskSkinNumericEdit", "TskSkinEdit")
      .Enum("ValueType", &N::SetValueType, valueTypes)
      .Custom("Decimal", [decimal](N& c, const TFormValue& v, TReadContext&) { c.SetDecimal(decimal(v)); })
      .Custom("MinValue", [](N& c, const TFormValue& v, TReadContext&) { c.SetMinValue(formvalue::ToFloat(v)); })
      .Custom("MaxValue", [](N& c, const TFormValue& v, TReadContext&) { c.SetMaxValue(formvalue::ToFloat(v)); })
      .Custom("Value", [](N& c, const TFormValue& v, TReadContext&) { c.SetValue(formvalue::ToFloat(v)); })
      .Custom("Increment", [](N& c, const TFormValue& v, TReadContext&) { c.SetIncrement(formvalue::ToFloat(v)); })
      .Boolean("SupportUpDownKeys", &N::SetSupportUpDownKeys);
  using S = TskSkinSpinEdit;
  Registry.Register<S>("TskSkinSpinEdit", "TskSkinCustomControl")
      .Boolean("UseSkinSize", &S::SetUseSkinSize)
      .Enum("ValueType", &S::SetValueType, valueTypes)
      .Custom("Decimal", [decimal](S& c, const TFormValue& v, TReadContext&) { c.SetDecimal(decimal(v)); })
      .Custom("MinValue", [](S& c, const TFormValue& v, TReadContext&) { c.SetMinValue(formvalue::ToFloat(v)); })
      .Custom("MaxValue", [](S& c, const TFormValue& v, TReadContext&) { c.SetMaxValue(formvalue::ToFloat(v)); })
      .Custom("Value", [](S& c, const TFormValue& v, TReadContext&) { c.SetValue(formvalue::ToFloat(v)); })
      .Custom("Increment", [](S& c, const TFormValue& v, TReadContext&) { c.SetIncrement(formvalue::ToFloat(v)); })
      .Boolean("EditorEnabled", &S::SetEditorEnabled)
      .Integer("MaxLength", &S::SetMaxLength)
      .Event("OnChange", &S::OnChange)
      .Event("OnEditKeyDown", &S::OnEditKeyDown)
      .Event("OnEditKeyPress", &S::OnEditKeyPress)
      .Event("OnEditKeyUp", &S::OnEditKeyUp)
      .Event("OnEditEnter", &S::OnEditEnter)
      .Event("OnEditExit", &S::OnEditExit);
}

// An opacity of 0 to 255.
std::uint8_t ReadAlphaValue(const TFormValue& Value, const char* Name) {
  const int value = formvalue::ToInteger(Value);
  if (value < 0 || value > 255) throw EReadError(String(Name) + " out of range");
  return static_cast<std::uint8_t>(value);
}

void RegisterDateTrackTimeEdits(TClassRegistry& Registry) {
  using D = TskSkinDateEdit;
  auto date = Registry.Register<D>("TskSkinDateEdit", "TskSkinEdit");
  date.Custom("Date", [](D& c, const TFormValue& v, TReadContext&) { c.SetDate(formvalue::ToFloat(v)); })
      .Boolean("TodayDefault", &D::SetTodayDefault)
      .Integer("CalendarWidth", &D::SetCalendarWidth)
      .Integer("CalendarHeight", &D::SetCalendarHeight)
      .Boolean("CalendarAlphaBlend", &D::SetCalendarAlphaBlend)
      .Custom("CalendarAlphaBlendValue",
              [](D& c, const TFormValue& v, TReadContext&) {
                c.SetCalendarAlphaBlendValue(ReadAlphaValue(v, "CalendarAlphaBlendValue"));
              })
      .Boolean("CalendarAlphaBlendAnimation", &D::SetCalendarAlphaBlendAnimation)
      .Event("OnDateChange", &D::OnDateChange);
  FontFields<D>(date, "CalendarFont", [](D& c) -> TFont& { return c.CalendarFont(); });
  using T = TskSkinTrackEdit;
  Registry.Register<T>("TskSkinTrackEdit", "TskSkinEdit")
      .Integer("MinValue", &T::SetMinValue)
      .Integer("MaxValue", &T::SetMaxValue)
      .Integer("Value", &T::SetValue)
      .Integer("Increment", &T::SetIncrement)
      .Boolean("SupportUpDownKeys", &T::SetSupportUpDownKeys)
      .Enum("PopupKind", &T::SetPopupKind,
            std::vector<std::pair<String, TskTrackBarPopupKind>>{{"tbpRight", TskTrackBarPopupKind::tbpRight},
                                                                 {"tbpLeft", TskTrackBarPopupKind::tbpLeft}})
      .Integer("TrackBarWidth", &T::SetTrackBarWidth)
      .Text("TrackBarSkinDataName", &T::SetTrackBarSkinDataName)
      .Boolean("JumpWhenClick", &T::SetJumpWhenClick)
      .Boolean("TrackBarAlphaBlend", &T::SetTrackBarAlphaBlend)
      .Custom("TrackBarAlphaBlendValue",
              [](T& c, const TFormValue& v, TReadContext&) {
                c.SetTrackBarAlphaBlendValue(ReadAlphaValue(v, "TrackBarAlphaBlendValue"));
              })
      .Boolean("TrackBarAlphaBlendAnimation", &T::SetTrackBarAlphaBlendAnimation);
  Registry.Register<TskSkinTimeEdit>("TskSkinTimeEdit", "TskSkinMaskEdit");
}
void RegisterMemos(TClassRegistry& Registry) {
  using M = TskSkinMemo;
  auto memo = Registry.Register<M>("TskSkinMemo", "TMemo");
  memo.Boolean("UseSkinFont", &M::SetUseSkinFont)
      .Boolean("BitMapBG", &M::SetBitMapBG)
      .Reference("VScrollBar", &M::SetVScrollBar)
      .Reference("SkinData", &M::SetSkinData)
      .Text("SkinDataName", &M::SetSkinDataName)
      .Boolean("Transparent", &M::SetTransparent)
      .Custom("AlphaBlendValue",
              [](M& c, const TFormValue& v, TReadContext&) {
                const int value = formvalue::ToInteger(v);
                if (value < 0 || value > 255) throw EReadError("AlphaBlendValue out of range");
                c.SetAlphaBlendValue(static_cast<std::uint8_t>(value));
              })
      .Boolean("ReadOnly", &M::SetReadOnly);
  FontFields<M>(memo, "DefaultFont", [](M& c) -> TFont& { return c.DefaultFont(); });
  using M2 = TskSkinMemo2;
  auto memo2 = Registry.Register<M2>("TskSkinMemo2", "TMemo");
  memo2.Boolean("UseSkinFont", &M2::SetUseSkinFont)
      .Reference("VScrollBar", &M2::SetVScrollBar)
      .Reference("HScrollBar", &M2::SetHScrollBar)
      .Reference("SkinData", &M2::SetSkinData)
      .Text("SkinDataName", &M2::SetSkinDataName);
  FontFields<M2>(memo2, "DefaultFont", [](M2& c) -> TFont& { return c.DefaultFont(); });
  using P = TskSkinPasswordEdit;
  Registry.Register<P>("TskSkinPasswordEdit", "TskSkinCustomControl")
      .Boolean("AutoSelect", &P::SetAutoSelect)
      .Enum("CharCase", &P::SetCharCase,
            std::vector<std::pair<String, TEditCharCase>>{{"ecNormal", TEditCharCase::ecNormal},
                                                          {"ecUpperCase", TEditCharCase::ecUpperCase},
                                                          {"ecLowerCase", TEditCharCase::ecLowerCase}})
      .Boolean("HideSelection", &P::SetHideSelection)
      .Integer("MaxLength", &P::SetMaxLength)
      .Enum("PasswordKind", &P::SetPasswordKind,
            std::vector<std::pair<String, TskPasswordKind>>{{"pkRoundRect", TskPasswordKind::pkRoundRect},
                                                            {"pkRect", TskPasswordKind::pkRect},
                                                            {"pkTriangle", TskPasswordKind::pkTriangle}})
      .Boolean("ReadOnly", &P::SetReadOnly)
      .Text("Text", &P::SetText)
      .Enum("TextAlignment", &P::SetTextAlignment, Alignments)
      .Event("OnChange", &P::OnChange);
}

}  // namespace

void RegisterSkinBoxClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterSkinControlClasses();
    RegisterListBoxes(TClassRegistry::Instance());
    RegisterComboBoxes(TClassRegistry::Instance());
    RegisterEdits(TClassRegistry::Instance());
    RegisterCheckLists(TClassRegistry::Instance());
    RegisterColorControls(TClassRegistry::Instance());
    RegisterFontColorBoxes(TClassRegistry::Instance());
    RegisterCalendar(TClassRegistry::Instance());
    RegisterNumberEdits(TClassRegistry::Instance());
    RegisterDateTrackTimeEdits(TClassRegistry::Instance());
    RegisterMemos(TClassRegistry::Instance());
  });
}
