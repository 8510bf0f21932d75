#include "app/AppSettings.h"

#include <cstdlib>

#include "app/NumericLocaleGuard.h"
#include "common/Log.h"
#include "support/LocaleScope.h"

#include <gtest/gtest.h>

TEST(AppSettings, DefaultsEqualityAndColourText) {
  AppSettings a;
  EXPECT_EQ(a.langNo, 0);
  EXPECT_EQ(ColourText(a.pointsColour), "#2400F2");
  EXPECT_EQ(ColourText(a.additionalPointsColour), "#00DD16");
  EXPECT_EQ(ColourText(a.synthesizedColour), "#FF8000");
  AppSettings b = a;
  b.showSplash = false;  // no control edits it, but it counts
  EXPECT_NE(a, b);
  EXPECT_FALSE(a.ColoursDiffer(b));
  b = a;
  b.synthesizedColour.b = 1;
  EXPECT_TRUE(a.ColoursDiffer(b));
  b.SetDefaults();
  EXPECT_EQ(a, b);
}

TEST(NumericLocaleGuard, StoresNumbersWithAPointUnderAnyRegionalFormat) {
  LocaleScope german("de_DE.UTF-8");
  REQUIRE_LOCALE(german);
  EXPECT_EQ(Format("%g", 0.5), "0,5");
  {
    // "en", the name Windows knows, is no locale of the C library here: the
    // guard must still give the classic format.
    NumericLocaleGuard guard;
    EXPECT_EQ(Format("%g", 0.5), "0.5");
    EXPECT_EQ(std::strtod("0.25", nullptr), 0.25);
  }
  EXPECT_EQ(Format("%g", 0.5), "0,5");
}
