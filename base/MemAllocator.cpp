#include "MemAllocator.h"

#include <new>

#include "MediaSample.h"

namespace {

// Where VirtualAlloc places blocks; no alignment beyond it can be promised.
constexpr long kAllocationGranularity = 65536;

class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK* lock) : lock_(lock) { AcquireSRWLockExclusive(lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK* lock_;
};

}  // namespace

IMemAllocator* MemAllocator::Create() {
    auto* allocator = new (std::nothrow) MemAllocator();
    if (!allocator) return nullptr;
    IMemAllocator* counted = nullptr;
    allocator->NonDelegatingQueryInterface(IID_IMemAllocator, reinterpret_cast<void**>(&counted));
    return counted;
}

MemAllocator::MemAllocator() : UnknownObject(nullptr) {}

MemAllocator::~MemAllocator() {
    FreeBuffers();
}

HRESULT STDMETHODCALLTYPE MemAllocator::NonDelegatingQueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IMemAllocator)) return GetInterface(static_cast<IMemAllocator*>(this), out);
    return UnknownObject::NonDelegatingQueryInterface(iid, out);
}

HRESULT STDMETHODCALLTYPE MemAllocator::SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) {
    if (!request || !actual) return E_POINTER;
    ExclusiveLock lock(&lock_);
    if (committed_) return VFW_E_ALREADY_COMMITTED;
    if (sampleCount_ != 0) return VFW_E_BUFFERS_OUTSTANDING;
    const long align = request->cbAlign;
    if (align <= 0 || (align & (align - 1)) != 0 || kAllocationGranularity % align != 0) return VFW_E_BADALIGN;
    if (request->cBuffers < 0 || request->cbBuffer < 0 || request->cbPrefix < 0) return E_INVALIDARG;
    const LONGLONG whole = (LONGLONG(request->cbBuffer) + request->cbPrefix + align - 1) / align * align;
    if (whole > MAXLONG) return E_INVALIDARG;
    props_ = *request;
    props_.cbBuffer = long(whole - request->cbPrefix);
    *actual = props_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MemAllocator::GetProperties(ALLOCATOR_PROPERTIES* props) {
    if (!props) return E_POINTER;
    ExclusiveLock lock(&lock_);
    *props = props_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MemAllocator::Commit() {
    ExclusiveLock lock(&lock_);
    if (committed_) return S_OK;
    if (props_.cbBuffer <= 0) return VFW_E_SIZENOTSET;
    if (props_.cBuffers <= 0) return VFW_E_BUFFER_NOTSET;
    // Buffers still out from before a Decommit are taken up again as they are.
    HRESULT hr = sampleCount_ != 0 ? S_OK : AllocateBuffers();
    if (SUCCEEDED(hr)) committed_ = true;
    return hr;
}

HRESULT STDMETHODCALLTYPE MemAllocator::Decommit() {
    bool wake;
    {
        ExclusiveLock lock(&lock_);
        if (!committed_) return S_OK;
        committed_ = false;
        if (freeCount_ == sampleCount_) FreeBuffers();
        wake = waiting_ != 0;
    }
    if (wake) WakeAllConditionVariable(&bufferFree_);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MemAllocator::GetBuffer(IMediaSample** sample, REFERENCE_TIME*, REFERENCE_TIME*,
                                                  DWORD flags) {
    if (!sample) return E_POINTER;
    *sample = nullptr;
    MediaSample* taken;
    {
        ExclusiveLock lock(&lock_);
        for (;;) {
            if (!committed_) return VFW_E_NOT_COMMITTED;
            if (freeCount_ != 0) break;
            if (flags & AM_GBF_NOWAIT) return VFW_E_TIMEOUT;
            ++waiting_;
            SleepConditionVariableSRW(&bufferFree_, &lock_, INFINITE, 0);
            --waiting_;
        }
        taken = free_[--freeCount_];
        taken->Hand();
    }
    AddRef();  // for the sample while it is out
    *sample = taken;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MemAllocator::ReleaseBuffer(IMediaSample* sample) {
    if (!sample) return E_POINTER;
    bool wake;
    {
        ExclusiveLock lock(&lock_);
        int index = 0;
        while (index < sampleCount_ && samples_[index] != sample) ++index;
        if (index == sampleCount_ || freeCount_ == sampleCount_) return E_INVALIDARG;
        free_[freeCount_++] = samples_[index];
        if (!committed_ && freeCount_ == sampleCount_) FreeBuffers();
        wake = waiting_ != 0;
    }
    if (wake) WakeConditionVariable(&bufferFree_);
    Release();  // the sample's reference, perhaps the last one
    return S_OK;
}

HRESULT MemAllocator::AllocateBuffers() {
    const long count = props_.cBuffers, step = props_.cbPrefix + props_.cbBuffer;
    const ULONGLONG bytes = ULONGLONG(count) * ULONGLONG(step);
    if (bytes > ULONGLONG(SIZE_MAX) / 2) return E_OUTOFMEMORY;
    memory_ = static_cast<BYTE*>(VirtualAlloc(nullptr, SIZE_T(bytes), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    samples_ = new (std::nothrow) MediaSample*[count]();
    free_ = new (std::nothrow) MediaSample*[count];
    if (!memory_ || !samples_ || !free_) {
        FreeBuffers();
        return E_OUTOFMEMORY;
    }
    for (long i = 0; i < count; ++i) {
        BYTE* buffer = memory_ + SIZE_T(i) * step + props_.cbPrefix;
        samples_[i] = new (std::nothrow) MediaSample(this, buffer, props_.cbBuffer);
        if (!samples_[i]) {
            sampleCount_ = int(i);
            FreeBuffers();
            return E_OUTOFMEMORY;
        }
        free_[i] = samples_[i];
    }
    sampleCount_ = freeCount_ = int(count);
    return S_OK;
}

void MemAllocator::FreeBuffers() {
    for (int i = 0; i < sampleCount_; ++i) delete samples_[i];
    delete[] samples_;
    delete[] free_;
    if (memory_) VirtualFree(memory_, 0, MEM_RELEASE);
    samples_ = free_ = nullptr;
    memory_ = nullptr;
    sampleCount_ = freeCount_ = 0;
}
