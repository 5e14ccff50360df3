// ruvoda-host run as a user runs it: with --screenshot on a short sound the picture is the
// whole frame with the page in it, taken while the sound plays in a loop; its failures are
// one line on stderr, a non-zero exit, no frame and no picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include "Controls.h"
#include "WavBytes.h"

namespace {

// Longer than any run a test asks for; a host that hangs fails instead of stalling the suite.
constexpr DWORD kRunLimitMs = 120000;

// A file beside the test program (the host and the DLL are built there).
std::string BesideTests(const char* name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.find_last_of("\\/") + 1);
    return dir + name;
}

// A folder of this test process for its files, ending in a separator; removed with its
// files when the process ends.
std::string ScratchFolder() {
    static const struct Scratch {
        const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                           ("ruvoda-host-tests-" + std::to_string(GetCurrentProcessId()));
        std::error_code ignored;
        Scratch() { std::filesystem::create_directory(path, ignored); }
        ~Scratch() { std::filesystem::remove_all(path, ignored); }
    } scratch;
    return scratch.path.string() + "\\";
}

struct HostRun {
    DWORD exitCode = ~0u;  // ~0u: it did not start or did not end in time
    std::string errors;    // what it wrote to stderr
};

// Runs ruvoda-host.exe with `arguments` (already quoted as needed) and waits for it.
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

// A bitmap and its size, deleted with it.
struct Picture {
    explicit Picture(HANDLE image) : bitmap(static_cast<HBITMAP>(image)) {
        BITMAP header{};
        if (bitmap) GetObjectW(bitmap, sizeof header, &header);
        width = header.bmWidth;
        height = header.bmHeight;
    }
    ~Picture() { DeleteObject(bitmap); }
    COLORREF At(int x, int y) const { return BitmapPixel(bitmap, x, y); }

    HBITMAP bitmap;
    int width = 0, height = 0;
};

// The page's face as the module at `dllPath` holds it (its BITMAP 103).
HANDLE LoadFace(const std::string& dllPath) {
    HMODULE module = LoadLibraryExA(dllPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return nullptr;
    HANDLE face = LoadImageW(module, MAKEINTRESOURCEW(103), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    FreeLibrary(module);
    return face;
}

constexpr uint32_t kRate = 44100;

// A stereo 16-bit sound of `frames` at `rate`.
std::string Sound(uint32_t frames, uint32_t rate) {
    return wavbytes::Wav(1, 2, rate, 16, wavbytes::Pcm16Data(wavbytes::TestSignal(frames, 2, rate)));
}

bool Near(COLORREF a, COLORREF b) {
    // Room for a display of 16 bits per pixel; different colours of the face differ by more.
    const int tolerance = 8;
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(HostScreenshot, ShowsTheWholeFrameWithThePagesFaceInItWhilePlayingInALoop) {
    const std::string sound = ScratchFolder() + "short.wav", shot = ScratchFolder() + "frame.bmp";
    // Shorter than the wait before the picture, so that playback has looped by then.
    ASSERT_TRUE(WriteFileBytes(sound, Sound(kRate / 2, kRate)));
    const HostRun run = RunHost("--screenshot \"" + shot + "\" --after 2 \"" + sound + "\"");
    ASSERT_EQ(0u, run.exitCode) << run.errors;
    EXPECT_NE(std::string::npos, run.errors.find("WAVE Parser -> Quillorn qv:Ruvoda R3 -> ")) << run.errors;
    // What the host reports of its picture.
    int frameWidth = 0, frameHeight = 0, pageWidth = 0, pageHeight = 0, pageX = 0, pageY = 0, loops = 0;
    double peak = 0.0;
    const size_t report = run.errors.find(": frame ");
    ASSERT_NE(std::string::npos, report) << run.errors;
    ASSERT_EQ(8, std::sscanf(run.errors.c_str() + report,
                             ": frame %d x %d, page %d x %d at %d, %d; output peak %lf dB after %d", &frameWidth,
                             &frameHeight, &pageWidth, &pageHeight, &pageX, &pageY, &peak, &loops))
        << run.errors;
    const Picture picture(
        LoadImageA(nullptr, shot.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
    const Picture face(LoadFace(BesideTests("qvRuvodaR3.dll")));
    ASSERT_NE(nullptr, picture.bitmap);
    ASSERT_NE(nullptr, face.bitmap);

    EXPECT_EQ(frameWidth, picture.width);
    EXPECT_EQ(frameHeight, picture.height);
    EXPECT_EQ(face.width, pageWidth);
    EXPECT_EQ(face.height, pageHeight);
    // The frame surrounds the page with its border, tab, caption and buttons, and no more.
    EXPECT_GT(pageX, 0);
    EXPECT_GT(pageY, 0);
    EXPECT_LT(pageX + pageWidth, picture.width);
    EXPECT_LT(pageY + pageHeight, picture.height);
    EXPECT_LT(picture.width, pageWidth + 200);
    EXPECT_LT(picture.height, pageHeight + 200);
    // Sound reached the filter's output meter, and the sound started over at its end.
    EXPECT_GT(peak, -40.0) << run.errors;
    EXPECT_GE(loops, 1) << run.errors;
    // Where no control covers the face (the column of row names left of the controls and
    // the banner strip below the last row), the picture shows the face.
    for (const POINT& p : {POINT{4, 60}, POINT{55, 360}, POINT{10, 415}, POINT{410, 445}})
        EXPECT_TRUE(Near(face.At(p.x, p.y), picture.At(pageX + p.x, pageY + p.y)))
            << "page point " << p.x << ", " << p.y;
}

// The host's refusals to start. Its failures to load the DLL come from code the renderer
// shares, whose Windows cases check them.
struct ErrorCase {
    const char* name;
    const char* options;       // before the sound's file name
    const std::string* sound;  // the sound file's bytes, none when null
    const char* message;       // part of the one line
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ErrorCase& c, std::ostream* out) {
    *out << c.name;
}

const std::string kGood = Sound(4410, kRate), kText = "this is text, not sound\n";
// A rate far beyond what the reverb runs at: the file reads, the filter refuses it.
const std::string kTooFast = Sound(4410, 1000000);

const ErrorCase kCases[] = {
    {"MissingSound", "", nullptr, ".wav: no such file"},
    {"NotAWaveFile", "", &kText, "not a RIFF WAVE file"},
    {"GraphCannotBeBuilt", "", &kTooFast, "the reverb filter refuses 16-bit integer audio"},
    {"AfterWithoutScreenshot", "--after 2", &kGood, "--after goes with --screenshot"},
};

class HostError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(HostError, SaysWhyInOneLineAndLeavesNoPicture) {
    const ErrorCase& c = GetParam();
    const std::string shot = ScratchFolder() + c.name + ".bmp", sound = ScratchFolder() + c.name + ".wav";
    ASSERT_TRUE(!c.sound || WriteFileBytes(sound, *c.sound));
    std::string arguments = std::string(c.options) + " \"" + sound + "\"";
    if (std::string(c.options).find("--after") == std::string::npos)
        arguments = "--screenshot \"" + shot + "\" --after 1 " + arguments;

    const HostRun run = RunHost(arguments);
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ(0u, run.errors.find("ruvoda-host: ")) << run.errors;
    EXPECT_NE(std::string::npos, run.errors.find(c.message)) << run.errors;
    EXPECT_EQ(run.errors.size() - 1, run.errors.find('\n')) << "one line: " << run.errors;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(shot.c_str()));
}

INSTANTIATE_TEST_SUITE_P(Cases, HostError, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

}  // namespace
