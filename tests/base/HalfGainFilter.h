#pragma once
// A transform filter for the tests: halves 32-bit float audio and records which hooks ran.
#include <atomic>
#include <functional>
#include <wrl/client.h>
#include "TransformFilter.h"

// {5B0E3C64-1B7E-4F0D-8E21-6A6D1C3F9A01}
inline constexpr CLSID CLSID_HalfGainFilter = {0x5b0e3c64, 0x1b7e, 0x4f0d, {0x8e, 0x21, 0x6a, 0x6d, 0x1c, 0x3f, 0x9a, 0x01}};

class HalfGainFilter : public TransformFilter {
public:
    explicit HalfGainFilter(IUnknown* outer = nullptr);

    HRESULT CheckInputType(const AM_MEDIA_TYPE* mt) override;
    HRESULT CheckTransform(const AM_MEDIA_TYPE* in, const AM_MEDIA_TYPE* out) override;
    HRESULT GetMediaType(int position, AM_MEDIA_TYPE* mt) override;
    HRESULT DecideBufferSize(IMemAllocator* alloc, ALLOCATOR_PROPERTIES* request) override;
    HRESULT SetMediaType(PIN_DIRECTION dir, const AM_MEDIA_TYPE* mt) override;
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;
    HRESULT Transform(IMediaSample* in, IMediaSample* out) override;
    HRESULT EndOfStream() override;
    HRESULT BeginFlush() override;

    std::atomic<int> starts{0};
    std::atomic<int> stops{0};
    std::atomic<int> endOfStreams{0};
    std::atomic<int> flushes{0};
    std::atomic<int> inputTypesSet{0};
    std::atomic<int> outputTypesSet{0};
    std::atomic<bool> streamingWhileStopped{false};  // Transform ran outside Start/StopStreaming
    std::function<void()> duringTransform;           // runs inside Transform when set

    // A new filter with the test's reference on it.
    struct Owned {
        Owned() : f(new HalfGainFilter()) {
            f->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(ref.GetAddressOf()));
        }
        HalfGainFilter* f;
        Microsoft::WRL::ComPtr<IBaseFilter> ref;
    };
};
