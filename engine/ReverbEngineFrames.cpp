#include <algorithm>

#include "NetworkSteps.h"
#include "ReverbEngine.h"
#include "RingSpan.h"
#include "RunKernels.h"

// The network is rendered in runs of frames, one section after another over the whole run,
// so that everything except the one-pole recursions works on many frames at once. A run is
// never longer than the shortest way by which a value written in it comes back to be read in
// it, so every frame sees exactly the values it would see when the network steps frame by
// frame, and every sample is computed with the same operations in the same order. Runs too
// short to pay for the sections' calls step the network frame by frame instead.

using namespace steps;

namespace {

constexpr int32_t kClipHoldCount = 3;
constexpr int kClipInputSlot = 0;
constexpr int kClipOutputSlot = 2;

// Many vectors long, yet short enough that a run's buffers stay in the first-level cache.
constexpr uint32_t kRunFrames = 256;
// Shorter runs step frame by frame: below this, a run's fixed cost of some twenty kernel calls
// and their set-up exceeds what its vector loops save.
constexpr uint32_t kShortRun = 16;

// One run's input after the gain, and its mid through the input filters: the serial loop
// keeps the low-pass in `filtered` and the high-pass's state beside it, and a vector pass
// makes the high-pass's output of them. The next run's input is filtered while the tank of
// this one recurses, so there are two.
struct RunInput {
    alignas(32) float left[kRunFrames];
    alignas(32) float right[kRunFrames];
    alignas(32) float mid[kRunFrames];
    alignas(32) float filtered[kRunFrames];
    alignas(32) float highPass[kRunFrames];
};

// One run's signals, latest frame first (the order of ForEachSpan). Pairs are indexed by
// tank half (A, B) or by side (left, right).
struct RunBuffers {
    RunInput input[2];
    alignas(32) float diffused[kRunFrames];
    alignas(32) float tankIn[kRunFrames];
    alignas(32) float feedback[2][kRunFrames];
    alignas(32) float damped[2][kRunFrames];
    alignas(32) float tankOut[2][kRunFrames];
    alignas(32) float early[2][kRunFrames];
    alignas(32) float late[2][kRunFrames];
    alignas(32) float kept[2][network::kOutputTaps][kRunFrames];
};

// One term of a sum of taps: where frame 0 of the run reads, its weight, and whether it is
// subtracted. The first term starts the sum.
struct Tap {
    const float* data;
    int32_t length;
    int32_t start;
    float gain;
    bool subtract;
};

// An output tap reads, for each frame, the slot `offset` above the line's position after the
// frame's step (offset 0 reads the slot of offset length). Read after the run's writes, it
// sees the right value as long as the run does not write that slot again before the frame;
// read before them, as long as the value it wants is older than the run.
int32_t TapOffset(const DelayLine& line, int32_t offset) { return offset == 0 ? line.length : offset; }
int32_t AfterWritesLimit(const DelayLine& line, int32_t offset) { return line.length - TapOffset(line, offset) + 1; }
int32_t BeforeWritesLimit(const DelayLine& line, int32_t offset) { return TapOffset(line, offset) - 1; }

// Whether the early taps can be read after the run's diffused samples enter their line: a
// delay of 0 reads the oldest sample, which the frame itself replaces.
bool EarlyAfterWrites(const EngineTaps& taps) {
    const auto zero = [](int32_t d) { return d == 0; };
    return std::none_of(std::begin(taps.earlyDelayLeft), std::end(taps.earlyDelayLeft), zero) &&
           std::none_of(std::begin(taps.earlyDelayRight), std::end(taps.earlyDelayRight), zero);
}

// The longest run whose frames all read values that exist before the run or were written
// earlier in it. Half A reads line 11 before half B writes it. The early taps, read after
// the run's writes, must find their samples not yet replaced, or with a delay of 0 the run
// is a single frame. Each output tap is read before or after the writes, whichever allows
// the longer run.
uint32_t RunLimit(const EngineState& s) {
    int32_t limit = std::min<int32_t>(kRunFrames, s.lines[11].length);
    if (!EarlyAfterWrites(s.taps)) return 1;
    for (int32_t d : s.taps.earlyDelayLeft) limit = std::min(limit, s.early.size - d);
    for (int32_t d : s.taps.earlyDelayRight) limit = std::min(limit, s.early.size - d);
    const auto limitTaps = [&](const network::OutputTap* table, const int32_t* offsets) {
        for (int i = 0; i < network::kOutputTaps; ++i) {
            const DelayLine& line = s.lines[table[i].line];
            limit = std::min(limit, std::max(AfterWritesLimit(line, offsets[i]),
                                             BeforeWritesLimit(line, offsets[i])));
        }
    };
    limitTaps(network::kOutputLeft, s.taps.left);
    limitTaps(network::kOutputRight, s.taps.right);
    return uint32_t(std::max(limit, 1));
}

// The slot `offset` above the line's position, for -length <= offset <= length.
int32_t SlotAbove(const DelayLine& line, int32_t offset) {
    int32_t slot = line.position + offset;
    if (slot < 0) slot += line.length;
    if (slot >= line.length) slot -= line.length;
    return slot;
}

// The sum of `count` taps over a run no longer than any tapped line, in one pass per stretch
// of the run on which no tap wraps. Frame index i (latest first) of a tap reads the slot
// start - (n - 1 - i), so a tap whose start lies below n - 1 wraps between the indices
// n - 2 - start and n - 1 - start.
void SumTaps(const Tap* taps, int count, float scale, float* sum, uint32_t n) {
    uint32_t cuts[kernels::kMaxTaps + 1];
    float gains[kernels::kMaxTaps];
    int cutCount = 0;
    // The cuts in rising order, ending with n.
    const auto cut = [&](uint32_t at) {
        int k = cutCount++;
        for (; k > 0 && cuts[k - 1] > at; --k) cuts[k] = cuts[k - 1];
        cuts[k] = at;
    };
    for (int t = 0; t < count; ++t) {
        if (taps[t].start < int32_t(n) - 1) cut(n - 1 - uint32_t(taps[t].start));
        gains[t] = t > 0 && taps[t].subtract ? -taps[t].gain : taps[t].gain;
    }
    cut(n);
    const float* at[kernels::kMaxTaps];
    uint32_t from = 0;
    for (int k = 0; k < cutCount; ++k) {
        if (cuts[k] == from) continue;
        for (int t = 0; t < count; ++t) {
            int32_t slot = taps[t].start - int32_t(n - 1 - from);
            if (slot < 0) slot += taps[t].length;
            at[t] = taps[t].data + slot;
        }
        kernels::TapSum(at, gains, count, scale, sum + from, cuts[k] - from);
        from = cuts[k];
    }
}

// The reads of one run from `line` starting `offset` slots above its position; the
// position stays. The feedback's reads come through the decay gain.
void ReadRun(const DelayLine& line, int32_t offset, float* out, uint32_t n) {
    ForEachSpan(SlotAbove(line, offset), line.length, n,
                [&](int32_t slot, uint32_t k, uint32_t m) {
                    kernels::Copy(line.data + slot, out + k, m);
                });
}

void ReadRunTimes(const DelayLine& line, int32_t offset, float gain, float* out, uint32_t n) {
    ForEachSpan(SlotAbove(line, offset), line.length, n,
                [&](int32_t slot, uint32_t k, uint32_t m) {
                    kernels::Times(line.data + slot, out + k, m, gain);
                });
}

// The input filters' serial step of one frame, its output made later by FilterOutputs.
inline void FilterStep(FilterState& f, RunInput& r, const float* mid, uint32_t i,
                       const EngineCoefficients& c) {
    InputRecursions(f, mid[i], c);
    r.filtered[i] = f.lowPass;
    r.highPass[i] = f.highPassAllpass;
}

void FilterOutputs(RunInput& r, uint32_t n, const EngineCoefficients& c) {
    if (c.highPassCoef == 0.0f) return;
    for (uint32_t i = 0; i < n; ++i) r.filtered[i] = HighPassOutput(r.filtered[i], r.highPass[i]);
}

void WriteRun(DelayLine& line, const float* in, uint32_t n) {
    line.position = ForEachSpan(line.position, line.length, n, [&](int32_t slot, uint32_t k, uint32_t m) {
        kernels::Copy(in + k, line.data + slot, m);
    });
}

// The line's samples out through `exchange` with `value`, the run's samples in; `map` is the
// same arithmetic from one array into another.
template <class Exchange, class Map>
void ExchangeRun(DelayLine& line, const float* in, float* out, uint32_t n, Exchange exchange, Map map,
                 float value) {
    const uint32_t length = uint32_t(line.length);
    if (length >= n) {
        line.position = ForEachSpan(line.position, line.length, n, [&](int32_t slot, uint32_t k, uint32_t m) {
            exchange(line.data + slot, in + k, out + k, m, value);
        });
        return;
    }
    // A line shorter than the run (a pre-delay of a few samples, or of one) would cut the run
    // into spans of a few frames. Its first `length` frames exchange with the line, which
    // brings the position round to where it started; every later frame reads the run's own
    // sample of `length` frames before; the last `length` samples stay in the line.
    const int32_t start = line.position;
    ExchangeRun(line, in + (n - length), out + (n - length), length, exchange, map, value);
    map(in + length, out, n - length, value);
    line.position = (start - int32_t((n - length) % length) + line.length) % line.length;
    WriteRun(line, in, length);
}

// Sections in a row over the run on `count` rings, one kernel call per stretch on which
// none of them wraps.
template <size_t count, class Kernel>
void SectionsRun(float* const (&data)[count], int32_t* const (&position)[count], const int32_t (&length)[count],
                 Kernel kernel, const float* in, float* out, uint32_t n, const EngineCoefficients& c) {
    int32_t at[count];
    for (size_t r = 0; r < count; ++r) at[r] = *position[r];
    ForEachCommonSpan(at, length, n, [&](const int32_t* slot, uint32_t k, uint32_t m) {
        float* slots[count];
        for (size_t r = 0; r < count; ++r) slots[r] = data[r] + slot[r];
        kernel(slots, in + k, out + k, m, c);
    });
    for (size_t r = 0; r < count; ++r) *position[r] = at[r];
}

// The four input diffusers, whose second one's output also enters the early-tap line.
void DiffuseRun(DelayLine* l, EarlyTapLine& early, const float* in, float* out, uint32_t n,
                const EngineCoefficients& c) {
    SectionsRun({l[0].data, l[1].data, early.data, l[2].data, l[3].data},
                {&l[0].position, &l[1].position, &early.position, &l[2].position, &l[3].position},
                {l[0].length, l[1].length, early.size, l[2].length, l[3].length}, kernels::Diffuse, in, out, n, c);
}

// The rest of a tank half over the run: allpass, delay, decay gain, allpass and the write
// into its last line; `l` are its allpass, delay, allpass and last lines.
void TankTailRun(DelayLine* l, const float* damped, float* out, uint32_t n, const EngineCoefficients& c) {
    SectionsRun({l[0].data, l[1].data, l[2].data, l[3].data},
                {&l[0].position, &l[1].position, &l[2].position, &l[3].position},
                {l[0].length, l[1].length, l[2].length, l[3].length}, kernels::TankTail, damped, out, n, c);
}

// One frame through an allpass section.
inline float AllpassStep(DelayLine& line, float x, float a, float b) {
    const float d = line.Read();
    const float y = d - a * x;
    line.WriteAndStep(x + b * y);
    return y;
}

// One frame's sum of taps on `count` slots; `at(t)` reads tap t.
template <class At>
inline float TapSum(At at, const float* gains, const bool* subtracts, int count) {
    float sum = at(0) * gains[0];
    for (int t = 1; t < count; ++t)
        sum = subtracts[t] ? sum - at(t) * gains[t] : sum + at(t) * gains[t];
    return sum;
}

}  // namespace

