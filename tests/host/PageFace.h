#pragma once
#include <string>

#include "HostRun.h"

// The page's face as the module holds it, and what the page itself paints as its
// background, so that a screenshot's page area can be compared with both.

// BITMAP 103 of the DLL at `dllPath`; false when it has none.
bool LoadFace(const std::string& dllPath, Image& face);

// The background of the DLL's property page, made through its class factory, set on a
// filter of the same DLL, activated in a hidden window of this process and asked to erase
// into a bitmap of `width` x `height`. False with `error` set when the page cannot be made.
bool PaintPageBackground(const std::string& dllPath, int width, int height, Image& painted, std::string& error);
