#pragma once
// Writes a 32-bit float WAV file for the graph tests and removes it again.
#include <string>
#include <vector>

class FloatWavFile {
public:
    // Interleaved samples; frames = samples.size() / channels.
    FloatWavFile(const std::vector<float>& samples, int channels, int rate);
    ~FloatWavFile();
    FloatWavFile(const FloatWavFile&) = delete;
    FloatWavFile& operator=(const FloatWavFile&) = delete;

    bool Written() const { return written_; }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    bool written_ = false;
};
