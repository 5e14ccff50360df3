// ruvoda-host with --screenshot on a short sound: the picture is the whole frame with the
// page in it, taken while the sound plays in a loop.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "HostRun.h"
#include "PageFace.h"
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

// Points of the page's face that no control covers: the column of row names left of the
// controls and the banner strip below the last row.
std::vector<POINT> FacePoints() {
    std::vector<POINT> points;
    for (int x : {4, 30, 55})
        for (int y = 60; y <= 360; y += 60) points.push_back({x, y});
    for (int x = 10; x <= 410; x += 100)
        for (int y : {415, 430, 445}) points.push_back({x, y});
    return points;
}

bool Near(COLORREF a, COLORREF b) {
    // Room for a display of 16 bits per pixel; different colours of the face differ by more.
    const int tolerance = 8;
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class HostScreenshotTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string folder = ScratchFolder();
        sound_ = folder + "short.wav";
        shot_ = folder + "frame.bmp";
        DeleteFileA(shot_.c_str());
        ASSERT_TRUE(WriteFileBytes(sound_, wavbytes::Wav(1, 2, kRate, 16,
                                                         wavbytes::Pcm16Data(wavbytes::TestSignal(kFrames, 2, kRate)))));
        run_ = RunHost("--screenshot \"" + shot_ + "\" --after 2 \"" + sound_ + "\"");
    }

    static std::string sound_, shot_;
    static HostRun run_;
};

std::string HostScreenshotTest::sound_, HostScreenshotTest::shot_;
HostRun HostScreenshotTest::run_;

TEST_F(HostScreenshotTest, WritesTheWholeFrameWithThePageInItWhilePlayingInALoop) {
    ASSERT_EQ(0u, run_.exitCode) << run_.errors;
    EXPECT_NE(std::string::npos, run_.errors.find("WAVE Parser -> Quillorn qv:Ruvoda R3 -> ")) << run_.errors;
    ShotReport report;
    ASSERT_TRUE(ParseReport(run_.errors, report)) << run_.errors;
    Image picture;
    ASSERT_TRUE(ReadBmp(shot_, picture));

    EXPECT_EQ(report.frameWidth, picture.width);
    EXPECT_EQ(report.frameHeight, picture.height);
    EXPECT_EQ(428, report.pageWidth);
    EXPECT_EQ(451, report.pageHeight);
    // The frame surrounds the page with its border, tab, caption and buttons, and no more.
    EXPECT_GT(report.pageX, 0);
    EXPECT_GT(report.pageY, 0);
    EXPECT_LT(report.pageX + report.pageWidth, picture.width);
    EXPECT_LT(report.pageY + report.pageHeight, picture.height);
    EXPECT_LT(picture.width, report.pageWidth + 200);
    EXPECT_LT(picture.height, report.pageHeight + 200);
    // Sound reached the filter's output meter, and the sound started over at its end.
    EXPECT_GT(report.peak, -40.0) << run_.errors;
    EXPECT_GE(report.loops, 1) << run_.errors;
}

TEST_F(HostScreenshotTest, ShowsThePageAsThePagePaintsIt) {
    ASSERT_EQ(0u, run_.exitCode) << run_.errors;
    ShotReport report;
    Image picture, face, painted;
    ASSERT_TRUE(ParseReport(run_.errors, report) && ReadBmp(shot_, picture));
    const std::string dll = BesideTests("qvRuvodaR3.dll");
    ASSERT_TRUE(LoadFace(dll, face));
    std::string error;
    ASSERT_TRUE(PaintPageBackground(dll, report.pageWidth, report.pageHeight, painted, error)) << error;
    // Where the page paints its face, the screenshot shows the face too.
    std::vector<POINT> points;
    for (const POINT& p : FacePoints())
        if (Near(painted.At(p.x, p.y), face.At(p.x, p.y))) points.push_back(p);
    if (points.size() * 2 < FacePoints().size())
        GTEST_SKIP() << "the page paints no face of its own yet (" << points.size() << " face points)";
    for (const POINT& p : points)
        EXPECT_TRUE(Near(face.At(p.x, p.y), picture.At(report.pageX + p.x, report.pageY + p.y)))
            << "page point " << p.x << ", " << p.y;
}

}  // namespace