// The network one frame at a time, with the sections in the order of the runs.
template <bool stereoIn, bool stereoOut>
void ReverbEngine::StepFrames(const float* input, float* output, uint32_t frames,
                              const MixWeights& mix, FilterState& f, BlockPeaks& peaks) {
    const EngineCoefficients& c = state_.coef;
    const EngineTaps& taps = state_.taps;
    DelayLine* line = state_.lines;
    EarlyTapLine& early = state_.early;
    HalfState halfA{f.shelfAllpass[0], f.shelfPrev[0], f.damping[0]};
    HalfState halfB{f.shelfAllpass[1], f.shelfPrev[1], f.damping[1]};
    const auto reflect = [&](const int32_t* delays) { return [&early, delays](int t) { return early.Tap(delays[t]); }; };
    const auto tapped = [&](const network::OutputTap* table, const int32_t* offsets) {
        return [line, table, offsets](int t) { return line[table[t].line].Tap(offsets[t]); };
    };

    for (uint32_t i = 0; i < frames; ++i) {
        InputFrame x;
        if (input != nullptr) x = ReadInput<stereoIn>(input + size_t(i) * (stereoIn ? 2 : 1), c);
        peaks.inLeft = kernels::Raise(peaks.inLeft, x.left);
        peaks.inRight = kernels::Raise(peaks.inRight, x.right);

        float earlyLeft = 0.0f, earlyRight = 0.0f;
        if (c.earlyGain != 0.0f) {
            earlyLeft = TapSum(reflect(taps.earlyDelayLeft), taps.earlyGainLeft, kEarlySubtractsLeft,
                               network::kEarlyTapsLeft) * c.earlyGain;
            if constexpr (stereoOut)
                earlyRight = TapSum(reflect(taps.earlyDelayRight), taps.earlyGainRight,
                                    kEarlySubtractsRight, network::kEarlyTapsRight) * c.earlyGain;
        }
        float y = AllpassStep(line[0], InputFilters(f, x.mid, c), c.diffuserCoefA, c.diffuserCoefA);
        y = AllpassStep(line[1], y, c.diffuserCoefB, c.diffuserCoefA);
        early.WriteAndStep(y);
        y = AllpassStep(line[2], y, c.diffuserCoefA, c.diffuserCoefA);
        y = AllpassStep(line[3], y, c.diffuserCoefB, c.diffuserCoefA);
        float tankIn = state_.preDelay.Read();
        state_.preDelay.WriteAndStep(y);
        tankIn = tankIn + kPreDelayOffset;

        // Each half: shelf and damping, allpass, delay, decay gain, allpass, into its last line.
        const auto half = [&](HalfState s, float feedback, DelayLine* lines) {
            const float a = AllpassStep(lines[0], ShelfAndDamping(s, feedback * c.decayGain, tankIn, c),
                                        c.tankAllpassCoef1, c.tankAllpassCoef1);
            float o = lines[1].Read();
            lines[1].WriteAndStep(a);
            o = o * c.decayGain;
            lines[3].WriteAndStep(AllpassStep(lines[2], o, c.tankAllpassCoef2, c.tankAllpassCoef2));
        };
        half(halfA, line[11].Read(), line + 4);
        half(halfB, line[7].Read(), line + 8);

        const float lateLeft = TapSum(tapped(network::kOutputLeft, taps.left), mix.late,
                                      kLateSubtractsLeft, network::kOutputTaps);
        if constexpr (stereoOut) {
            const float lateRight = TapSum(tapped(network::kOutputRight, taps.right), mix.late,
                                           kLateSubtractsRight, network::kOutputTaps);
            float left, right;
            MixStereo(lateLeft, lateRight, earlyLeft, earlyRight, x.left, x.right, c, mix.width, left, right);
            peaks.outLeft = kernels::Raise(peaks.outLeft, left);
            peaks.outRight = kernels::Raise(peaks.outRight, right);
            output[2 * i] = left;
            output[2 * i + 1] = right;
        } else {
            const float out = MixMono(lateLeft, earlyLeft, x.mid, c);
            peaks.outLeft = kernels::Raise(peaks.outLeft, out);
            output[i] = out;
        }
    }
    if constexpr (!stereoOut) peaks.outRight = peaks.outLeft;
}

