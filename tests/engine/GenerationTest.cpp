#include <gtest/gtest.h>

#include <cmath>

#include "engine/ThRTable.h"
#include "expr/Compiler.h"
#include "ScriptedStream.h"

namespace {

using S = ScriptedStream;

constexpr std::uint32_t kConst = 0x00000000;   // constant / insert / keep
constexpr std::uint32_t kVar = 0x40000000;     // variable
constexpr std::uint32_t kOper = 0x80000000;    // operation / replace / the other way
constexpr std::uint32_t kQuarterEdge = 0x3fffffff;
constexpr std::uint32_t kVarEdge = 0x7ffffffe;
constexpr std::uint32_t kHalfEdge = 0x7fffffff;

// A variant over `t` with constRange 4 holding `formula` (or empty).
Variant Make(VariableTable& t, const char* formula, int places = -1) {
  Variant v;
  v.SetVariables(&t);
  v.constRange = 4;
  v.places = places;
  if (*formula) {
    Compiler c;
    auto tree = c.Compile(formula, t);
    v.child = std::move(tree->child);
  }
  return v;
}

struct Case {
  const char* name;
  const char* before;  // empty: RandomSubtree on an empty root
  std::initializer_list<S::Draw> draws;
  const char* after;
  int places;
};

const Case kCases[] = {
    // RandomSubtree: a constant from [-4, 4], a variable (a word for its index), an operation.
    {"constant", "", {S::W(kConst), S::U(0.75)}, "2", -1},
    {"constant at the edge", "", {S::W(kQuarterEdge), S::U(0.25)}, "-2", -1},
    {"variable", "", {S::W(kVar), S::W(7)}, "x", -1},
    {"variable at the edge", "", {S::W(kVarEdge), S::W(0)}, "x", -1},
    {"operation", "", {S::W(kHalfEdge), S::W(2), S::W(kConst), S::U(0.5), S::W(kVar), S::W(0)}, "0*x", -1},
    {"low four bits pick the operation", "", {S::W(0xfffffff6u), S::W(0xabcdef0u + 6), S::W(kVar), S::W(1)},
     "sin(x)", -1},
    {"rounded constant", "", {S::W(kConst), S::U(0.6543)}, "1.23", 2},
    // Mutation of a one-node tree: p = 1, so the root always mutates.
    {"replace x by a constant", "x", {S::U(0.999), S::W(kOper), S::W(kConst), S::U(0.25)}, "-2", -1},
    {"replace x by x consumes a word", "x", {S::U(0.5), S::W(kOper), S::W(kVar), S::W(12345)}, "x", -1},
    {"replace x by an operation", "x", {S::U(0.5), S::W(kOper), S::W(kOper), S::W(0), S::W(kConst), S::U(0.5)},
     "-0", -1},
    {"insert above keeps walking", "x",
     {S::U(0.5), S::W(kConst), S::W(6), S::U(0.5), S::W(kOper), S::W(kVar), S::W(3)}, "sin(x)", -1},
    {"insert above a two-operand operation, node first", "x",
     {S::U(0.5), S::W(kHalfEdge), S::W(4), S::W(kConst), S::W(kConst), S::U(0.5), S::U(0.5), S::W(kOper),
      S::W(kVar), S::W(0)},
     "x+0", -1},
    {"insert above, node second", "x",
     {S::U(0.5), S::W(kConst), S::W(3), S::W(kOper), S::W(kVar), S::W(0), S::U(0.5), S::W(kOper), S::W(kConst),
      S::U(1)},
     "x/4", -1},
    // Tweaks of a constant: scale, shift, redraw; rounding applies.
    {"scale up", "3", {S::U(0.5), S::W(kOper), S::W(kConst), S::W(0x55555555), S::W(kHalfEdge), S::U(0.5)}, "7.8",
     -1},
    {"scale negative", "3", {S::U(0.5), S::W(kOper), S::W(kConst), S::W(0), S::W(kOper), S::U(0)}, "-15", -1},
    {"shift", "3", {S::U(0.5), S::W(kOper), S::W(kConst), S::W(0x55555556), S::U(0.25)}, "0.5", -1},
    {"redraw", "3", {S::U(0.5), S::W(kOper), S::W(kConst), S::W(0xaaaaaaab), S::U(0.75)}, "2", -1},
    {"tweak rounds", "3", {S::U(0.5), S::W(kOper), S::W(kConst), S::W(0x60000000), S::U(0.5123)}, "3.1", 1},
    // Replacing an operation by another keeps its operands as the table says.
    {"one to one", "sin(x)", {S::U(0.1), S::W(kOper), S::W(kOper), S::W(7), S::U(0.9)}, "cos(x)", -1},
    {"one to two, operand first", "sin(x)",
     {S::U(0.1), S::W(kOper), S::W(kOper), S::W(2), S::W(kConst), S::W(kVar), S::W(0), S::U(0.9)}, "x*x", -1},
    {"one to two, operand second", "sin(x)",
     {S::U(0.1), S::W(kOper), S::W(kOper), S::W(5), S::W(kOper), S::W(kConst), S::U(1), S::U(0.9)}, "4-x", -1},
    {"two to one keeps the first", "x-2", {S::U(0.1), S::W(kOper), S::W(kOper), S::W(12), S::W(kConst), S::U(0.9)},
     "sqrt(x)", -1},
    {"two to one keeps the second", "x-2", {S::U(0.1), S::W(kOper), S::W(kOper), S::W(6), S::W(kOper), S::U(0.9)},
     "sin(2)", -1},
    {"two to two keeps the order", "x-2",
     {S::U(0.1), S::W(kOper), S::W(kOper), S::W(1), S::W(kConst), S::U(0.9), S::U(0.9)}, "x^2", -1},
    {"two to two exchanges", "x-2",
     {S::U(0.1), S::W(kOper), S::W(kOper), S::W(4), S::W(kOper), S::U(0.9), S::U(0.9)}, "2+x", -1},
    // No mutation at the root: the walk goes down, first operand before second.
    {"walk into operands", "x-2", {S::U(0.5), S::U(0.9), S::U(0.2), S::W(kOper), S::W(kVar), S::W(0)}, "x-x", -1},
    {"walk through one operand", "-x", {S::U(0.9), S::U(0.1), S::W(kOper), S::W(kConst), S::U(0.5)}, "-0", -1},
};

}  // namespace

