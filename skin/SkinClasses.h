// Registration of the eight skinned control classes. Registering again while they exist is
// harmless; they stay registered while the module is loaded.
#pragma once

#include <windows.h>

void RegisterSkinClasses(HINSTANCE module);
