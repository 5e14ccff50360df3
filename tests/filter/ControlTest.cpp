// The parameter interface as a host reaches it through COM.
#include <gtest/gtest.h>

#include "FilterHarness.h"

namespace {

// A real top-level window that collects the WM_COMMAND notifications posted to it.
class NotifyWindow {
public:
    NotifyWindow() {
        window_ = CreateWindowExW(0, L"STATIC", L"notify", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~NotifyWindow() { Destroy(); }
    void Destroy() {
        if (window_ != nullptr) DestroyWindow(window_);
        window_ = nullptr;
    }
    HWND Handle() const { return window_; }
    // wParams of the WM_COMMAND messages waiting for this window, oldest first.
    std::vector<WPARAM> TakeCommands() {
        std::vector<WPARAM> commands;
        MSG msg;
        while (PeekMessageW(&msg, window_, WM_COMMAND, WM_COMMAND, PM_REMOVE)) commands.push_back(msg.wParam);
        return commands;
    }

private:
    HWND window_ = nullptr;
};

}  // namespace

TEST(Control, PutsClampAndReportThroughGets) {
    FilterHarness h;
    IReverbControl* c = h.control;
    int value = 0;
    EXPECT_EQ(S_OK, c->put_EarlyLevel(999));
    EXPECT_EQ(S_OK, c->get_EarlyLevel(&value));
    EXPECT_EQ(60, value);
    c->put_RoomSize(0);
    c->get_RoomSize(&value);
    EXPECT_EQ(1, value);
    c->put_Tail(7);
    c->get_Tail(&value);
    EXPECT_EQ(1, value);
    c->put_StereoOutput(-5);
    c->get_StereoOutput(&value);
    EXPECT_EQ(0, value);
    EXPECT_EQ(E_POINTER, c->get_Width(nullptr));
    EXPECT_EQ(E_POINTER, c->GetAllParams(nullptr));
    EXPECT_EQ(E_POINTER, c->SetAllParams(nullptr));
    EXPECT_EQ(E_POINTER, c->GetPeakLevels(nullptr));
}

TEST(Control, EachPairReachesItsOwnField) {
    FilterHarness h;
    IReverbControl* c = h.control;
    using Put = HRESULT (STDMETHODCALLTYPE IReverbControl::*)(int);
    const Put puts[kParamCount] = {
        &IReverbControl::put_InputGain, &IReverbControl::put_LowCut, &IReverbControl::put_HighCut,
        &IReverbControl::put_PreDelay, &IReverbControl::put_RoomSize, &IReverbControl::put_Diffusion,
        &IReverbControl::put_BassMultiply, &IReverbControl::put_Crossover, &IReverbControl::put_DecayTime,
        &IReverbControl::put_Damping, &IReverbControl::put_DryLevel, &IReverbControl::put_ReverbLevel,
        &IReverbControl::put_InputMute, &IReverbControl::put_DryMute, &IReverbControl::put_ReverbMute,
        &IReverbControl::put_EarlyLevel, &IReverbControl::put_EarlyMute, &IReverbControl::put_Width,
        &IReverbControl::put_Tail};
    for (int field = 0; field < kParamCount; ++field) {
        ReverbParams before;
        c->GetAllParams(&before);
        const ParamInfo& info = GetParamInfo(field);
        const int32_t target = GetParam(before, field) == info.minimum ? info.maximum : info.minimum;
        (c->*puts[field])(target);
        ReverbParams after;
        c->GetAllParams(&after);
        SetParam(before, field, target);
        EXPECT_EQ(before, after) << GetParamInfo(field).name;
    }
}

TEST(Control, SetupsSwapAndCopy) {
    FilterHarness h;
    IReverbControl* c = h.control;
    ReverbParams a;
    c->GetAllParams(&a);
    EXPECT_EQ(0, c->GetCurrentSetup());
    c->SelectSetup(1);
    c->put_DecayTime(120);
    EXPECT_EQ(1, c->GetCurrentSetup());
    c->SelectSetup(1);  // already current: nothing changes
    int value = 0;
    c->get_DecayTime(&value);
    EXPECT_EQ(120, value);
    c->SelectSetup(0);
    ReverbParams back;
    c->GetAllParams(&back);
    EXPECT_EQ(a, back);
    c->SelectSetup(2);  // no such setup: nothing changes
    EXPECT_EQ(0, c->GetCurrentSetup());
    c->GetAllParams(&back);
    EXPECT_EQ(a, back);
    c->CopySetup(1, 0);  // B into the live record
    c->get_DecayTime(&value);
    EXPECT_EQ(120, value);
}

TEST(Control, UndoKeysGroupChangesOfOneControl) {
    FilterHarness h;
    IReverbControl* c = h.control;
    ReverbParams original;
    c->GetAllParams(&original);
    c->MarkUndo(5);
    c->put_Width(10);
    c->MarkUndo(5);
    c->put_Width(20);
    c->SwapUndo();
    ReverbParams undone;
    c->GetAllParams(&undone);
    EXPECT_EQ(original, undone);
    c->SwapUndo();  // redo
    int width = 0;
    c->get_Width(&width);
    EXPECT_EQ(20, width);
    c->MarkUndo(-2);  // forced snapshot at 20
    c->put_Width(30);
    c->SwapUndo();
    c->get_Width(&width);
    EXPECT_EQ(20, width);
}

TEST(Control, SimpleValuesAreStoredUnchanged) {
    FilterHarness h;
    IReverbControl* c = h.control;
    EXPECT_EQ(-1, c->GetPresetIndex());
    c->SetPresetIndex(42);
    EXPECT_EQ(42, c->GetPresetIndex());
    EXPECT_EQ(0, c->GetBypass());
    c->SetBypass(3);
    EXPECT_EQ(3, c->GetBypass());
    c->SetClipHoldLeft(2, 3);
    c->SetClipHoldRight(1, 2);
    EXPECT_EQ(3, c->GetClipHoldLeft(2));
    EXPECT_EQ(0, c->GetClipHoldRight(2));
    EXPECT_EQ(2, c->GetClipHoldRight(1));
    EXPECT_EQ(0, c->GetClipHoldLeft(9));
}

TEST(Control, NotificationSlotsHoldTwoLiveWindows) {
    FilterHarness h;
    IReverbControl* c = h.control;
    NotifyWindow first, second, third;
    ASSERT_NE(nullptr, first.Handle());
    EXPECT_EQ(S_OK, c->SetNotifyWindow(first.Handle(), ID_FILTER_NOTIFY));
    EXPECT_EQ(S_OK, c->SetNotifyWindow(second.Handle(), 41));
    EXPECT_EQ(E_OUTOFMEMORY, c->SetNotifyWindow(third.Handle(), 42));
    EXPECT_EQ(S_OK, c->SetNotifyWindow(second.Handle(), 43));  // same window: new identifier

    // Setting the input type notifies both windows with code 0 in the high word.
    AudioType mono(WAVE_FORMAT_IEEE_FLOAT, 1, 44100, 32);
    ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), mono.mt, 4096, 4096));
    EXPECT_EQ(std::vector<WPARAM>{MAKEWPARAM(ID_FILTER_NOTIFY, kNotifyCodeInputFormat)}, first.TakeCommands());
    EXPECT_EQ(std::vector<WPARAM>{MAKEWPARAM(43, kNotifyCodeInputFormat)}, second.TakeCommands());

    // A destroyed window is dropped at the next notification, freeing its slot.
    second.Destroy();
    ASSERT_EQ(S_OK, h.filter->OutputPin()->Connect(&h.sink, nullptr));
    EXPECT_EQ(std::vector<WPARAM>{MAKEWPARAM(ID_FILTER_NOTIFY, kNotifyCodeOutputFormat)}, first.TakeCommands());
    EXPECT_EQ(S_OK, c->SetNotifyWindow(third.Handle(), 44));

    // Identifier 0 removes a window.
    EXPECT_EQ(S_OK, c->SetNotifyWindow(first.Handle(), 0));
    h.source.Unplug();
    ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), mono.mt, 4096, 4096));
    EXPECT_TRUE(first.TakeCommands().empty());
    EXPECT_EQ(std::vector<WPARAM>{MAKEWPARAM(44, kNotifyCodeInputFormat)}, third.TakeCommands());

    // Loading persisted parameters tells the editor to reload its controls.
    IPersistStream* persist = nullptr;
    ASSERT_EQ(S_OK, h.base->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist)));
    IStream* stream = nullptr;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    ASSERT_EQ(S_OK, persist->Save(stream, FALSE));
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    EXPECT_TRUE(third.TakeCommands().empty());  // saving tells nobody
    ASSERT_EQ(S_OK, persist->Load(stream));
    EXPECT_EQ(std::vector<WPARAM>{MAKEWPARAM(44, kNotifyCodeLoaded)}, third.TakeCommands());
    stream->Release();
    persist->Release();
}
