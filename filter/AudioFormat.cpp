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

// The extensible block of `type`, when it has a whole one.
bool ReadExtensible(const AM_MEDIA_TYPE& type, WAVEFORMATEXTENSIBLE* out) {
    if (type.pbFormat == nullptr || type.cbFormat < sizeof(WAVEFORMATEXTENSIBLE)) return false;
    std::memcpy(out, type.pbFormat, sizeof(*out));
    return out->Format.wFormatTag == WAVE_FORMAT_EXTENSIBLE && out->Format.cbSize >= 22;
}

uint16_t EffectiveTag(const AM_MEDIA_TYPE& type, const WAVEFORMATEX& wave) {
    WAVEFORMATEXTENSIBLE extensible;
    if (!ReadExtensible(type, &extensible)) return wave.wFormatTag;
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
    // Samples are read frame by frame as the channels and bits say; a block alignment that
    // disagrees would have every frame read from the wrong place.
    if (wave.nBlockAlign != wave.wBitsPerSample / 8 * wave.nChannels) return false;
    out->formatTag = EffectiveTag(type, wave);
    out->channels = wave.nChannels;
    out->sampleRate = wave.nSamplesPerSec;
    out->bitsPerSample = wave.wBitsPerSample;
    out->blockAlign = static_cast<uint16_t>(wave.wBitsPerSample / 8 * wave.nChannels);
    out->avgBytesPerSec = out->blockAlign * wave.nSamplesPerSec;
    out->extraSize = 0;
    return true;
}

namespace {

// Only integer samples wider than 16 bits have valid bits of their own; 16-bit and float
// types are taken whole, as they always were.
bool IsWidePcm(const WaveFormat& format) {
    return format.formatTag == kWaveFormatPcm && format.bitsPerSample > 16;
}

// The 18-byte block, or the extensible one with `validBits` and the usual speaker mask.
WAVEFORMATEX* NewWaveBlock(const WaveFormat& format, int channels, bool extensible, uint16_t validBits) {
    const size_t size = extensible ? sizeof(WAVEFORMATEXTENSIBLE) : sizeof(WAVEFORMATEX);
    auto* wave = static_cast<WAVEFORMATEX*>(CoTaskMemAlloc(size));
    if (wave == nullptr) return nullptr;
    std::memset(wave, 0, size);
    wave->wFormatTag = extensible ? WAVE_FORMAT_EXTENSIBLE : format.formatTag;
    wave->nChannels = static_cast<WORD>(channels);
    wave->nSamplesPerSec = format.sampleRate;
    wave->wBitsPerSample = format.bitsPerSample;
    wave->nBlockAlign = static_cast<WORD>(format.bitsPerSample / 8 * channels);
    wave->nAvgBytesPerSec = wave->nBlockAlign * format.sampleRate;
    if (extensible) {
        auto* block = reinterpret_cast<WAVEFORMATEXTENSIBLE*>(wave);
        wave->cbSize = sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX);
        block->Samples.wValidBitsPerSample = validBits;
        block->dwChannelMask = channels == 2 ? SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT : SPEAKER_FRONT_CENTER;
        block->SubFormat = GuidForWaveTag(format.formatTag);
    }
    return wave;
}

}  // namespace

uint16_t ValidBitsPerSample(const AM_MEDIA_TYPE& type) {
    WaveFormat format;
    if (!ReadWaveFormat(type, &format)) return 0;
    WAVEFORMATEXTENSIBLE extensible;
    if (IsWidePcm(format) && ReadExtensible(type, &extensible) && extensible.Samples.wValidBitsPerSample != 0)
        return extensible.Samples.wValidBitsPerSample;
    return format.bitsPerSample;
}

bool IsSupportedInput(const AM_MEDIA_TYPE& type) {
    WaveFormat format;
    if (!ReadWaveFormat(type, &format) || type.bTemporalCompression) return false;
    if (format.channels != 1 && format.channels != 2) return false;
    // Refused here rather than failing when the graph starts: the engine sizes its lines
    // from the rate.
    if (format.sampleRate == 0 || format.sampleRate > ReverbEngine::kMaxSampleRate) return false;
    if (format.formatTag == kWaveFormatIeeeFloat) return format.bitsPerSample == 32;
    if (format.formatTag != kWaveFormatPcm) return false;
    const uint16_t valid = ValidBitsPerSample(type);
    switch (format.bitsPerSample) {
    case 16: return true;
    case 24: return valid == 24;
    case 32: return valid == 32 || valid == 24;
    default: return false;
    }
}

bool IsValidTransform(const AM_MEDIA_TYPE& input, const AM_MEDIA_TYPE& output, int outputChannels) {
    WaveFormat in, out;
    if (!ReadWaveFormat(input, &in) || !ReadWaveFormat(output, &out)) return false;
    if (input.bTemporalCompression || output.bTemporalCompression) return false;
    if (ValidBitsPerSample(input) != ValidBitsPerSample(output)) return false;
    return in.formatTag == out.formatTag && in.bitsPerSample == out.bitsPerSample &&
           in.sampleRate == out.sampleRate && out.channels == outputChannels;
}

HRESULT MakeOutputType(const AM_MEDIA_TYPE& input, int channels, AM_MEDIA_TYPE* out) {
    WaveFormat format;
    if (!ReadWaveFormat(input, &format)) return E_INVALIDARG;
    WAVEFORMATEXTENSIBLE extensible;
    const bool keepExtensible = IsWidePcm(format) && ReadExtensible(input, &extensible);
    WAVEFORMATEX* wave = NewWaveBlock(format, channels, keepExtensible, ValidBitsPerSample(input));
    if (wave == nullptr) return E_OUTOFMEMORY;

    *out = input;
    out->subtype = GuidForWaveTag(format.formatTag);
    out->lSampleSize = wave->nBlockAlign;
    out->formattype = FORMAT_WaveFormatEx;
    out->pUnk = nullptr;
    out->cbFormat = sizeof(WAVEFORMATEX) + wave->cbSize;
    out->pbFormat = reinterpret_cast<BYTE*>(wave);
    return S_OK;
}
