// Classes that a form description may name, with their published properties.
#pragma once

#include "platform/classlib/Collections.h"
#include "platform/classlib/Component.h"
#include "platform/classlib/FormValue.h"

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace classlib {

// What a property setter knows of the description being read.
class TReadContext {
public:
  TReadContext(TComponent* Root, String FormName) : FRoot(Root), FFormName(std::move(FormName)) {}

  TComponent* Root() const { return FRoot; }
  const String& FormName() const { return FFormName; }

  // A reference to another component of the form, resolved once every component exists.
  void AddFixup(String ComponentName, int Line, std::function<void(TComponent*)> Apply) {
    FFixups.push_back({std::move(ComponentName), Line, std::move(Apply)});
  }

  struct TFixup {
    String ComponentName;
    int Line;
    std::function<void(TComponent*)> Apply;
  };
  std::vector<TFixup>& Fixups() { return FFixups; }

private:
  TComponent* FRoot;
  String FFormName;
  std::vector<TFixup> FFixups;
};

using TPropertySetter = std::function<void(TPersistent& Object, const TFormValue& Value, TReadContext& Context)>;
using TComponentFactory = std::function<TComponent*(TComponent* Owner)>;

class TClassInfo {
public:
  TClassInfo(String Name, const TClassInfo* Parent, TComponentFactory Create)
      : FName(std::move(Name)), FParent(Parent), FCreate(std::move(Create)) {}

  const String& Name() const { return FName; }
  const TClassInfo* Parent() const { return FParent; }
  // Null for classes that exist only as bases.
  const TComponentFactory& Factory() const { return FCreate; }

  // The setter of a published property, looked up through the base classes.
  const TPropertySetter* FindProperty(const String& PropName) const;
  void AddProperty(const String& PropName, TPropertySetter Setter) { FProperties[PropName] = std::move(Setter); }

private:
  String FName;
  const TClassInfo* FParent;
  TComponentFactory FCreate;
  std::map<String, TPropertySetter, TNameLess> FProperties;
};

// Value conversions shared by the property builders; each throws EReadError on a value of the wrong kind.
namespace formvalue {
int ToInteger(const TFormValue& Value);
bool ToBoolean(const TFormValue& Value);
String ToText(const TFormValue& Value);
double ToFloat(const TFormValue& Value);
TColor ToColor(const TFormValue& Value);
const String& ToIdent(const TFormValue& Value);
std::vector<String> ToStrings(const TFormValue& Value);  // a ( 'a' 'b' ) list
const std::vector<std::uint8_t>& ToBytes(const TFormValue& Value);  // a { ... } block
}  // namespace formvalue

// Reads a < item ... end > block into Collection: emptied, then one item added per block and its
// properties set through the registered class ItemClass.
void ReadCollection(TCollection& Collection, const TFormValue& Value, TReadContext& Context,
                    const String& ItemClass);

// Setters and events may be members of a base class of T (U).
template <class T>
class TClassBuilder {
public:
  explicit TClassBuilder(TClassInfo& Info) : FInfo(Info) {}

  template <class U, class R, class A>
  TClassBuilder& Integer(const String& Name, R (U::*Setter)(A)) {
    return Custom(Name, [Setter](T& o, const TFormValue& v, TReadContext&) { (o.*Setter)(formvalue::ToInteger(v)); });
  }
  template <class U, class R, class A>
  TClassBuilder& Boolean(const String& Name, R (U::*Setter)(A)) {
    return Custom(Name, [Setter](T& o, const TFormValue& v, TReadContext&) { (o.*Setter)(formvalue::ToBoolean(v)); });
  }
  template <class U, class R, class A>
  TClassBuilder& Text(const String& Name, R (U::*Setter)(A)) {
    return Custom(Name, [Setter](T& o, const TFormValue& v, TReadContext&) { (o.*Setter)(formvalue::ToText(v)); });
  }
  template <class U, class R, class A>
  TClassBuilder& Color(const String& Name, R (U::*Setter)(A)) {
    return Custom(Name, [Setter](T& o, const TFormValue& v, TReadContext&) { (o.*Setter)(formvalue::ToColor(v)); });
  }
  // Raw bytes a component defines for itself (a { ... } block), handed over as they stand.
  template <class U, class R>
  TClassBuilder& Bytes(const String& Name, R (U::*Setter)(const std::vector<std::uint8_t>&)) {
    return Custom(Name, [Setter](T& o, const TFormValue& v, TReadContext&) { (o.*Setter)(formvalue::ToBytes(v)); });
  }
  // An enumeration written as one of the given identifiers.
  template <class U, class R, class E>
  TClassBuilder& Enum(const String& Name, R (U::*Setter)(E), std::vector<std::pair<String, E>> Values) {
    return Custom(Name, [Setter, Values](T& o, const TFormValue& v, TReadContext&) {
      const String& ident = formvalue::ToIdent(v);
      for (const auto& [text, value] : Values)
        if (!TNameLess{}(text, ident) && !TNameLess{}(ident, text)) return void((o.*Setter)(value));
      throw EReadError("invalid value " + ident);
    });
  }
  // A set written as [a, b] over the given identifiers.
  template <class U, class R, class E>
  TClassBuilder& SetOf(const String& Name, R (U::*Setter)(Set<E>), std::vector<std::pair<String, E>> Values) {
    return Custom(Name, [Setter, Values](T& o, const TFormValue& v, TReadContext&) {
      if (v.kind != TFormValue::Kind::Set) throw EReadError("a set is expected");
      Set<E> result;
      for (const String& ident : v.Names) {
        bool found = false;
        for (const auto& [text, value] : Values)
          if (!TNameLess{}(text, ident) && !TNameLess{}(ident, text)) result.Include(value), found = true;
        if (!found) throw EReadError("invalid set member " + ident);
      }
      (o.*Setter)(result);
    });
  }
  // An event bound by the name of a handler registered on the form being read.
  template <class U, class E>
  TClassBuilder& Event(const String& Name, E U::*Member) {
    return Custom(Name, [Member](T& o, const TFormValue& v, TReadContext& c) {
      o.*Member = c.Root()->template FindHandler<E>(formvalue::ToIdent(v));
    });
  }
  // A reference to another component of the form, by name.
  template <class U, class R, class C>
  TClassBuilder& Reference(const String& Name, R (U::*Setter)(C*)) {
    return Custom(Name, [Setter](T& o, const TFormValue& v, TReadContext& c) {
      U* object = &o;
      c.AddFixup(formvalue::ToIdent(v), v.Line, [object, Setter](TComponent* target) {
        C* typed = dynamic_cast<C*>(target);
        if (!typed) throw EReadError("component " + target->Name() + " is of the wrong class");
        (object->*Setter)(typed);
      });
    });
  }
  // A collection the object owns, reached through Getter, its items of the registered ItemClass.
  template <class U, class C>
  TClassBuilder& Collection(const String& Name, C& (U::*Getter)(), const String& ItemClass) {
    return Custom(Name, [Getter, ItemClass](T& o, const TFormValue& v, TReadContext& c) {
      ReadCollection((o.*Getter)(), v, c, ItemClass);
    });
  }
  TClassBuilder& Custom(const String& Name, std::function<void(T&, const TFormValue&, TReadContext&)> Setter) {
    FInfo.AddProperty(Name, [Setter = std::move(Setter), Name](TPersistent& o, const TFormValue& v, TReadContext& c) {
      T* typed = dynamic_cast<T*>(&o);
      if (!typed) throw EReadError("property " + Name + " does not belong to this object");
      Setter(*typed, v, c);
    });
    return *this;
  }

private:
  TClassInfo& FInfo;
};

class TClassRegistry {
public:
  // The registry, with every class of the class library registered on first use.
  static TClassRegistry& Instance();

  // Registers a class; Parent names an already registered class, or is empty for the root.
  // Abstract classes register without a factory (CreatesInstances false).
  template <class T>
  TClassBuilder<T> Register(const String& Name, const String& Parent) {
    TComponentFactory factory;
    if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>)
      factory = [](TComponent* owner) -> TComponent* { return new T(owner); };
    return TClassBuilder<T>(Add(Name, Parent, std::move(factory)));
  }

  const TClassInfo* Find(const String& Name) const;

private:
  TClassRegistry() = default;
  TClassInfo& Add(const String& Name, const String& Parent, TComponentFactory Factory);

  std::map<String, std::unique_ptr<TClassInfo>, TNameLess> FClasses;
};

}  // namespace classlib
