// Reading numbers and colours from stored texts, including hand-edited garbage.
#include <gtest/gtest.h>

#include "common/colour.h"
#include "common/number_text.h"

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

TEST(ColourFromText, FallsBackForAnythingThatIsNotAColour) {
  for (const char* bad :
       {"abc", "-1", "4294967296", "", "12abc", "16777216", "&H", "&HXYZ", "&H80FF0000", "1e5"})
    EXPECT_EQ(ColourFromText(bad, 7), 7u) << bad;
}

}  // namespace
}  // namespace qv
