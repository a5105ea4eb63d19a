// Registers the shell controls' classes and published properties with the form reader.
#pragma once

void RegisterSkinShellClasses();
