// The renderer's WAVE reader on any file image: either a one-line refusal, or a layout it
// can render whose frames all fit in the image and all read, integers within full scale.
#include <cmath>
#include <cstring>
#include <sstream>

#include "FuzzCheck.h"
#include "WavReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavReader reader;
    std::string error;
    auto image = std::make_unique<std::istringstream>(
        std::string(reinterpret_cast<const char*>(data), size));
    if (reader.Open(std::move(image), error) != 0) {
        FUZZ_CHECK(!error.empty() && error.find('\n') == std::string::npos);
        return 0;
    }
    const WavLayout layout = reader.Layout();
    FUZZ_CHECK(layout.channels == 1 || layout.channels == 2);
    FUZZ_CHECK(layout.sampleRate > 0);
    FUZZ_CHECK(layout.bitsPerSample == 16 || layout.bitsPerSample == 24 || layout.bitsPerSample == 32);
    FUZZ_CHECK(!layout.isFloat || layout.bitsPerSample == 32);
    const uint64_t dataBytes = layout.frames * layout.channels * (layout.bitsPerSample / 8u);
    FUZZ_CHECK(dataBytes + 44 <= size);

    std::vector<float> samples;
    FUZZ_CHECK(reader.ReadAll(samples, error) == 0);
    FUZZ_CHECK(samples.size() == layout.frames * layout.channels);
    if (!layout.isFloat)
        for (float sample : samples) FUZZ_CHECK(sample >= -1.0f && sample <= 1.0f);
    uint32_t more = 1;
    float frame[2];
    FUZZ_CHECK(reader.Read(frame, 1, &more, error) == 0 && more == 0);
    return 0;
}
