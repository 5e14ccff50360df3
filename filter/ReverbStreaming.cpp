#include <windows.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "AudioFormat.h"
#include "MediaType.h"
#include "ReverbFilter.h"
#include "SampleConversion.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"

void ReverbFilter::ReleaseScratch() {
    scratchIn_.reset();
    scratchOut_.reset();
    scratchFrames_ = 0;
}

HRESULT ReverbFilter::AllocateScratch() {
    ReleaseScratch();
    if (inputFormat_.formatTag != kWaveFormatPcm) return S_OK;
    ALLOCATOR_PROPERTIES props = {};
    IMemAllocator* alloc = OutputPin()->Allocator();
    if (alloc == nullptr || FAILED(alloc->GetProperties(&props)) || props.cbBuffer <= 0)
        return VFW_E_NO_ALLOCATOR;
    // Enough frames for a whole buffer in the narrowest layout (16-bit mono), 2 channels
    // each way.
    const uint32_t frames = static_cast<uint32_t>(props.cbBuffer) / sizeof(int16_t);
    scratchIn_.reset(new (std::nothrow) float[frames * 2]);
    scratchOut_.reset(new (std::nothrow) float[frames * 2]);
    if (!scratchIn_ || !scratchOut_) {
        ReleaseScratch();
        return E_OUTOFMEMORY;
    }
    scratchFrames_ = frames;
    return S_OK;
}

HRESULT ReverbFilter::Prepare() {
    HRESULT hr = AllocateScratch();
    if (FAILED(hr)) return hr;
    if (engine_.PrepareStreaming(&inputFormat_, &outputFormat_) < 0) {
        ReleaseScratch();
        return E_OUTOFMEMORY;
    }
    preparedInput_ = inputFormat_;
    preparedOutput_ = outputFormat_;
    return S_OK;
}

bool ReverbFilter::FormatsChangedSincePrepare() const {
    return std::memcmp(&preparedInput_, &inputFormat_, sizeof(WaveFormat)) != 0 ||
           std::memcmp(&preparedOutput_, &outputFormat_, sizeof(WaveFormat)) != 0;
}

HRESULT ReverbFilter::StartStreaming() {
    HRESULT hr = Prepare();
    if (SUCCEEDED(hr)) pendingDiscontinuity_ = true;
    return hr;
}

HRESULT ReverbFilter::StopStreaming() {
    engine_.ReleaseBuffers();
    ReleaseScratch();
    return S_OK;
}

HRESULT ReverbFilter::EndFlush() {
    pendingDiscontinuity_ = true;
    return TransformFilter::EndFlush();
}

HRESULT ReverbFilter::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    pendingDiscontinuity_ = true;
    return TransformFilter::NewSegment(start, stop, rate);
}

int ReverbFilter::Render(int mode, const BYTE* input, uint32_t* inputFrames, IMediaSample* out) {
    BYTE* target = nullptr;
    if (FAILED(out->GetPointer(&target)) || target == nullptr || out->GetSize() <= 0) return -1;
    const uint32_t outBlock = outputFormat_.blockAlign;
    if (outBlock == 0) return -1;
    uint32_t capacity = static_cast<uint32_t>(out->GetSize()) / outBlock;
    if (inputFormat_.formatTag == kWaveFormatPcm) capacity = std::min(capacity, scratchFrames_);
    if (capacity == 0) return -1;

    uint32_t written = capacity;
    int result;
    if (inputFormat_.formatTag == kWaveFormatIeeeFloat) {
        result = engine_.ProcessBlock(mode, reinterpret_cast<const float*>(input), inputFrames,
                                      reinterpret_cast<float*>(target), &written);
    } else {
        const float* source = nullptr;
        if (input != nullptr) {
            *inputFrames = std::min(*inputFrames, capacity);
            // Reading the whole container is right for fewer valid bits too: the rest are 0.
            const PcmLayout layout = {uint16_t(inputFormat_.bitsPerSample / 8), inputFormat_.bitsPerSample};
            PcmToFloat(input, layout, scratchIn_.get(), size_t(*inputFrames) * inputFormat_.channels);
            source = scratchIn_.get();
        }
        result = engine_.ProcessBlock(mode, source, inputFrames, scratchOut_.get(), &written);
        const PcmLayout layout = {uint16_t(outputFormat_.bitsPerSample / 8), validBits_[1]};
        if (result >= 0) FloatToPcm(scratchOut_.get(), layout, target, size_t(written) * outputFormat_.channels);
    }
    if (result >= 0) out->SetActualDataLength(static_cast<long>(written * outBlock));
    return result;
}

