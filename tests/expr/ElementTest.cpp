#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "expr/Compiler.h"
#include "support/TreeBuilders.h"

using namespace tb;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct EvalCase {
  const char* name;
  Node (*make)(const VariableTable&);
  double expected;  // NaN: expect NaN
};

// The guarded nodes give infinities of fixed sign, not the limits.
const EvalCase kEvalCases[] = {
    {"exp(-inf) is +inf", [](const VariableTable&) { return Op1(kOpExp, C(-kInf)); }, kInf},
    {"exp(NaN) is +inf", [](const VariableTable&) { return Op1(kOpExp, C(kNaN)); }, kInf},
    {"exp overflow", [](const VariableTable&) { return Op1(kOpExp, C(1000)); }, kInf},
    {"atan(+inf) is -inf", [](const VariableTable&) { return Op1(kOpATan, C(kInf)); }, -kInf},
    {"atan(NaN) is -inf", [](const VariableTable&) { return Op1(kOpATan, C(kNaN)); }, -kInf},
    {"atan(1)", [](const VariableTable&) { return Op1(kOpATan, C(1)); }, std::atan(1.0)},
    {"inf^2 is -inf", [](const VariableTable&) { return Pow(C(kInf), C(2)); }, -kInf},
    {"2^NaN is -inf", [](const VariableTable&) { return Pow(C(2), C(kNaN)); }, -kInf},
    {"0^-inf is -inf", [](const VariableTable&) { return Pow(C(0), C(-kInf)); }, -kInf},
    {"(-8)^(1/3) is NaN", [](const VariableTable&) { return Pow(C(-8), Div(C(1), C(3))); }, kNaN},
    {"(-2)^3", [](const VariableTable&) { return Pow(C(-2), C(3)); }, -8},
    {"log(0) is -inf", [](const VariableTable&) { return Op1(kOpLog, C(0)); }, -kInf},
    {"ln(0) is -inf", [](const VariableTable&) { return Op1(kOpLn, C(0)); }, -kInf},
    {"log(-1) is NaN", [](const VariableTable&) { return Op1(kOpLog, C(-1)); }, kNaN},
    {"log(1000)", [](const VariableTable&) { return Op1(kOpLog, C(1000)); }, 3},
    {"sqrt(-1) is NaN", [](const VariableTable&) { return Op1(kOpSqrt, C(-1)); }, kNaN},
    {"1/0 is +inf", [](const VariableTable&) { return Div(C(1), C(0)); }, kInf},
    {"0/0 is NaN", [](const VariableTable&) { return Div(C(0), C(0)); }, kNaN},
    {"asin(2) is NaN", [](const VariableTable&) { return Op1(kOpASin, C(2)); }, kNaN},
    {"acos(-1)", [](const VariableTable&) { return Op1(kOpACos, C(-1)); }, std::acos(-1.0)},
    {"x-1 at x=3", [](const VariableTable& t) { return Minus(X(t), C(1)); }, 2},
    {"-x at x=3", [](const VariableTable& t) { return Neg(X(t)); }, -3},
    {"sin(x)*cos(x)+tan(x) at 3",
     [](const VariableTable& t) {
       return Plus(Mult(Sin(X(t)), Op1(kOpCos, X(t))), Op1(kOpTan, X(t)));
     },
     std::sin(3.0) * std::cos(3.0) + std::tan(3.0)},
};

}  // namespace

TEST(Element, EvaluatesEveryNodeWithItsGuards) {
  VariableTable table("x");
  table[0].value = 3;
  for (const EvalCase& c : kEvalCases) {
    const double v = c.make(table)->Evaluate();
    if (std::isnan(c.expected))
      EXPECT_TRUE(std::isnan(v)) << c.name << " gave " << v;
    else
      EXPECT_EQ(v, c.expected) << c.name;
  }
}

TEST(Element, ClassificationAndCounts) {
  VariableTable t("x");
  ElHolder h = Hold(Plus(Sin(X(t)), C(2)), t);
  EXPECT_EQ(h.ElementCount(), 4);  // plus, sin, x, 2: the holder is not counted
  EXPECT_EQ(h.NodeClass(), 3);
  EXPECT_EQ(h.TypeCode(), 19);
  EXPECT_EQ(h.Arity(), 1);
  EXPECT_EQ(h.Label(), "elh");

  EXPECT_TRUE(Mult(C(2), Sin(C(3)))->IsConstant());
  EXPECT_FALSE(Mult(C(2), X(t))->IsConstant());
  EXPECT_FALSE(Mult(X(t), C(2))->IsConstant());

  // Node class, type code and arity of every operation row.
  for (int code = 0; code < kNodeOperationCount; ++code) {
    Node n = OperationTable[code].create();
    EXPECT_EQ(n->TypeCode(), code);
    EXPECT_EQ(n->Arity(), OperationTable[code].arity) << code;
    EXPECT_EQ(n->NodeClass(), code <= kOpMinus ? 2 : 3) << code;
    EXPECT_EQ(n->Label(), OperationTable[code].name);
  }
  EXPECT_EQ(C(1.5)->NodeClass(), 0);
  EXPECT_EQ(C(1.5)->TypeCode(), -1);
  EXPECT_EQ(X(t)->NodeClass(), 1);
  EXPECT_EQ(X(t)->TypeCode(), 0);
  EXPECT_EQ(X(t)->Label(), "x");
}

TEST(Element, CloneIsDeepAndHolderCopiesItsFields) {
  VariableTable t("x");
  ElHolder h = Hold(Plus(Mult(X(t), C(2)), Neg(C(1))), t);
  h.constRange = 7.5;
  h.places = 3;
  std::unique_ptr<Element> copy = h.Clone();
  auto* holderCopy = dynamic_cast<ElHolder*>(copy.get());
  ASSERT_NE(holderCopy, nullptr);
  EXPECT_EQ(holderCopy->Text(), "x*2+-1");
  EXPECT_EQ(holderCopy->constRange, 7.5);
  EXPECT_EQ(holderCopy->places, 3);
  EXPECT_EQ(holderCopy->variables, &t);
  EXPECT_NE(holderCopy->child.get(), h.child.get());

  // Changing the original does not touch the copy.
  static_cast<ElConst&>(*static_cast<ElOpFn2&>(*static_cast<ElOpFn2&>(*h.child).left).right).value = 5;
  EXPECT_EQ(h.Text(), "x*5+-1");
  EXPECT_EQ(holderCopy->Text(), "x*2+-1");

  ElHolder assigned;
  assigned = h;
  EXPECT_EQ(assigned.Text(), "x*5+-1");
  EXPECT_EQ(assigned.places, 3);
  ElHolder empty;
  assigned = empty;
  EXPECT_TRUE(assigned.Empty());
}

TEST(Element, RebindVariablesPointsEveryVariableAtTheHolderTable) {
  VariableTable a("x"), b("x");
  a[0].value = 1;
  b[0].value = 10;
  ElHolder h = Hold(Plus(X(a), Sin(Mult(X(a), X(a)))), a);
  EXPECT_EQ(h.Evaluate(), 1 + std::sin(1.0));
  h.variables = &b;
  h.RebindVariables();
  EXPECT_EQ(h.Evaluate(), 10 + std::sin(100.0));
}
