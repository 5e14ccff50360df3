#pragma once
// Public header for hosts of the qv:Ruvoda R3 filter: class and interface identifiers.
#include <windows.h>

// The filter (registered as "Quillorn qv:Ruvoda R3").
inline constexpr GUID CLSID_RuvodaR3 =
    {0x7a3e1c20, 0x5d7a, 0x4c31, {0x9e, 0x0b, 0x71, 0x55, 0xa0, 0xc3, 0xd2, 0xe1}};
// Its editor, a property page.
inline constexpr GUID CLSID_RuvodaR3Page =
    {0x7a3e1c21, 0x5d7a, 0x4c31, {0x9e, 0x0b, 0x71, 0x55, 0xa0, 0xc3, 0xd2, 0xe1}};
// The private parameter interface; also the identifier in the persisted parameter block.
inline constexpr GUID IID_IReverbControl =
    {0x7a3e1c22, 0x5d7a, 0x4c31, {0x9e, 0x0b, 0x71, 0x55, 0xa0, 0xc3, 0xd2, 0xe1}};
// The sibling plug-in build of the same reverb: its preset files can be imported here
// but are not loaded as this filter's own.
inline constexpr GUID CLSID_RuvodaR3Plugin =
    {0x7a3e1b10, 0x5d7a, 0x4c31, {0x9e, 0x0b, 0x71, 0x55, 0xa0, 0xc3, 0xd2, 0xe1}};
