// The parameter block from a host's saved graph, read as the filter's Load reads it: the
// header first, then exactly the bytes the header announces, then the record stored
// through SetAllParams. What Save then writes must read back as the same record.
#include <cstring>
#include <vector>

#include "FuzzCheck.h"
#include "ParameterControl.h"
#include "PersistedForm.h"

namespace {

// The parameter interface's identifier in GUID byte layout, as the filter writes it.
const uint8_t kIdentifier[16] = {0x22, 0x1c, 0x3e, 0x7a, 0x7a, 0x5d, 0x31, 0x4c,
                                 0x9e, 0x0b, 0x71, 0x55, 0xa0, 0xc3, 0xd2, 0xe1};

// Reads one stream; returns false where Load refuses it.
bool Load(const uint8_t* data, size_t size, ParameterControl& control) {
    if (size < kPersistedHeaderSize) return false;
    const uint32_t formSize = PersistedFormSize(data, kIdentifier);
    FUZZ_CHECK(formSize == 0 || formSize == 80 || formSize == 92 || formSize == kPersistedSize);
    if (formSize == 0) return false;
    FUZZ_CHECK(static_cast<uint32_t>(FuzzLe32(data)) == formSize);
    FUZZ_CHECK(std::memcmp(data + 4, kIdentifier, 16) == 0);
    const size_t fieldBytes = formSize - kPersistedHeaderSize;
    if (size - kPersistedHeaderSize < fieldBytes) return false;
    // Exactly the announced bytes, so that the sanitizer sees any read beyond them.
    std::vector<uint8_t> fields(data + kPersistedHeaderSize, data + kPersistedHeaderSize + fieldBytes);
    const ReverbParams read = ReadPersistedFields(fields.data(), formSize);
    for (size_t field = 0; field < fieldBytes / 4 && field < kParamCount; ++field)
        FUZZ_CHECK(GetParam(read, static_cast<int>(field)) == FuzzLe32(&fields[4 * field]));
    control.SetAllParams(read);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ParameterControl control;
    if (!Load(data, size, control)) return 0;
    ReverbParams stored;
    control.GetAllParams(stored);
    FUZZ_CHECK(WithinRanges(stored));

    uint8_t form[kPersistedSize];
    WritePersistedForm(stored, kIdentifier, form);
    ParameterControl reloaded;
    FUZZ_CHECK(Load(form, sizeof form, reloaded));
    ReverbParams again;
    reloaded.GetAllParams(again);
    FUZZ_CHECK(again == stored);
    return 0;
}
