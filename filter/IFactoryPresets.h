#pragma once
// The built-in preset list a filter offers to hosts that know this interface.
#include <windows.h>

inline constexpr GUID IID_IFactoryPresets =
    {0x36a22460, 0x0cc9, 0x11d0, {0x85, 0x74, 0x00, 0xa0, 0xc9, 0x05, 0x39, 0x12}};

#undef INTERFACE
#define INTERFACE IFactoryPresets
DECLARE_INTERFACE_(IFactoryPresets, IUnknown) {
    STDMETHOD(QueryInterface)(THIS_ REFIID riid, void** object) PURE;
    STDMETHOD_(ULONG, AddRef)(THIS) PURE;
    STDMETHOD_(ULONG, Release)(THIS) PURE;

    STDMETHOD(GetPresetCount)(THIS_ int* count) PURE;
    // Copies the name, terminator included, into at most `length` characters.
    STDMETHOD(GetPresetName)(THIS_ int index, WCHAR* name, int length) PURE;
    STDMETHOD(SelectPreset)(THIS_ int index) PURE;
};
#undef INTERFACE

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IFactoryPresets, 0x36a22460, 0x0cc9, 0x11d0, 0x85, 0x74, 0x00, 0xa0, 0xc9, 0x05, 0x39, 0x12)
#endif
