#include "LooseSample.h"

LooseSample::LooseSample(long bytes) {
    if (FAILED(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                reinterpret_cast<void**>(allocator.GetAddressOf()))))
        return;
    ALLOCATOR_PROPERTIES want = {1, bytes, 1, 0}, got = {};
    if (SUCCEEDED(allocator->SetProperties(&want, &got)) && SUCCEEDED(allocator->Commit()))
        allocator->GetBuffer(sample.GetAddressOf(), nullptr, nullptr, 0);
}

LooseSample::~LooseSample() {
    sample.Reset();
    if (allocator) allocator->Decommit();
}
