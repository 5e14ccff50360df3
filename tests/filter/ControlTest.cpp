// The parameter interface as a host reaches it through COM.
#include <gtest/gtest.h>

#include "FilterHarness.h"

namespace {

// Each field's put and get, in the record's order.
struct Accessors {
    HRESULT (STDMETHODCALLTYPE IReverbControl::*put)(int);
    HRESULT (STDMETHODCALLTYPE IReverbControl::*get)(int*);
};
#define FIELD(name) {&IReverbControl::put_##name, &IReverbControl::get_##name}
const Accessors kAccessors[kParamCount] = {
    FIELD(InputGain), FIELD(LowCut), FIELD(HighCut), FIELD(PreDelay), FIELD(RoomSize),
    FIELD(Diffusion), FIELD(BassMultiply), FIELD(Crossover), FIELD(DecayTime), FIELD(Damping),
    FIELD(DryLevel), FIELD(ReverbLevel), FIELD(InputMute), FIELD(DryMute), FIELD(ReverbMute),
    FIELD(EarlyLevel), FIELD(EarlyMute), FIELD(Width), FIELD(Tail),
};
#undef FIELD

// Each field's put clamps into its own field only, and its get reads that field back: every
// other field sits at the opposite end of its range, so a crossed field shows.
TEST(Control, EachPutAndGetActOnItsOwnFieldClamped) {
    FilterHarness h;
    IReverbControl* c = h.control;
    for (int field = 0; field < kParamCount; ++field) {
        const ParamInfo& info = GetParamInfo(field);
        for (bool low : {true, false}) {
            ReverbParams expected = h.Params();
            for (int other = 0; other < kParamCount; ++other)
                SetParam(expected, other, low ? GetParamInfo(other).maximum : GetParamInfo(other).minimum);
            ASSERT_EQ(S_OK, c->SetAllParams(&expected));
            const int32_t target = low ? info.minimum - 1000 : info.maximum + 1000;
            EXPECT_EQ(S_OK, (c->*kAccessors[field].put)(target));
            SetParam(expected, field, ClampParam(field, target));
            EXPECT_EQ(expected, h.Params()) << info.name << " = " << target;
            int value = 12345;
            EXPECT_EQ(S_OK, (c->*kAccessors[field].get)(&value));
            EXPECT_EQ(GetParam(expected, field), value) << info.name;
        }
        EXPECT_EQ(E_POINTER, (c->*kAccessors[field].get)(nullptr));
    }
    EXPECT_EQ(E_POINTER, c->GetAllParams(nullptr));
    EXPECT_EQ(E_POINTER, c->SetAllParams(nullptr));
    EXPECT_EQ(E_POINTER, c->GetPeakLevels(nullptr));
    // Setups are the record's own; the interface adds only that there are just A and B.
    for (int setup : {2, -1}) c->SelectSetup(setup);
    EXPECT_EQ(0, c->GetCurrentSetup());
}

// wParams of the WM_COMMAND messages waiting for `window`, oldest first.
std::vector<WPARAM> TakeCommands(HWND window) {
    std::vector<WPARAM> commands;
    MSG msg;
    while (PeekMessageW(&msg, window, WM_COMMAND, WM_COMMAND, PM_REMOVE)) commands.push_back(msg.wParam);
    return commands;
}

using Commands = std::vector<WPARAM>;

TEST(Control, NotificationsReachTwoLiveWindows) {
    FilterHarness h;
    IReverbControl* c = h.control;
    HWND first, second, third;
    for (HWND* window : {&first, &second, &third})
        *window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, third);
    EXPECT_EQ(S_OK, c->SetNotifyWindow(first, ID_FILTER_NOTIFY));
    EXPECT_EQ(S_OK, c->SetNotifyWindow(second, 41));
    EXPECT_EQ(E_OUTOFMEMORY, c->SetNotifyWindow(third, 42));
    EXPECT_EQ(S_OK, c->SetNotifyWindow(second, 43));  // same window: new identifier

    MediaType mono = WaveType(WAVE_FORMAT_IEEE_FLOAT, 1, 44100, 32);
    ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), mono.Get(), 4096, 4096));
    EXPECT_EQ(Commands{MAKEWPARAM(ID_FILTER_NOTIFY, kNotifyCodeInputFormat)}, TakeCommands(first));
    EXPECT_EQ(Commands{MAKEWPARAM(43, kNotifyCodeInputFormat)}, TakeCommands(second));
    // A destroyed window is dropped at the next notification, freeing its slot.
    DestroyWindow(second);
    ASSERT_EQ(S_OK, h.filter->OutputPin()->Connect(&h.sink, nullptr));
    EXPECT_EQ(Commands{MAKEWPARAM(ID_FILTER_NOTIFY, kNotifyCodeOutputFormat)}, TakeCommands(first));
    EXPECT_EQ(S_OK, c->SetNotifyWindow(third, 44));
    EXPECT_EQ(S_OK, c->SetNotifyWindow(first, 0));  // identifier 0 removes a window

    // Loading persisted parameters tells the editor to reload its controls; saving tells nobody.
    Microsoft::WRL::ComPtr<IPersistStream> persist;
    Microsoft::WRL::ComPtr<IStream> stream;
    ASSERT_EQ(S_OK, h.base->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.GetAddressOf())));
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()));
    ASSERT_EQ(S_OK, persist->Save(stream.Get(), FALSE));
    EXPECT_TRUE(TakeCommands(third).empty());
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(S_OK, persist->Load(stream.Get()));
    EXPECT_TRUE(TakeCommands(first).empty());
    EXPECT_EQ(Commands{MAKEWPARAM(44, kNotifyCodeLoaded)}, TakeCommands(third));
    DestroyWindow(first);
    DestroyWindow(third);
}

}  // namespace
