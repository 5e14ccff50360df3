#include "WaveTypes.h"

MediaType WaveType(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, int validBits) {
    WAVEFORMATEXTENSIBLE block = {};
    WAVEFORMATEX& wave = block.Format;
    wave.wFormatTag = validBits < 0 ? tag : WAVE_FORMAT_EXTENSIBLE;
    wave.nChannels = channels;
    wave.nSamplesPerSec = rate;
    wave.wBitsPerSample = bits;
    wave.nBlockAlign = static_cast<WORD>(bits / 8 * channels);
    wave.nAvgBytesPerSec = wave.nBlockAlign * rate;
    // Every wave tag's subtype and subformat: the tag, then one fixed tail.
    const GUID tagGuid = {tag, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    if (validBits >= 0) {
        wave.cbSize = sizeof block - sizeof wave;
        block.Samples.wValidBitsPerSample = static_cast<WORD>(validBits);
        block.dwChannelMask = channels == 2 ? SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT : SPEAKER_FRONT_CENTER;
        block.SubFormat = tagGuid;
    }
    AM_MEDIA_TYPE mt = {};
    mt.majortype = MEDIATYPE_Audio;
    mt.subtype = tagGuid;
    mt.bFixedSizeSamples = TRUE;
    mt.lSampleSize = wave.nBlockAlign;
    mt.formattype = FORMAT_WaveFormatEx;
    mt.cbFormat = validBits < 0 ? sizeof wave : sizeof block;
    mt.pbFormat = reinterpret_cast<BYTE*>(&block);
    return MediaType(mt);
}
