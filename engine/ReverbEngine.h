#pragma once
#include <cstddef>
#include <cstdint>

#include "EngineState.h"
#include "ParameterControl.h"
#include "ReverbParams.h"
#include "WaveFormat.h"

namespace steps {
struct MixWeights;
}

// The plate reverberator: delay network sized per streaming run, coefficients derived
// from a parameter snapshot, and the per-frame signal flow with meters and tail play-out.
// It is also the control object behind the filter's parameter interface.
class ReverbEngine : public ParameterControl {
public:
    enum Mode : int { kModeFirst = 0, kModeContinue = 1, kModeTail = 2 };

    // Rates above this are refused: the memory they would ask for has no use.
    static constexpr uint32_t kMaxSampleRate = 768000;

    ReverbEngine();
    ~ReverbEngine() override;

    // Keeps both format references, sizes and allocates all memory for the input's sample
    // rate, resets all state and runs one coefficient update. 0 on success, negative when
    // memory cannot be had or the formats cannot be rendered (nothing is then held).
    int PrepareStreaming(const WaveFormat* input, const WaveFormat* output);

    // Frees every line and clears the peak meters. Returns 0.
    int ReleaseBuffers();

    // Derives everything the frame loop multiplies with from `snapshot`. Returns 0, or -1
    // when no memory is held (there is nothing to size yet).
    int UpdateCoefficients(const ReverbParams& snapshot);

    // Renders one block. `input` holds interleaved floats in the input format's channel
    // count, or is null in kModeTail. On entry *inputCount is the number of frames offered
    // and *outputCount the output capacity in frames; on return they hold the frames
    // consumed (only when input was given) and written. Returns 1 in kModeTail when the
    // tail is complete, a negative value on failure, otherwise 0.
    int ProcessBlock(int mode, const float* input, uint32_t* inputCount, float* output,
                     uint32_t* outputCount);

    bool IsPrepared() const;

    // Frames of tail played out after the input with `params` (0 when Tail is off): the
    // longer of the high- and low-band decay times. Known up front, for progress reports.
    static uint32_t TailFrames(const ReverbParams& params, uint32_t sampleRate);

    // Read-only view of the DSP state, for inspection.
    const EngineState& State() const { return state_; }

protected:
    // Zero-filled memory for `count` floats, or null. Overridable so that failure can be
    // exercised; an override releases the buffers in its own destructor, since this class's
    // destructor can only reach its own FreeFloats.
    virtual float* AllocateFloats(size_t count);
    virtual void FreeFloats(float* memory);

    struct BlockPeaks {
        float inLeft = 0, inRight = 0, outLeft = 0, outRight = 0;
    };

    // Runs `frames` frames through the network with the current coefficients, raises
    // `peaks` and the overload indicators. Overridable so that another rendering of the same
    // network can be compared with this one sample for sample.
    virtual void RenderFrames(const float* input, float* output, uint32_t frames, int32_t width,
                              BlockPeaks& peaks);

    EngineState state_;

private:
    bool AllocateLine(float*& data, size_t count);
    void ResetState();
    void ClearNetwork();
    void ClearAfterNonFinite();
    int Bypass(int mode, const float* input, float* output, uint32_t frames);
    template <bool stereoIn, bool stereoOut>
    void RenderLayout(const float* input, float* output, uint32_t frames, int32_t width,
                      BlockPeaks& peaks);
    template <bool stereoIn, bool stereoOut>
    void StepFrames(const float* input, float* output, uint32_t frames,
                    const steps::MixWeights& mix, FilterState& filters, BlockPeaks& peaks);
    void UpdateMeters(const BlockPeaks& peaks);
};
