// What the controls rely on in the pictures' contents: see-through corners where a key is
// rounded, opaque faces where a control draws no background, neutral greys where the tint
// must glow yellow, and a face whose labels sit beside the rows they name.
#include <gtest/gtest.h>
#include <windows.h>

#include "ResourceAccess.h"

namespace {

constexpr int kFaceWidth = 428;

// Number of pixels in a rectangle of the face darker than `limit`.
int DarkPixels(const DibView& face, int x0, int y0, int x1, int y1, int limit) {
  int count = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (face.ColourAt(x, y).Brightness() < limit) ++count;
  return count;
}

int AverageBrightness(const DibView& face, int x0, int y0, int x1, int y1) {
  long sum = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) sum += face.ColourAt(x, y).Brightness();
  return static_cast<int>(sum / ((x1 - x0) * (y1 - y0)));
}

struct Row {
  const char* name;
  int fieldX, fieldY;
  bool hasUnit;
  int labelRight;  // the label must end before the mute button or the field
};

TEST(SkinArtwork, FacePrintsALabelBesideEveryRowAndItsUnitAfterTheField) {
  DibView face(FindOwnResource(103, RT_BITMAP));
  ASSERT_TRUE(face.Complete());
  const Row rows[] = {
      {"Input", 109, 45, true, 69},         {"Low Cut", 109, 76, true, 109},
      {"High Cut", 109, 99, true, 109},     {"Predelay", 109, 130, true, 109},
      {"Room Size", 109, 153, false, 109},  {"Diffusion", 109, 176, true, 109},
      {"Bass Multiplier", 109, 207, true, 109}, {"Crossover", 109, 230, true, 109},
      {"Decay Time", 109, 253, true, 109},  {"High Damping", 109, 276, true, 109},
      {"Dry", 109, 307, true, 69},          {"E.R.", 109, 330, true, 69},
      {"Reverb", 109, 353, true, 69},       {"Width", 109, 384, true, 109},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const int middle = row.fieldY + 10;
    EXPECT_GT(DarkPixels(face, 14, middle - 4, row.labelRight - 2, middle + 5, 110), 8);
    // Nothing printed where the label would run into the controls of its row.
    EXPECT_EQ(DarkPixels(face, row.labelRight - 2, middle - 4, row.labelRight, middle + 5, 110), 0);
    const int unitInk = DarkPixels(face, row.fieldX + 42, middle - 4, row.fieldX + 68, middle + 5, 150);
    if (row.hasUnit)
      EXPECT_GT(unitInk, 3);
    else
      EXPECT_EQ(unitInk, 0);
  }
  // "Output" left of the Stereo button on the last row.
  EXPECT_GT(DarkPixels(face, 165, 390, 216, 399, 110), 8);
}

TEST(SkinArtwork, MeterScalesAreMarkedBetweenEachPairOfMeters) {
  DibView face(FindOwnResource(103, RT_BITMAP));
  ASSERT_TRUE(face.Complete());
  for (int meterTop : {64, 248}) {
    for (int step = 0; step <= 10; ++step) {
      SCOPED_TRACE(testing::Message() << "meter at " << meterTop << ", mark " << step);
      const int y = meterTop + 2 + step * 14;
      EXPECT_GT(DarkPixels(face, 366, y - 3, 381, y + 4, 160), 2);
    }
    // Heading letters L and R flank the clip indicators above the meters.
    EXPECT_GT(DarkPixels(face, 341, meterTop - 9, 351, meterTop - 1, 110), 2);
    EXPECT_GT(DarkPixels(face, 395, meterTop - 9, 405, meterTop - 1, 110), 2);
  }
}

