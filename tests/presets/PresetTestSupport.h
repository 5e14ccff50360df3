#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "MessageSink.h"
#include "PresetStore.h"

// Answers message boxes from a script (IDOK once the script runs out) and records them.
class ScriptedMessages : public MessageSink {
public:
    struct Shown {
        HWND owner;
        std::string text;
        std::string caption;
        UINT flags;
    };

    int Show(HWND owner, const char* text, const char* caption, UINT flags) override;

    std::deque<int> answers;
    std::vector<Shown> shown;
};

// Answers file dialogs from a script (cancelling once it runs out) and records each request.
class ScriptedFileDialogs : public FileDialogs {
public:
    struct Asked {
        bool save;
        HWND owner;
        std::string title;
        std::string initialDirectory;  // "(none)" when not given
        std::string suggestion;
    };

    Result Show(const Request& request, std::string& path) override;

    std::deque<Result> results;
    std::string chosenPath = "C:\\chosen.ini";  // the path of every kChosen
    std::vector<Asked> asked;
};

// A fresh folder for one test inside the build tree, removed with its files afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::string Path(const char* fileName) const;

private:
    std::string folder_;
};

// The build tree is a Unix path; Wine sees the Unix root as drive Z:.
std::string WindowsPath(std::string unixPath);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// The class keys of the filter and of the sibling plug-in build.
std::string OwnClassKey();
std::string PluginClassKey();

// "[Plug-in]" header of a file of the given class, lines ending in CR LF.
std::string HeaderFor(const std::string& classKey);
// One preset section as written by the store.
std::string SectionText(int number, const char* version, const char* name, const char* bank,
                        const char* data);

// Appends a new preset with the store's next id; returns it.
Preset* AddPreset(PresetStore& store, const char* name, const char* bank,
                  const char* data = "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0");

// "name|bank" of every active preset, in list order.
std::vector<std::string> NamesAndBanks(const PresetStore& store);
