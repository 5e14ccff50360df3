#include "ReverbEngine.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <new>

ReverbEngine::ReverbEngine() = default;

ReverbEngine::~ReverbEngine() { ReleaseBuffers(); }

float* ReverbEngine::AllocateFloats(size_t count) { return new (std::nothrow) float[count](); }

void ReverbEngine::FreeFloats(float* memory) { delete[] memory; }

bool ReverbEngine::IsPrepared() const { return state_.prepared; }

bool ReverbEngine::AllocateLine(float*& data, size_t count) {
    data = AllocateFloats(count);
    return data != nullptr;
}

int ReverbEngine::PrepareStreaming(const WaveFormat* input, const WaveFormat* output) {
    ReleaseBuffers();  // the filter pairs the calls; a stray second call must not leak
    SetConnectionFormat(0, input);
    SetConnectionFormat(1, output);
    if (input == nullptr || output == nullptr) return -1;
    const uint32_t rate = input->sampleRate;
    if (rate == 0 || rate > kMaxSampleRate) return -1;
    if (input->channels < 1 || input->channels > 2) return -1;
    if (output->channels < 1 || output->channels > 2) return -1;
    state_.sampleRate = rate;
    state_.inputChannels = input->channels;
    state_.outputChannels = output->channels;

    // Full-room sizes; a line always holds at least one slot so that very low rates
    // still index valid memory.
    for (int i = 0; i < network::kLineCount; ++i) {
        DelayLine& line = state_.lines[i];
        line.allocated = std::max<int32_t>(1, int32_t(int64_t(network::kNominalLength[i]) * rate / 20000));
        line.length = line.allocated;
        line.position = 0;
        if (!AllocateLine(line.data, size_t(line.allocated))) return ReleaseBuffers(), -1;
    }
    DelayLine& pre = state_.preDelay;
    pre.allocated = std::max<int32_t>(1, int32_t(int64_t(rate) * 250 / 1000));
    pre.length = pre.allocated;
    pre.position = 0;
    if (!AllocateLine(pre.data, size_t(pre.allocated))) return ReleaseBuffers(), -1;

    // Twice the longest early tap, rounded up to a power of two.
    uint32_t longest = uint32_t(rate * 0.3163265306122449);
    int bits = 0;
    while (longest > 0) { ++bits; longest >>= 1; }
    state_.early.size = int32_t(1) << (bits + 1);
    state_.early.position = 0;
    if (!AllocateLine(state_.early.data, size_t(state_.early.size))) return ReleaseBuffers(), -1;

    for (int i = 0; i < network::kOutputTaps; ++i) {
        state_.taps.left[i] = int32_t(int64_t(network::kOutputLeft[i].offset) * rate / 20000);
        state_.taps.right[i] = int32_t(int64_t(network::kOutputRight[i].offset) * rate / 20000);
    }
    state_.prepared = true;
    ResetState();

    ReverbParams snapshot;
    TakeSnapshot(snapshot);
    return UpdateCoefficients(snapshot);
}

void ReverbEngine::ResetState() {
    state_.cachedRoomSize = 0;
    state_.coefficientsValid = false;
    state_.tailFrames = 0;
    state_.filters = FilterState();
    for (auto& side : clipHold_)
        for (auto& slot : side) slot.store(0, std::memory_order_relaxed);
    for (auto& meter : peak_) meter.store(0.0f, std::memory_order_relaxed);
}

int ReverbEngine::ReleaseBuffers() {
    for (DelayLine& line : state_.lines) {
        if (line.data != nullptr) FreeFloats(line.data);
        line.data = nullptr;
    }
    if (state_.preDelay.data != nullptr) FreeFloats(state_.preDelay.data);
    state_.preDelay.data = nullptr;
    if (state_.early.data != nullptr) FreeFloats(state_.early.data);
    state_.early.data = nullptr;
    state_.prepared = false;
    for (auto& meter : peak_) meter.store(0.0f, std::memory_order_relaxed);
    return 0;
}

// Clears whole allocations: slots beyond a current length are never read before the next
// room change clears them again, so this equals clearing the current lengths.
void ReverbEngine::ClearNetwork() {
    for (DelayLine& line : state_.lines) std::fill(line.data, line.data + line.allocated, 0.0f);
    std::fill(state_.early.data, state_.early.data + state_.early.size, 0.0f);
}

// A non-finite value anywhere in the network reaches one of the recursive filter states
// within a pass through the pre-delay and the tank, so checking those few values after each
// block is enough to find it; everything is then cleared so the reverb can ring again.
void ReverbEngine::ClearAfterNonFinite() {
    const FilterState& f = state_.filters;
    const float values[] = {f.lowPass,        f.highPassAllpass, f.highPassPrev,
                            f.shelfAllpass[0], f.shelfAllpass[1], f.shelfPrev[0],
                            f.shelfPrev[1],    f.damping[0],      f.damping[1]};
    if (std::all_of(std::begin(values), std::end(values), [](float v) { return std::isfinite(v); }))
        return;
    ClearNetwork();
    std::fill(state_.preDelay.data, state_.preDelay.data + state_.preDelay.allocated, 0.0f);
    state_.filters = FilterState();
}
