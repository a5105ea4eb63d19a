// Makes the program's own form classes known to the form reader.
#pragma once

void RegisterFormClasses();
