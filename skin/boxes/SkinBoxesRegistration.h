// Registers the skinned list and combo boxes' classes and published properties with the form reader.
#pragma once

void RegisterSkinBoxClasses();
