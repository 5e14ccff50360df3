#include "StandInPins.h"

#include <cstring>

#include "MediaType.h"

using Microsoft::WRL::ComPtr;

namespace {

// A committed allocator of `count` buffers of `bytes`, or null.
ComPtr<IMemAllocator> CommittedAllocator(long bytes, long count) {
    ComPtr<IMemAllocator> allocator;
    ALLOCATOR_PROPERTIES want = {count, bytes, 1, 0}, got = {};
    if (FAILED(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                reinterpret_cast<void**>(allocator.GetAddressOf()))) ||
        FAILED(allocator->SetProperties(&want, &got)) || FAILED(allocator->Commit()))
        return nullptr;
    return allocator;
}

}  // namespace

HRESULT StandInPin::AnswerPin(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPin) ? static_cast<IPin*>(this) : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE StandInPin::Disconnect() {
    connected_ = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInPin::ConnectedTo(IPin** pin) {
    if (pin == nullptr) return E_POINTER;
    *pin = connected_;
    if (connected_ == nullptr) return VFW_E_NOT_CONNECTED;
    connected_->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInPin::QueryDirection(PIN_DIRECTION* direction) {
    if (direction == nullptr) return E_POINTER;
    *direction = direction_;
    return S_OK;
}

HRESULT SourcePin::ConnectTo(IPin* input, const AM_MEDIA_TYPE& type, long notifiedBytes, long pushBytes) {
    HRESULT hr = input->ReceiveConnection(this, &type);
    if (FAILED(hr)) return hr;
    connected_ = input;
    hr = input->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(memInput_.GetAddressOf()));
    if (FAILED(hr)) return hr;
    notified_ = CommittedAllocator(notifiedBytes, 2);
    push_ = CommittedAllocator(pushBytes, 2);
    if (!notified_ || !push_) return E_OUTOFMEMORY;
    return memInput_->NotifyAllocator(notified_.Get(), FALSE);
}

HRESULT SourcePin::Push(const void* data, long bytes, const REFERENCE_TIME* start, const REFERENCE_TIME* stop,
                        const AM_MEDIA_TYPE* type) {
    ComPtr<IMediaSample> sample;
    HRESULT hr = push_->GetBuffer(sample.GetAddressOf(), nullptr, nullptr, 0);
    if (FAILED(hr)) return hr;
    BYTE* target = nullptr;
    sample->GetPointer(&target);
    if (bytes > sample->GetSize()) return E_INVALIDARG;
    std::memcpy(target, data, static_cast<size_t>(bytes));
    sample->SetActualDataLength(bytes);
    sample->SetTime(const_cast<REFERENCE_TIME*>(start), const_cast<REFERENCE_TIME*>(stop));
    sample->SetSyncPoint(start != nullptr);
    if (type != nullptr) sample->SetMediaType(const_cast<AM_MEDIA_TYPE*>(type));
    return memInput_->Receive(sample.Get());
}

void SourcePin::Unplug() {
    if (connected_ != nullptr) connected_->Disconnect();
    connected_ = nullptr;
    memInput_.Reset();
    for (IMemAllocator* allocator : {notified_.Get(), push_.Get()})
        if (allocator) allocator->Decommit();
    notified_.Reset();
    push_.Reset();
}

std::vector<uint8_t> SinkPin::AllBytes() const {
    std::vector<uint8_t> all;
    for (const ReceivedSample& s : samples) all.insert(all.end(), s.data.begin(), s.data.end());
    return all;
}

std::vector<float> SinkPin::Floats() const {
    const std::vector<uint8_t> bytes = AllBytes();
    std::vector<float> values(bytes.size() / sizeof(float));
    if (!values.empty()) std::memcpy(values.data(), bytes.data(), values.size() * sizeof(float));
    return values;
}

HRESULT STDMETHODCALLTYPE SinkPin::QueryInterface(REFIID iid, void** out) {
    if (out != nullptr && IsEqualIID(iid, IID_IMemInputPin)) {
        *out = static_cast<IMemInputPin*>(this);
        return S_OK;
    }
    return AnswerPin(iid, out);
}

HRESULT STDMETHODCALLTYPE SinkPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt) {
    if (connector == nullptr || mt == nullptr) return E_POINTER;
    if (!acceptTypes || mt->cbFormat < sizeof(WAVEFORMATEX)) return VFW_E_TYPE_NOT_ACCEPTED;
    connected_ = connector;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SinkPin::Receive(IMediaSample* sample) {
    ReceivedSample got;
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    got.data.assign(data, data + sample->GetActualDataLength());
    got.timed = SUCCEEDED(sample->GetTime(&got.start, &got.stop));
    got.syncPoint = sample->IsSyncPoint() == S_OK;
    AM_MEDIA_TYPE* type = nullptr;
    if (sample->GetMediaType(&type) == S_OK && type != nullptr) {
        got.typeAttached = true;
        if (type->cbFormat >= sizeof(WAVEFORMATEX)) std::memcpy(&got.attached, type->pbFormat, sizeof got.attached);
        DeleteMediaType(type);
    }
    samples.push_back(std::move(got));
    return S_OK;
}
