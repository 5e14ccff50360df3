#pragma once
#include "ReverbEngine.h"

// The engine with the network stepped frame by frame, as it was rendered before the block
// was split into runs of sections: the reference the run-wise rendering must equal bit for
// bit.
class ReferenceEngine : public ReverbEngine {
protected:
    void RenderFrames(const float* input, float* output, uint32_t frames, int32_t width,
                      BlockPeaks& peaks) override;

private:
    template <bool stereoIn, bool stereoOut>
    void RenderLayout(const float* input, float* output, uint32_t frames, int32_t width,
                      BlockPeaks& peaks);
};
