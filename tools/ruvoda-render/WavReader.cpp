#include "WavReader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "BinaryStdio.h"
#include "ByteOrder.h"
#include "SampleConversion.h"

namespace {

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xFFFE;
constexpr uint32_t kMaxFormatChunk = 1024;

// The sub-format GUID of an extensible header is the 16-bit format tag followed by these
// 14 bytes.
const unsigned char kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                          0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

bool ReadExactly(std::istream& in, unsigned char* p, size_t n) {
    in.read(reinterpret_cast<char*>(p), static_cast<std::streamsize>(n));
    return static_cast<size_t>(in.gcount()) == n;
}

}  // namespace

int WavReader::OpenFile(const std::string& path, std::string& error) {
    if (path == "-") {
        SetBinaryMode(stdin);
        // A pipe cannot seek; the reader needs the whole image to find its chunks.
        auto image = std::make_unique<std::stringstream>();
        *image << std::cin.rdbuf();
        if (Open(std::move(image), error) != 0) {
            error = "standard input: " + error;
            return -1;
        }
        return 0;
    }
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        error = path + ": no such file";
        return -1;
    }
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = path + ": not a regular file";
        return -1;
    }
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file) {
        error = path + ": cannot open for reading";
        return -1;
    }
    if (Open(std::move(file), error) != 0) {
        error = path + ": " + error;
        return -1;
    }
    return 0;
}

int WavReader::Open(std::unique_ptr<std::istream> stream, std::string& error) {
    stream_ = std::move(stream);
    layout_ = WavLayout();
    framesLeft_ = 0;

    std::istream& in = *stream_;
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    in.seekg(0, std::ios::beg);
    if (end < 0 || !in) {
        error = "cannot read";
        return -1;
    }

    unsigned char riff[12];
    if (!ReadExactly(in, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0) {
        error = "not a RIFF WAVE file";
        return -1;
    }
    return FindData(static_cast<uint64_t>(end), error);
}

int WavReader::FindData(uint64_t fileSize, std::string& error) {
    std::istream& in = *stream_;
    uint64_t pos = 12;
    bool haveFormat = false;
    for (;;) {
        unsigned char header[8];
        if (pos + 8 > fileSize || !ReadExactly(in, header, sizeof header)) {
            error = haveFormat ? "no data chunk" : "no format chunk";
            return -1;
        }
        pos += 8;
        uint32_t size = ReadLe32(header + 4);
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (size < 16 || size > kMaxFormatChunk) {
                error = "malformed format chunk";
                return -1;
            }
            std::vector<unsigned char> chunk(size);
            if (pos + size > fileSize || !ReadExactly(in, chunk.data(), size)) {
                error = "truncated format chunk";
                return -1;
            }
            if (ParseFormat(chunk, error) != 0) return -1;
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!haveFormat) {
                error = "data chunk before the format chunk";
                return -1;
            }
            const uint32_t blockAlign = layout_.channels * (layout_.bitsPerSample / 8u);
            // Programs that stream to a pipe cannot know the size and leave 0 or all ones:
            // the samples then run to the end of the file, in whole frames.
            if (size == 0 || size == 0xFFFFFFFFu) {
                const uint64_t rest = std::min<uint64_t>(fileSize - pos, 0xFFFFFFFFu);
                size = static_cast<uint32_t>(rest - rest % blockAlign);
            }
            if (pos + size > fileSize) {
                error = "truncated data: the data chunk declares " + std::to_string(size) +
                        " bytes but " + std::to_string(fileSize - pos) + " follow";
                return -1;
            }
            if (size % blockAlign != 0) {
                error = "truncated data: the last frame is incomplete";
                return -1;
            }
            layout_.frames = size / blockAlign;
            framesLeft_ = layout_.frames;
            return 0;
        } else {
            if (pos + size > fileSize) {
                error = "truncated file: a chunk runs past the end";
                return -1;
            }
            in.seekg(static_cast<std::streamoff>(size), std::ios::cur);
        }
        // Chunks of odd size are followed by one pad byte.
        pos += size;
        if (size & 1u) {
            pos += 1;
            in.seekg(1, std::ios::cur);
        }
    }
}

int WavReader::ParseFormat(const std::vector<unsigned char>& chunk, std::string& error) {
    const unsigned char* p = chunk.data();
    uint16_t tag = ReadLe16(p);
    const uint16_t channels = ReadLe16(p + 2);
    const uint32_t rate = ReadLe32(p + 4);
    const uint16_t blockAlign = ReadLe16(p + 12);
    const uint16_t bits = ReadLe16(p + 14);

    if (tag == kTagExtensible) {
        if (chunk.size() < 40 || ReadLe16(p + 16) < 22) {
            error = "malformed extensible format chunk";
            return -1;
        }
        const unsigned char* guid = p + 24;
        if (std::memcmp(guid + 2, kSubFormatTail, sizeof kSubFormatTail) != 0) {
            error = "unsupported extensible sub-format";
            return -1;
        }
        tag = ReadLe16(guid);
    }
    if (tag == kTagPcm) {
        if (bits != 16 && bits != 24 && bits != 32) {
            error = "unsupported sample format: " + std::to_string(bits) + "-bit integer PCM";
            return -1;
        }
    } else if (tag == kTagFloat) {
        if (bits != 32) {
            error = "unsupported sample format: " + std::to_string(bits) + "-bit float";
            return -1;
        }
    } else {
        error = "unsupported format tag " + std::to_string(tag);
        return -1;
    }
    if (channels != 1 && channels != 2) {
        error = "unsupported channel count " + std::to_string(channels) + " (1 or 2 only)";
        return -1;
    }
    if (rate == 0) {
        error = "sample rate 0";
        return -1;
    }
    if (blockAlign != channels * bits / 8) {
        error = "malformed format chunk: block alignment " + std::to_string(blockAlign) +
                " does not fit " + std::to_string(channels) + " x " + std::to_string(bits) +
                " bits";
        return -1;
    }
    layout_.channels = channels;
    layout_.sampleRate = rate;
    layout_.bitsPerSample = bits;
    layout_.isFloat = tag == kTagFloat;
    return 0;
}

int WavReader::Read(float* frames, uint32_t maxFrames, uint32_t* framesRead,
                    std::string& error) {
    *framesRead = 0;
    const uint64_t count = maxFrames < framesLeft_ ? maxFrames : framesLeft_;
    if (count == 0) return 0;
    const size_t sampleBytes = layout_.bitsPerSample / 8u;
    const size_t samples = static_cast<size_t>(count) * layout_.channels;
    bytes_.resize(samples * sampleBytes);
    if (!ReadExactly(*stream_, bytes_.data(), bytes_.size())) {
        error = "cannot read the sample data";
        return -1;
    }
    if (layout_.isFloat) {
        for (size_t i = 0; i < samples; ++i) frames[i] = FloatFromBits(ReadLe32(&bytes_[i * sampleBytes]));
    } else {
        PcmToFloat(bytes_.data(), {uint16_t(sampleBytes), layout_.bitsPerSample}, frames, samples);
    }
    framesLeft_ -= count;
    *framesRead = static_cast<uint32_t>(count);
    return 0;
}

int WavReader::ReadAll(std::vector<float>& samples, std::string& error) {
    samples.clear();
    std::vector<float> block(4096u * layout_.channels);
    for (;;) {
        uint32_t got = 0;
        if (Read(block.data(), 4096, &got, error) != 0) return -1;
        if (got == 0) return 0;
        samples.insert(samples.end(), block.begin(), block.begin() + got * layout_.channels);
    }
}
