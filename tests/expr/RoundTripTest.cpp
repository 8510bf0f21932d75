// Text written by a tree compiles back to a tree that writes the same text.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "expr/Compiler.h"
#include "support/LocaleScope.h"
#include "support/TreeBuilders.h"

using namespace tb;

namespace {

// Random trees over x with constants that regional digit grouping leaves
// alone (below 1000, or large enough for the exponent form).
class TreeGrower {
 public:
  TreeGrower(const VariableTable& t, unsigned seed) : t_(t), rng_(seed) {}

  Node Grow(int depth) {
    const unsigned pick = depth <= 1 ? rng_() % 2 : rng_() % 18;
    if (pick == 0) return C(Constant());
    if (pick == 1) return X(t_);
    const int code = static_cast<int>(pick) - 2;
    if (OperationTable[code].arity == 1) return Op1(code, Grow(depth - 1));
    Node l = Grow(depth - 1);
    return Op2(code, std::move(l), Grow(depth - 1));
  }

 private:
  double Constant() {
    switch (rng_() % 6) {
      case 0: return static_cast<double>(static_cast<int>(rng_() % 1999) - 999);
      case 1: return std::uniform_real_distribution<double>(-999, 999)(rng_);
      case 2: return std::uniform_real_distribution<double>(-1e-3, 1e-3)(rng_);
      case 3: return std::uniform_real_distribution<double>(1e16, 1e300)(rng_) * (rng_() % 2 ? 1 : -1);
      case 4: return rng_() % 2 ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
      default: return rng_() % 2 ? 0.5 : -0.0;
    }
  }
  const VariableTable& t_;
  std::mt19937 rng_;
};

void CheckRoundTrip(unsigned seed) {
  VariableTable t("x");
  TreeGrower grower(t, seed);
  Compiler compiler;
  for (int i = 0; i < 2000; ++i) {
    ElHolder tree = Hold(grower.Grow(1 + i % 7), t);
    const std::string text = tree.Text();
    auto back = compiler.Compile(text, t);
    ASSERT_NE(back, nullptr) << text << ": " << Compiler::ErrorText(compiler.errorCode) << " at "
                             << compiler.errorPosition;
    EXPECT_EQ(back->Text(), text);
  }
}

}  // namespace

TEST(RoundTrip, TextCompilesBackWithAPointDecimalSeparator) { CheckRoundTrip(2024); }

TEST(RoundTrip, TextCompilesBackWithACommaDecimalSeparator) {
  LocaleScope de("de_DE.UTF-8");
  REQUIRE_LOCALE(de);
  CheckRoundTrip(2025);
}

TEST(RoundTrip, TextCompilesBackInTheUsFormat) {
  LocaleScope us("en_US.UTF-8");
  REQUIRE_LOCALE(us);
  CheckRoundTrip(2026);
}
