#pragma once
#include <windows.h>

#include <dshow.h>

#include <string>
#include <vector>

// The filter's property pages as a host shows them: the classes the filter names through
// ISpecifyPropertyPages, in the system's property frame under the filter's name.
class PropertyFrame {
public:
    // Asks the filter for its pages and its name, and makes each page once to learn that it
    // can be made (the frame would otherwise open without it) and its size. Needs COM
    // initialised on this thread. 0, or -1 with `error` set.
    int Prepare(IBaseFilter* filter, std::string& error);

    // The frame's caption: the filter's name in its graph.
    const std::wstring& Caption() const { return caption_; }
    // The size the first page asks for.
    SIZE PageSize() const { return pageSize_; }

    // Shows the frame and returns when it is closed. 0, or -1 with `error` set.
    int Show(std::string& error);

private:
    IBaseFilter* filter_ = nullptr;
    std::wstring caption_;
    std::vector<CLSID> pages_;
    SIZE pageSize_{0, 0};
};
