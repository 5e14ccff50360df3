#include "TestPins.h"

#include <cstring>

#include "MediaType.h"

AudioType::AudioType(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    wave.wFormatTag = tag;
    wave.nChannels = channels;
    wave.nSamplesPerSec = rate;
    wave.wBitsPerSample = bits;
    wave.nBlockAlign = static_cast<WORD>(bits / 8 * channels);
    wave.nAvgBytesPerSec = wave.nBlockAlign * rate;
    mt.majortype = MEDIATYPE_Audio;
    mt.subtype = {tag, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    mt.bFixedSizeSamples = TRUE;
    mt.lSampleSize = wave.nBlockAlign;
    mt.formattype = FORMAT_WaveFormatEx;
    mt.cbFormat = sizeof(wave);
    mt.pbFormat = reinterpret_cast<BYTE*>(&wave);
}

namespace {

IMemAllocator* MakeAllocator(long bytes) {
    IMemAllocator* alloc = nullptr;
    if (FAILED(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                reinterpret_cast<void**>(&alloc))))
        return nullptr;
    ALLOCATOR_PROPERTIES want = {2, bytes, 1, 0}, got = {};
    if (FAILED(alloc->SetProperties(&want, &got)) || FAILED(alloc->Commit())) {
        alloc->Release();
        return nullptr;
    }
    return alloc;
}

void ReleaseAllocator(IMemAllocator*& alloc) {
    if (alloc == nullptr) return;
    alloc->Decommit();
    alloc->Release();
    alloc = nullptr;
}

HRESULT AnswerPin(IPin* self, REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPin)) {
        *out = self;
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT FillPinInfo(PIN_INFO* info, PIN_DIRECTION dir) {
    if (info == nullptr) return E_POINTER;
    info->pFilter = nullptr;
    info->dir = dir;
    lstrcpynW(info->achName, dir == PINDIR_INPUT ? L"Sink" : L"Source", MAX_PIN_NAME);
    return S_OK;
}

HRESULT AnswerConnectedTo(IPin* connected, IPin** pin) {
    if (pin == nullptr) return E_POINTER;
    *pin = connected;
    if (connected == nullptr) return VFW_E_NOT_CONNECTED;
    connected->AddRef();
    return S_OK;
}

}  // namespace

SourcePin::~SourcePin() { Unplug(); }

HRESULT SourcePin::ConnectTo(IPin* input, const AM_MEDIA_TYPE& type, long notifiedBytes, long pushBytes) {
    HRESULT hr = input->ReceiveConnection(this, &type);
    if (FAILED(hr)) return hr;
    connected_ = input;
    hr = input->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&memInput_));
    if (FAILED(hr)) return hr;
    notified_ = MakeAllocator(notifiedBytes);
    push_ = MakeAllocator(pushBytes);
    if (notified_ == nullptr || push_ == nullptr) return E_OUTOFMEMORY;
    return memInput_->NotifyAllocator(notified_, FALSE);
}

HRESULT SourcePin::Push(const void* data, long bytes, const REFERENCE_TIME* start, const REFERENCE_TIME* stop,
                        bool discontinuity, const AM_MEDIA_TYPE* type) {
    IMediaSample* sample = nullptr;
    HRESULT hr = push_->GetBuffer(&sample, nullptr, nullptr, 0);
    if (FAILED(hr)) return hr;
    BYTE* target = nullptr;
    sample->GetPointer(&target);
    if (bytes > sample->GetSize()) bytes = sample->GetSize();
    std::memcpy(target, data, static_cast<size_t>(bytes));
    sample->SetActualDataLength(bytes);
    sample->SetTime(const_cast<REFERENCE_TIME*>(start), const_cast<REFERENCE_TIME*>(stop));
    sample->SetDiscontinuity(discontinuity);
    if (type != nullptr) sample->SetMediaType(const_cast<AM_MEDIA_TYPE*>(type));
    hr = memInput_->Receive(sample);
    sample->Release();
    return hr;
}

