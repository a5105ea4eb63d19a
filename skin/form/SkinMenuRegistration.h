// Registers the skinned menus' classes and published properties with the form reader.
#pragma once

void RegisterSkinMenuClasses();
