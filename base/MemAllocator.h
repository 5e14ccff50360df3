#pragma once
// A memory allocator whose buffers change hands in user mode: an SRW lock and a condition
// variable guard the free list, so taking and returning a buffer costs no system call while
// one is free and nobody waits (a semaphore costs one each way, under Wine a round trip to
// the Wine server). Buffers live from Commit until Decommit or, when samples are still out
// then, until the last one comes back; each outstanding sample holds a reference on the
// allocator. It counts as a live object of the module: a peer may hold it after the filter
// is gone, and the code must stay loaded until it lets go.
#include <windows.h>
#include <dshow.h>

#include "UnknownObject.h"

class MediaSample;

class MemAllocator final : public UnknownObject, public IMemAllocator {
public:
    // A new allocator with one reference for the caller, or null when memory is short.
    static IMemAllocator* Create();

    FORWARD_IUNKNOWN_TO_OWNER
    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** out) override;

    // IMemAllocator. The alignment is a power of two up to the allocation granularity
    // (64 KiB) and applies where the prefix starts; the buffer size grows so that prefix and
    // buffer fill whole alignment steps.
    HRESULT STDMETHODCALLTYPE SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override;
    HRESULT STDMETHODCALLTYPE GetProperties(ALLOCATOR_PROPERTIES* props) override;
    HRESULT STDMETHODCALLTYPE Commit() override;
    HRESULT STDMETHODCALLTYPE Decommit() override;
    // Waits while every buffer is out (VFW_E_TIMEOUT at once with AM_GBF_NOWAIT);
    // VFW_E_NOT_COMMITTED when not committed, also for a wait that Decommit ends. The times
    // are not applied to the sample.
    HRESULT STDMETHODCALLTYPE GetBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                        DWORD flags) override;
    HRESULT STDMETHODCALLTYPE ReleaseBuffer(IMediaSample* sample) override;

private:
    MemAllocator();
    ~MemAllocator() override;

    // With the lock held: makes the buffers and their samples, or frees them all.
    HRESULT AllocateBuffers();
    void FreeBuffers();

    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE bufferFree_ = CONDITION_VARIABLE_INIT;
    ALLOCATOR_PROPERTIES props_ = {};
    bool committed_ = false;
    int waiting_ = 0;
    BYTE* memory_ = nullptr;
    MediaSample** samples_ = nullptr;  // every buffer's sample while buffers exist
    MediaSample** free_ = nullptr;     // a stack of those not handed out
    int sampleCount_ = 0;
    int freeCount_ = 0;
};
