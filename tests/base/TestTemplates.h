#pragma once
#include <windows.h>

// {5B0E3C64-1B7E-4F0D-8E21-6A6D1C3F9A02}: a class whose creation always fails.
inline constexpr CLSID CLSID_RefusingClass = {0x5b0e3c64, 0x1b7e, 0x4f0d, {0x8e, 0x21, 0x6a, 0x6d, 0x1c, 0x3f, 0x9a, 0x02}};
