#include "HostRun.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr int kFaceBitmap = 103;

// Longer than any run a test asks for; a host that hangs fails instead of stalling the suite.
constexpr DWORD kRunLimitMs = 120000;

// A folder of this test process under the temporary folder, removed with its files when
// the process ends.
class Scratch {
public:
    Scratch() { std::filesystem::create_directory(path_, ignored_); }
    ~Scratch() { std::filesystem::remove_all(path_, ignored_); }
    std::string Path() const { return path_.string() + "\\"; }

private:
    const std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / ("ruvoda-host-tests-" + std::to_string(GetCurrentProcessId()));
    std::error_code ignored_;
};

}  // namespace

std::string BesideTests(const char* name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.find_last_of("\\/") + 1);
    return dir + name;
}

std::string ScratchFolder() {
    static const Scratch scratch;
    return scratch.Path();
}

HostRun RunHost(const std::string& arguments) {
    HostRun run;
    const std::string errorsPath = ScratchFolder() + "stderr.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE errors = CreateFileA(errorsPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (errors == INVALID_HANDLE_VALUE) return run;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = errors;
    startup.hStdError = errors;
    std::string command = "\"" + BesideTests("ruvoda-host.exe") + "\" " + arguments;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(errors);
    if (!started) return run;
    if (WaitForSingleObject(process.hProcess, kRunLimitMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &run.exitCode);
    else
        TerminateProcess(process.hProcess, ~0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream in(errorsPath, std::ios::binary);
    run.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}

bool ReadBmp(const std::string& path, Image& image) {
    std::ifstream in(path, std::ios::binary);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    in.read(reinterpret_cast<char*>(&file), sizeof file);
    in.read(reinterpret_cast<char*>(&info), sizeof info);
    if (!in || file.bfType != 0x4D42 || info.biBitCount != 24 || info.biCompression != BI_RGB || info.biWidth <= 0 ||
        info.biHeight <= 0)
        return false;
    image.width = info.biWidth;
    image.height = info.biHeight;
    image.stride = (static_cast<size_t>(image.width) * 3 + 3) & ~size_t{3};
    image.bottomUp = true;
    image.pixels.resize(image.stride * image.height);
    in.seekg(file.bfOffBits);
    in.read(reinterpret_cast<char*>(image.pixels.data()), static_cast<std::streamsize>(image.pixels.size()));
    return static_cast<bool>(in);
}

bool LoadFace(const std::string& dllPath, Image& face) {
    HMODULE module = LoadLibraryExA(dllPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return false;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(kFaceBitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    FreeLibrary(module);
    if (!bitmap) return false;
    BITMAP header{};
    GetObjectW(bitmap, sizeof header, &header);
    // Read back top row first as 24-bit blue-green-red, whatever depth the resource has.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, header.bmWidth, -header.bmHeight, 1, 24, BI_RGB};
    face.width = header.bmWidth;
    face.height = header.bmHeight;
    face.stride = (static_cast<size_t>(face.width) * 3 + 3) & ~size_t{3};
    face.pixels.resize(face.stride * face.height);
    HDC screen = GetDC(nullptr);
    const int read = GetDIBits(screen, bitmap, 0, face.height, face.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return read == face.height;
}