HRESULT SourcePin::SendEndOfStream() { return connected_ ? connected_->EndOfStream() : VFW_E_NOT_CONNECTED; }

void SourcePin::Unplug() {
    if (connected_ != nullptr) connected_->Disconnect();
    connected_ = nullptr;
    if (memInput_ != nullptr) memInput_->Release();
    memInput_ = nullptr;
    ReleaseAllocator(notified_);
    ReleaseAllocator(push_);
}

HRESULT STDMETHODCALLTYPE SourcePin::QueryInterface(REFIID iid, void** out) { return AnswerPin(this, iid, out); }
HRESULT STDMETHODCALLTYPE SourcePin::Disconnect() {
    connected_ = nullptr;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE SourcePin::ConnectedTo(IPin** pin) { return AnswerConnectedTo(connected_, pin); }
HRESULT STDMETHODCALLTYPE SourcePin::QueryPinInfo(PIN_INFO* info) { return FillPinInfo(info, PINDIR_OUTPUT); }
HRESULT STDMETHODCALLTYPE SourcePin::QueryDirection(PIN_DIRECTION* dir) {
    if (dir == nullptr) return E_POINTER;
    *dir = PINDIR_OUTPUT;
    return S_OK;
}

SinkPin::~SinkPin() = default;

std::vector<uint8_t> SinkPin::AllBytes() const {
    std::vector<uint8_t> all;
    for (const ReceivedSample& s : samples) all.insert(all.end(), s.data.begin(), s.data.end());
    return all;
}

HRESULT STDMETHODCALLTYPE SinkPin::QueryInterface(REFIID iid, void** out) {
    if (out != nullptr && IsEqualIID(iid, IID_IMemInputPin)) {
        *out = static_cast<IMemInputPin*>(this);
        return S_OK;
    }
    return AnswerPin(static_cast<IPin*>(this), iid, out);
}

HRESULT STDMETHODCALLTYPE SinkPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt) {
    if (connector == nullptr || mt == nullptr) return E_POINTER;
    if (!acceptTypes || mt->cbFormat < sizeof(WAVEFORMATEX)) return VFW_E_TYPE_NOT_ACCEPTED;
    std::memcpy(&connectedFormat, mt->pbFormat, sizeof(connectedFormat));
    connected_ = connector;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SinkPin::Disconnect() {
    connected_ = nullptr;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE SinkPin::ConnectedTo(IPin** pin) { return AnswerConnectedTo(connected_, pin); }
HRESULT STDMETHODCALLTYPE SinkPin::QueryPinInfo(PIN_INFO* info) { return FillPinInfo(info, PINDIR_INPUT); }
HRESULT STDMETHODCALLTYPE SinkPin::QueryDirection(PIN_DIRECTION* dir) {
    if (dir == nullptr) return E_POINTER;
    *dir = PINDIR_INPUT;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SinkPin::EndOfStream() {
    ++endOfStreams;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SinkPin::Receive(IMediaSample* sample) {
    ReceivedSample got;
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    long length = sample->GetActualDataLength();
    got.data.assign(data, data + length);
    got.timed = SUCCEEDED(sample->GetTime(&got.start, &got.stop));
    got.discontinuity = sample->IsDiscontinuity() == S_OK;
    AM_MEDIA_TYPE* type = nullptr;
    if (sample->GetMediaType(&type) == S_OK && type != nullptr) {
        got.typeAttached = true;
        if (type->cbFormat >= sizeof(WAVEFORMATEX)) std::memcpy(&got.attached, type->pbFormat, sizeof(got.attached));
        DeleteMediaType(type);
    }
    samples.push_back(std::move(got));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SinkPin::ReceiveMultiple(IMediaSample** list, long count, long* done) {
    long n = 0;
    while (n < count && Receive(list[n]) == S_OK) ++n;
    if (done != nullptr) *done = n;
    return S_OK;
}
