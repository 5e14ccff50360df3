// The editor page against the real filter: what it shows, how each control edits its
// parameter, and how changes made elsewhere reach the controls.
#include <gtest/gtest.h>

#include <vector>

#include "Controls.h"
#include "EditorHarness.h"
#include "EditorSkin.h"
#include "SkinProtocol.h"

namespace {

// Loads `params` into the filter the way a host restores a saved graph.
void LoadFromStream(ReverbFilter* filter, const ReverbParams& params) {
    FilterHarness saved;
    saved.control->SetAllParams(&params);
    IStream* stream = nullptr;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    saved.filter->Save(stream, FALSE);
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(S_OK, filter->Load(stream));
    stream->Release();
}

// Records what the page sends to a control.
std::vector<UINT>* g_sent = nullptr;
WNDPROC g_original = nullptr;
LRESULT CALLBACK Recording(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_sent && message == QVRM_SETVALUE) g_sent->push_back(static_cast<UINT>(wParam));
    return CallWindowProcA(g_original, window, message, wParam, lParam);
}

}  // namespace

TEST_F(EditorTest, ShowsTheSkinsBackgroundWhichOnlyTheModuleWithThePicturesHas) {
    EditorSkin skin;  // the page's pictures, from the module it runs in
    ASSERT_TRUE(skin.Load(GetModuleHandleA(nullptr)));
    EXPECT_EQ(WindowPixel(page, 2, 2), BitmapPixel(skin.Background(), 2, 2));
    EXPECT_FALSE(EditorSkin().Load(GetModuleHandleA("kernel32.dll")));
}

TEST_F(EditorTest, SlidersEditTheirFieldsAndDoubleClickRestoresTheDefault) {
    struct Row {
        int slider, fieldId, field, minimum, maximum;
        const char *minimumText, *maximumText;
        int defaultValue;
    };
    const Row rows[] = {
        {kInputSlider, kInputField, kInputGain, -361, 60, "-Inf.", "6.0", 0},
        {kPreDelaySlider, kPreDelayField, kPreDelay, 0, 250, "0", "250", 0},
        {kRoomSizeSlider, kRoomSizeField, kRoomSize, 1, 100, "1", "100", 50},
        {kDiffusionSlider, kDiffusionField, kDiffusion, 0, 100, "0", "100", 100},
        {kDrySlider, kDryField, kDryLevel, -361, 60, "-Inf.", "6.0", 0},
        {kEarlySlider, kEarlyField, kEarlyLevel, -361, 60, "-Inf.", "6.0", -35},
        {kReverbSlider, kReverbField, kReverbLevel, -361, 60, "-Inf.", "6.0", -120},
    };
    for (const Row& r : rows) {
        Key(r.slider, VK_HOME);
        EXPECT_EQ(Value(r.field), r.minimum) << r.slider;
        EXPECT_EQ(Text(r.fieldId), r.minimumText) << r.slider;
        Key(r.slider, VK_END);
        EXPECT_EQ(Value(r.field), r.maximum) << r.slider;
        EXPECT_EQ(Text(r.fieldId), r.maximumText) << r.slider;
        SendMessageA(Item(r.slider), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
        Pump();
        EXPECT_EQ(Value(r.field), r.defaultValue) << r.slider;
        EXPECT_EQ(Ask(r.slider, QVSM_GETPOS), r.defaultValue) << r.slider;
    }
}

TEST_F(EditorTest, TypedTextsAreReadByTheFieldsRuleAndShownClamped) {
    struct Row {
        int fieldId;
        const char* typed;
        int field, value;
        const char* shown;
    };
    const Row rows[] = {
        {kInputField, "-iNF.", kInputGain, -361, "-Inf."},   {kEarlyField, "-36.15", kEarlyLevel, -361, "-Inf."},
        {kHighCutField, "12.34", kHighCut, 123, "12.3"},     {kHighCutField, "30", kHighCut, 221, "OFF"},
        {kLowCutField, "5000", kLowCut, 3000, "3000"},       {kLowCutField, "OFF", kLowCut, 19, "OFF"},
        {kDecayTimeField, "1,5", kDecayTime, 10, "1.0"},     {kDampingField, "OFF", kDamping, 5, "0.5"},
        {kCrossoverField, "abc", kCrossover, 25, "25"},      {kWidthField, "250ms", kWidth, 200, "200"},
        {kBassMultiplyField, "2.25", kBassMultiply, 22, "2.2"},
    };
    for (const Row& r : rows) {
        Type(r.fieldId, r.typed);
        EXPECT_EQ(Value(r.field), r.value) << r.typed;
        EXPECT_EQ(Text(r.fieldId), r.shown) << r.typed;
    }
    EXPECT_EQ(Ask(kEarlySlider, QVSM_GETPOS), -361);  // the slider follows the typed value
    // Each confirmed text is an undo step of its own.
    filter.control->SwapUndo();
    EXPECT_EQ(Value(kBassMultiply), 10);
    EXPECT_EQ(Value(kWidth), 200);
    // So is a field's run of key steps, and another field's steps start a new one.
    Key(kRoomSizeField, VK_DOWN);
    Key(kPreDelayField, VK_UP);
    Key(kPreDelayField, VK_UP);
    EXPECT_EQ(Text(kPreDelayField), "2");
    filter.control->SwapUndo();
    EXPECT_EQ(Value(kPreDelay), 0);
    EXPECT_EQ(Value(kRoomSize), 49);
}

TEST_F(EditorTest, DisplaysEditTheirParametersAndTheDraggedOneIsNotFedBack) {
    std::vector<UINT> sent;
    g_sent = &sent;
    g_original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Item(kRevTimeDisplay), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Recording)));
    auto post = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        PostMessageA(page, message, wParam, lParam);
        Pump();
    };
    post(QVRN_CHANGED, MAKEWPARAM(kRevTimeDisplay, 2), 2500);
    post(QVRN_CHANGED, MAKEWPARAM(kRevTimeDisplay, 2), 3049);
    EXPECT_EQ(Value(kDecayTime), 30);
    EXPECT_EQ(Text(kDecayTimeField), "3.0");
    post(QVRN_CHANGED, MAKEWPARAM(kRevTimeDisplay, 3), 22100);
    EXPECT_EQ(Text(kDampingField), "OFF");
    EXPECT_TRUE(sent.empty());  // no value sent back while dragging
    post(QVRN_DBLCLK, kRevTimeDisplay, 1);
    EXPECT_EQ(Value(kDecayTime), 15);
    EXPECT_EQ(Value(kDamping), 40);
    EXPECT_EQ(sent, (std::vector<UINT>{2, 3}));
    post(QVRN_DBLCLK, kRevTimeDisplay, -1);  // beside the handles: nothing
    EXPECT_EQ(sent.size(), 2u);

    post(QVFN_CHANGED, MAKEWPARAM(kFreqDisplay, 1), 12345);
    EXPECT_EQ(Value(kHighCut), 123);
    EXPECT_EQ(Text(kHighCutField), "12.3");
    post(QVFN_CHANGED, MAKEWPARAM(kFreqDisplay, 0), 200);
    EXPECT_EQ(Text(kLowCutField), "200");
    post(QVFN_DBLCLK, kFreqDisplay, 0);
    EXPECT_EQ(Value(kLowCut), 75);
    EXPECT_EQ(Value(kHighCut), 123);
    // The two decay moves were one gesture: undo goes back past both of them.
    filter.control->SwapUndo();
    EXPECT_EQ(Value(kLowCut), 200);
    SetWindowLongPtrA(Item(kRevTimeDisplay), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original));
    g_sent = nullptr;
}