HRESULT ReverbFilter::FollowOutputLayout(IMediaSample* out) {
    const bool follows = outputFormat_.channels == OutputChannels() &&
                         outputFormat_.formatTag == inputFormat_.formatTag &&
                         outputFormat_.sampleRate == inputFormat_.sampleRate &&
                         outputFormat_.bitsPerSample == inputFormat_.bitsPerSample &&
                         validBits_[1] == validBits_[0];
    if (follows) return S_OK;
    MediaType next;
    HRESULT hr = GetMediaType(0, next.Raw());
    if (FAILED(hr)) return hr;
    // A downstream pin that cannot follow keeps the layout it was connected with.
    if (OutputPin()->QueryAcceptDownstream(&next.Get()) != S_OK) return S_OK;
    // The pin's type is read under the filter lock by the application's thread; a state
    // change may hold that lock while it waits for this thread, so never wait for it here:
    // the switch simply happens with a later sample.
    if (!TryEnterCriticalSection(FilterLock())) return S_OK;
    hr = out->SetMediaType(next.Raw());
    if (SUCCEEDED(hr)) hr = OutputPin()->SetCurrentMediaType(&next.Get());
    LeaveCriticalSection(FilterLock());
    return hr;
}

HRESULT ReverbFilter::Receive(IMediaSample* sample) {
    if (sample == nullptr) return E_POINTER;
    if (!engine_.IsPrepared()) return VFW_E_WRONG_STATE;
    BYTE* input = nullptr;
    HRESULT hr = sample->GetPointer(&input);
    if (FAILED(hr)) return hr;
    const long length = sample->GetActualDataLength();
    const uint32_t inBlock = inputFormat_.blockAlign;
    if (input == nullptr || inBlock == 0 || length < 0 || length > sample->GetSize() ||
        length % inBlock != 0)
        return E_INVALIDARG;

    REFERENCE_TIME start = 0, stop = 0;
    const bool timed = SUCCEEDED(sample->GetTime(&start, &stop));
    const bool flaggedDiscontinuity = sample->IsDiscontinuity() == S_OK;
    const bool pending = pendingDiscontinuity_.exchange(false);
    int mode = flaggedDiscontinuity || pending ? ReverbEngine::kModeFirst : ReverbEngine::kModeContinue;

    IMediaSample* out = nullptr;
    hr = OutputPin()->GetDeliveryBuffer(&out, timed ? &start : nullptr, timed ? &stop : nullptr, 0);
    if (FAILED(hr)) return hr;
    hr = FollowOutputLayout(out);
    // After a format change upstream or downstream the network restarts in the new one,
    // as after a seek.
    if (SUCCEEDED(hr) && FormatsChangedSincePrepare()) {
        hr = Prepare();
        mode = ReverbEngine::kModeFirst;
    }
    if (FAILED(hr)) {
        out->Release();
        return hr;
    }
    out->SetTime(timed ? &start : nullptr, timed ? &stop : nullptr);
    out->SetSyncPoint(sample->IsSyncPoint() == S_OK);
    out->SetDiscontinuity(flaggedDiscontinuity);
    LONGLONG mediaStart = 0, mediaStop = 0;
    if (sample->GetMediaTime(&mediaStart, &mediaStop) == S_OK) out->SetMediaTime(&mediaStart, &mediaStop);

    uint32_t remaining = static_cast<uint32_t>(length);
    for (;;) {
        uint32_t frames = remaining / inBlock;
        int result = Render(mode, input, &frames, out);
        if (result < 0) {
            hr = E_FAIL;
            break;
        }
        const uint32_t consumed = frames * inBlock;
        hr = OutputPin()->Deliver(out);
        if (FAILED(hr) || remaining <= consumed || consumed == 0) break;
        out->Release();
        out = nullptr;
        input += consumed;
        remaining -= consumed;
        mode = ReverbEngine::kModeContinue;
        hr = OutputPin()->GetDeliveryBuffer(&out, nullptr, nullptr, 0);
        if (FAILED(hr)) break;
    }
    if (out != nullptr) out->Release();
    return hr;
}

HRESULT ReverbFilter::EndOfStream() {
    if (OutputPin() == nullptr) return S_OK;
    HRESULT result = S_OK;
    while (engine_.IsPrepared()) {
        IMediaSample* out = nullptr;
        HRESULT hr = OutputPin()->GetDeliveryBuffer(&out, nullptr, nullptr, 0);
        if (FAILED(hr)) return hr;
        int rendered = Render(ReverbEngine::kModeTail, nullptr, nullptr, out);
        const bool complete = rendered == 1;
        if (rendered < 0) result = E_FAIL;
        else if (out->GetActualDataLength() > 0) result = OutputPin()->Deliver(out);
        out->Release();
        if (FAILED(result) || complete) break;
    }
    HRESULT eos = OutputPin()->DeliverEndOfStream();
    return SUCCEEDED(result) ? eos : result;
}
