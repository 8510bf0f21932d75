#include <gtest/gtest.h>

#include <sstream>

#include "goal/PointsText.h"
#include "support/LocaleScope.h"

namespace {

using Points = std::vector<GoalPoint>;

bool Read(const std::string& text, Points& points) {
  std::istringstream in(text);  // takes the global locale
  return ReadPointsText(in, points);
}

std::string Write(const Points& points) {
  std::ostringstream out;
  EXPECT_TRUE(WritePointsText(out, points));
  return out.str();
}

}  // namespace

TEST(PointsText, ReadsPairsWhateverTheWhiteSpace) {
  const struct {
    const char* text;
    bool ok;
    Points points;
  } cases[] = {
      {"1 2 3 4", true, {{1, 2}, {3, 4}}},
      {"1\n2\n3\n4\n", true, {{1, 2}, {3, 4}}},
      {"1\t2\r\n  3 4\n\n", true, {{1, 2}, {3, 4}}},
      {"1 2 3\n", false, {}},  // an x without y, then white space
      {"1 2 3", true, {{1, 2}}},  // a last number at the very end is dropped
      {"", true, {}},
      {"\n \n", true, {}},
      {"1 2 x 4", false, {}},
      {"1 two", false, {}},
      {"-1.5e2 +2.5E-1", true, {{-150, 0.25}}},
      {"0.5 1 2 -3", true, {{0.5, 1}, {2, -3}}},
  };
  for (const auto& c : cases) {
    Points p{{9, 9}};
    EXPECT_EQ(Read(c.text, p), c.ok) << c.text;
    EXPECT_EQ(p, c.points) << c.text;
  }
}

TEST(PointsText, WritesXTabYLines) {
  EXPECT_EQ(Write({{0.5, 1}, {2, -3}}), "0.5\t1\n2\t-3\n");
  EXPECT_EQ(Write({{0.1, 1.0 / 3}}), "0.1\t0.333333333333333\n");
  Points back;
  ASSERT_TRUE(Read(Write({{1e-20, 123456.789}}), back));
  EXPECT_EQ(back, (Points{{1e-20, 123456.789}}));
}

TEST(PointsText, FollowsTheRegionalFormat) {
  {
    LocaleScope de("de_DE.UTF-8");
    REQUIRE_LOCALE(de);
    EXPECT_EQ(Write({{0.5, 2}}), "0,5\t2\n");
    Points p;
    ASSERT_TRUE(Read("0,5 1,25\n", p));
    EXPECT_EQ(p, (Points{{0.5, 1.25}}));
  }
  LocaleScope us("en_US.UTF-8");
  REQUIRE_LOCALE(us);
  EXPECT_EQ(Write({{1234.5, 2}}), "1,234.5\t2\n");
  Points p;
  ASSERT_TRUE(Read("1,234.5\t2\n", p));
  EXPECT_EQ(p, (Points{{1234.5, 2}}));
  EXPECT_FALSE(Read("12,34 1\n", p));
  EXPECT_TRUE(p.empty());
}
