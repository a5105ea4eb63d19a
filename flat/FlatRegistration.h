// Makes the flat group box known to the form reader with its published properties. Safe to call
// more than once.
#pragma once

void RegisterFlatClasses();