TEST_F(EditorTest, ChangesMadeElsewhereReachEveryControl) {
    ReverbParams loaded = DefaultParams();
    loaded.InputGain = -60;
    loaded.Damping = 221;
    loaded.Tail = 1;
    LoadFromStream(filter.filter, loaded);
    Pump();
    EXPECT_EQ(Text(kInputField), "-6.0");
    EXPECT_EQ(Ask(kInputSlider, QVSM_GETPOS), -60);
    EXPECT_EQ(Text(kDampingField), "OFF");
    EXPECT_EQ(Ask(kTailButton, QVBM_GETCHECK), 1);  // the first binding

    // A format change makes the filter notify as well; mono output disables Width.
    filter.control->put_StereoOutput(0);
    StartStreaming();
    EXPECT_EQ(Text(kStereoButton), "Mono");
    EXPECT_FALSE(IsWindowEnabled(Item(kWidthField)));
}

TEST_F(EditorTest, AnotherFilterSetWhileShownTakesOverThePage) {
    FilterHarness second;
    second.control->put_DecayTime(77);
    IUnknown* object = second.base;
    ASSERT_EQ(S_OK, pageObject->SetObjects(1, &object));
    EXPECT_EQ(Text(kDecayTimeField), "7.7");
    // The first filter no longer reaches the page.
    ReverbParams loaded = DefaultParams();
    loaded.DecayTime = 123;
    LoadFromStream(filter.filter, loaded);
    Pump();
    EXPECT_EQ(Text(kDecayTimeField), "7.7");
    Key(kDecayTimeField, VK_UP);
    EXPECT_EQ(GetField(second.control, kDecayTime), 78);

    IUnknown* notAFilter = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, reinterpret_cast<IStream**>(&notAFilter));
    EXPECT_EQ(E_NOINTERFACE, pageObject->SetObjects(1, &notAFilter));
    notAFilter->Release();
    EXPECT_EQ(E_UNEXPECTED, pageObject->SetObjects(0, nullptr));  // nothing held any more
}