// One copy of the run loop per channel layout, so that the loops themselves do not branch
// on the layout.
template <bool stereoIn, bool stereoOut>
void ReverbEngine::RenderLayout(const float* input, float* output, uint32_t frames,
                                int32_t width, BlockPeaks& peaks) {
    const EngineCoefficients c = state_.coef;
    const EngineTaps& taps = state_.taps;
    FilterState f = state_.filters;
    DelayLine* line = state_.lines;
    DelayLine& pre = state_.preDelay;
    EarlyTapLine& early = state_.early;
    HalfState halfA{f.shelfAllpass[0], f.shelfPrev[0], f.damping[0]};
    HalfState halfB{f.shelfAllpass[1], f.shelfPrev[1], f.damping[1]};

    const MixWeights mix = MixWeightsFor(c, width);
    const uint32_t limit = frames < kShortRun ? frames : RunLimit(state_);
    if (limit < kShortRun) {
        StepFrames<stereoIn, stereoOut>(input, output, frames, mix, f, peaks);
        state_.filters = f;
        return;
    }

    RunBuffers b;
    if (input == nullptr)
        for (RunInput& r : b.input)
            for (float* v : {r.left, r.right, r.mid}) std::fill(v, v + kRunFrames, kAntiDenormal);
    if (c.earlyGain == 0.0f) {
        std::fill(b.early[0], b.early[0] + kRunFrames, 0.0f);
        std::fill(b.early[1], b.early[1] + kRunFrames, 0.0f);
    }

    // A mono input's left, right and mid are the same samples: its left array serves as all
    // three, and its right peak is its left one.
    const auto rightOf = [](const RunInput& r) -> const float* { return stereoIn ? r.right : r.left; };
    const auto midOf = [](const RunInput& r) -> const float* { return stereoIn ? r.mid : r.left; };
    // The run's input with its peaks; the input filters follow separately. The tail's input
    // is the anti-denormal level that the arrays hold.
    const auto readInput = [&](RunInput& r, uint32_t at, uint32_t n) {
        if (input == nullptr) {
            peaks.inLeft = kernels::Raise(peaks.inLeft, kAntiDenormal);
            peaks.inRight = kernels::Raise(peaks.inRight, kAntiDenormal);
        } else if constexpr (stereoIn) {
            float raised[2] = {peaks.inLeft, peaks.inRight};
            kernels::InputStereo(input + size_t(at) * 2, c.inputGain, r.left, r.right, r.mid, n, raised);
            peaks.inLeft = raised[0];
            peaks.inRight = raised[1];
        } else {
            kernels::InputMono(input + at, c.inputGain, r.left, n, &peaks.inLeft);
            peaks.inRight = peaks.inLeft;
        }
    };
    readInput(b.input[0], 0, std::min(limit, frames));
    for (uint32_t i = std::min(limit, frames); i-- > 0;) FilterStep(f, b.input[0], midOf(b.input[0]), i, c);

    for (uint32_t done = 0, run = 0; done < frames; run ^= 1) {
        const uint32_t n = std::min(limit, frames - done);
        float* out = output + size_t(done) * (stereoOut ? 2 : 1);
        if (n < kShortRun) {
            const float* in = input != nullptr ? input + size_t(done) * (stereoIn ? 2 : 1) : nullptr;
            StepFrames<stereoIn, stereoOut>(in, out, n, mix, f, peaks);
            break;
        }
        const RunInput& x = b.input[run];
        const float* xRight = rightOf(x);
        const float* xMid = midOf(x);
        // The next run, if it is not stepped frame by frame, has its input filtered beside
        // this run's tank: `nextFrames` of `next` are filtered in the tank's loop.
        RunInput& next = b.input[run ^ 1];
        const uint32_t nextLength = std::min(limit, frames - done - n);
        const uint32_t nextFrames = nextLength < kShortRun ? 0 : nextLength;
        if (nextFrames > 0) readInput(next, done + n, nextFrames);
        const float* nextMid = midOf(next);
        const auto filterNext = [&](uint32_t j) {
            if (j < nextFrames) FilterStep(f, next, nextMid, nextFrames - 1 - j, c);
        };
        // The early reflections, read after the run's samples enter their line, with `start`
        // the line's position at the run's first frame.
        const auto earlySums = [&](int32_t start) {
            if (c.earlyGain == 0.0f) return;
            const int32_t mask = early.size - 1;
            Tap left[network::kEarlyTapsLeft], right[network::kEarlyTapsRight];
            for (int t = 0; t < network::kEarlyTapsLeft; ++t)
                left[t] = {early.data, early.size, (start + taps.earlyDelayLeft[t]) & mask,
                           taps.earlyGainLeft[t], kEarlySubtractsLeft[t]};
            for (int t = 0; t < network::kEarlyTapsRight; ++t)
                right[t] = {early.data, early.size, (start + taps.earlyDelayRight[t]) & mask,
                            taps.earlyGainRight[t], kEarlySubtractsRight[t]};
            SumTaps(left, network::kEarlyTapsLeft, c.earlyGain, b.early[0], n);
            if constexpr (stereoOut) SumTaps(right, network::kEarlyTapsRight, c.earlyGain, b.early[1], n);
        };

        FilterOutputs(b.input[run], n, c);
        const int32_t earlyStart = early.position;
        DiffuseRun(line, early, x.filtered, b.diffused, n, c);
        earlySums(earlyStart);

        ExchangeRun(pre, b.diffused, b.tankIn, n, kernels::ExchangePlus, kernels::Plus, kPreDelayOffset);

        // Output taps that must be read before the tank's writes keep their values here.
        Tap late[2][network::kOutputTaps];
        const auto lateTaps = [&](int side, const network::OutputTap* table, const int32_t* offsets,
                                  const bool* subtracts) {
            for (int t = 0; t < network::kOutputTaps; ++t) {
                const DelayLine& tapped = line[table[t].line];
                if (int32_t(n) <= AfterWritesLimit(tapped, offsets[t])) {
                    late[side][t] = {tapped.data, tapped.length, 0, mix.late[t], subtracts[t]};
                    continue;
                }
                float* kept = b.kept[side][t];
                ReadRun(tapped, TapOffset(tapped, offsets[t]) - 1, kept, n);
                late[side][t] = {kept, int32_t(n), int32_t(n) - 1, mix.late[t], subtracts[t]};
            }
        };
        lateTaps(0, network::kOutputLeft, taps.left, kLateSubtractsLeft);
        if constexpr (stereoOut) lateTaps(1, network::kOutputRight, taps.right, kLateSubtractsRight);

        // Half A reads line 11 before half B writes it. Half B reads line 7 one slot below
        // where half A writes, so the newest of its inputs come from this very run when
        // line 7 is shorter than the run plus one. Both come through the decay gain.
        ReadRunTimes(line[11], 0, c.decayGain, b.feedback[0], n);
        const uint32_t fromBefore = std::min<uint32_t>(n, uint32_t(line[7].length - 1));
        ReadRunTimes(line[7], -1, c.decayGain, b.feedback[1] + (n - fromBefore), fromBefore);
        // Frame j of the loops is the run's j-th frame in time, at index n - 1 - j.
        const uint32_t steps = std::max(n, nextFrames);
        if (fromBefore == n) {
            for (uint32_t j = 0; j < steps; ++j) {
                if (j < n) {
                    const uint32_t i = n - 1 - j;
                    b.damped[0][i] = ShelfAndDamping(halfA, b.feedback[0][i], b.tankIn[i], c);
                    b.damped[1][i] = ShelfAndDamping(halfB, b.feedback[1][i], b.tankIn[i], c);
                }
                filterNext(j);
            }
            TankTailRun(line + 4, b.damped[0], b.tankOut[0], n, c);
        } else {
            for (uint32_t j = 0; j < steps; ++j) {
                if (j < n) {
                    const uint32_t i = n - 1 - j;
                    b.damped[0][i] = ShelfAndDamping(halfA, b.feedback[0][i], b.tankIn[i], c);
                }
                filterNext(j);
            }
            TankTailRun(line + 4, b.damped[0], b.tankOut[0], n, c);
            kernels::Times(b.tankOut[0] + fromBefore, b.feedback[1], n - fromBefore, c.decayGain);
            for (uint32_t i = n; i-- > 0;)
                b.damped[1][i] = ShelfAndDamping(halfB, b.feedback[1][i], b.tankIn[i], c);
        }
        TankTailRun(line + 8, b.damped[1], b.tankOut[1], n, c);

        // Taps read after the writes start where each line's position was after the first
        // frame's step.
        const auto lateSum = [&](int side, const network::OutputTap* table, const int32_t* offsets) {
            for (int t = 0; t < network::kOutputTaps; ++t)
                if (late[side][t].data == line[table[t].line].data)
                    late[side][t].start = SlotAbove(line[table[t].line], int32_t(n) - 1 + offsets[t]);
            SumTaps(late[side], network::kOutputTaps, 1.0f, b.late[side], n);
        };
        lateSum(0, network::kOutputLeft, taps.left);
        if constexpr (stereoOut) {
            lateSum(1, network::kOutputRight, taps.right);
            float raised[2] = {peaks.outLeft, peaks.outRight};
            kernels::MixStereo({{b.late[0], b.late[1]}, {b.early[0], b.early[1]}, {x.left, xRight}}, c, mix.width,
                               out, n, raised);
            peaks.outLeft = raised[0];
            peaks.outRight = raised[1];
        } else {
            kernels::MixMono({{b.late[0]}, {b.early[0]}, {xMid}}, c, out, n, &peaks.outLeft);
            peaks.outRight = peaks.outLeft;
        }
        done += n;
    }
    state_.filters = f;
}

void ReverbEngine::RenderFrames(const float* input, float* output, uint32_t frames,
                                int32_t width, BlockPeaks& peaks) {
    const bool stereoIn = state_.inputChannels == 2;
    if (state_.outputChannels == 2) {
        if (stereoIn) RenderLayout<true, true>(input, output, frames, width, peaks);
        else RenderLayout<false, true>(input, output, frames, width, peaks);
    } else {
        if (stereoIn) RenderLayout<true, false>(input, output, frames, width, peaks);
        else RenderLayout<false, false>(input, output, frames, width, peaks);
    }
    // A block peak above full scale is an overload somewhere in the block.
    const auto hold = [this](int side, int slot, float peak) {
        if (peak > 1.0f) clipHold_[side][slot].store(kClipHoldCount, std::memory_order_relaxed);
    };
    hold(kLeft, kClipInputSlot, peaks.inLeft);
    hold(kRight, kClipInputSlot, peaks.inRight);
    hold(kLeft, kClipOutputSlot, peaks.outLeft);
    hold(kRight, kClipOutputSlot, peaks.outRight);
}
