#pragma once
// The editor page shown for each test (EditorPageHost); helpers act on the controls as a
// user does.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "EditorPageHost.h"
#include "ParamBinding.h"

class EditorTest : public ::testing::Test, protected EditorPageHost {
protected:
    void SetUp() override;
    void TearDown() override;

    // Connects the filter for 44.1 kHz stereo float and starts streaming.
    void StartStreaming();
    // Pushes `frames` stereo frames of a constant value per channel and lets the page see it.
    void PushConstant(float left, float right, int frames = 1024);

    HWND Item(int id) const { return GetDlgItem(page, id); }
    std::string Text(int id) const;
    int Value(int field) const { return GetField(filter.control, field); }
    // Double-clicks the field, types `text` into its inline editor and presses Enter.
    void Type(int fieldId, const char* text);
    void Key(int id, UINT key);
    void Click(int id, int x = 3, int y = 3);
    void Tick();  // one tick of the page's meter timer
    // Presses a menu button with the keys for the menu queued: `downs` times Down, then
    // Enter (or Escape when `downs` is 0), and releases it.
    void ChooseFromMenu(int buttonId, int downs);
};
