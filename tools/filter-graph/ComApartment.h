#pragma once
#include <windows.h>

#include <ole2.h>

// COM on this thread for a scope; declared before every interface used in that scope, so
// that they all go before it does.
class ComApartment {
public:
    enum Kind {
        kMultithreaded,     // a graph run from a thread without windows
        kOleUserInterface,  // a thread that shows OLE's windows, such as the property frame
    };

    explicit ComApartment(Kind kind)
        : kind_(kind), result_(kind == kOleUserInterface ? OleInitialize(nullptr)
                                                         : CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComApartment() {
        if (FAILED(result_)) return;
        if (kind_ == kOleUserInterface)
            OleUninitialize();
        else
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    HRESULT Result() const { return result_; }

private:
    Kind kind_;
    HRESULT result_;
};
