#include "skin/controls/SkinControlsRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/Streams.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinButtonsBar.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinControlBar.h"
#include "skin/controls/SkinExPanel.h"
#include "skin/controls/SkinFontLabels.h"
#include "skin/controls/SkinFrameControls.h"
#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinGroups.h"
#include "skin/controls/SkinHeaderControl.h"
#include "skin/controls/SkinImageLabels.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinNotebook.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinRichEdit.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinScrollPanel.h"
#include "skin/controls/SkinSlider.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinTabControl.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/controls/SkinXFormButton.h"
#include "skin/data/SkinDataRegistration.h"

#include <cstring>
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

}  // namespace

void ReadBitmapData(TBitmap& Bitmap, const TFormValue& Value) {
  if (Value.kind != TFormValue::Kind::Binary) throw EReadError("binary data is expected");
  const auto& bytes = Value.Bytes;
  size_t start = 0;
  if (bytes.size() >= 4) {
    std::uint32_t size = 0;
    std::memcpy(&size, bytes.data(), 4);
    if (size == bytes.size() - 4) start = 4;
  }
  TMemoryStream stream;
  if (bytes.size() > start) stream.WriteBuffer(bytes.data() + start, static_cast<int>(bytes.size() - start));
  stream.SetPosition(0);
  Bitmap.LoadFromStream(stream);
}

