// Registers the skinned controls' classes and published properties with the form reader.
#pragma once

void RegisterSkinControlClasses();
