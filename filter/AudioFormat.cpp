#include "AudioFormat.h"

#include "ReverbEngine.h"

#include <mmreg.h>
#include <uuids.h>

#include <cstring>
#include <initializer_list>

namespace {

// Subtypes and extensible subformats of wave tags share one GUID pattern around the tag.
GUID GuidForWaveTag(uint16_t tag) {
    return {tag, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
}

uint16_t EffectiveTag(const AM_MEDIA_TYPE& type, const WAVEFORMATEX& wave) {
    if (wave.wFormatTag != WAVE_FORMAT_EXTENSIBLE) return wave.wFormatTag;
    if (type.cbFormat < sizeof(WAVEFORMATEXTENSIBLE) || wave.cbSize < 22) return wave.wFormatTag;
    WAVEFORMATEXTENSIBLE extensible;
    std::memcpy(&extensible, type.pbFormat, sizeof(extensible));
    for (uint16_t tag : {kWaveFormatPcm, kWaveFormatIeeeFloat}) {
        if (IsEqualGUID(extensible.SubFormat, GuidForWaveTag(tag))) return tag;
    }
    return wave.wFormatTag;
}

}  // namespace

bool ReadWaveFormat(const AM_MEDIA_TYPE& type, WaveFormat* out) {
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Audio)) return false;
    if (type.pbFormat == nullptr || type.cbFormat < 16) return false;
    // A 16-byte block has no extra-size field; read only what is there.
    WAVEFORMATEX wave = {};
    std::memcpy(&wave, type.pbFormat, type.cbFormat < sizeof(wave) ? type.cbFormat : sizeof(wave));
    if (type.cbFormat < sizeof(wave)) wave.cbSize = 0;
    out->formatTag = EffectiveTag(type, wave);
    out->channels = wave.nChannels;
    out->sampleRate = wave.nSamplesPerSec;
    out->bitsPerSample = wave.wBitsPerSample;
    out->blockAlign = static_cast<uint16_t>(wave.wBitsPerSample / 8 * wave.nChannels);
    out->avgBytesPerSec = out->blockAlign * wave.nSamplesPerSec;
    out->extraSize = 0;
    return true;
}

bool IsSupportedInput(const AM_MEDIA_TYPE& type) {
    WaveFormat format;
    if (!ReadWaveFormat(type, &format) || type.bTemporalCompression) return false;
    if (format.channels != 1 && format.channels != 2) return false;
    // Refused here rather than failing when the graph starts: the engine sizes its lines
    // from the rate.
    if (format.sampleRate == 0 || format.sampleRate > ReverbEngine::kMaxSampleRate) return false;
    return (format.formatTag == kWaveFormatPcm && format.bitsPerSample == 16) ||
           (format.formatTag == kWaveFormatIeeeFloat && format.bitsPerSample == 32);
}

bool IsValidTransform(const AM_MEDIA_TYPE& input, const AM_MEDIA_TYPE& output, int outputChannels) {
    WaveFormat in, out;
    if (!ReadWaveFormat(input, &in) || !ReadWaveFormat(output, &out)) return false;
    if (input.bTemporalCompression || output.bTemporalCompression) return false;
    return in.formatTag == out.formatTag && in.bitsPerSample == out.bitsPerSample &&
           in.sampleRate == out.sampleRate && out.channels == outputChannels;
}

HRESULT MakeOutputType(const AM_MEDIA_TYPE& input, int channels, AM_MEDIA_TYPE* out) {
    WaveFormat format;
    if (!ReadWaveFormat(input, &format)) return E_INVALIDARG;
    auto* wave = static_cast<WAVEFORMATEX*>(CoTaskMemAlloc(sizeof(WAVEFORMATEX)));
    if (wave == nullptr) return E_OUTOFMEMORY;
    wave->wFormatTag = format.formatTag;
    wave->nChannels = static_cast<WORD>(channels);
    wave->nSamplesPerSec = format.sampleRate;
    wave->wBitsPerSample = format.bitsPerSample;
    wave->nBlockAlign = static_cast<WORD>(format.bitsPerSample / 8 * channels);
    wave->nAvgBytesPerSec = wave->nBlockAlign * format.sampleRate;
    wave->cbSize = 0;

    *out = input;
    out->subtype = GuidForWaveTag(format.formatTag);
    out->lSampleSize = wave->nBlockAlign;
    out->formattype = FORMAT_WaveFormatEx;
    out->pUnk = nullptr;
    out->cbFormat = sizeof(WAVEFORMATEX);
    out->pbFormat = reinterpret_cast<BYTE*>(wave);
    return S_OK;
}
