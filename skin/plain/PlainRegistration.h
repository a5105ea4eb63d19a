// Makes the plain stand-ins of the skinned controls known to the form reader under the skinned
// class names. Safe to call more than once.
#pragma once

void RegisterPlainSkinClasses();
