#include "platform/classlib/FormReader.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/FormParser.h"
#include "platform/classlib/WideText.h"

#include <vector>

namespace classlib {
namespace {

bool SameName(const String& a, const String& b) { return !TNameLess{}(a, b) && !TNameLess{}(b, a); }

// One reading of a description into a root: creates the components, sets their properties,
// resolves references and finishes loading, or undoes what it created when anything fails.
class TFormReader {
public:
  TFormReader(TComponent* Root, const String& FormName)
      : FRoot(Root), FFormName(FormName), FContext(Root, FormName) {}

  void Read(const TFormObject& Description) {
    try {
      FRootLine = Description.Line;
      const TClassInfo& info = FindClass(Description);
      StartLoading(FRoot);
      Guard(Description.Line, "", [&] { FRoot->SetName(Description.Name); });
      ReadProperties(*FRoot, info, Description);
      ReadChildren(FRoot, Description);
      ResolveFixups();
      FinishLoading();
    } catch (...) {
      Abandon();
      throw;
    }
  }

private:
  struct TCreated {
    TComponent* Component;
    int Line;
  };

  // Runs one call into a component and gives any class-library error the form, line and Prefix.
  template <class F>
  void Guard(int Line, const String& Prefix, F&& Action) {
    try {
      Action();
    } catch (const Exception& e) {
      throw FormError(FFormName, Line, Prefix + e.Message());
    }
  }

  const TClassInfo& FindClass(const TFormObject& Object) const {
    const TClassInfo* info = TClassRegistry::Instance().Find(Object.ClassName);
    if (!info) throw FormError(FFormName, Object.Line, "unknown class " + Object.ClassName);
    return *info;
  }

  static void StartLoading(TComponent* Component) {
    Component->SetComponentState(TComponentStateItem::csLoading, true);
    Component->SetComponentState(TComponentStateItem::csReading, true);
  }

  void ReadProperties(TComponent& Component, const TClassInfo& Info, const TFormObject& Object) {
    for (const TFormProperty& property : Object.Properties) {
      const TPropertySetter* setter = Info.FindProperty(property.Name);
      if (!setter)
        throw FormError(FFormName, property.Line, "unknown property " + property.Name + " of " + Info.Name());
      Guard(property.Line, property.Name + ": ", [&] { (*setter)(Component, property.Value, FContext); });
    }
  }

  void ReadChildren(TComponent* Parent, const TFormObject& Object) {
    for (const TFormObject& child : Object.Children) {
      const TClassInfo& info = FindClass(child);
      if (!info.Factory()) throw FormError(FFormName, child.Line, "class " + info.Name() + " cannot be created");
      TComponent* component = nullptr;
      Guard(child.Line, "", [&] { component = info.Factory()(FRoot); });
      // Owned by the root from here on; listed so that a failed read can free it at once.
      FCreated.push_back({component, child.Line});
      StartLoading(component);
      Guard(child.Line, "", [&] {
        component->SetName(child.Name);
        component->SetParentComponent(Parent);
      });
      ReadProperties(*component, info, child);
      ReadChildren(component, child);
    }
  }

  // References may name components written further down, so they wait until all exist.
  void ResolveFixups() {
    for (TReadContext::TFixup& fixup : FContext.Fixups()) {
      TComponent* target = FRoot->FindComponent(fixup.ComponentName);
      if (!target && SameName(fixup.ComponentName, FRoot->Name())) target = FRoot;
      if (!target) throw FormError(FFormName, fixup.Line, "component " + fixup.ComponentName + " not found");
      Guard(fixup.Line, "", [&] { fixup.Apply(target); });
    }
  }

  void FinishLoading() {
    for (const TCreated& created : FCreated)
      created.Component->SetComponentState(TComponentStateItem::csReading, false);
    FRoot->SetComponentState(TComponentStateItem::csReading, false);
    for (const TCreated& created : FCreated) Guard(created.Line, "", [&] { created.Component->Loaded(); });
    Guard(FRootLine, "", [&] { FRoot->Loaded(); });
  }

  // Frees what this read created, the latest first so that nothing outlives what it was nested in
  // with a dangling link, and leaves the root out of its loading state.
  void Abandon() noexcept {
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) delete it->Component;
    FCreated.clear();
    FRoot->SetComponentState(TComponentStateItem::csReading, false);
    FRoot->SetComponentState(TComponentStateItem::csLoading, false);
  }

  TComponent* FRoot;
  const String& FFormName;
  TReadContext FContext;
  std::vector<TCreated> FCreated;
  int FRootLine = 0;
};

}  // namespace

void ReadComponent(TComponent* Root, const TFormObject& Description, const String& FormName) {
  TFormReader(Root, FormName).Read(Description);
}

void ReadComponentText(TComponent* Root, const String& Text, const String& FormName) {
  ReadComponent(Root, ParseFormDescription(Text, FormName), FormName);
}

void ReadComponentResource(TComponent* Root, const String& ResourceName) {
  const WideString name = ToWide(ResourceName);
  const HRSRC resource = FindResourceW(nullptr, name.c_str(), RT_RCDATA);
  if (!resource) throw EReadError("resource " + ResourceName + " not found");
  // Resources stay mapped for the life of the module: nothing to free.
  const HGLOBAL handle = LoadResource(nullptr, resource);
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data) throw EReadError("resource " + ResourceName + " cannot be loaded");
  const DWORD size = SizeofResource(nullptr, resource);
  ReadComponentText(Root, String(static_cast<const char*>(data), size), ResourceName);
}

}  // namespace classlib