namespace {

const std::vector<std::pair<String, TskButtonLayout>>& ButtonLayouts() {
  static const std::vector<std::pair<String, TskButtonLayout>> layouts{{"blGlyphLeft", TskButtonLayout::blGlyphLeft},
                                                                       {"blGlyphRight", TskButtonLayout::blGlyphRight},
                                                                       {"blGlyphTop", TskButtonLayout::blGlyphTop},
                                                                       {"blGlyphBottom", TskButtonLayout::blGlyphBottom}};
  return layouts;
}

// The skin properties both bases publish.
template <class T>
void SkinProperties(TClassBuilder<T> Builder) {
  Builder.Boolean("DrawDefault", &T::SetDrawDefault)
      .Reference("SkinData", &T::SetSkinData)
      .Text("AreaName", &T::SetAreaName)
      .Text("SkinDataName", &T::SetSkinDataName)
      .Boolean("AlphaBlend", &T::SetAlphaBlend)
      .Custom("AlphaBlendValue",
              [](T& c, const TFormValue& v, TReadContext&) {
                const int value = formvalue::ToInteger(v);
                if (value < 0 || value > 255) throw EReadError("AlphaBlendValue out of range");
                c.SetAlphaBlendValue(static_cast<std::uint8_t>(value));
              })
      .Boolean("UseSkinCursor", &T::SetUseSkinCursor);
}

// The DefaultFont of the skinned controls that keep one.
template <class T>
TClassBuilder<T> DefaultFontFields(TClassBuilder<T> Builder) {
  return Builder.Custom("DefaultFont.Name", [](T& c, const TFormValue& v, TReadContext&) { c.DefaultFont().SetName(formvalue::ToText(v)); })
      .Custom("DefaultFont.Height", [](T& c, const TFormValue& v, TReadContext&) { c.DefaultFont().SetHeight(formvalue::ToInteger(v)); })
      .Custom("DefaultFont.Color", [](T& c, const TFormValue& v, TReadContext&) { c.DefaultFont().SetColor(formvalue::ToColor(v)); })
      .Custom("DefaultFont.Charset",
              [](T& c, const TFormValue& v, TReadContext&) {
                if (v.kind == TFormValue::Kind::Integer) return c.DefaultFont().SetCharset(static_cast<TFontCharset>(v.Integer));
                const String& name = formvalue::ToIdent(v);
                if (name != "DEFAULT_CHARSET" && name != "ANSI_CHARSET") throw EReadError("unknown charset " + name);
                c.DefaultFont().SetCharset(name == "ANSI_CHARSET" ? ANSI_CHARSET : DEFAULT_CHARSET);
              })
      .Custom("DefaultFont.Style", [](T& c, const TFormValue& v, TReadContext&) { c.DefaultFont().SetStyle(ReadFontStyles(v)); });
}

template <class T>
void DefaultFontProperties(TClassBuilder<T> Builder) {
  DefaultFontFields(Builder.Boolean("UseSkinFont", &T::SetUseSkinFont)
                        .Integer("DefaultWidth", &T::SetDefaultWidth)
                        .Integer("DefaultHeight", &T::SetDefaultHeight));
}

// The skin properties of the tab controls, which wrap the class library's instead of deriving from
// the skinned bases.
template <class T>
void TabSkinProperties(TClassBuilder<T> Builder) {
  Builder.Boolean("UseSkinFont", &T::SetUseSkinFont)
      .Integer("DefaultItemHeight", &T::SetDefaultItemHeight)
      .Reference("SkinData", &T::SetSkinData)
      .Text("SkinDataName", &T::SetSkinDataName);
  DefaultFontFields(Builder);
}

// The skin reference and font of the labels that keep their own.
template <class T>
TClassBuilder<T> LabelSkinProperties(TClassBuilder<T> Builder) {
  return DefaultFontFields(Builder.Reference("SkinData", &T::SetSkinData)
                               .Text("SkinDataName", &T::SetSkinDataName)
                               .Boolean("UseSkinFont", &T::SetUseSkinFont));
}

// The labels, bevel, frame-strip controls, groups, notebook, roll-up panel, splitter, control bar,
// slider and scroll panel.
void RegisterLabelsAndContainers(TClassRegistry& Registry) {
  Registry.Register<TskSkinBevel>("TskSkinBevel", "TBevel")
      .Reference("SkinData", &TskSkinBevel::SetSkinData)
      .Text("SkinDataName", &TskSkinBevel::SetSkinDataName)
      .Boolean("DividerMode", &TskSkinBevel::SetDividerMode);

  const std::vector<std::pair<String, TAlignment>> alignments{{"taLeftJustify", TAlignment::taLeftJustify},
                                                              {"taRightJustify", TAlignment::taRightJustify},
                                                              {"taCenter", TAlignment::taCenter}};
  LabelSkinProperties(Registry.Register<TskSkinStdLabel>("TskSkinStdLabel", "TCustomLabel"));
  LabelSkinProperties(Registry.Register<TskSkinTextLabel>("TskSkinTextLabel", "TGraphicControl"))
      .Custom("Lines.Strings",
              [](TskSkinTextLabel& l, const TFormValue& v, TReadContext&) {
                TStringList lines;
                for (const String& line : formvalue::ToStrings(v)) lines.Add(line);
                l.SetLines(lines);
              })
      .Enum("Alignment", &TskSkinTextLabel::SetAlignment, alignments)
      .Boolean("AutoSize", &TskSkinTextLabel::SetAutoSize)
      .Enum("Layout", &TskSkinTextLabel::SetLayout,
            {{"tlTop", TTextLayout::tlTop}, {"tlCenter", TTextLayout::tlCenter}, {"tlBottom", TTextLayout::tlBottom}})
      .Boolean("WordWrap", &TskSkinTextLabel::SetWordWrap);
  LabelSkinProperties(Registry.Register<TskSkinLinkLabel>("TskSkinLinkLabel", "TCustomLabel"))
      .Color("DefaultActiveFontColor", &TskSkinLinkLabel::SetDefaultActiveFontColor)
      .Text("URL", &TskSkinLinkLabel::SetURL);
  Registry.Register<TskSkinLinkImage>("TskSkinLinkImage", "TImage").Text("URL", &TskSkinLinkImage::SetURL);
  LabelSkinProperties(Registry.Register<TskSkinButtonLabel>("TskSkinButtonLabel", "TGraphicControl"))
      .Color("DefaultActiveFontColor", &TskSkinButtonLabel::SetDefaultActiveFontColor)
      .Custom("Glyph.Data",
              [](TskSkinButtonLabel& b, const TFormValue& v, TReadContext&) {
                TBitmap glyph;
                ReadBitmapData(glyph, v);
                b.SetGlyph(glyph);
              })
      .Integer("NumGlyphs", &TskSkinButtonLabel::SetNumGlyphs)
      .Integer("Margin", &TskSkinButtonLabel::SetMargin)
      .Integer("Spacing", &TskSkinButtonLabel::SetSpacing)
      .Enum("Layout", &TskSkinButtonLabel::SetLayout, ButtonLayouts());

  Registry.Register<TskSkinLabel>("TskSkinLabel", "TskSkinCustomControl")
      .Boolean("UseSkinSize", &TskSkinLabel::SetUseSkinSize)
      .Enum("BorderStyle", &TskSkinLabel::SetBorderStyle,
            {{"bvFrame", TskSkinBorderStyle::bvFrame},
             {"bvRaised", TskSkinBorderStyle::bvRaised},
             {"bvLowered", TskSkinBorderStyle::bvLowered},
             {"bvNone", TskSkinBorderStyle::bvNone}})
      .Enum("Alignment", &TskSkinLabel::SetAlignment, alignments)
      .Boolean("AutoSize", &TskSkinLabel::SetAutoSize);
  Registry.Register<TskSkinStatusPanel>("TskSkinStatusPanel", "TskSkinLabel")
      .Custom("Glyph.Data",
              [](TskSkinStatusPanel& p, const TFormValue& v, TReadContext&) {
                TBitmap glyph;
                ReadBitmapData(glyph, v);
                p.SetGlyph(glyph);
              })
      .Integer("NumGlyphs", &TskSkinStatusPanel::SetNumGlyphs);
  Registry.Register<TskSkinBitLabel>("TskSkinBitLabel", "TskSkinCustomControl")
      .Boolean("AutoSize", &TskSkinBitLabel::SetAutoSize)
      .Integer("FixLength", &TskSkinBitLabel::SetFixLength);

  using TFrame = TskFrameSkinControl;
  const auto frameBitmap = [](void (TFrame::*Setter)(const TBitmap&)) {
    return [Setter](TFrame& c, const TFormValue& v, TReadContext&) {
      TBitmap bitmap;
      ReadBitmapData(bitmap, v);
      (c.*Setter)(bitmap);
    };
  };
  Registry.Register<TFrame>("TskFrameSkinControl", "TskSkinControl")
      .Custom("DefaultImage.Data", frameBitmap(&TFrame::SetDefaultImage))
      .Custom("DefaultMask.Data", frameBitmap(&TFrame::SetDefaultMask))
      .Enum("DefaultFramesPlacement", &TFrame::SetDefaultFramesPlacement,
            {{"fpHorizontal", TFramesPlacement::fpHorizontal}, {"fpVertical", TFramesPlacement::fpVertical}})
      .Integer("DefaultFramesCount", &TFrame::SetDefaultFramesCount);
  Registry.Register<TskSkinSwitch>("TskSkinSwitch", "TskFrameSkinControl")
      .Integer("TimerInterval", &TskSkinSwitch::SetTimerInterval)
      .Enum("State", &TskSkinSwitch::SetState,
            {{"swOff", TskSkinSwitchState::swOff}, {"swOn", TskSkinSwitchState::swOn}})
      .Event("OnChange", &TskSkinSwitch::OnChange);
  Registry.Register<TskSkinAnimate>("TskSkinAnimate", "TskFrameSkinControl")
      .Boolean("Active", &TskSkinAnimate::SetActive)
      .Boolean("CycleMode", &TskSkinAnimate::SetCycleMode)
      .Boolean("ButtonMode", &TskSkinAnimate::SetButtonMode)
      .Integer("TimerInterval", &TskSkinAnimate::SetTimerInterval)
      .Event("OnStart", &TskSkinAnimate::OnStart)
      .Event("OnStop", &TskSkinAnimate::OnStop);
  Registry.Register<TskSkinFrameGauge>("TskSkinFrameGauge", "TskFrameSkinControl")
      .Integer("MinValue", &TskSkinFrameGauge::SetMinValue)
      .Integer("MaxValue", &TskSkinFrameGauge::SetMaxValue)
      .Integer("Value", &TskSkinFrameGauge::SetValue);
  Registry.Register<TskSkinFrameRegulator>("TskSkinFrameRegulator", "TskFrameSkinControl")
      .Enum("DefaultKind", &TskSkinFrameRegulator::SetDefaultKind,
            {{"rkRound", TRegulatorKind::rkRound},
             {"rkHorizontal", TRegulatorKind::rkHorizontal},
             {"rkVertical", TRegulatorKind::rkVertical}})
      .Integer("MinValue", &TskSkinFrameRegulator::SetMinValue)
      .Integer("MaxValue", &TskSkinFrameRegulator::SetMaxValue)
      .Integer("Value", &TskSkinFrameRegulator::SetValue)
      .Event("OnChange", &TskSkinFrameRegulator::OnChange);

  Registry.Register<TskSkinButtonGroup>("TskSkinButtonGroup", "TskSkinGroupBox")
      .Custom("Items.Strings",
              [](TskSkinButtonGroup& g, const TFormValue& v, TReadContext&) {
                TStringList lines;
                for (const String& line : formvalue::ToStrings(v)) lines.Add(line);
                g.SetItems(lines);
              })
      .Integer("Columns", &TskSkinButtonGroup::SetColumns)
      .Reference("Images", &TskSkinButtonGroup::SetImages)
      .Text("ButtonSkinDataName", &TskSkinButtonGroup::SetButtonSkinDataName)
      .Custom("ButtonDefaultFont.Name",
              [](TskSkinButtonGroup& g, const TFormValue& v, TReadContext&) {
                g.ButtonDefaultFont().SetName(formvalue::ToText(v));
                g.SetButtonDefaultFont(g.ButtonDefaultFont());
              })
      .Custom("ButtonDefaultFont.Height",
              [](TskSkinButtonGroup& g, const TFormValue& v, TReadContext&) {
                g.ButtonDefaultFont().SetHeight(formvalue::ToInteger(v));
                g.SetButtonDefaultFont(g.ButtonDefaultFont());
              })
      .Custom("ButtonDefaultFont.Color",
              [](TskSkinButtonGroup& g, const TFormValue& v, TReadContext&) {
                g.ButtonDefaultFont().SetColor(formvalue::ToColor(v));
                g.SetButtonDefaultFont(g.ButtonDefaultFont());
              })
      .Custom("ButtonDefaultFont.Style", [](TskSkinButtonGroup& g, const TFormValue& v, TReadContext&) {
        g.ButtonDefaultFont().SetStyle(ReadFontStyles(v));
        g.SetButtonDefaultFont(g.ButtonDefaultFont());
      });
  Registry.Register<TskSkinCustomRadioGroup>("TskSkinCustomRadioGroup", "TskSkinButtonGroup")
      .Integer("ItemIndex", &TskSkinCustomRadioGroup::SetItemIndex);
  Registry.Register<TskSkinRadioGroup>("TskSkinRadioGroup", "TskSkinCustomRadioGroup");
  Registry.Register<TskSkinCustomCheckGroup>("TskSkinCustomCheckGroup", "TskSkinButtonGroup");
  Registry.Register<TskSkinCheckGroup>("TskSkinCheckGroup", "TskSkinCustomCheckGroup");

  Registry.Register<TskSkinNotebook>("TskSkinNotebook", "TskSkinPanel")
      .Integer("PageIndex", &TskSkinNotebook::SetPageIndex)
      .Boolean("ButtonsMode", &TskSkinNotebook::SetButtonsMode)
      .Text("ButtonSkinDataName", &TskSkinNotebook::SetButtonSkinDataName)
      .Reference("Images", &TskSkinNotebook::SetImages)
      .Event("OnPageChanged", &TskSkinNotebook::OnPageChanged);
  Registry.Register<TskSkinPage>("TskSkinPage", "TskSkinPanel").Integer("ImageIndex", &TskSkinPage::SetImageIndex);

  Registry.Register<TskSkinExPanel>("TskSkinExPanel", "TskSkinCustomControl")
      .Custom("Glyph.Data",
              [](TskSkinExPanel& p, const TFormValue& v, TReadContext&) {
                TBitmap glyph;
                ReadBitmapData(glyph, v);
                p.SetGlyph(glyph);
              })
      .Integer("NumGlyphs", &TskSkinExPanel::SetNumGlyphs)
      .Integer("Spacing", &TskSkinExPanel::SetSpacing)
      .Integer("RealWidth", &TskSkinExPanel::SetRealWidth)
      .Integer("RealHeight", &TskSkinExPanel::SetRealHeight)
      .Boolean("ShowRollButton", &TskSkinExPanel::SetShowRollButton)
      .Boolean("ShowCloseButton", &TskSkinExPanel::SetShowCloseButton)
      .Integer("DefaultCaptionHeight", &TskSkinExPanel::SetDefaultCaptionHeight)
      .Boolean("RollState", &TskSkinExPanel::SetRollState)
      .Enum("RollKind", &TskSkinExPanel::SetRollKind,
            {{"rkRollHorizontal", TskExPanelRollKind::rkRollHorizontal},
             {"rkRollVertical", TskExPanelRollKind::rkRollVertical}})
      .Event("OnChangeRollState", &TskSkinExPanel::OnChangeRollState)
      .Event("OnClose", &TskSkinExPanel::OnClose);

  Registry.Register<TskSkinSplitter>("TskSkinSplitter", "TSplitter")
      .Integer("DefaultSize", &TskSkinSplitter::SetDefaultSize)
      .Text("SkinDataName", &TskSkinSplitter::SetSkinDataName)
      .Reference("SkinData", &TskSkinSplitter::SetSkinData);
  Registry.Register<TskSkinControlBar>("TskSkinControlBar", "TCustomControlBar")
      .Text("SkinDataName", &TskSkinControlBar::SetSkinDataName)
      .Reference("SkinData", &TskSkinControlBar::SetSkinData)
      .Boolean("SkinBevel", &TskSkinControlBar::SetSkinBevel);

  using TSlider = TskSkinCustomSlider;
  const auto sliderImage = [](TskSliderImage Index) {
    return [Index](TSlider& s, const TFormValue& v, TReadContext&) {
      TBitmap bitmap;
      ReadBitmapData(bitmap, v);
      s.SetImage(Index, &bitmap);
    };
  };
  Registry.Register<TSlider>("TskSkinCustomSlider", "TskSkinControl")
      .Custom("ImageHThumb.Data", sliderImage(TskSliderImage::siHThumb))
      .Custom("ImageHRuler.Data", sliderImage(TskSliderImage::siHRuler))
      .Custom("ImageVThumb.Data", sliderImage(TskSliderImage::siVThumb))
      .Custom("ImageVRuler.Data", sliderImage(TskSliderImage::siVRuler))
      .Bytes("UserImages", &TSlider::SetUserImagesData)
      .Integer("Increment", &TSlider::SetIncrement)
      .Integer("MinValue", &TSlider::SetMinValue)
      .Integer("MaxValue", &TSlider::SetMaxValue)
      .Integer("Value", &TSlider::SetValue)
      .Integer("NumThumbStates", &TSlider::SetNumThumbStates)
      .Enum("Orientation", &TSlider::SetOrientation,
            {{"soHorizontal", TskSliderOrientation::soHorizontal}, {"soVertical", TskSliderOrientation::soVertical}})
      .Integer("EdgeSize", &TSlider::SetEdgeSize)
      .SetOf("Options", &TSlider::SetOptions,
             {{"soShowFocus", TskSliderOption::soShowFocus},
              {"soShowPoints", TskSliderOption::soShowPoints},
              {"soSmooth", TskSliderOption::soSmooth},
              {"soRulerOpaque", TskSliderOption::soRulerOpaque},
              {"soThumbOpaque", TskSliderOption::soThumbOpaque}})
      .Boolean("Transparent", &TSlider::SetTransparent)
      .Boolean("UseSkinThumb", &TSlider::SetUseSkinThumb)
      .Event("OnChange", &TSlider::OnChange)
      .Event("OnChanged", &TSlider::OnChanged)
      .Event("OnDrawPoints", &TSlider::OnDrawPoints);
  Registry.Register<TskSkinSlider>("TskSkinSlider", "TskSkinCustomSlider");

  Registry.Register<TskSkinScrollPanel>("TskSkinScrollPanel", "TskSkinControl")
      .Boolean("CanFocused", &TskSkinScrollPanel::SetCanFocused)
      .Boolean("HotScroll", &TskSkinScrollPanel::SetHotScroll)
      .Boolean("AutoSize", &TskSkinScrollPanel::SetAutoSize)
      .Enum("ScrollType", &TskSkinScrollPanel::SetScrollType,
            {{"stHorizontal", TskScrollType::stHorizontal}, {"stVertical", TskScrollType::stVertical}})
      .Integer("ScrollOffset", &TskSkinScrollPanel::SetScrollOffset)
      .Integer("ScrollTimerInterval", &TskSkinScrollPanel::SetScrollTimerInterval);
}

// A font the control keeps besides its DefaultFont, stored as Prefix.Name, Prefix.Height...
template <class T>
TClassBuilder<T> NamedFontFields(TClassBuilder<T> Builder, const String& Prefix, TFont& (T::*Font)()) {
  return Builder.Custom(Prefix + ".Name", [Font](T& c, const TFormValue& v, TReadContext&) { (c.*Font)().SetName(formvalue::ToText(v)); })
      .Custom(Prefix + ".Height", [Font](T& c, const TFormValue& v, TReadContext&) { (c.*Font)().SetHeight(formvalue::ToInteger(v)); })
      .Custom(Prefix + ".Color", [Font](T& c, const TFormValue& v, TReadContext&) { (c.*Font)().SetColor(formvalue::ToColor(v)); })
      .Custom(Prefix + ".Charset",
              [Font](T& c, const TFormValue& v, TReadContext&) {
                if (v.kind == TFormValue::Kind::Integer) return (c.*Font)().SetCharset(static_cast<TFontCharset>(v.Integer));
                const String& name = formvalue::ToIdent(v);
                if (name != "DEFAULT_CHARSET" && name != "ANSI_CHARSET") throw EReadError("unknown charset " + name);
                (c.*Font)().SetCharset(name == "ANSI_CHARSET" ? ANSI_CHARSET : DEFAULT_CHARSET);
              })
      .Custom(Prefix + ".Style", [Font](T& c, const TFormValue& v, TReadContext&) { (c.*Font)().SetStyle(ReadFontStyles(v)); });
}

// The tool bar and the button bar with its sections and items.
void RegisterToolBarsAndButtonBars(TClassRegistry& Registry) {
  Registry.Register<TskSkinToolBar>("TskSkinToolBar", "TskSkinPanel")
      .Boolean("CanScroll", &TskSkinToolBar::SetCanScroll)
      .Boolean("HotScroll", &TskSkinToolBar::SetHotScroll)
      .Integer("ScrollOffset", &TskSkinToolBar::SetScrollOffset)
      .Integer("ScrollTimerInterval", &TskSkinToolBar::SetScrollTimerInterval)
      .Integer("WidthWithCaptions", &TskSkinToolBar::SetWidthWithCaptions)
      .Integer("WidthWithoutCaptions", &TskSkinToolBar::SetWidthWithoutCaptions)
      .Boolean("AutoShowHideCaptions", &TskSkinToolBar::SetAutoShowHideCaptions)
      .Boolean("ShowCaptions", &TskSkinToolBar::SetShowCaptions)
      .Boolean("Flat", &TskSkinToolBar::SetFlat)
      .Reference("Images", &TskSkinToolBar::SetImages)
      .Reference("HotImages", &TskSkinToolBar::SetHotImages)
      .Reference("DisabledImages", &TskSkinToolBar::SetDisabledImages);

  const std::vector<std::pair<String, TskButtonLayout>> layouts = ButtonLayouts();
  Registry.Register<TskButtonBarItem>("TskButtonBarItem", "TCollectionItem")
      .Text("Text", &TskButtonBarItem::SetText)
      .Integer("ImageIndex", &TskButtonBarItem::SetImageIndex)
      .Event("OnClick", &TskButtonBarItem::OnClick)
      .Event("OnDblClick", &TskButtonBarItem::OnDblClick)
      .Integer("Tag", &TskButtonBarItem::SetTag)
      .Enum("Layout", &TskButtonBarItem::SetLayout, layouts)
      .Integer("Margin", &TskButtonBarItem::SetMargin)
      .Integer("Spacing", &TskButtonBarItem::SetSpacing)
      .Text("Hint", &TskButtonBarItem::SetHint);
  Registry.Register<TskButtonBarSection>("TskButtonBarSection", "TCollectionItem")
      .Text("Text", &TskButtonBarSection::SetText)
      .Collection("Items", &TskButtonBarSection::Items, "TskButtonBarItem")
      .Event("OnClick", &TskButtonBarSection::OnClick)
      .Event("OnDblClick", &TskButtonBarSection::OnDblClick)
      .Integer("ImageIndex", &TskButtonBarSection::SetImageIndex)
      .Integer("Tag", &TskButtonBarSection::SetTag)
      .Text("Hint", &TskButtonBarSection::SetHint)
      .Integer("Margin", &TskButtonBarSection::SetMargin)
      .Integer("Spacing", &TskButtonBarSection::SetSpacing);
  using TBar = TskSkinButtonsBar;
  auto bar = Registry.Register<TBar>("TskSkinButtonsBar", "TskSkinPanel")
                 .Boolean("ShowButtons", &TBar::SetShowButtons)
                 .Boolean("ShowItemHint", &TBar::SetShowItemHint)
                 .Integer("DefaultButtonHeight", &TBar::SetDefaultButtonHeight)
                 .Text("SectionButtonSkinDataName", &TBar::SetSectionButtonSkinDataName)
                 .Integer("ItemHeight", &TBar::SetItemHeight)
                 .Boolean("ItemsTransparent", &TBar::SetItemsTransparent)
                 .Reference("ItemImages", &TBar::SetItemImages)
                 .Reference("SectionImages", &TBar::SetSectionImages)
                 .Collection("Sections", &TBar::Sections, "TskButtonBarSection")
                 .Integer("SectionIndex", &TBar::SetSectionIndex);
  NamedFontFields(NamedFontFields(bar, "DefaultSectionFont", &TBar::DefaultSectionFont), "DefaultItemFont",
                  &TBar::DefaultItemFont);
}

// The tree view, header and rich edit, which wrap the class library's controls.
void RegisterWrappedViews(TClassRegistry& Registry) {
  DefaultFontFields(Registry.Register<TskSkinCustomTreeView>("TskSkinCustomTreeView", "TTreeView"))
      .Boolean("UseSkinFont", &TskSkinCustomTreeView::SetUseSkinFont)
      .Reference("HScrollBar", &TskSkinCustomTreeView::SetHScrollBar)
      .Reference("VScrollBar", &TskSkinCustomTreeView::SetVScrollBar)
      .Reference("SkinData", &TskSkinCustomTreeView::SetSkinData)
      .Text("SkinDataName", &TskSkinCustomTreeView::SetSkinDataName)
      .Color("DefaultColor", &TskSkinCustomTreeView::SetDefaultColor);
  Registry.Register<TskSkinTreeView>("TskSkinTreeView", "TskSkinCustomTreeView");
  DefaultFontFields(Registry.Register<TskSkinHeaderControl>("TskSkinHeaderControl", "THeaderControl"))
      .Integer("DefaultHeight", &TskSkinHeaderControl::SetDefaultHeight)
      .Boolean("UseSkinFont", &TskSkinHeaderControl::SetUseSkinFont)
      .Reference("SkinData", &TskSkinHeaderControl::SetSkinData)
      .Text("SkinDataName", &TskSkinHeaderControl::SetSkinDataName)
      .Event("OnSkinSectionClick", &TskSkinHeaderControl::OnSkinSectionClick)
      .Event("OnDrawSkinSection", &TskSkinHeaderControl::OnDrawSkinSection);
  DefaultFontFields(Registry.Register<TskSkinRichEdit>("TskSkinRichEdit", "TCustomRichEdit"))
      .Boolean("SkinSupport", &TskSkinRichEdit::SetSkinSupport)
      .Reference("HScrollBar", &TskSkinRichEdit::SetHScrollBar)
      .Reference("VScrollBar", &TskSkinRichEdit::SetVScrollBar)
      .Reference("SkinData", &TskSkinRichEdit::SetSkinData)
      .Text("SkinDataName", &TskSkinRichEdit::SetSkinDataName)
      .Color("DefaultColor", &TskSkinRichEdit::SetDefaultColor);
}

void RegisterAll(TClassRegistry& Registry) {
  SkinProperties(Registry.Register<TskSkinControl>("TskSkinControl", "TCustomControl"));
  SkinProperties(Registry.Register<TskGraphicSkinControl>("TskGraphicSkinControl", "TGraphicControl"));
  DefaultFontProperties(Registry.Register<TskSkinCustomControl>("TskSkinCustomControl", "TskSkinControl"));
  DefaultFontProperties(
      Registry.Register<TskGraphicSkinCustomControl>("TskGraphicSkinCustomControl", "TskGraphicSkinControl"));

  const std::vector<std::pair<String, TskButtonLayout>> layouts{{"blGlyphLeft", TskButtonLayout::blGlyphLeft},
                                                                {"blGlyphRight", TskButtonLayout::blGlyphRight},
                                                                {"blGlyphTop", TskButtonLayout::blGlyphTop},
                                                                {"blGlyphBottom", TskButtonLayout::blGlyphBottom}};
  Registry.Register<TskSkinButton>("TskSkinButton", "TskSkinCustomControl")
      .Boolean("UseSkinSize", &TskSkinButton::SetUseSkinSize)
      .Boolean("RepeatMode", &TskSkinButton::SetRepeatMode)
      .Integer("RepeatInterval", &TskSkinButton::SetRepeatInterval)
      .Boolean("AllowAllUp", &TskSkinButton::SetAllowAllUp)
      .Boolean("CanFocused", &TskSkinButton::SetCanFocused)
      .Boolean("Down", &TskSkinButton::SetDown)
      .Integer("GroupIndex", &TskSkinButton::SetGroupIndex)
      .Custom("Glyph.Data",
              [](TskSkinButton& b, const TFormValue& v, TReadContext&) {
                TBitmap glyph;
                ReadBitmapData(glyph, v);
                b.SetGlyph(glyph);
              })
      .Integer("NumGlyphs", &TskSkinButton::SetNumGlyphs)
      .Integer("Margin", &TskSkinButton::SetMargin)
      .Integer("Spacing", &TskSkinButton::SetSpacing)
      .Enum("Layout", &TskSkinButton::SetLayout, layouts)
      .Boolean("Cancel", &TskSkinButton::SetCancel)
      .Boolean("Default", &TskSkinButton::SetDefault)
      .Integer("ModalResult", &TskSkinButton::SetModalResult)
      .Reference("Action", &TControl::SetAction);

  Registry.Register<TskSkinSpeedButton>("TskSkinSpeedButton", "TskGraphicSkinCustomControl")
      .Boolean("UseSkinSize", &TskSkinSpeedButton::SetUseSkinSize)
      .Integer("WidthWithCaption", &TskSkinSpeedButton::SetWidthWithCaption)
      .Integer("WidthWithoutCaption", &TskSkinSpeedButton::SetWidthWithoutCaption)
      .Integer("ImageIndex", &TskSkinSpeedButton::SetImageIndex)
      .Boolean("RepeatMode", &TskSkinSpeedButton::SetRepeatMode)
      .Integer("RepeatInterval", &TskSkinSpeedButton::SetRepeatInterval)
      .Boolean("Flat", &TskSkinSpeedButton::SetFlat)
      .Boolean("AllowAllUp", &TskSkinSpeedButton::SetAllowAllUp)
      .Boolean("Down", &TskSkinSpeedButton::SetDown)
      .Integer("GroupIndex", &TskSkinSpeedButton::SetGroupIndex)
      .Boolean("ShowCaption", &TskSkinSpeedButton::SetShowCaption)
      .Custom("Glyph.Data",
              [](TskSkinSpeedButton& b, const TFormValue& v, TReadContext&) {
                TBitmap glyph;
                ReadBitmapData(glyph, v);
                b.SetGlyph(glyph);
              })
      .Integer("NumGlyphs", &TskSkinSpeedButton::SetNumGlyphs)
      .Integer("Margin", &TskSkinSpeedButton::SetMargin)
      .Integer("Spacing", &TskSkinSpeedButton::SetSpacing)
      .Enum("Layout", &TskSkinSpeedButton::SetLayout, layouts)
      .Reference("Action", &TControl::SetAction);

  const auto picture = [](void (TskSkinXFormButton::*Setter)(const TBitmap&)) {
    return [Setter](TskSkinXFormButton& b, const TFormValue& v, TReadContext&) {
      TBitmap bitmap;
      ReadBitmapData(bitmap, v);
      (b.*Setter)(bitmap);
    };
  };
  Registry.Register<TskSkinXFormButton>("TskSkinXFormButton", "TskSkinButton")
      .Custom("DefImage.Data", picture(&TskSkinXFormButton::SetDefImage))
      .Custom("DefActiveImage.Data", picture(&TskSkinXFormButton::SetDefActiveImage))
      .Custom("DefDownImage.Data", picture(&TskSkinXFormButton::SetDefDownImage))
      .Custom("DefMask.Data", picture(&TskSkinXFormButton::SetDefMask))
      .Color("DefActiveFontColor", &TskSkinXFormButton::SetDefActiveFontColor)
      .Color("DefDownFontColor", &TskSkinXFormButton::SetDefDownFontColor);

  Registry.Register<TskSkinCheckRadioBox>("TskSkinCheckRadioBox", "TskSkinCustomControl")
      .Reference("Images", &TskSkinCheckRadioBox::SetImages)
      .Integer("ImageIndex", &TskSkinCheckRadioBox::SetImageIndex)
      .Boolean("CanFocused", &TskSkinCheckRadioBox::SetCanFocused)
      .Boolean("Radio", &TskSkinCheckRadioBox::SetRadio)
      .Boolean("Checked", &TskSkinCheckRadioBox::SetChecked)
      .Integer("GroupIndex", &TskSkinCheckRadioBox::SetGroupIndex)
      .Boolean("Flat", &TskSkinCheckRadioBox::SetFlat)
      .Reference("Action", &TControl::SetAction);

  Registry.Register<TskSkinPanel>("TskSkinPanel", "TskSkinCustomControl")
      .Integer("RealHeight", &TskSkinPanel::SetRealHeight)
      .Boolean("AutoEnabledControls", &TskSkinPanel::SetAutoEnabledControls)
      .Boolean("CheckedMode", &TskSkinPanel::SetCheckedMode)
      .Boolean("Checked", &TskSkinPanel::SetChecked)
      .Custom("Glyph.Data",
              [](TskSkinPanel& p, const TFormValue& v, TReadContext&) {
                TBitmap glyph;
                ReadBitmapData(glyph, v);
                p.SetGlyph(glyph);
              })
      .Integer("NumGlyphs", &TskSkinPanel::SetNumGlyphs)
      .Integer("Spacing", &TskSkinPanel::SetSpacing)
      .Enum("DefaultAlignment", &TskSkinPanel::SetDefaultAlignment,
            {{"taLeftJustify", TAlignment::taLeftJustify},
             {"taRightJustify", TAlignment::taRightJustify},
             {"taCenter", TAlignment::taCenter}})
      .Integer("DefaultCaptionHeight", &TskSkinPanel::SetDefaultCaptionHeight)
      .Enum("BorderStyle", &TskSkinPanel::SetBorderStyle,
            {{"bvFrame", TskSkinBorderStyle::bvFrame},
             {"bvRaised", TskSkinBorderStyle::bvRaised},
             {"bvLowered", TskSkinBorderStyle::bvLowered},
             {"bvNone", TskSkinBorderStyle::bvNone}})
      .Boolean("CaptionMode", &TskSkinPanel::SetCaptionMode)
      .Boolean("RollUpMode", &TskSkinPanel::SetRollUpMode)
      .Boolean("RollUpState", &TskSkinPanel::SetRollUpState)
      .Event("OnChecked", &TskSkinPanel::OnChecked)
      .Event("OnChangeRollUpState", &TskSkinPanel::OnChangeRollUpState);
  Registry.Register<TskSkinPaintPanel>("TskSkinPaintPanel", "TskSkinPanel")
      .Event("OnPanelPaint", &TskSkinPaintPanel::OnPanelPaint);
  Registry.Register<TskSkinGroupBox>("TskSkinGroupBox", "TskSkinPanel");
  Registry.Register<TskSkinStatusBar>("TskSkinStatusBar", "TskSkinPanel");
  using TScrollBar = TskSkinScrollBar;
  Registry.Register<TScrollBar>("TskSkinScrollBar", "TskSkinCustomControl")
      .Boolean("Both", &TScrollBar::SetBoth)
      .Integer("BothMarkerWidth", &TScrollBar::SetBothMarkerWidth)
      .Text("BothSkinDataName", &TScrollBar::SetBothSkinDataName)
      .Boolean("CanFocused", &TScrollBar::SetCanFocused)
      .Enum("Kind", &TScrollBar::SetKind,
            std::vector<std::pair<String, TScrollBarKind>>{{"sbHorizontal", TScrollBarKind::sbHorizontal},
                                                           {"sbVertical", TScrollBarKind::sbVertical}})
      .Integer("PageSize", &TScrollBar::SetPageSize)
      .Integer("Min", &TScrollBar::SetMin)
      .Integer("Max", &TScrollBar::SetMax)
      .Integer("Position", &TScrollBar::SetPosition)
      .Integer("SmallChange", &TScrollBar::SetSmallChange)
      .Integer("LargeChange", &TScrollBar::SetLargeChange)
      .Event("OnUpButtonClick", &TScrollBar::OnUpButtonClick)
      .Event("OnDownButtonClick", &TScrollBar::OnDownButtonClick)
      .Event("OnChange", &TScrollBar::OnChange)
      .Event("OnLastChange", &TScrollBar::OnLastChange)
      .Event("OnPageUp", &TScrollBar::OnPageUp)
      .Event("OnPageDown", &TScrollBar::OnPageDown);
  Registry.Register<TskSkinTrackBar>("TskSkinTrackBar", "TskSkinCustomControl")
      .Boolean("JumpWhenClick", &TskSkinTrackBar::SetJumpWhenClick)
      .Boolean("CanFocused", &TskSkinTrackBar::SetCanFocused)
      .Boolean("MouseSupport", &TskSkinTrackBar::SetMouseSupport)
      .Integer("MinValue", &TskSkinTrackBar::SetMinValue)
      .Integer("MaxValue", &TskSkinTrackBar::SetMaxValue)
      .Integer("Value", &TskSkinTrackBar::SetValue)
      .Boolean("Vertical", &TskSkinTrackBar::SetVertical)
      .Event("OnChange", &TskSkinTrackBar::OnChange)
      .Event("OnLastChange", &TskSkinTrackBar::OnLastChange)
      .Event("OnStartDragButton", &TskSkinTrackBar::OnStartDragButton);

  Registry.Register<TskSkinGauge>("TskSkinGauge", "TskSkinCustomControl")
      .Boolean("UseSkinSize", &TskSkinGauge::SetUseSkinSize)
      .Boolean("TextAlphaBlend", &TskSkinGauge::SetTextAlphaBlend)
      .Custom("TextAlphaBlendValue",
              [](TskSkinGauge& g, const TFormValue& v, TReadContext&) {
                const int value = formvalue::ToInteger(v);
                if (value < 0 || value > 255) throw EReadError("TextAlphaBlendValue out of range");
                g.SetTextAlphaBlendValue(static_cast<std::uint8_t>(value));
              })
      .Text("ProgressText", &TskSkinGauge::SetProgressText)
      .Boolean("ShowProgressText", &TskSkinGauge::SetShowProgressText)
      .Boolean("ShowPercent", &TskSkinGauge::SetShowPercent)
      .Integer("MinValue", &TskSkinGauge::SetMinValue)
      .Integer("MaxValue", &TskSkinGauge::SetMaxValue)
      .Integer("Value", &TskSkinGauge::SetValue)
      .Boolean("Vertical", &TskSkinGauge::SetVertical);
  Registry.Register<TskSkinUpDown>("TskSkinUpDown", "TskSkinCustomControl")
      .Boolean("UseSkinSize", &TskSkinUpDown::SetUseSkinSize)
      .Enum("Orientation", &TskSkinUpDown::SetOrientation,
            {{"udHorizontal", TUDOrientation::udHorizontal}, {"udVertical", TUDOrientation::udVertical}})
      .Integer("Increment", &TskSkinUpDown::SetIncrement)
      .Integer("Min", &TskSkinUpDown::SetMin)
      .Integer("Max", &TskSkinUpDown::SetMax)
      .Integer("Position", &TskSkinUpDown::SetPosition)
      .Event("OnChange", &TskSkinUpDown::OnChange)
      .Event("OnUpButtonClick", &TskSkinUpDown::OnUpButtonClick)
      .Event("OnDownButtonClick", &TskSkinUpDown::OnDownButtonClick);
  TabSkinProperties(Registry.Register<TskSkinPageControl>("TskSkinPageControl", "TPageControl"));
  Registry.Register<TskSkinCustomTabSheet>("TskSkinCustomTabSheet", "TTabSheet");
  Registry.Register<TskSkinTabSheet>("TskSkinTabSheet", "TskSkinCustomTabSheet");
  TabSkinProperties(Registry.Register<TskSkinTabControl>("TskSkinTabControl", "TTabControl"));

  DefaultFontFields(Registry.Register<TskSkinCustomListView>("TskSkinCustomListView", "TListView"))
      .Text("HeaderSkinDataName", &TskSkinCustomListView::SetHeaderSkinDataName)
      .Reference("HScrollBar", &TskSkinCustomListView::SetHScrollBar)
      .Reference("VScrollBar", &TskSkinCustomListView::SetVScrollBar)
      .Reference("SkinData", &TskSkinCustomListView::SetSkinData)
      .Text("SkinDataName", &TskSkinCustomListView::SetSkinDataName)
      .Color("DefaultColor", &TskSkinCustomListView::SetDefaultColor)
      .Boolean("UseSkinFont", &TskSkinCustomListView::SetUseSkinFont)
      .Event("OnDrawHeaderSection", &TskSkinCustomListView::OnDrawHeaderSection);
  Registry.Register<TskSkinListView>("TskSkinListView", "TskSkinCustomListView");
  RegisterWrappedViews(Registry);
  RegisterLabelsAndContainers(Registry);
  RegisterToolBarsAndButtonBars(Registry);
}

}  // namespace

void RegisterSkinControlClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterSkinDataClasses();
    RegisterAll(TClassRegistry::Instance());
  });
}
