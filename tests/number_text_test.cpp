// Reading numbers and colours from stored texts, including hand-edited garbage, and
// turning twips into pixels at each monitor scale.
#include <gtest/gtest.h>

#include "common/colour.h"
#include "common/number_text.h"
#include "common/twips.h"

namespace qv {
namespace {

TEST(LeadingNumber, TakesTheLeadingNumberRounded) {
  EXPECT_EQ(LeadingNumber("1"), 1);
  EXPECT_EQ(LeadingNumber(" 1x"), 1);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("-2"), -2);
  EXPECT_EQ(LeadingNumber("0.6"), 1);
  EXPECT_EQ(LeadingNumber("2.5"), 2);  // half to even
  EXPECT_EQ(LeadingNumber("99999999999"), 0);
}

TEST(ColourFromText, AcceptsDecimalHexAndSystemColours) {
  EXPECT_EQ(ColourFromText("16777215", 7), 0xFFFFFFu);
  EXPECT_EQ(ColourFromText("&HFF", 7), 0xFFu);
  EXPECT_EQ(ColourFromText("&H80000005", 7), 0x80000005u);
  EXPECT_EQ(ColourFromText("-2147483643", 7), 0x80000005u);  // the same, as a signed Long
  EXPECT_EQ(ColourFromText(" 255 ", 7), 255u);
}

// Text keeps the system's colour where it reads, else black or white: high-contrast text
// (white, yellow) on QV's white and light grey turns black, on dark backgrounds stays.
TEST(ReadableTextOn, KeepsReadableTextAndTurnsTheRestBlackOrWhite) {
  struct Case {
    Colour back, text, drawn;
  } cases[] = {{kWhite, 0x000000, 0x000000}, {kWhite, kWhite, 0x000000},
               {kWhite, 0x00FFFF, 0x000000}, {kDefaultHover, kWhite, 0x000000},
               {0x000000, kWhite, kWhite},   {0x000000, 0x00FFFF, 0x00FFFF},
               {0x800000, 0x000000, kWhite}, {0x808080, 0x000000, 0x000000}};
  for (const Case& c : cases)
    EXPECT_EQ(ReadableTextOn(c.back, c.text), c.drawn) << std::hex << c.back << " " << c.text;
}

TEST(ColourFromText, FallsBackForAnythingThatIsNotAColour) {
  for (const char* bad :
       {"abc", "-1", "4294967296", "", "12abc", "16777216", "&H", "&HXYZ", "&H80FF0000", "1e5"})
    EXPECT_EQ(ColourFromText(bad, 7), 7u) << bad;
}

// The same window at each common Windows scale: the menu's width, the 200-twip corner
// margin and the 9.75-point bold font, and a monitor's pixels there and back.
TEST(TwipsAtDpi, EveryCommonScaleRoundsToTheNearestPixel) {
  const int dpis[] = {96, 120, 144, 192};
  const int menuWidth[] = {151, 189, 227, 302};
  const int margin[] = {13, 17, 20, 27};
  const int font[] = {13, 16, 20, 26};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(TwipsToPixelsAtDpi(2265, dpis[i]), menuWidth[i]) << dpis[i];
    EXPECT_EQ(TwipsToPixelsAtDpi(200, dpis[i]), margin[i]) << dpis[i];
    EXPECT_EQ(PointsToPixelsAtDpi(9.75, dpis[i]), font[i]) << dpis[i];
    EXPECT_EQ(TwipsToPixelsAtDpi(PixelsToTwipsAtDpi(1366, dpis[i]), dpis[i]), 1366) << dpis[i];
  }
}

}  // namespace
}  // namespace qv
