#pragma once
// ISampleGrabberCB that keeps every float that reaches the grabber, with sample counts.
#include <windows.h>
#include <dshow.h>
#include <qedit.h>
#include <mutex>
#include <vector>

class SampleCollector : public ISampleGrabberCB {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISampleGrabberCB)) {
            *out = static_cast<ISampleGrabberCB*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack and outlives the graph.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE SampleCB(double, IMediaSample* sample) override {
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        long bytes = sample->GetActualDataLength();
        auto* floats = reinterpret_cast<const float*>(data);
        REFERENCE_TIME start = 0, stop = 0;
        bool timed = sample->GetTime(&start, &stop) == S_OK;
        std::lock_guard<std::mutex> lock(mutex_);
        values_.insert(values_.end(), floats, floats + bytes / 4);
        ++samples_;
        // Times must run on without gaps or overlaps, as the source stamped them.
        if (timed && (samples_ == 1 ? start == 0 : start == lastStop_) && stop > start) ++wellTimed_;
        lastStop_ = stop;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

    std::vector<float> Values() {
        std::lock_guard<std::mutex> lock(mutex_);
        return values_;
    }
    int Samples() {
        std::lock_guard<std::mutex> lock(mutex_);
        return samples_;
    }
    int WellTimedSamples() {
        std::lock_guard<std::mutex> lock(mutex_);
        return wellTimed_;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        values_.clear();
        samples_ = 0;
        wellTimed_ = 0;
        lastStop_ = 0;
    }

private:
    std::mutex mutex_;
    std::vector<float> values_;
    int samples_ = 0;
    int wellTimed_ = 0;
    REFERENCE_TIME lastStop_ = 0;
};
