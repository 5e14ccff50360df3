// ruvoda-host with --screenshot on a short sound: the picture is the whole frame with the
// page in it, taken while the sound plays in a loop.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "HostRun.h"
#include "WavBytes.h"

namespace {

// Shorter than the wait before the picture, so that playback has looped by then.
constexpr uint32_t kRate = 44100;
constexpr uint32_t kFrames = kRate / 2;

// What the host reported about its picture.
struct ShotReport {
    int frameWidth = 0, frameHeight = 0;
    int pageWidth = 0, pageHeight = 0, pageX = 0, pageY = 0;
    double peak = 0.0;
    int loops = -1;
};

bool ParseReport(const std::string& errors, ShotReport& report) {
    const size_t frame = errors.find(": frame ");
    const size_t peak = errors.find("output peak ");
    const size_t loops = errors.find(" dB after ");
    if (frame == std::string::npos || peak == std::string::npos || loops == std::string::npos) return false;
    char* end = nullptr;
    report.peak = std::strtod(errors.c_str() + peak + 12, &end);
    return end == errors.c_str() + loops &&
           std::sscanf(errors.c_str() + frame, ": frame %d x %d, page %d x %d at %d, %d;", &report.frameWidth,
                       &report.frameHeight, &report.pageWidth, &report.pageHeight, &report.pageX,
                       &report.pageY) == 6 &&
           std::sscanf(errors.c_str() + loops, " dB after %d", &report.loops) == 1;
}

bool Near(COLORREF a, COLORREF b) {
    // Room for a display of 16 bits per pixel; different colours of the face differ by more.
    const int tolerance = 8;
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(HostScreenshot, ShowsTheWholeFrameWithThePagesFaceInItWhilePlayingInALoop) {
    const std::string sound = ScratchFolder() + "short.wav", shot = ScratchFolder() + "frame.bmp";
    ASSERT_TRUE(WriteFileBytes(
        sound, wavbytes::Wav(1, 2, kRate, 16, wavbytes::Pcm16Data(wavbytes::TestSignal(kFrames, 2, kRate)))));
    const HostRun run = RunHost("--screenshot \"" + shot + "\" --after 2 \"" + sound + "\"");
    ASSERT_EQ(0u, run.exitCode) << run.errors;
    EXPECT_NE(std::string::npos, run.errors.find("WAVE Parser -> Quillorn qv:Ruvoda R3 -> ")) << run.errors;
    ShotReport report;
    ASSERT_TRUE(ParseReport(run.errors, report)) << run.errors;
    Image picture, face;
    ASSERT_TRUE(ReadBmp(shot, picture));
    ASSERT_TRUE(LoadFace(BesideTests("qvRuvodaR3.dll"), face));

    EXPECT_EQ(report.frameWidth, picture.width);
    EXPECT_EQ(report.frameHeight, picture.height);
    EXPECT_EQ(face.width, report.pageWidth);
    EXPECT_EQ(face.height, report.pageHeight);
    // The frame surrounds the page with its border, tab, caption and buttons, and no more.
    EXPECT_GT(report.pageX, 0);
    EXPECT_GT(report.pageY, 0);
    EXPECT_LT(report.pageX + report.pageWidth, picture.width);
    EXPECT_LT(report.pageY + report.pageHeight, picture.height);
    EXPECT_LT(picture.width, report.pageWidth + 200);
    EXPECT_LT(picture.height, report.pageHeight + 200);
    // Sound reached the filter's output meter, and the sound started over at its end.
    EXPECT_GT(report.peak, -40.0) << run.errors;
    EXPECT_GE(report.loops, 1) << run.errors;
    // Where no control covers the face (the column of row names left of the controls and
    // the banner strip below the last row), the picture shows the face.
    for (const POINT& p : {POINT{4, 60}, POINT{55, 360}, POINT{10, 415}, POINT{410, 445}})
        EXPECT_TRUE(Near(face.At(p.x, p.y), picture.At(report.pageX + p.x, report.pageY + p.y)))
            << "page point " << p.x << ", " << p.y;
}

}  // namespace