TEST(SkinArtwork, BannerStripIsDarkBelowALightPanel) {
  DibView face(FindOwnResource(103, RT_BITMAP));
  ASSERT_TRUE(face.Complete());
  EXPECT_LT(AverageBrightness(face, 0, 419, kFaceWidth, 451), 90);
  EXPECT_GT(AverageBrightness(face, 0, 0, kFaceWidth, 12), 190);
  // Its lettering is light on the dark strip.
  int light = 0;
  for (int y = 420; y < 451; ++y)
    for (int x = 0; x < kFaceWidth; ++x)
      if (face.ColourAt(x, y).Brightness() > 180) ++light;
  EXPECT_GT(light, 100);
}

TEST(SkinArtwork, DisplayOverlaysAreWhiteInsideAndDarkenTowardTheEdge) {
  for (int id : {130, 131}) {
    SCOPED_TRACE(id);
    DibView overlay(FindOwnResource(id, RT_BITMAP));
    ASSERT_TRUE(overlay.Complete());
    const int w = overlay.Header().biWidth, h = overlay.Header().biHeight;
    for (int i = 0; i < overlay.ColourTableEntries(); ++i) {
      const RGBQUAD e = overlay.TableEntry(i);
      ASSERT_TRUE(e.rgbRed == e.rgbGreen && e.rgbGreen == e.rgbBlue) << "entry " << i;
    }
    EXPECT_EQ(overlay.ColourAt(w / 2, h / 2).b, 255);
    EXPECT_LT(overlay.ColourAt(0, 0).b, overlay.ColourAt(0, h / 2).b);  // rounded corner
    int previous = -1;
    for (int x = 0; x < 8; ++x) {
      const int m = overlay.ColourAt(x, h / 2).b;
      EXPECT_GE(m, previous) << "at x " << x;
      previous = m;
    }
    EXPECT_LT(overlay.ColourAt(0, h / 2).b, 200);
    EXPECT_LT(overlay.ColourAt(w / 2, h - 1).b, 200);
  }
}

TEST(SkinArtwork, StereoGlyphIsDrawnOnTheMagentaKey) {
  DibView glyph(FindOwnResource(7500, RT_BITMAP));
  ASSERT_TRUE(glyph.Complete());
  const Colour key = glyph.ColourAt(0, 0);
  EXPECT_EQ(key.r, 255);
  EXPECT_EQ(key.g, 0);
  EXPECT_EQ(key.b, 255);
  int ink = 0;
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 7; ++x) {
      const Colour c = glyph.ColourAt(x, y);
      if (!(c.r == 255 && c.g == 0 && c.b == 255)) {
        ++ink;
        EXPECT_LT(c.Brightness(), 128);  // dark like the button labels
      }
    }
  EXPECT_GT(ink, 12);
}

TEST(SkinArtwork, ClipIndicatorsGrowRedderFromOffToHeldToLit) {
  auto centre = [](int id) { return DibView(FindOwnResource(id, RT_BITMAP)).ColourAt(6, 4); };
  const Colour off = centre(140), held = centre(139), lit = centre(141);
  EXPECT_LT(off.r - off.g, held.r - held.g);
  EXPECT_LT(held.r, lit.r);
  EXPECT_GT(lit.Brightness(), held.Brightness());
}

struct Key {
  int normal, pressed, width;
  bool roundLeft, roundRight;
};

TEST(SkinArtwork, KeysAreNeutralGreyWithSeeThroughRoundedCorners) {
  const Key keys[] = {
      {137, 136, 50, true, true}, {125, 126, 76, true, true}, {123, 124, 61, true, false},
      {129, 122, 15, false, true}, {133, 132, 24, true, true}, {135, 134, 36, true, true},
  };
  for (const Key& key : keys) {
    SCOPED_TRACE(key.normal);
    for (int id : {key.normal, key.pressed}) {
      ResourceBytes image = FindOwnResource(id, RT_RCDATA);
      ASSERT_NE(image.data, nullptr);
      EXPECT_EQ(RgbtAt(image, key.width, 0, 0).t > 128, key.roundLeft);
      EXPECT_EQ(RgbtAt(image, key.width, key.width - 1, 20).t > 128, key.roundRight);
      for (int y = 3; y < 18; ++y) {
        const Rgbt p = RgbtAt(image, key.width, key.width / 2, y);
        EXPECT_EQ(p.t, 0);
        // Equal channels: the default tint then turns the key warm yellow.
        EXPECT_TRUE(p.r == p.g && p.g == p.b) << "row " << y;
        EXPECT_GT(p.r, 180);
      }
    }
    const Rgbt up = RgbtAt(FindOwnResource(key.normal, RT_RCDATA), key.width, key.width / 2, 5);
    const Rgbt down = RgbtAt(FindOwnResource(key.pressed, RT_RCDATA), key.width, key.width / 2, 5);
    EXPECT_GT(up.r, down.r);  // a pressed key is shaded
  }
}

