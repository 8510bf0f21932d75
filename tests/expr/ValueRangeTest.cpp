#include <gtest/gtest.h>

#include <cmath>

#include "expr/Compiler.h"

namespace {

struct RangeCase {
  const char* formula;
  double min, max;  // range of x
  bool pass;
  double lower, upper;  // checked when pass
};

const double kNoBound = 0;

const RangeCase kCases[] = {
    {"1/x", 1, 2, true, 0.5, 1},
    {"1/(x-1)", 1, 2, false, kNoBound, kNoBound},
    {"1/(x-3)", 1, 2, true, -1, -0.5},
    {"-x", -1, 2, true, -2, 1},
    {"1/(-x)", -1, 2, false, kNoBound, kNoBound},
    {"tan(x)", 0, 3, false, kNoBound, kNoBound},
    {"tan(x)", 0, 1, true, 0, std::tan(1.0)},
    {"tan(x)", 0, 4, false, kNoBound, kNoBound},
    {"sin(x)", -10, 10, true, -1, 1},
    {"cos(x)", -10, 10, true, -1, 1},
    {"cos(x)", 0, 1, true, std::cos(1.0), 1},
    {"x^2", -1, 2, true, 1, 4},
    {"x^(-1)", -1, 2, false, kNoBound, kNoBound},
    {"x^0.5", -1, 2, false, kNoBound, kNoBound},
    {"x^x", -1, 2, false, kNoBound, kNoBound},
    {"x^x", 0, 2, true, 0, 4},
    {"sqrt(x)", -1, 1, false, kNoBound, kNoBound},
    {"ln(x)", 0, 1, false, kNoBound, kNoBound},
    {"exp(x)", 0, 1000, false, kNoBound, kNoBound},
    {"exp(x)", 0, 1, true, 1, std::exp(1.0)},
    {"2*3+1", 0, 1, true, 7, 7},
    {"1/0", 0, 1, false, kNoBound, kNoBound},
    {"ln(x)*0", 0, 1, true, 0, 0},  // the NaN corner is dropped
    {"x*x", -2, 3, true, -6, 9},
    {"x-x", 0, 1, true, -1, 1},
    {"atan(1/x)", 0, 1, false, kNoBound, kNoBound},
    {"atan(x)", 0, 1, true, 0, std::atan(1.0)},
    {"asin(x)", -1, 1, true, std::asin(-1.0), std::asin(1.0)},
    {"acos(x)", 0, 1, true, 0, std::acos(0.0)},
    {"log(x)", 1, 100, true, 0, 2},
    // Sine: the upper bound is 1 when the reduced interval holds pi/2 (or
    // 5pi/2 when it wraps), the lower bound -1 when it holds 3pi/2 (or 7pi/2).
    {"sin(x)", 0, 1, true, 0, std::sin(1.0)},
    {"sin(x)", 1, 2, true, std::sin(1.0), 1},
    {"sin(x)", 4, 5, true, -1, std::sin(4.0)},
    {"sin(x)", 6, 8, true, std::sin(6.0), 1},    // wraps past 2pi, holds 5pi/2
    {"sin(x)", 4, 11, true, -1, 1},              // wider than 2pi
    {"sin(x)", 5, 11, true, -1, 1},              // wraps, holds 5pi/2 and 7pi/2
    {"sin(x)", -2, -1, true, -1, std::sin(-1.0)},  // reduced to [4.28, 5.28]: holds 3pi/2
    {"sin(x)", 2, 3, true, std::sin(3.0), std::sin(2.0)},
    // Cosine: lower -1 when pi (or 3pi when wrapping) is inside, upper 1 at 0 or 2pi.
    {"cos(x)", 3, 4, true, -1, std::cos(4.0)},
    {"cos(x)", 6, 7, true, std::cos(7.0), 1},
    {"cos(x)", 1, 2, true, std::cos(2.0), std::cos(1.0)},
    {"cos(x)", -1, 0, true, std::cos(-1.0 + 2 * M_PI), 1},
    // An interval exactly one period wide covers every value.
    {"cos(x)", 0, 6.283185307179586, true, -1, 1},
    {"sin(x)", 6.283185307179586, 12.566370614359172, true, -1, 1},
    {"1/cos(x)", 0, 6.283185307179586, false, kNoBound, kNoBound},
};

}  // namespace

TEST(ValueRange, BoundsAndRangeCheck) {
  VariableTable t("x");
  Compiler compiler;
  for (const RangeCase& c : kCases) {
    auto tree = compiler.Compile(c.formula, t);
    ASSERT_NE(tree, nullptr) << c.formula;
    t[0].min = c.min;
    t[0].max = c.max;
    double lower, upper;
    tree->ValueRange(lower, upper);
    EXPECT_EQ(tree->RangeCheck(), c.pass) << c.formula << " over [" << c.min << ", " << c.max << "]: ["
                                          << lower << ", " << upper << "]";
    if (c.pass && tree->RangeCheck()) {
      EXPECT_NEAR(lower, c.lower, 1e-12) << c.formula << " over [" << c.min << ", " << c.max << "]";
      EXPECT_NEAR(upper, c.upper, 1e-12) << c.formula << " over [" << c.min << ", " << c.max << "]";
    }
  }
}

TEST(ValueRange, FailingNodesReportTheUnboundedRange) {
  VariableTable t("x");
  t[0].min = 1;
  t[0].max = 2;
  Compiler compiler;
  for (const char* formula : {"1/(x-1)", "tan(x*10)", "exp(1/0)", "atan(ln(0))", "(x-3)^x"}) {
    auto tree = compiler.Compile(formula, t);
    double lower, upper;
    tree->ValueRange(lower, upper);
    EXPECT_TRUE(std::isinf(lower) && lower < 0) << formula;
    EXPECT_TRUE(std::isinf(upper) && upper > 0) << formula;
  }
}

// The bounds hold every value the formula takes at sample points of the interval.
TEST(ValueRange, BoundsContainSampledValues) {
  VariableTable t("x");
  Compiler compiler;
  const char* formulas[] = {"sin(x)", "cos(x)", "sin(2*x+1)", "cos(x/3)-x", "x^3-2*x", "tan(x/4)",
                            "exp(sin(x))", "atan(x)*x", "sqrt(x*x+1)"};
  const double intervals[][2] = {{-3, -2}, {0, 1}, {1, 5}, {2.5, 9}, {-7, 0.5}, {10, 12}, {-0.2, 0.2}};
  for (const char* f : formulas)
    for (const auto& iv : intervals) {
      auto tree = compiler.Compile(f, t);
      t[0].min = iv[0];
      t[0].max = iv[1];
      double lower, upper;
      tree->ValueRange(lower, upper);
      if (!tree->RangeCheck()) continue;
      for (int i = 0; i <= 400; ++i) {
        t[0].value = iv[0] + (iv[1] - iv[0]) * i / 400;
        const double y = tree->Evaluate();
        EXPECT_GE(y, lower - 1e-9) << f << " at " << t[0].value;
        EXPECT_LE(y, upper + 1e-9) << f << " at " << t[0].value;
      }
    }
}
