#include "skin/form/SkinMenuRegistration.h"

#include "skin/controls/SkinControlsRegistration.h"

// The menu engine and its windows are made by the form frame and publish nothing; a form that
// holds menus reads its skins and the class library's menus through the skinned controls' set.
void RegisterSkinMenuClasses() { RegisterSkinControlClasses(); }
