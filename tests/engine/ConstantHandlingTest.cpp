#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/Variant.h"
#include "expr/Compiler.h"

namespace {

Variant WithTree(VariableTable& t, const char* formula, int places) {
  Compiler c;
  auto tree = c.Compile(formula, t);
  EXPECT_NE(tree, nullptr) << formula;
  Variant v;
  v.SetVariables(&t);
  v.places = places;
  v.child = std::move(tree->child);
  return v;
}

}  // namespace

TEST(Constants, RoundConstantRoundsHalvesAwayFromZero) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    int places;
    double in, out;
  } cases[] = {
      {2, 0.125, 0.13},   {2, -0.125, -0.13}, {2, 1.005, 1.0},  {1, 2.345, 2.3},  {0, 2.5, 3},
      {0, -2.5, -3},      {0, 2.4999, 2},     {0, -0.4, -0.0},  {-1, 0.123456, 0.123456},
      {3, 1.23456, 1.235}, {22, 0.5, 0.5},    {2, 1e300, 1e300}, {2, inf, inf},
      {2, -inf, -inf},
  };
  for (const auto& c : cases) {
    Variant v;
    v.places = c.places;
    EXPECT_EQ(v.RoundConstant(c.in), c.out) << c.in << " to " << c.places << " places";
  }
  Variant v;
  v.places = 2;
  EXPECT_TRUE(std::isnan(v.RoundConstant(std::nan(""))));
  v.places = 400;  // 10^400 overflows: the value is kept
  EXPECT_EQ(v.RoundConstant(1.5), 1.5);
}

TEST(Constants, CancelFoldsMaximalConstantSubexpressions) {
  const struct {
    const char* in;
    int places;
    const char* out;
  } cases[] = {
      {"x+2*3", -1, "x+6"},
      {"(x+1)*2", -1, "(x+1)*2"},
      {"2*3+sin(2*4)", -1, "6.98935824662338"},
      {"sin(1)*x", 3, "0.841*x"},
      {"x", -1, "x"},
      {"2.345", 1, "2.345"},  // a single constant is left as it is
      {"x*(2+3)-sqrt(4)/x", -1, "x*5-2/x"},
      {"ln(-1)+x", -1, "-ind+x"},
      {"-(2*3)", -1, "-6"},
      {"-x+-2", -1, "-x+-2"},
      {"sin(x+ln(exp(2)))", -1, "sin(x+2)"},
  };
  for (const auto& c : cases) {
    VariableTable t("x");
    Variant v = WithTree(t, c.in, c.places);
    v.mainDirty = v.allDirty = false;
    v.rangeKnown = true;
    v.CancelConstants();
    EXPECT_EQ(v.Text(), c.out) << c.in;
    // The caches become dirty only when rounding is on.
    EXPECT_EQ(v.allDirty, c.places >= 0) << c.in;
    EXPECT_EQ(v.rangeKnown, c.places < 0) << c.in;
  }
}

TEST(Constants, RoundConstantsRoundsEveryLeaf) {
  VariableTable t("x");
  Variant v = WithTree(t, "1.234*x+sin(5.678)-(9.876^x)", 1);
  v.RoundConstants(*v.child);
  EXPECT_EQ(v.Text(), "1.2*x+sin(5.7)-9.9^x");
  Variant off = WithTree(t, "1.234*x", -1);
  off.RoundConstants(*off.child);
  EXPECT_EQ(off.Text(), "1.234*x");
}
