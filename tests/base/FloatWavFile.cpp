#include "FloatWavFile.h"
#include <windows.h>
#include <cstdint>
#include <cstring>

namespace {

void Put32(std::vector<char>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
}

void Put16(std::vector<char>& out, uint16_t v) {
    out.push_back(static_cast<char>(v));
    out.push_back(static_cast<char>(v >> 8));
}

void PutTag(std::vector<char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

FloatWavFile::FloatWavFile(const std::vector<float>& samples, int channels, int rate) {
    wchar_t dir[MAX_PATH] = {};
    wchar_t file[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    if (!GetTempFileNameW(dir, L"hgf", 0, file)) return;
    path_ = file;

    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * sizeof(float));
    const uint16_t align = static_cast<uint16_t>(channels * 4);
    std::vector<char> bytes;
    PutTag(bytes, "RIFF");
    Put32(bytes, 4 + 8 + 18 + 8 + dataBytes);
    PutTag(bytes, "WAVE");
    PutTag(bytes, "fmt ");
    Put32(bytes, 18);
    Put16(bytes, 3);  // IEEE float
    Put16(bytes, static_cast<uint16_t>(channels));
    Put32(bytes, static_cast<uint32_t>(rate));
    Put32(bytes, static_cast<uint32_t>(rate) * align);
    Put16(bytes, align);
    Put16(bytes, 32);
    Put16(bytes, 0);
    PutTag(bytes, "data");
    Put32(bytes, dataBytes);
    size_t header = bytes.size();
    bytes.resize(header + dataBytes);
    std::memcpy(bytes.data() + header, samples.data(), dataBytes);

    HANDLE h = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD done = 0;
    written_ = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) && done == bytes.size();
    CloseHandle(h);
}

FloatWavFile::~FloatWavFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
}
