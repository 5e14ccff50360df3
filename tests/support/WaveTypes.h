#pragma once
// Audio media types as parsers offer them, owning their format blocks.
#include <windows.h>
#include <mmreg.h>

#include <cstdint>

#include "MediaType.h"

// A plain wave format of `tag` (1 integer PCM, 3 IEEE float), or with `validBits` 0 or more
// a WAVE_FORMAT_EXTENSIBLE block whose subformat is `tag` (0 leaves the valid bits unnamed).
MediaType WaveType(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, int validBits = -1);

// The wave format block a type carries, to read or to spoil.
inline WAVEFORMATEX& WaveOf(MediaType& type) { return *reinterpret_cast<WAVEFORMATEX*>(type.Raw()->pbFormat); }
inline const WAVEFORMATEX& WaveOf(const AM_MEDIA_TYPE& type) {
    return *reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
}
