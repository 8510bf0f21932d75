#include <gtest/gtest.h>

#include <limits>

#include "expr/NumberFormat.h"
#include "support/LocaleScope.h"
#include "support/TreeBuilders.h"

using namespace tb;

TEST(NumberFormat, FifteenSignificantDigitsInTheGeneralForm) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {2, "2"},
      {0.5, "0.5"},
      {-2.5, "-2.5"},
      {0.1, "0.1"},
      {3.14159265358979323846, "3.14159265358979"},
      {1e20, "1e+20"},
      {1e-5, "1e-05"},
      {0.0001, "0.0001"},
      {100000, "100000"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1.23456789012346e+15"},
      {-0.0, "-0"},
      {inf, "inf"},
      {-inf, "-inf"},
      {std::numeric_limits<double>::quiet_NaN(), "-ind"},
      {-std::numeric_limits<double>::quiet_NaN(), "-ind"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.value), c.text) << c.text;
}

TEST(NumberFormat, FollowsTheGlobalLocale) {
  {
    LocaleScope de("de_DE.UTF-8");
    REQUIRE_LOCALE(de);
    EXPECT_EQ(FormatNumber(0.5), "0,5");
    EXPECT_EQ(FormatNumber(100000), "100.000");
    EXPECT_EQ(FormatNumber(1e20), "1e+20");
  }
  {
    LocaleScope us("en_US.UTF-8");
    REQUIRE_LOCALE(us);
    EXPECT_EQ(FormatNumber(1234567), "1,234,567");
    EXPECT_EQ(FormatNumber(100000), "100,000");
  }
  EXPECT_EQ(FormatNumber(1234567), "1234567");  // back in the classic locale
}

TEST(Text, ParenthesesFollowPriorityAndAssociativity) {
  VariableTable t("x");
  auto a = [&] { return X(t); };
  auto b = [] { return C(2); };
  auto c = [] { return C(3); };
  const struct {
    Node tree;
    const char* text;
  } cases[] = {
      {Minus(a(), Minus(b(), c())), "x-(2-3)"},
      {Plus(a(), Plus(b(), c())), "x+2+3"},
      {Minus(a(), Plus(b(), c())), "x-(2+3)"},
      {Plus(a(), Minus(b(), c())), "x+(2-3)"},
      {Minus(Minus(a(), b()), c()), "x-2-3"},
      {Mult(a(), Mult(b(), c())), "x*2*3"},
      {Mult(a(), Div(b(), c())), "x*(2/3)"},
      {Div(a(), Mult(b(), c())), "x/(2*3)"},
      {Div(a(), Div(b(), c())), "x/(2/3)"},
      {Pow(Pow(a(), b()), c()), "x^2^3"},
      {Pow(a(), Pow(b(), c())), "x^(2^3)"},
      {Mult(a(), Pow(b(), c())), "x*2^3"},
      {Mult(Plus(a(), b()), c()), "(x+2)*3"},
      {Pow(Neg(a()), b()), "-x^2"},
      {Pow(a(), Neg(b())), "x^-2"},
      {Minus(a(), Neg(b())), "x--2"},
      {Mult(b(), Neg(a())), "2*-x"},
      {Pow(Sin(a()), b()), "sin(x)^2"},
      {Neg(Neg(a())), "--x"},
      {Neg(C(-2)), "--2"},
      {Minus(a(), C(-2)), "x--2"},
      {Neg(Plus(a(), b())), "-(x+2)"},
      {Neg(Pow(a(), b())), "-(x^2)"},
      {Neg(Sin(a())), "-sin(x)"},
      {Op1(kOpSqrt, Plus(a(), C(1))), "sqrt(x+1)"},
      {Op1(kOpLn, Op1(kOpExp, Neg(a()))), "ln(exp(-x))"},
  };
  for (const auto& k : cases) EXPECT_EQ(k.tree->Text(), k.text);
}

TEST(Text, LabelsAndHolder) {
  VariableTable t("x");
  EXPECT_EQ(C(2.5)->Label(), "2.5");
  EXPECT_EQ(Plus(X(t), C(1))->Label(), "+");
  EXPECT_EQ(Neg(X(t))->Label(), "-");
  EXPECT_EQ(Op1(kOpATan, X(t))->Label(), "atan");
  ElHolder h = Hold(Plus(X(t), C(1)), t);
  EXPECT_EQ(h.Label(), "elh");
  EXPECT_EQ(h.Text(), "x+1");
}

TEST(Markup, TagsTheOperationsOwnSymbolsOnly) {
  VariableTable t("x");
  EXPECT_EQ(Mult(X(t), Plus(X(t), C(1)))->Markup(), "x<mop>*</mop><mpar>(</mpar>x+1<mpar>)</mpar>");
  ElHolder h = Hold(Mult(X(t), Plus(X(t), C(1))), t);
  EXPECT_EQ(h.Markup(), "<math>x<mop>*</mop><mpar>(</mpar>x+1<mpar>)</mpar></math>");
  EXPECT_EQ(X(t)->Markup(), "<mvar>x</mvar>");
  EXPECT_EQ(C(0.5)->Markup(), "<mconst>0.5</mconst>");
  EXPECT_EQ(Sin(Plus(X(t), C(1)))->Markup(), "<mfn>sin(</mfn>x+1<mfn>)</mfn>");
  EXPECT_EQ(Neg(X(t))->Markup(), "<mop>-</mop>x");
  EXPECT_EQ(Neg(Plus(X(t), C(1)))->Markup(), "<mop>-</mop><mpar>(</mpar>x+1<mpar>)</mpar>");
  EXPECT_EQ(Plus(Mult(X(t), C(2)), C(1))->Markup(), "x*2<mop>+</mop>1");
}
