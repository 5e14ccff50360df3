#pragma once
#include <chrono>
#include <cstdint>
#include <string>

// What a render reports when it is done: frames in and out, peak levels per channel,
// samples beyond full scale, the time taken and how much faster than real time it ran.
class RenderStats {
public:
    void Start(uint32_t sampleRate, int inputChannels, int outputChannels);
    void Stop();
    void AddInput(const float* frames, uint32_t count);
    void AddOutput(const float* frames, uint32_t count);
    // Output samples that were saturated before they arrived here (integer output at its
    // extremes), which the float values alone cannot show.
    void AddOutputOverloads(uint64_t count) { out_.overloads += count; }
    // The input's length where its samples never pass here (graph mode, in which the graph
    // reads the file): the summary then shows its levels as "n/a".
    void SetInputFrames(uint64_t count) {
        in_.frames = count;
        in_.measured = false;
    }

    uint64_t FramesIn() const { return in_.frames; }
    uint64_t FramesOut() const { return out_.frames; }
    float PeakIn(int channel) const { return in_.peak[channel]; }
    float PeakOut(int channel) const { return out_.peak[channel]; }
    uint64_t OverloadsIn() const { return in_.overloads; }
    uint64_t OverloadsOut() const { return out_.overloads; }
    double Seconds() const { return seconds_; }

    // One line, without a line end.
    std::string Summary() const;

private:
    struct Side {
        uint64_t frames = 0;
        int channels = 0;
        float peak[2] = {0.0f, 0.0f};
        uint64_t overloads = 0;
        bool measured = true;  // peaks and overloads seen, not only the length
    };
    static void Add(Side& side, const float* frames, uint32_t count);
    static std::string Peaks(const Side& side);
    static std::string Overloads(const Side& side);

    uint32_t sampleRate_ = 0;
    std::chrono::steady_clock::time_point started_;
    double seconds_ = 0.0;
    Side in_;
    Side out_;
};
