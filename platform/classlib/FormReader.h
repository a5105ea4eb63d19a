// Builds components from a stored form description through the class registry.
#pragma once

#include "platform/classlib/Component.h"
#include "platform/classlib/FormValue.h"

namespace classlib {

// Reads Description into Root (a form being constructed, say): Root takes the description's name
// and properties, and every nested object becomes a component owned by Root, linked to the object
// it is nested in through SetParentComponent. References by name are resolved once every component
// exists; then each component read gets Loaded, Root last.
// Faults raise EReadError "FormName: line N: ..."; the components created by the failed read are freed.
void ReadComponent(TComponent* Root, const TFormObject& Description, const String& FormName);

// Parses Text (UTF-8) and reads it into Root.
void ReadComponentText(TComponent* Root, const String& Text, const String& FormName);

// Reads the RCDATA resource of the program named ResourceName (the upper-case class name, "TFORM1").
void ReadComponentResource(TComponent* Root, const String& ResourceName);

}  // namespace classlib
