// Types a host may offer that the filter does not take: each one starts from a type it
// takes and changes one thing; all are refused at connection, before any sample.
#include <gtest/gtest.h>

#include "FilterHarness.h"

namespace {

struct OfferedType {
    const char* what;
    uint16_t tag, bits;
    void (*change)(WAVEFORMATEX& wave);
};

void SetChannels(WAVEFORMATEX& wave, WORD channels) {
    wave.nChannels = channels;
    wave.nBlockAlign = static_cast<WORD>(wave.wBitsPerSample / 8 * channels);
    wave.nAvgBytesPerSec = wave.nBlockAlign * wave.nSamplesPerSec;
}

TEST(HostOfferedType, EveryChangeOfATakenTypeThatItCannotRenderIsRefused) {
    const OfferedType offered[] = {
        {"4 channels", WAVE_FORMAT_IEEE_FLOAT, 32, [](WAVEFORMATEX& w) { SetChannels(w, 4); }},
        {"5 channels", WAVE_FORMAT_PCM, 16, [](WAVEFORMATEX& w) { SetChannels(w, 5); }},
        {"6 channels", WAVE_FORMAT_IEEE_FLOAT, 32, [](WAVEFORMATEX& w) { SetChannels(w, 6); }},
        {"7 channels", WAVE_FORMAT_PCM, 24, [](WAVEFORMATEX& w) { SetChannels(w, 7); }},
        {"8 channels", WAVE_FORMAT_PCM, 16, [](WAVEFORMATEX& w) { SetChannels(w, 8); }},
        {"block alignment 0", WAVE_FORMAT_IEEE_FLOAT, 32, [](WAVEFORMATEX& w) { w.nBlockAlign = 0; }},
        {"block alignment 1", WAVE_FORMAT_PCM, 16, [](WAVEFORMATEX& w) { w.nBlockAlign = 1; }},
        {"half the block alignment", WAVE_FORMAT_PCM, 16,
         [](WAVEFORMATEX& w) { w.nBlockAlign = static_cast<WORD>(w.nBlockAlign / 2); }},
        {"twice the block alignment", WAVE_FORMAT_IEEE_FLOAT, 32,
         [](WAVEFORMATEX& w) { w.nBlockAlign = static_cast<WORD>(w.nBlockAlign * 2); }},
        {"block alignment 65535", WAVE_FORMAT_PCM, 24, [](WAVEFORMATEX& w) { w.nBlockAlign = 65535; }},
        {"rate 4294967295", WAVE_FORMAT_IEEE_FLOAT, 32, [](WAVEFORMATEX& w) { w.nSamplesPerSec = 0xFFFFFFFFu; }},
        {"MPEG layer 3 tag", WAVE_FORMAT_PCM, 16, [](WAVEFORMATEX& w) { w.wFormatTag = 0x55; }},
        {"ADPCM tag", WAVE_FORMAT_PCM, 16, [](WAVEFORMATEX& w) { w.wFormatTag = WAVE_FORMAT_ADPCM; }},
        {"A-law tag", WAVE_FORMAT_PCM, 16, [](WAVEFORMATEX& w) { w.wFormatTag = WAVE_FORMAT_ALAW; }},
        {"extensible tag without its block", WAVE_FORMAT_IEEE_FLOAT, 32,
         [](WAVEFORMATEX& w) { w.wFormatTag = WAVE_FORMAT_EXTENSIBLE; }},
    };
    FilterHarness h;
    for (const OfferedType& o : offered) {
        SCOPED_TRACE(o.what);
        AudioType type(o.tag, 2, 44100, o.bits);
        ASSERT_EQ(S_OK, h.filter->CheckInputType(&type.mt));
        o.change(type.wave);
        EXPECT_EQ(E_INVALIDARG, h.filter->CheckInputType(&type.mt));
    }
}

}  // namespace
