// Registers the skinned frame's classes and published properties with the form reader.
#pragma once

void RegisterSkinFormClasses();