TEST(Generation, ScriptedDrawsGiveExactTrees) {
  for (const Case& c : kCases) {
    VariableTable t("x");
    Variant v = Make(t, c.before, c.places);
    S::Play(v, c.draws);
    if (*c.before)
      EXPECT_TRUE(v.Mutate());
    else
      v.RandomSubtree(v.child);
    EXPECT_EQ(v.Text(), c.after) << c.name;
    EXPECT_EQ(S::Left(), 0u) << c.name << ": draws left over";
  }
}

TEST(Generation, MutateAndRegenerateLeaveTheCachesDirty) {
  VariableTable t("x");
  Variant v = Make(t, "x");
  v.mainDirty = v.allDirty = false;
  v.rangeKnown = true;
  S::Play(v, {S::U(0.5), S::W(kOper), S::W(kVar), S::W(0)});
  v.Mutate();
  EXPECT_TRUE(v.mainDirty && v.allDirty);
  EXPECT_FALSE(v.rangeKnown);
  v.mainDirty = v.allDirty = false;
  v.rangeKnown = true;
  S::Play(v, {S::W(kVar), S::W(0)});
  v.Regenerate();
  EXPECT_EQ(v.Text(), "x");
  EXPECT_TRUE(v.mainDirty && v.allDirty);
  EXPECT_FALSE(v.rangeKnown);
}

TEST(Generation, SameStreamPositionGivesTheSameTrees) {
  VariableTable t("x");
  ThRTable::SeedWith(11);
  ThRTable::RestartAll();
  auto run = [&t] {
    ThRTable::SetReadPosition(2, 1000);
    Variant v = Make(t, "");
    v.randWord = ThRTable::WordFunction(2);
    v.randUniform = ThRTable::UniformFunction(2);
    std::vector<std::string> texts;
    for (int i = 0; i < 20; ++i) {
      v.Regenerate();
      for (int m = 0; m < 50; ++m) v.Mutate();
      texts.push_back(v.Text());
    }
    return texts;
  };
  EXPECT_EQ(run(), run());
}

TEST(Generation, FreshTreesAverageAboutThreePointTwoNodes) {
  VariableTable t("x");
  ThRTable::SeedWith(5);
  ThRTable::RestartAll();
  Variant v = Make(t, "");
  double total = 0;
  const int trees = 100000;
  for (int i = 0; i < trees; ++i) {
    v.RandomSubtree(v.child);
    total += v.ElementCount();
  }
  const double mean = total / trees;
  EXPECT_GT(mean, 2.9);
  EXPECT_LT(mean, 3.5);
}

TEST(Generation, RoundingAppliesToEveryNewConstant) {
  VariableTable t("x");
  ThRTable::SeedWith(3);
  ThRTable::RestartAll();
  Variant v = Make(t, "", 2);
  v.constRange = 100;
  for (int i = 0; i < 200; ++i) {
    v.Regenerate();
    for (int m = 0; m < 30; ++m) v.Mutate();
    // Every constant has at most two decimals.
    std::vector<const Element*> nodes{v.child.get()};
    while (!nodes.empty()) {
      const Element* n = nodes.back();
      nodes.pop_back();
      if (n->NodeClass() == 0) {
        const double c = static_cast<const ElConst*>(n)->value;
        EXPECT_NEAR(c * 100, std::round(c * 100), 1e-6 * std::max(1.0, std::fabs(c))) << c;
      } else if (n->Arity() == 1) {
        nodes.push_back(static_cast<const ElOpFn1*>(n)->child.get());
      } else if (n->Arity() == 2) {
        nodes.push_back(static_cast<const ElOpFn2*>(n)->left.get());
        nodes.push_back(static_cast<const ElOpFn2*>(n)->right.get());
      }
    }
  }
}
