#include <algorithm>

#include "ReverbEngine.h"

uint32_t ReverbEngine::TailFrames(const ReverbParams& p, uint32_t rate) {
    if (p.Tail == 0) return 0;
    const int64_t tenths = std::max<int64_t>(p.DecayTime, int64_t(p.BassMultiply) * p.DecayTime / 10);
    return uint32_t(int64_t(rate) * tenths / 10);
}

int ReverbEngine::ProcessBlock(int mode, const float* input, uint32_t* inputCount, float* output,
                               uint32_t* outputCount) {
    if (outputCount == nullptr || (input != nullptr && inputCount == nullptr)) return -1;
    if (!state_.prepared) {
        *outputCount = 0;
        if (input != nullptr) *inputCount = 0;
        return -1;
    }
    uint32_t n = output != nullptr ? *outputCount : 0;
    if (input != nullptr) n = std::min(n, *inputCount);

    int result = 0;
    uint32_t written = n;
    if (GetBypass() != 0) {
        result = Bypass(mode, input, output, n);
        if (mode == kModeTail) written = 0;
    } else {
        ReverbParams snapshot;
        const bool changed = TakeSnapshot(snapshot);
        if (changed || !state_.coefficientsValid) {
            const int updated = UpdateCoefficients(snapshot);
            if (updated < 0) return updated;
        }
        if (mode == kModeFirst) state_.tailFrames = TailFrames(snapshot, state_.sampleRate);
        if (mode == kModeTail) {
            n = written = std::min(n, state_.tailFrames);
            state_.tailFrames -= n;
            if (state_.tailFrames == 0) result = 1;
        }
        BlockPeaks peaks;
        RenderFrames(input, output, n, snapshot.Width, peaks);
        UpdateMeters(peaks);
        ClearAfterNonFinite();
    }
    if (input != nullptr) *inputCount = n;
    *outputCount = written;
    return result;
}

int ReverbEngine::Bypass(int mode, const float* input, float* output, uint32_t frames) {
    const int inChannels = state_.inputChannels;
    const int outChannels = state_.outputChannels;
    if (input == nullptr) {
        // Nothing to pass on: a tail block writes nothing, any other block silence.
        if (mode != kModeTail) std::fill(output, output + size_t(frames) * outChannels, 0.0f);
    } else if (inChannels == outChannels) {
        std::copy(input, input + size_t(frames) * inChannels, output);
    } else if (inChannels == 1) {
        for (uint32_t i = 0; i < frames; ++i) output[2 * i] = output[2 * i + 1] = input[i];
    } else {
        for (uint32_t i = 0; i < frames; ++i) output[i] = (input[2 * i] + input[2 * i + 1]) * 0.5f;
    }
    for (auto& meter : peak_) meter.store(0.0f, std::memory_order_relaxed);
    return mode == kModeTail ? 1 : 0;
}

void ReverbEngine::UpdateMeters(const BlockPeaks& peaks) {
    const float block[kMeterCount] = {peaks.inLeft, peaks.inRight, peaks.outLeft, peaks.outRight};
    const bool rearm = rearmMeters_.exchange(false, std::memory_order_relaxed);
    for (int i = 0; i < kMeterCount; ++i) {
        const float held = peak_[i].load(std::memory_order_relaxed);
        peak_[i].store(rearm ? block[i] : std::max(held, block[i]), std::memory_order_relaxed);
    }
}
