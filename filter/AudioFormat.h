#pragma once
// Reading and writing the audio formats the filter handles in DirectShow media types.
#include <windows.h>
#include <strmif.h>

#include "WaveFormat.h"

// Reads the wave format of an audio media type into `out`, with an extensible block whose
// subformat is integer PCM or IEEE float reported as the plain tag (1 or 3). Block
// alignment and average rate are recomputed from bits and channels, the extra size is 0.
// False unless the major type is audio and the format block holds at least 16 bytes.
bool ReadWaveFormat(const AM_MEDIA_TYPE& type, WaveFormat* out);

// The bits that carry each sample: for integer PCM wider than 16 bits an extensible block's
// valid bits when it names them, else the container's bits. 0 without a wave format.
uint16_t ValidBitsPerSample(const AM_MEDIA_TYPE& type);

// 1- or 2-channel integer PCM of 16 bits, 24 bits packed or in 32-bit containers, or 32
// bits, or 32-bit IEEE float, without temporal compression, at a rate the engine can run at.
bool IsSupportedInput(const AM_MEDIA_TYPE& type);

// Same tag, bits, valid bits and rate on both sides, no temporal compression, and `outputChannels`
// channels at the output.
bool IsValidTransform(const AM_MEDIA_TYPE& input, const AM_MEDIA_TYPE& output, int outputChannels);

// Fills `out` with the output type for `input`: the same media type with a plain
// 18-byte wave format block of `channels` channels, or an extensible block with the same
// valid bits when the input is extensible integer PCM wider than 16 bits (CoTaskMem-allocated; the caller frees
// it). E_INVALIDARG when `input` carries no wave format, E_OUTOFMEMORY without memory.
HRESULT MakeOutputType(const AM_MEDIA_TYPE& input, int channels, AM_MEDIA_TYPE* out);
