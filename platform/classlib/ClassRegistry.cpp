#include "platform/classlib/ClassRegistry.h"

#include "platform/classlib/Registration.h"

#include <climits>
#include <mutex>

namespace classlib {

const TPropertySetter* TClassInfo::FindProperty(const String& PropName) const {
  for (const TClassInfo* info = this; info; info = info->FParent) {
    auto it = info->FProperties.find(PropName);
    if (it != info->FProperties.end()) return &it->second;
  }
  return nullptr;
}

namespace formvalue {

int ToInteger(const TFormValue& Value) {
  if (Value.kind != TFormValue::Kind::Integer) throw EReadError("an integer is expected");
  if (Value.Integer < INT_MIN || Value.Integer > INT_MAX) throw EReadError("integer out of range");
  return static_cast<int>(Value.Integer);
}

bool ToBoolean(const TFormValue& Value) {
  if (Value.kind == TFormValue::Kind::Ident) {
    if (!TNameLess{}(Value.Text, "True") && !TNameLess{}("True", Value.Text)) return true;
    if (!TNameLess{}(Value.Text, "False") && !TNameLess{}("False", Value.Text)) return false;
  }
  throw EReadError("True or False is expected");
}

String ToText(const TFormValue& Value) {
  if (Value.kind != TFormValue::Kind::String) throw EReadError("a string is expected");
  return Value.Text;
}

double ToFloat(const TFormValue& Value) {
  if (Value.kind == TFormValue::Kind::Float) return Value.Float;
  if (Value.kind == TFormValue::Kind::Integer) return static_cast<double>(Value.Integer);
  throw EReadError("a number is expected");
}

const String& ToIdent(const TFormValue& Value) {
  if (Value.kind != TFormValue::Kind::Ident) throw EReadError("an identifier is expected");
  return Value.Text;
}

TColor ToColor(const TFormValue& Value) {
  if (Value.kind == TFormValue::Kind::Integer) return static_cast<TColor>(Value.Integer);
  struct Named {
    const char* name;
    TColor color;
  };
  static const Named colors[] = {
      {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
      {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
      {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
      {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
      {"clNone", clNone}, {"clDefault", clDefault}, {"clScrollBar", clScrollBar},
      {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
      {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
      {"clCaptionText", clCaptionText}, {"clActiveBorder", clActiveBorder},
      {"clInactiveBorder", clInactiveBorder}, {"clAppWorkSpace", clAppWorkSpace},
      {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace},
      {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
      {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
      {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk},
  };
  const String& ident = ToIdent(Value);
  for (const Named& c : colors)
    if (!TNameLess{}(ident, c.name) && !TNameLess{}(c.name, ident)) return c.color;
  throw EReadError("unknown colour " + ident);
}

std::vector<String> ToStrings(const TFormValue& Value) {
  if (Value.kind != TFormValue::Kind::List) throw EReadError("a list of strings is expected");
  std::vector<String> result;
  for (const TFormValue& item : Value.Items) result.push_back(ToText(item));
  return result;
}

const std::vector<std::uint8_t>& ToBytes(const TFormValue& Value) {
  if (Value.kind != TFormValue::Kind::Binary) throw EReadError("binary data is expected");
  return Value.Bytes;
}

}  // namespace formvalue

void ReadCollection(TCollection& Collection, const TFormValue& Value, TReadContext& Context,
                    const String& ItemClass) {
  if (Value.kind != TFormValue::Kind::Collection) throw EReadError("a collection is expected");
  const TClassInfo* info = TClassRegistry::Instance().Find(ItemClass);
  if (!info) throw EReadError("unknown collection item class " + ItemClass);
  Collection.BeginUpdate();
  try {
    Collection.Clear();
    for (const TFormItem& block : Value.Collection) {
      TCollectionItem* item = Collection.Add();
      for (const TFormProperty& property : block.Properties) {
        const TPropertySetter* setter = info->FindProperty(property.Name);
        if (!setter) throw EReadError("unknown property " + property.Name + " of " + ItemClass);
        (*setter)(*item, property.Value, Context);
      }
    }
  } catch (...) {
    Collection.EndUpdate();
    throw;
  }
  Collection.EndUpdate();
}

TClassRegistry& TClassRegistry::Instance() {
  static TClassRegistry registry;
  static std::once_flag once;
  std::call_once(once, [] { RegisterClassLibrary(registry); });
  return registry;
}

const TClassInfo* TClassRegistry::Find(const String& Name) const {
  auto it = FClasses.find(Name);
  return it == FClasses.end() ? nullptr : it->second.get();
}

TClassInfo& TClassRegistry::Add(const String& Name, const String& Parent, TComponentFactory Factory) {
  const TClassInfo* parent = nullptr;
  if (!Parent.empty()) {
    parent = Find(Parent);
    if (!parent) throw EComponentError("class " + Name + " names an unregistered base " + Parent);
  }
  // Classes registered later may point at this one: it can never be replaced.
  auto& slot = FClasses[Name];
  if (slot) throw EComponentError("class " + Name + " is registered twice");
  slot = std::make_unique<TClassInfo>(Name, parent, std::move(Factory));
  return *slot;
}

}  // namespace classlib
