#include "WavFile.h"

#include <windows.h>
#include <mmreg.h>
#include <ksmedia.h>

namespace {

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool WriteWavFile(const std::wstring& path, uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                  const std::vector<uint8_t>& data, uint16_t validBits) {
    const uint16_t blockAlign = static_cast<uint16_t>(bits / 8 * channels);
    const bool extensible = validBits != 0;
    const uint16_t extraSize = extensible ? 22 : 0;
    std::vector<uint8_t> file;
    PutTag(file, "RIFF");
    Put32(file, static_cast<uint32_t>(4 + 8 + 18 + extraSize + 8 + data.size()));
    PutTag(file, "WAVE");
    PutTag(file, "fmt ");
    Put32(file, 18 + extraSize);
    Put16(file, extensible ? WAVE_FORMAT_EXTENSIBLE : tag);
    Put16(file, channels);
    Put32(file, rate);
    Put32(file, rate * blockAlign);
    Put16(file, blockAlign);
    Put16(file, bits);
    Put16(file, extraSize);
    if (extensible) {
        Put16(file, validBits);
        Put32(file, channels == 2 ? SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT : SPEAKER_FRONT_CENTER);
        // The subformat GUID: the tag, then the fixed tail shared by all wave tags.
        static const uint8_t kTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                          0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
        Put16(file, tag);
        file.insert(file.end(), kTail, kTail + sizeof kTail);
    }
    PutTag(file, "data");
    Put32(file, static_cast<uint32_t>(data.size()));
    file.insert(file.end(), data.begin(), data.end());

    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(handle);
    return ok && written == file.size();
}
