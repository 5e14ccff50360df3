#include "SampleCollector.h"

#include <cstring>

#include "GraphClasses.h"
#include "SampleConversion.h"

namespace {

// Integer samples at their container's extremes: what the filter's saturation leaves where
// the reverb went beyond full scale.
uint64_t CountExtremes(const BYTE* bytes, size_t count, size_t bytesPerSample) {
    uint64_t extremes = 0;
    for (size_t i = 0; i < count; ++i, bytes += bytesPerSample) {
        const BYTE top = bytes[bytesPerSample - 1];
        if (top != 0x7f && top != 0x80) continue;
        const BYTE rest = top == 0x7f ? 0xff : 0x00;
        size_t b = 0;
        while (b + 1 < bytesPerSample && bytes[b] == rest) ++b;
        if (b + 1 == bytesPerSample) ++extremes;
    }
    return extremes;
}

}  // namespace

SampleCollector::SampleCollector(FrameSink& sink, RenderStats& stats, uint16_t channels,
                                 uint16_t bitsPerSample, bool isFloat)
    : sink_(sink), stats_(stats), channels_(channels), bitsPerSample_(bitsPerSample), isFloat_(isFloat) {}

std::string SampleCollector::Error() {
    std::lock_guard<std::mutex> guard(errorLock_);
    return error_;
}

void SampleCollector::Fail(const std::string& error) {
    std::lock_guard<std::mutex> guard(errorLock_);
    if (error_.empty()) error_ = error;
    failed_ = true;
}

HRESULT STDMETHODCALLTYPE SampleCollector::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIidSampleGrabberCB)) {
        *object = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

int SampleCollector::Convert(const BYTE* bytes, long length, std::vector<float>& frames,
                             std::string& error) const {
    const long bytesPerSample = bitsPerSample_ / 8;
    const long frameBytes = bytesPerSample * channels_;
    if (frameBytes == 0 || length < 0 || length % frameBytes != 0) {
        error = "the filter delivered " + std::to_string(length) + " bytes, not whole " +
                std::to_string(channels_) + "-channel frames";
        return -1;
    }
    const size_t count = static_cast<size_t>(length / bytesPerSample);
    frames.resize(count);
    if (isFloat_)
        std::memcpy(frames.data(), bytes, count * sizeof(float));
    else
        PcmToFloat(bytes, {uint16_t(bytesPerSample), bitsPerSample_}, frames.data(), count);
    return 0;
}

HRESULT STDMETHODCALLTYPE SampleCollector::SampleCB(double, IMediaSample* sample) {
    if (failed_) return S_OK;  // keep the first failure; the waiting thread stops the graph
    BYTE* data = nullptr;
    std::string error;
    if (FAILED(sample->GetPointer(&data)) ||
        Convert(data, sample->GetActualDataLength(), buffer_, error) != 0) {
        Fail(error.empty() ? "a sample from the filter has no data" : error);
        return S_OK;
    }
    const uint32_t count = static_cast<uint32_t>(buffer_.size() / channels_);
    stats_.AddOutput(buffer_.data(), count);
    if (!isFloat_) stats_.AddOutputOverloads(CountExtremes(data, buffer_.size(), bitsPerSample_ / 8));
    if (sink_.Write(buffer_.data(), count, error) != 0) {
        Fail(error);
        return S_OK;
    }
    frames_ += count;
    return S_OK;
}
