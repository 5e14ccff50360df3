#pragma once
// The editor page shown for each test (EditorPageHost); helpers act on the controls as a
// user does.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "EditorIds.h"
#include "EditorPageHost.h"
#include "InlineEditor.h"
#include "ParamBinding.h"

class EditorTest : public ::testing::Test, protected EditorPageHost {
protected:
    void SetUp() override;
    void TearDown() override { CloseInlineEditor(); }  // the page closes with the fixture

    // Connects the filter for 44.1 kHz stereo float and starts streaming.
    void StartStreaming();
    HWND Item(int id) const { return GetDlgItem(page, id); }
    // A control's answer to a query without arguments (a button's lit state, a slider's value).
    int Ask(int id, UINT message) const { return static_cast<int>(SendMessageA(Item(id), message, 0, 0)); }
    std::string Text(int id) const;
    int Value(int field) const { return GetField(filter.control, field); }
    // Double-clicks the field, types `text` into its inline editor and presses Enter.
    void Type(int fieldId, const char* text);
    void Key(int id, UINT key);
    void Click(int id);
    void Tick() { SendMessageA(page, WM_TIMER, kMeterTimer, 0); }  // one tick of the meter timer
    // Presses a menu button with the keys for the menu queued: `downs` times Down, then
    // Enter (or Escape when `downs` is 0), and releases it.
    void ChooseFromMenu(int buttonId, int downs);
};
