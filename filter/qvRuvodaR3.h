#pragma once
// Public header for hosts of the qv:Ruvoda R3 filter: class and interface identifiers, the
// private parameter interface and the codes of the notifications the filter posts.
#include <windows.h>
#include <mmreg.h>

#include "NotifyCode.h"
#include "ReverbParams.h"

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

// The command identifier under which an editor window registers for notifications. The
// filter posts WM_COMMAND with this identifier in the low word and a NotifyCode in the high
// word of wParam.
constexpr WORD ID_FILTER_NOTIFY = 32700;

// GetConnectionFormat hands out the plain 18-byte wave format record.
static_assert(sizeof(WAVEFORMATEX) == 18, "wave format record must be 18 bytes");

// The filter's parameter interface. Puts clamp to the field's range and never fail; a put of
// the stored value changes nothing. Gets read the stored value.
#undef INTERFACE
#define INTERFACE IReverbControl
DECLARE_INTERFACE_(IReverbControl, IUnknown) {
    STDMETHOD(QueryInterface)(THIS_ REFIID riid, void** object) PURE;
    STDMETHOD_(ULONG, AddRef)(THIS) PURE;
    STDMETHOD_(ULONG, Release)(THIS) PURE;

    STDMETHOD(GetAllParams)(THIS_ ReverbParams* params) PURE;
    STDMETHOD(SetAllParams)(THIS_ const ReverbParams* params) PURE;
    // which: 0 input, 1 output; VFW_E_NOT_CONNECTED when that pin has no format.
    STDMETHOD(GetConnectionFormat)(THIS_ WAVEFORMATEX* format, int which) PURE;
    // id 0 removes the window; E_OUTOFMEMORY when two other windows are registered.
    STDMETHOD(SetNotifyWindow)(THIS_ HWND window, WORD id) PURE;

    STDMETHOD(get_InputGain)(THIS_ int* value) PURE;
    STDMETHOD(put_InputGain)(THIS_ int value) PURE;
    STDMETHOD(get_LowCut)(THIS_ int* value) PURE;
    STDMETHOD(put_LowCut)(THIS_ int value) PURE;
    STDMETHOD(get_HighCut)(THIS_ int* value) PURE;
    STDMETHOD(put_HighCut)(THIS_ int value) PURE;
    STDMETHOD(get_PreDelay)(THIS_ int* value) PURE;
    STDMETHOD(put_PreDelay)(THIS_ int value) PURE;
    STDMETHOD(get_RoomSize)(THIS_ int* value) PURE;
    STDMETHOD(put_RoomSize)(THIS_ int value) PURE;
    STDMETHOD(get_Diffusion)(THIS_ int* value) PURE;
    STDMETHOD(put_Diffusion)(THIS_ int value) PURE;
    STDMETHOD(get_BassMultiply)(THIS_ int* value) PURE;
    STDMETHOD(put_BassMultiply)(THIS_ int value) PURE;
    STDMETHOD(get_Crossover)(THIS_ int* value) PURE;
    STDMETHOD(put_Crossover)(THIS_ int value) PURE;
    STDMETHOD(get_DecayTime)(THIS_ int* value) PURE;
    STDMETHOD(put_DecayTime)(THIS_ int value) PURE;
    STDMETHOD(get_Damping)(THIS_ int* value) PURE;
    STDMETHOD(put_Damping)(THIS_ int value) PURE;
    STDMETHOD(get_DryLevel)(THIS_ int* value) PURE;
    STDMETHOD(put_DryLevel)(THIS_ int value) PURE;
    STDMETHOD(get_EarlyLevel)(THIS_ int* value) PURE;
    STDMETHOD(put_EarlyLevel)(THIS_ int value) PURE;
    STDMETHOD(get_ReverbLevel)(THIS_ int* value) PURE;
    STDMETHOD(put_ReverbLevel)(THIS_ int value) PURE;
    STDMETHOD(get_InputMute)(THIS_ int* value) PURE;
    STDMETHOD(put_InputMute)(THIS_ int value) PURE;
    STDMETHOD(get_DryMute)(THIS_ int* value) PURE;
    STDMETHOD(put_DryMute)(THIS_ int value) PURE;
    STDMETHOD(get_EarlyMute)(THIS_ int* value) PURE;
    STDMETHOD(put_EarlyMute)(THIS_ int value) PURE;
    STDMETHOD(get_ReverbMute)(THIS_ int* value) PURE;
    STDMETHOD(put_ReverbMute)(THIS_ int value) PURE;
    STDMETHOD(get_Width)(THIS_ int* value) PURE;
    STDMETHOD(put_Width)(THIS_ int value) PURE;
    STDMETHOD(get_Tail)(THIS_ int* value) PURE;
    STDMETHOD(put_Tail)(THIS_ int value) PURE;
    // 1 stereo output, 0 mono output; -1 until the filter's format checks first read it.
    STDMETHOD(get_StereoOutput)(THIS_ int* value) PURE;
    STDMETHOD(put_StereoOutput)(THIS_ int value) PURE;

    // Overload indicators, slots 0..3 of the left and the right array.
    STDMETHOD_(int, GetClipHoldLeft)(THIS_ int slot) PURE;
    STDMETHOD(SetClipHoldLeft)(THIS_ int slot, int value) PURE;
    STDMETHOD_(int, GetClipHoldRight)(THIS_ int slot) PURE;
    STDMETHOD(SetClipHoldRight)(THIS_ int slot, int value) PURE;
    // Input left, input right, output left, output right (1.0 = full scale); each read
    // re-arms the measurement so the next one covers the time since this one.
    STDMETHOD(GetPeakLevels)(THIS_ float levels[4]) PURE;

    STDMETHOD_(int, GetPresetIndex)(THIS) PURE;
    STDMETHOD(SetPresetIndex)(THIS_ int index) PURE;
    STDMETHOD_(int, GetBypass)(THIS) PURE;
    STDMETHOD(SetBypass)(THIS_ int bypass) PURE;

    // Setups: 0 is A, 1 is B; the live record is always the current one.
    STDMETHOD_(int, GetCurrentSetup)(THIS) PURE;
    STDMETHOD(SelectSetup)(THIS_ int which) PURE;
    STDMETHOD(CopySetup)(THIS_ int from, int to) PURE;
    // key -2 forces a snapshot; a key >= 0 snapshots when it differs from the last one.
    STDMETHOD(MarkUndo)(THIS_ int key) PURE;
    STDMETHOD(SwapUndo)(THIS) PURE;
};
#undef INTERFACE

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IReverbControl, 0x7a3e1c22, 0x5d7a, 0x4c31, 0x9e, 0x0b, 0x71, 0x55, 0xa0, 0xc3, 0xd2, 0xe1)
#endif
