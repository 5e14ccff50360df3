#include "PersistedForm.h"

#include <cstring>

namespace {

void PutLe32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetLe32(const uint8_t* in) {
    return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

}  // namespace

void WritePersistedForm(const ReverbParams& params, const uint8_t identifier[16],
                        uint8_t out[kPersistedSize]) {
    PutLe32(out, kPersistedSize);
    std::memcpy(out + 4, identifier, 16);
    for (int field = 0; field < kParamCount; ++field)
        PutLe32(out + kPersistedHeaderSize + 4 * field, static_cast<uint32_t>(GetParam(params, field)));
}

uint32_t PersistedFormSize(const uint8_t header[kPersistedHeaderSize], const uint8_t identifier[16]) {
    uint32_t size = GetLe32(header);
    if (size != 80 && size != 92 && size != kPersistedSize) return 0;
    if (std::memcmp(header + 4, identifier, 16) != 0) return 0;
    return size;
}

ReverbParams ReadPersistedFields(const uint8_t* fields, uint32_t size) {
    ReverbParams params = DefaultParams();
    SetParam(params, kEarlyLevel, -35);
    SetParam(params, kEarlyMute, 0);
    SetParam(params, kWidth, 100);
    SetParam(params, kTail, 0);
    int count = static_cast<int>((size - kPersistedHeaderSize) / 4);
    for (int field = 0; field < count && field < kParamCount; ++field)
        SetParam(params, field, static_cast<int32_t>(GetLe32(fields + 4 * field)));
    return params;
}
