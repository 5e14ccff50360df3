#pragma once
// What the input and output pins share: IPin, the connection handshake with media-type
// enumeration both ways, and the current connection. A pin's references count on its filter.
#include <windows.h>
#include <dshow.h>
#include <string>
#include "MediaType.h"

class TransformFilter;

class TransformPin : public IPin {
public:
    TransformPin(TransformFilter* filter, const wchar_t* name, PIN_DIRECTION dir);
    virtual ~TransformPin();
    TransformPin(const TransformPin&) = delete;
    TransformPin& operator=(const TransformPin&) = delete;

    // IUnknown: IPin and IUnknown here, counted on the filter.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IPin
    HRESULT STDMETHODCALLTYPE Connect(IPin* receivePin, const AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE Disconnect() override;
    HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
    HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
    HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* dir) override;
    HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override;
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** types) override;
    HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin** pins, ULONG* count) override;

    // The pin's own media-type decisions.
    virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) = 0;
    // Preferred type number `position`; VFW_S_NO_MORE_ITEMS past the last one.
    virtual HRESULT GetMediaType(int position, AM_MEDIA_TYPE* mt) = 0;

    bool IsConnected() const { return connected_ != nullptr; }
    IPin* ConnectedPin() const { return connected_; }
    const AM_MEDIA_TYPE& CurrentMediaType() const { return current_.Get(); }
    // Stores the connection type and tells the filter (its SetMediaType result is returned).
    HRESULT SetCurrentMediaType(const AM_MEDIA_TYPE* mt);
    PIN_DIRECTION Direction() const { return dir_; }
    const std::wstring& Name() const { return name_; }
    TransformFilter* Filter() const { return filter_; }

protected:
    // Connection steps a pin direction extends; each calls the filter's hook of the same name.
    virtual HRESULT CheckConnect(IPin* pin);
    virtual HRESULT BreakConnect();
    virtual HRESULT CompleteConnect(IPin* receivePin);

private:
    HRESULT AttemptConnection(IPin* receivePin, const AM_MEDIA_TYPE* mt);
    // Checks the peer and the type, stores both and tells the filter; undoes it on failure.
    HRESULT TakeConnection(IPin* pin, const AM_MEDIA_TYPE* mt);
    HRESULT TryTypesOf(IPin* source, IPin* receivePin, const AM_MEDIA_TYPE* partial);
    void DropConnection();

    TransformFilter* filter_;
    std::wstring name_;
    PIN_DIRECTION dir_;
    IPin* connected_ = nullptr;
    MediaType current_;
};
