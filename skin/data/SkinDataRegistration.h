// Makes the skin data components known to form streaming.
#pragma once

// TskSkinData, TskCompressedStoredSkin and TskResourceStrData with their published properties.
// Safe to call more than once.
void RegisterSkinDataClasses();