TEST(SkinArtwork, MeterImagesAreOpaqueAndDifferOnlyInTheBar) {
  // The meter paints no background under its face, so no pixel may be see-through.
  ResourceBytes face = FindOwnResource(128, RT_RCDATA), bar = FindOwnResource(121, RT_RCDATA);
  ASSERT_NE(face.data, nullptr);
  ASSERT_NE(bar.data, nullptr);
  int differingBarRows = 0;
  for (int y = 0; y < 144; ++y) {
    bool rowDiffers = false;
    for (int x = 0; x < 12; ++x) {
      const Rgbt f = RgbtAt(face, 12, x, y), b = RgbtAt(bar, 12, x, y);
      ASSERT_EQ(f.t, 0);
      ASSERT_EQ(b.t, 0);
      const bool same = f.r == b.r && f.g == b.g && f.b == b.b;
      if (y < 2 || y > 141 || x < 2 || x > 9) {
        EXPECT_TRUE(same) << x << "," << y;
      }
      rowDiffers = rowDiffers || !same;
    }
    if (rowDiffers) ++differingBarRows;
  }
  EXPECT_GT(differingBarRows, 80);
  // Full scale at the top is red, the low end green.
  // (Of three neighbouring rows at least one is a lit segment, not a gap.)
  auto brightest = [&](int y0) {
    Rgbt best = RgbtAt(bar, 12, 5, y0);
    for (int y = y0 + 1; y < y0 + 3; ++y)
      if (RgbtAt(bar, 12, 5, y).r + RgbtAt(bar, 12, 5, y).g > best.r + best.g) best = RgbtAt(bar, 12, 5, y);
    return best;
  };
  const Rgbt top = brightest(2), low = brightest(138);
  EXPECT_GT(top.r, top.g + 80);
  EXPECT_GT(low.g, low.r + 80);
}

TEST(SkinArtworkThumb, BodyIsOpaqueForTheGrabWidthAndMarksTheTickColumn) {
  ResourceBytes thumb = FindOwnResource(127, RT_RCDATA);
  ASSERT_NE(thumb.data, nullptr);
  for (int x = 1; x < 25; ++x) EXPECT_EQ(RgbtAt(thumb, 29, x, 8).t, 0) << "x " << x;
  EXPECT_GT(RgbtAt(thumb, 29, 28, 8).t, 200);
  const Rgbt index = RgbtAt(thumb, 29, 12, 8);
  const Rgbt beside = RgbtAt(thumb, 29, 10, 8);
  EXPECT_LT(index.r + 60, beside.r);
}

TEST(SkinArtworkEdit, FaceIsLightAndOpaqueWhereTheTextGoes) {
  ResourceBytes edit = FindOwnResource(120, RT_RCDATA);
  ASSERT_NE(edit.data, nullptr);
  for (int y = 3; y < 18; ++y)
    for (int x = 3; x < 37; ++x) {
      const Rgbt p = RgbtAt(edit, 40, x, y);
      ASSERT_EQ(p.t, 0) << x << "," << y;
      ASSERT_GT((p.r * 30 + p.g * 59 + p.b * 11) / 100, 200) << x << "," << y;
    }
}

}  // namespace
