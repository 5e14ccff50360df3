#pragma once
#include <cstdint>

#include "ParameterControl.h"
#include "ReverbParams.h"
#include "WaveFormat.h"

// The plate reverberator: delay network sized per streaming run, coefficients derived
// from a parameter snapshot, and the per-frame signal flow with meters and tail play-out.
// It is also the control object behind the filter's parameter interface.
class ReverbEngine : public ParameterControl {
public:
    enum Mode : int { kModeFirst = 0, kModeContinue = 1, kModeTail = 2 };

    ReverbEngine();
    ~ReverbEngine() override;

    // Keeps both format references, sizes and allocates all memory for the input's sample
    // rate, resets all state and runs one coefficient update. 0 on success, negative when
    // memory cannot be had (nothing is then held).
    int PrepareStreaming(const WaveFormat* input, const WaveFormat* output);

    // Frees every line and clears the peak meters. Returns 0.
    int ReleaseBuffers();

    // Derives everything the frame loop multiplies with from `snapshot`. Returns 0.
    int UpdateCoefficients(const ReverbParams& snapshot);

    // Renders one block. `input` holds interleaved floats in the input format's channel
    // count, or is null in kModeTail. On entry *inputCount is the number of frames offered
    // and *outputCount the output capacity in frames; on return they hold the frames
    // consumed (only when input was given) and written. Returns 1 in kModeTail when the
    // tail is complete, a negative value on failure, otherwise 0.
    int ProcessBlock(int mode, const float* input, uint32_t* inputCount, float* output,
                     uint32_t* outputCount);

    bool IsPrepared() const;
};
