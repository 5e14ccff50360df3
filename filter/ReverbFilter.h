#pragma once
#include <windows.h>
#include <dshow.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "IFactoryPresets.h"
#include "ReverbControl.h"
#include "TransformFilter.h"
#include "WaveFormat.h"

// The reverb as a transform filter: negotiates 1- or 2-channel float or integer audio in
// and the same format with the chosen output layout out, renders every input sample
// through the engine into as many output samples as the output buffers need, plays the
// tail out at end of stream, keeps its parameters in the host's saved graph and names
// the editor as its property page.
class ReverbFilter : public TransformFilter,
                     public ISpecifyPropertyPages,
                     public IPersistStream,
                     public IFactoryPresets {
public:
    // Class-factory entry: a new filter's nondelegating IUnknown, or null with *hr set.
    static IUnknown* Create(IUnknown* outer, HRESULT* hr);

    explicit ReverbFilter(IUnknown* outer);

    FORWARD_IUNKNOWN_TO_OWNER
    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;

    // Media negotiation.
    HRESULT CheckInputType(const AM_MEDIA_TYPE* mt) override;
    HRESULT CheckTransform(const AM_MEDIA_TYPE* in, const AM_MEDIA_TYPE* out) override;
    HRESULT GetMediaType(int position, AM_MEDIA_TYPE* mt) override;
    HRESULT DecideBufferSize(IMemAllocator* alloc, ALLOCATOR_PROPERTIES* request) override;
    HRESULT SetMediaType(PIN_DIRECTION dir, const AM_MEDIA_TYPE* mt) override;
    HRESULT BreakConnect(PIN_DIRECTION dir) override;
    HRESULT CompleteConnect(PIN_DIRECTION dir, IPin* receivePin) override;
    HRESULT CheckInputPinMediaType(const AM_MEDIA_TYPE* mt) override;

    // Streaming.
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;
    HRESULT Receive(IMediaSample* sample) override;
    HRESULT EndOfStream() override;
    HRESULT EndFlush() override;
    HRESULT NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // ISpecifyPropertyPages
    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

    // IPersistStream
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;

    // IFactoryPresets
    HRESULT STDMETHODCALLTYPE GetPresetCount(int* count) override;
    HRESULT STDMETHODCALLTYPE GetPresetName(int index, WCHAR* name, int length) override;
    HRESULT STDMETHODCALLTYPE SelectPreset(int index) override;

    ReverbControl& Engine() { return engine_; }

private:
    // The output channel count StereoOutput asks for; a first read stores stereo.
    int OutputChannels();
    // Renders into `out` (input frames, or the tail when `input` is null) and sets its data
    // length. Returns the engine's result, or -1 when the buffer cannot hold one frame.
    int Render(int mode, const BYTE* input, uint32_t* inputFrames, IMediaSample* out);
    // When the output format no longer matches StereoOutput or the input: announces the
    // new type on `out` and makes it the output pin's type and the stored output format.
    HRESULT FollowOutputLayout(IMediaSample* out);
    // Scratch buffers and engine memory for the stored formats, which it remembers.
    HRESULT Prepare();
    bool FormatsChangedSincePrepare() const;
    HRESULT AllocateScratch();
    void ReleaseScratch();

    ReverbControl engine_;
    WaveFormat inputFormat_ = {};
    WaveFormat outputFormat_ = {};
    WaveFormat preparedInput_ = {};
    WaveFormat preparedOutput_ = {};
    // The bits that carry each input and output sample: fewer than the container's for
    // 24-bit samples in 32-bit containers, which leave the low byte 0.
    uint16_t validBits_[2] = {};

    // Integer streams go through float scratch buffers sized when streaming starts.
    std::unique_ptr<float[]> scratchIn_;
    std::unique_ptr<float[]> scratchOut_;
    uint32_t scratchFrames_ = 0;

    // The next sample starts a new run even when its source does not flag it.
    std::atomic<bool> pendingDiscontinuity_{true};
};
