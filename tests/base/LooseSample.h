#pragma once
// A media sample from an allocator of its own, for handing to a pin outside any stream.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

struct LooseSample {
    explicit LooseSample(long bytes);
    ~LooseSample();
    LooseSample(const LooseSample&) = delete;
    LooseSample& operator=(const LooseSample&) = delete;

    Microsoft::WRL::ComPtr<IMemAllocator> allocator;
    Microsoft::WRL::ComPtr<IMediaSample> sample;  // null when the allocator could not be had
};
