#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "expr/Compiler.h"
#include "support/CaptureReporter.h"
#include "support/LocaleScope.h"

namespace {

struct ErrorCase {
  const char* text;
  int code;
  int position;
};

// Code and 0-based position of the first error, as users see them (position + 1).
const ErrorCase kErrors[] = {
    {"", 5, 0},
    {" x", 4, 0},
    {"x ", 4, 1},
    {"sin x", 4, 3},
    {"x\ty", 4, 1},
    {"x#", 4, 1},
    {"sinx", 3, 0},
    {"y", 3, 0},
    {"X", 3, 0},
    {"Sin(x)", 3, 0},
    {"sin(x", 10, 3},
    {"((x)", 10, 0},
    {"sin(cos(x)", 10, 3},
    {"sin()", 11, 0},
    {"sin", 12, 0},
    {"(sin)", 12, 1},
    {"2*sin", 12, 2},
    {"x)", 13, 1},
    {"()", 19, 1},
    {"(2+)", 21, 2},
    {"(-)", 20, 1},
    {"2+", 21, 1},
    {"-", 20, 0},
    {"*2", 17, 0},
    {"+5", 17, 0},
    {"(*2)", 17, 1},
    {"2x", 18, 1},
    {"2(3)", 18, 1},
    {"(2)(3)", 18, 3},
    {"x sin(x)", 4, 1},
    {"2sin(x)", 18, 4},
    {"2+*3", 15, 1},
    {"2*/3", 15, 1},
    {"1,2", 6, 1},
    {"sin(1,2)", 14, 0},
    {"sin(,1)", 11, 4},
    {"sin(1,)", 11, 0},
    {".", 1, 0},
    {"2*.", 1, 2},
    {"1e", 3, 1},
    {"0x1", 18, 1},
    {"x2", 18, 1},  // x, then the number 2  // 0, then the variable x: hexadecimal is not read
    {"abcdefghijklmnopqrstuvwxyzabcde", 2, 0},  // 31 letters
    {"x+\xc3\xa4", 4, 2},                       // a letter outside ASCII
    {"\xff", 4, 0},
    {"x;", 4, 1},
};

struct ValueCase {
  const char* text;
  double x;
  double value;
};

const ValueCase kValues[] = {
    {"-x^2", 3, 9},      {"2^3^2", 0, 64},         {"2-3-4", 0, -5},      {"8/2/2", 0, 2},
    {"--x", 5, 5},       {"2--x", 1, 3},           {"2^-x^2", 1, 0.25},   {".5", 0, 0.5},
    {"1e3", 0, 1000},    {"1E+2", 0, 100},         {"2.5e-1", 0, 0.25},   {"1.e1", 0, 10},
    {"2*-x", 4, -8},          {"(-x)", 4, -4},       {"1+2*3", 0, 7},
    {"(1+2)*3", 0, 9},   {"sin(x)^2+cos(x)^2", 0.7, std::pow(std::sin(0.7), 2) + std::pow(std::cos(0.7), 2)},
    {"sqrt(sqrt(x))", 16, 2}, {"((((x))))", 2, 2}, {"ln(exp(x))", 1.5, 1.5}, {"abcdefghijklmnopqrstuvwxyzabcd", 0, 0},
    {"-2^2", 0, 4},      {"10-2*3^2", 0, -8},      {"x-1", 1, 0},         {"(x)-1", 1, 0},
};

}  // namespace

TEST(Compiler, ReportsTheFirstErrorWithItsPosition) {
  VariableTable t("x");
  t.Add("abcdefghijklmnopqrstuvwxyzabcd");  // a 30-letter name is still a name
  Compiler compiler;
  for (const ErrorCase& c : kErrors) {
    EXPECT_EQ(compiler.Compile(c.text, t), nullptr) << c.text;
    EXPECT_EQ(compiler.errorCode, c.code) << c.text << ": " << Compiler::ErrorText(compiler.errorCode);
    EXPECT_EQ(compiler.errorPosition, c.position) << c.text;
  }
}

TEST(Compiler, ReadsPrecedenceAssociativityAndNumbers) {
  VariableTable t("x");
  t.Add("abcdefghijklmnopqrstuvwxyzabcd");
  Compiler compiler;
  for (const ValueCase& c : kValues) {
    auto tree = compiler.Compile(c.text, t);
    ASSERT_NE(tree, nullptr) << c.text << ": " << Compiler::ErrorText(compiler.errorCode);
    EXPECT_EQ(compiler.errorCode, 0);
    t[0].value = c.x;
    EXPECT_NEAR(tree->Evaluate(), c.value, 1e-12) << c.text;
    EXPECT_EQ(tree->variables, &t);
    EXPECT_EQ(tree->constRange, 0);
    EXPECT_EQ(tree->places, -1);
  }
}

