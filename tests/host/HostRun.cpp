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

namespace {

// The pixels of `bitmap`, which it then deletes, top row first as 24-bit blue-green-red,
// whatever depth it has.
bool ReadPixels(HBITMAP bitmap, Image& image) {
    if (!bitmap) return false;
    BITMAP header{};
    GetObjectW(bitmap, sizeof header, &header);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, header.bmWidth, -header.bmHeight, 1, 24, BI_RGB};
    image.width = header.bmWidth;
    image.height = header.bmHeight;
    image.stride = (static_cast<size_t>(image.width) * 3 + 3) & ~size_t{3};
    image.pixels.resize(image.stride * image.height);
    HDC screen = GetDC(nullptr);
    const int read = GetDIBits(screen, bitmap, 0, image.height, image.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return read == image.height;
}

}  // namespace

bool ReadBmp(const std::string& path, Image& image) {
    return ReadPixels(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                      LR_CREATEDIBSECTION | LR_LOADFROMFILE)),
                      image);
}

bool LoadFace(const std::string& dllPath, Image& face) {
    HMODULE module = LoadLibraryExA(dllPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return false;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(kFaceBitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    FreeLibrary(module);
    return ReadPixels(bitmap, face);
}
