#pragma once
#include <string>

#include "HostRun.h"

// The page's face as the module at `dllPath` holds it (its BITMAP 103); false without one.
bool LoadFace(const std::string& dllPath, Image& face);