TEST(Compiler, BuildsTheExpectedShapes) {
  VariableTable t("x");
  Compiler compiler;
  const struct {
    const char* in;
    const char* text;
  } cases[] = {
      {"-x^2", "-x^2"},          {"2^-x^2", "2^-x^2"},       {"x+(2+3)", "x+2+3"},   {"(x)-1", "x-1"},
      {"2-x", "2-x"},            {"x-(2-3)", "x-(2-3)"},     {"-(x+1)", "-(x+1)"},   {"2^(3^2)", "2^(3^2)"},
      {"inf", "inf"},            {"-inf", "-inf"},           {"1e999", "inf"},        {"ind", "-ind"},
      {"-ind", "--ind"},
  };
  for (const auto& c : cases) {
    auto tree = compiler.Compile(c.in, t);
    ASSERT_NE(tree, nullptr) << c.in;
    EXPECT_EQ(tree->Text(), c.text) << c.in;
  }
  auto inf = compiler.Compile("inf", t);
  EXPECT_EQ(inf->child->NodeClass(), 0);
  EXPECT_TRUE(std::isinf(inf->Evaluate()) && inf->Evaluate() > 0);
  auto minusInf = compiler.Compile("-inf", t);
  EXPECT_EQ(minusInf->child->TypeCode(), kOpNeg);
  EXPECT_TRUE(std::isnan(compiler.Compile("ind", t)->Evaluate()));
  auto unaryMinus = compiler.Compile("2--x", t);
  EXPECT_EQ(unaryMinus->child->TypeCode(), kOpMinus);
  EXPECT_EQ(static_cast<ElOpFn2&>(*unaryMinus->child).right->TypeCode(), kOpNeg);
}

TEST(Compiler, ReadsNumbersInTheRegionalFormat) {
  VariableTable t("x");
  Compiler compiler;
  LocaleScope de("de_DE.UTF-8");
  REQUIRE_LOCALE(de);
  auto half = compiler.Compile("0,5*x", t);
  ASSERT_NE(half, nullptr);
  t[0].value = 4;
  EXPECT_EQ(half->Evaluate(), 2);
  EXPECT_EQ(half->Text(), "0,5*x");
  EXPECT_EQ(compiler.Compile("0.5", t), nullptr);  // "0" then a lone "."
  EXPECT_EQ(compiler.errorCode, 1);
  EXPECT_EQ(compiler.errorPosition, 1);
  EXPECT_EQ(compiler.Compile("1.234", t), nullptr);  // digit grouping is not read
  EXPECT_EQ(compiler.errorCode, 1);
  EXPECT_EQ(compiler.errorPosition, 1);
}

TEST(Compiler, DoesNotReadDigitGrouping) {
  VariableTable t("x");
  Compiler compiler;
  LocaleScope us("en_US.UTF-8");
  REQUIRE_LOCALE(us);
  EXPECT_EQ(compiler.Compile("1,234", t), nullptr);  // 1, then a comma outside a call
  EXPECT_EQ(compiler.errorCode, 6);
  EXPECT_EQ(compiler.errorPosition, 1);
  EXPECT_NE(compiler.Compile("1234.5", t), nullptr);
}

TEST(Compiler, ErrorTextsComeFromTheCatalog) {
  EXPECT_EQ(Compiler::ErrorText(0), "No error");
  EXPECT_EQ(Compiler::ErrorText(8), "No opening parantheses");
  EXPECT_EQ(Compiler::ErrorText(21), "No second argument for operation");
  EXPECT_EQ(Compiler::ErrorText(-1), "");
  EXPECT_EQ(Compiler::ErrorText(Compiler::kErrorCount), "");
  CaptureReporter tr;
  tr.translationPrefix = "T:";
  EXPECT_EQ(Compiler::ErrorText(5), "T:Expression is empty");
}

TEST(Compiler, SurvivesHostileInput) {
  VariableTable t("x");
  Compiler compiler;
  // Deep nesting that builds no node is fine; a tree deeper than the limit is refused.
  std::string parens = std::string(100000, '(') + "x" + std::string(100000, ')');
  EXPECT_NE(compiler.Compile(parens, t), nullptr);
  std::string minus = std::string(kMaxTreeDepth - 1, '-') + "x";
  EXPECT_NE(compiler.Compile(minus, t), nullptr);
  minus = std::string(1000000, '-') + "x";
  EXPECT_EQ(compiler.Compile(minus, t), nullptr);
  EXPECT_EQ(compiler.errorCode, Compiler::kTooDeep);
  std::string sum = "x";
  for (int i = 0; i < 20000; ++i) sum += "+x";
  EXPECT_EQ(compiler.Compile(sum, t), nullptr);
  EXPECT_EQ(compiler.errorCode, Compiler::kTooDeep);
  std::string calls;
  for (int i = 0; i < 20000; ++i) calls += "sin(";
  calls += "x" + std::string(20000, ')');
  EXPECT_EQ(compiler.Compile(calls, t), nullptr);
  EXPECT_EQ(compiler.errorCode, Compiler::kTooDeep);
  // A long number and a long text of digits.
  EXPECT_NE(compiler.Compile(std::string(100000, '9'), t), nullptr);
  EXPECT_NE(compiler.Compile("0." + std::string(100000, '1'), t), nullptr);
  // Text after an embedded NUL is not read.
  EXPECT_NE(compiler.Compile(std::string("x\0garbage", 9), t), nullptr);
  // Random bytes: every result is either a tree or an error inside the text.
  std::mt19937 rng(7);
  const char alphabet[] = "x0123456789.e+-*/^(),sincoatqrtlpgd \xff\x80";
  for (int i = 0; i < 50000; ++i) {
    std::string text(1 + rng() % 24, ' ');
    for (char& ch : text) ch = alphabet[rng() % (sizeof alphabet - 1)];
    auto tree = compiler.Compile(text, t);
    if (!tree) {
      EXPECT_GT(compiler.errorCode, 0);
      EXPECT_LT(compiler.errorPosition, static_cast<int>(text.size()) + 1);
    } else {
      // What compiles writes a text that compiles to the same text.
      auto again = compiler.Compile(tree->Text(), t);
      ASSERT_NE(again, nullptr) << text << " -> " << tree->Text();
      if (tree->Text().find("ind") == std::string::npos) {
        EXPECT_EQ(again->Text(), tree->Text()) << text;
      }
    }
  }
}
