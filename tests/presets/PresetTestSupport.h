#pragma once
// What every preset test needs: message boxes answered from a script, a scratch folder,
// preset file texts and a store over them.
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "MessageSink.h"
#include "PresetStore.h"

// Answers message boxes from a script (IDOK once it runs out) and records them. Every
// caption must be the title of a store for the plug-in "qv:Reverb".
class ScriptedMessages : public MessageSink {
public:
    struct Shown {
        HWND owner;
        std::string text;
        UINT flags;
    };

    int Show(HWND owner, const char* text, const char* caption, UINT flags) override;
    // Expects exactly these texts shown since the last call, each with `flags` and `owner`,
    // and forgets them.
    void Expect(const std::vector<std::string>& texts, UINT flags, HWND owner = nullptr);

    std::deque<int> answers;
    std::vector<Shown> shown;
};

// A fresh folder for one test inside the build tree, removed with its files afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::string Path(const char* fileName) const { return folder_ + "\\" + fileName; }

private:
    std::string folder_;
};

// The build tree is a Unix path; Wine sees the Unix root as drive Z:.
std::string WindowsPath(std::string unixPath);

std::string ReadBytes(const std::string& path);  // "" for a missing file
void WriteBytes(const std::string& path, const std::string& bytes);

// The class keys of the filter and of the sibling plug-in build.
std::string OwnClassKey();
std::string PluginClassKey();

// "[Plug-in]" header of a file of the given class, lines ending in CR LF.
std::string HeaderFor(const std::string& classKey);
// One preset section as the store writes it.
std::string SectionText(int number, const char* version, const char* name, const char* bank,
                        const char* data);

// Appends a new preset with the store's next id; returns it.
Preset* AddPreset(PresetStore& store, const char* name, const char* bank,
                  const char* data = "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0");

// "name|bank" of every active preset, in list order.
std::vector<std::string> NamesAndBanks(const PresetStore& store);

// A store without a module or editor whose messages are scripted, and a scratch folder.
class PresetTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedMessages messages;
    PresetStore store{nullptr, nullptr, "qv:Reverb", &messages};
};
