#include "platform/classlib/Registration.h"

#include "platform/classlib/ActnList.h"
#include "platform/classlib/Bevel.h"
#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/ControlBar.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/HeaderControl.h"
#include "platform/classlib/Mask.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/RichEdit.h"
#include "platform/classlib/ScrollBox.h"
#include "platform/classlib/Splitter.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/Timer.h"
#include "platform/classlib/TreeView.h"

namespace classlib {

namespace {

const std::vector<std::pair<String, TCursor>> CursorNames = {
    {"crDefault", crDefault},     {"crNone", crNone},       {"crArrow", crArrow},       {"crCross", crCross},
    {"crIBeam", crIBeam},         {"crSizeNESW", crSizeNESW}, {"crSizeNS", crSizeNS},   {"crSizeNWSE", crSizeNWSE},
    {"crSizeWE", crSizeWE},       {"crUpArrow", crUpArrow}, {"crHourGlass", crHourGlass}, {"crNo", crNo},
    {"crAppStart", crAppStart},   {"crHelp", crHelp},       {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll},
    {"crDrag", crDrag},           {"crNoDrop", crNoDrop},
};

void RegisterControls(TClassRegistry& Registry) {
  Registry.Register<TControl>("TControl", "TComponent")
      .Integer("Left", &TControl::SetLeft)
      .Integer("Top", &TControl::SetTop)
      .Integer("Width", &TControl::SetWidth)
      .Integer("Height", &TControl::SetHeight)
      .Integer("ClientWidth", &TControl::SetClientWidth)
      .Integer("ClientHeight", &TControl::SetClientHeight)
      .Enum("Align", &TControl::SetAlign,
            {{"alNone", TAlign::alNone}, {"alTop", TAlign::alTop}, {"alBottom", TAlign::alBottom},
             {"alLeft", TAlign::alLeft}, {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient}})
      .Boolean("Visible", &TControl::SetVisible)
      .Boolean("Enabled", &TControl::SetEnabled)
      .Text("Caption", &TControl::SetCaption)
      .Text("Text", &TControl::SetText)
      .Color("Color", &TControl::SetColor)
      .Boolean("ParentFont", &TControl::SetParentFont)
      .Boolean("ParentColor", &TControl::SetParentColor)
      .Text("Hint", &TControl::SetHint)
      .Boolean("ShowHint", &TControl::SetShowHint)
      .Enum("BiDiMode", &TControl::SetBiDiMode,
            {{"bdLeftToRight", TBiDiMode::bdLeftToRight}, {"bdRightToLeft", TBiDiMode::bdRightToLeft},
             {"bdRightToLeftNoAlign", TBiDiMode::bdRightToLeftNoAlign},
             {"bdRightToLeftReadingOnly", TBiDiMode::bdRightToLeftReadingOnly}})
      .Integer("Tag", &TControl::SetTag)
      .Custom("Cursor", [](TControl& c, const TFormValue& v, TReadContext&) { c.SetCursor(ReadCursor(v)); })
      .Custom("Font.Name", [](TControl& c, const TFormValue& v, TReadContext&) { c.Font().SetName(formvalue::ToText(v)); })
      .Custom("Font.Height", [](TControl& c, const TFormValue& v, TReadContext&) { c.Font().SetHeight(formvalue::ToInteger(v)); })
      .Custom("Font.Size", [](TControl& c, const TFormValue& v, TReadContext&) { c.Font().SetSize(formvalue::ToInteger(v)); })
      .Custom("Font.Color", [](TControl& c, const TFormValue& v, TReadContext&) { c.Font().SetColor(formvalue::ToColor(v)); })
      .Custom("Font.Charset",
              [](TControl& c, const TFormValue& v, TReadContext&) {
                if (v.kind == TFormValue::Kind::Integer) return c.Font().SetCharset(static_cast<TFontCharset>(v.Integer));
                const String& name = formvalue::ToIdent(v);
                if (name != "DEFAULT_CHARSET" && name != "ANSI_CHARSET") throw EReadError("unknown charset " + name);
                c.Font().SetCharset(name == "ANSI_CHARSET" ? ANSI_CHARSET : DEFAULT_CHARSET);
              })
      .Custom("Font.Style",
              [](TControl& c, const TFormValue& v, TReadContext&) {
                if (v.kind != TFormValue::Kind::Set) throw EReadError("a set is expected");
                TFontStyles style;
                for (const String& name : v.Names) {
                  if (name == "fsBold") style.Include(TFontStyle::fsBold);
                  else if (name == "fsItalic") style.Include(TFontStyle::fsItalic);
                  else if (name == "fsUnderline") style.Include(TFontStyle::fsUnderline);
                  else if (name == "fsStrikeOut") style.Include(TFontStyle::fsStrikeOut);
                  else throw EReadError("invalid set member " + name);
                }
                c.Font().SetStyle(style);
              })
      .Reference("PopupMenu", &TControl::SetPopupMenu)
      .Enum("DragMode", &TControl::SetDragMode,
            {{"dmManual", TDragMode::dmManual}, {"dmAutomatic", TDragMode::dmAutomatic}})
      .Enum("DragKind", &TControl::SetDragKind, {{"dkDrag", TDragKind::dkDrag}, {"dkDock", TDragKind::dkDock}})
      .Custom("DragCursor", [](TControl& c, const TFormValue& v, TReadContext&) { c.SetDragCursor(ReadCursor(v)); })
      .Event("OnStartDrag", &TControl::OnStartDrag)
      .Event("OnDragOver", &TControl::OnDragOver)
      .Event("OnDragDrop", &TControl::OnDragDrop)
      .Event("OnEndDrag", &TControl::OnEndDrag)
      .Event("OnClick", &TControl::OnClick)
      .Event("OnDblClick", &TControl::OnDblClick)
      .Event("OnResize", &TControl::OnResize)
      .Event("OnMouseEnter", &TControl::OnMouseEnter)
      .Event("OnMouseLeave", &TControl::OnMouseLeave)
      .Event("OnMouseDown", &TControl::OnMouseDown)
      .Event("OnMouseUp", &TControl::OnMouseUp)
      .Event("OnMouseMove", &TControl::OnMouseMove);

  Registry.Register<TWinControl>("TWinControl", "TControl")
      .Integer("TabOrder", &TWinControl::SetTabOrder)
      .Boolean("TabStop", &TWinControl::SetTabStop)
      .Boolean("DoubleBuffered", &TWinControl::SetDoubleBuffered)
      .Event("OnEnter", &TWinControl::OnEnter)
      .Event("OnExit", &TWinControl::OnExit)
      .Event("OnKeyDown", &TWinControl::OnKeyDown)
      .Event("OnKeyUp", &TWinControl::OnKeyUp)
      .Event("OnKeyPress", &TWinControl::OnKeyPress);
  Registry.Register<TGraphicControl>("TGraphicControl", "TControl");
  Registry.Register<TCustomControl>("TCustomControl", "TWinControl");
}

void RegisterForms(TClassRegistry& Registry) {
  Registry.Register<TForm>("TForm", "TCustomControl")
      .Enum("BorderStyle", &TForm::SetBorderStyle,
            {{"bsNone", TFormBorderStyle::bsNone}, {"bsSingle", TFormBorderStyle::bsSingle},
             {"bsSizeable", TFormBorderStyle::bsSizeable}, {"bsDialog", TFormBorderStyle::bsDialog},
             {"bsToolWindow", TFormBorderStyle::bsToolWindow}, {"bsSizeToolWin", TFormBorderStyle::bsSizeToolWin}})
      .SetOf("BorderIcons", &TForm::SetBorderIcons,
             {{"biSystemMenu", TBorderIcon::biSystemMenu}, {"biMinimize", TBorderIcon::biMinimize},
              {"biMaximize", TBorderIcon::biMaximize}, {"biHelp", TBorderIcon::biHelp}})
      .Enum("Position", &TForm::SetPosition,
            {{"poDesigned", TPosition::poDesigned}, {"poDefault", TPosition::poDefault},
             {"poDefaultPosOnly", TPosition::poDefaultPosOnly}, {"poDefaultSizeOnly", TPosition::poDefaultSizeOnly},
             {"poScreenCenter", TPosition::poScreenCenter}, {"poDesktopCenter", TPosition::poDesktopCenter},
             {"poMainFormCenter", TPosition::poMainFormCenter}, {"poOwnerFormCenter", TPosition::poOwnerFormCenter}})
      .Enum("WindowState", &TForm::SetWindowState,
            {{"wsNormal", TWindowState::wsNormal}, {"wsMinimized", TWindowState::wsMinimized},
             {"wsMaximized", TWindowState::wsMaximized}})
      .Enum("FormStyle", &TForm::SetFormStyle,
            {{"fsNormal", TFormStyle::fsNormal}, {"fsMDIChild", TFormStyle::fsMDIChild},
             {"fsMDIForm", TFormStyle::fsMDIForm}, {"fsStayOnTop", TFormStyle::fsStayOnTop}})
      .Boolean("KeyPreview", &TForm::SetKeyPreview)
      .Reference("Menu", &TForm::SetMenu)
      .Reference("WindowMenu", &TForm::SetWindowMenu)
      .Event("OnCreate", &TForm::OnCreate)
      .Event("OnDestroy", &TForm::OnDestroy)
      .Event("OnShow", &TForm::OnShow)
      .Event("OnHide", &TForm::OnHide)
      .Event("OnActivate", &TForm::OnActivate)
      .Event("OnDeactivate", &TForm::OnDeactivate)
      .Event("OnPaint", &TForm::OnPaint)
      .Event("OnClose", &TForm::OnClose)
      .Event("OnCloseQuery", &TForm::OnCloseQuery);
}

void RegisterTimer(TClassRegistry& Registry) {
  Registry.Register<TTimer>("TTimer", "TComponent")
      .Boolean("Enabled", &TTimer::SetEnabled)
      .Integer("Interval", &TTimer::SetInterval)
      .Event("OnTimer", &TTimer::OnTimer);
}

}  // namespace

TCursor ReadCursor(const TFormValue& Value) {
  if (Value.kind == TFormValue::Kind::Integer) return static_cast<TCursor>(Value.Integer);
  const String& ident = formvalue::ToIdent(Value);
  for (const auto& [name, cursor] : CursorNames)
    if (!TNameLess{}(name, ident) && !TNameLess{}(ident, name)) return cursor;
  throw EReadError("unknown cursor " + ident);
}

void RegisterClassLibrary(TClassRegistry& Registry) {
  Registry.Register<TComponent>("TComponent", "");
  Registry.Register<TCollectionItem>("TCollectionItem", "");
  RegisterControls(Registry);
  RegisterForms(Registry);
  RegisterTimer(Registry);
  RegisterStdControls(Registry);
  RegisterMaskControls(Registry);
  RegisterExtControls(Registry);
  RegisterBevel(Registry);
  RegisterSplitter(Registry);
  RegisterControlBar(Registry);
  RegisterScrollBox(Registry);
  RegisterComControls(Registry);
  RegisterTreeView(Registry);
  RegisterHeaderControl(Registry);
  RegisterRichEdit(Registry);
  RegisterMenus(Registry);
  RegisterDialogs(Registry);
  RegisterActions(Registry);
}

}  // namespace classlib
