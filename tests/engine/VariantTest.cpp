#include <gtest/gtest.h>

#include <cmath>

#include "engine/Variant.h"
#include "expr/Compiler.h"
#include "goal/GoalDefinition.h"

namespace {

// A goal built from an expression over a table of its own.
struct Goal {
  VariableTable table{"x"};
  GoalDefinition definition{table};
  Goal(const char* expression, double minX, double maxX, int count, int apcf) {
    definition.settings.expressionSource = true;
    definition.settings.expression = expression;
    definition.settings.minX = minX;
    definition.settings.maxX = maxX;
    definition.settings.pointsCount = count;
    definition.settings.apcf = apcf;
    EXPECT_NE(definition.GetGoal(true), nullptr);
  }
  // A points goal.
  explicit Goal(std::vector<GoalPoint> points) {
    definition.gridPoints = std::move(points);
    definition.settings.pointsCount = static_cast<int>(definition.gridPoints.size());
    EXPECT_NE(definition.GetGoal(true), nullptr);
  }
  const GoalData* data() { return &definition.Data(); }
};

// A variant judged against `goal`, evaluating through `table`.
Variant Judged(const char* formula, const GoalData* goal, VariableTable& table, std::uint32_t kind = 0,
               double weight = 0.05, int places = -1) {
  Compiler c;
  auto tree = c.Compile(formula, table);
  EXPECT_NE(tree, nullptr) << formula;
  Variant v;
  v.Setup(goal, &table, places, kind, weight, tree.get(), true);
  return v;
}

}  // namespace

TEST(Variant, FreshVariantHasNoGoal) {
  Variant v;
  EXPECT_EQ(v.weight, 0.05);
  EXPECT_TRUE(v.mainDirty && v.allDirty);
  EXPECT_FALSE(v.rangeKnown);
  EXPECT_EQ(v.goal, nullptr);
  EXPECT_EQ(v.places, -1);
  EXPECT_EQ(v.randWord, ThRTable::WordFunction(ThRTable::kCommonStream));
  EXPECT_EQ(v.GetFitness(), 0);
  EXPECT_FALSE(v.CheckRange(false));

  VariableTable t("x");
  Variant x = Judged("x", nullptr, t);
  EXPECT_EQ(x.GetFitness(), 0);
  EXPECT_EQ(x.GetMainFitness(), 0);
  EXPECT_TRUE(x.rangeKnown);
  EXPECT_FALSE(x.rangeOk);
}

TEST(Variant, SetupBindsTheTableGoalAndParameters) {
  Goal g("x^2", -3, 2, 5, 0);
  VariableTable mine("x");
  Variant v = Judged("x+1", g.data(), mine, 1, 0.2, 3);
  EXPECT_EQ(v.constRange, 9);
  EXPECT_EQ(v.variables, &mine);
  EXPECT_EQ(v.evalVariables, &mine);
  EXPECT_EQ(v.places, 3);
  EXPECT_EQ(v.fitnessKind, 1u);
  EXPECT_EQ(v.weight, 0.2);
  // The tree reads the new table.
  VariableTable other("x");
  other[0].value = 10;
  v.SetVariables(&other);
  EXPECT_EQ(v.Evaluate(), 11);
  Variant w;
  w.Setup(nullptr, &other, -1, 0, 0.05, nullptr, false);
  EXPECT_EQ(w.constRange, 0);
}

TEST(Variant, FitnessExamples) {
  Goal line("x", 0, 1, 11, 0);
  Goal lineWithMore("x", 0, 1, 11, 3);
  Goal flat({{0, 2}, {1, 2}, {2, 2}});
  const double w = 0.05;
  const struct {
    const char* name;
    const char* formula;
    Goal* goal;
    std::uint32_t kind;
    double mainScore, fitness;
  } cases[] = {
      {"exact, one node", "x", &line, 0, 1, 0.95 + w / 1.04},
      {"exact with additional points", "x", &lineWithMore, 0, 1, 0.95 + w / 1.04},
      {"off by R everywhere", "x+1", &line, 0, 0, w * std::pow(1.04, -3)},
      {"off by more than R: clamped", "x+5", &line, 0, 0, w * std::pow(1.04, -3)},
      {"off by half of R", "x+0.5", &line, 0, 0.5, 0.95 * 0.5 + w * std::pow(1.04, -3)},
      {"exponential, off by 1", "x+1", &line, 1, 1 / 1.5, 0.95 / 1.5 + w * std::pow(1.04, -3)},
      {"flat goal, exact", "2", &flat, 0, 1, 0.95 + w / 1.04},
      {"flat goal, off by 1", "3", &flat, 0, 1 / 1.5, 0.95 / 1.5 + w / 1.04},
  };
  for (const auto& c : cases) {
    VariableTable t("x");
    Variant v = Judged(c.formula, c.goal->data(), t, c.kind);
    EXPECT_NEAR(v.GetMainScore(), c.mainScore, 1e-12) << c.name;
    EXPECT_NEAR(v.GetFitness(), c.fitness, 1e-12) << c.name;
    EXPECT_FALSE(std::isnan(v.GetFitness())) << c.name;
    EXPECT_FALSE(v.nonFinite);
  }
  // Seven nodes, exact: about 0.988.
  VariableTable t("x");
  Goal cubic("x^3+x", -1, 1, 9, 2);
  Variant seven = Judged("x*x*x+x", cubic.data(), t);
  EXPECT_EQ(seven.ElementCount(), 7);
  EXPECT_NEAR(seven.GetFitness(), 0.95 + w * std::pow(1.04, -7), 1e-12);
}

TEST(Variant, AllPointValuesWeighTheAdditionalPoints) {
  Goal g("x^2", 0, 2, 3, 1);  // goal y 0 1 4, additional y 0.25 2.25, R = 4
  VariableTable t("x");
  Variant v = Judged("x", g.data(), t);
  // Goal points off by 0, 0, 2; additional points off by 0.25, 0.75.
  const double mainScore = (1 + 1 + 0.5) / 3;
  const double addMean = ((1 - 0.25 / 4) + (1 - 0.75 / 4)) / 2;
  EXPECT_NEAR(v.GetMainScore(), mainScore, 1e-15);
  EXPECT_NEAR(v.GetAllScore(), (3 * mainScore + 2 * addMean) / 5, 1e-15);
  EXPECT_NEAR(v.GetFitness(), 0.95 * v.GetAllScore() + 0.05 / 1.04, 1e-15);
  EXPECT_NEAR(v.GetMainFitness(), 0.95 * mainScore + 0.05 / 1.04, 1e-15);
  const VariantDifferences d = v.Differences();
  EXPECT_EQ(d.maxDifference, 2);
  EXPECT_EQ(d.mainDifferenceSum, 2);
  EXPECT_EQ(d.allDifferenceSum, 3);

  Goal plain("x^2", 0, 2, 3, 0);
  Variant p = Judged("x", plain.data(), t);
  EXPECT_EQ(p.GetAllScore(), p.GetMainScore());
  EXPECT_EQ(p.GetFitness(), p.GetMainFitness());
  EXPECT_EQ(p.Differences().allDifferenceSum, p.Differences().mainDifferenceSum);
  Variant none;
  EXPECT_EQ(none.Differences().maxDifference, 0);
}

TEST(Variant, NonFiniteValuesZeroTheFitnessAndFailTheRange) {
  Goal g("x", -1, 1, 3, 2);  // a goal point at x = 0
  VariableTable t("x");
  Variant v = Judged("1/x", g.data(), t);
  EXPECT_EQ(v.GetFitness(), 0);
  EXPECT_EQ(v.GetMainFitness(), 0);
  EXPECT_EQ(v.GetAllScore(), 0);
  EXPECT_TRUE(v.nonFinite);
  EXPECT_TRUE(v.rangeKnown);
  EXPECT_FALSE(v.rangeOk);
  EXPECT_FALSE(v.CheckRange(false));

  // Finite at the goal points, not at an additional one.
  Goal h("x", -1, 1, 2, 1);
  Variant a = Judged("1/x", h.data(), t);
  EXPECT_GT(a.GetMainFitness(), 0);
  EXPECT_EQ(a.GetFitness(), 0);
  EXPECT_FALSE(a.nonFinite);
  EXPECT_FALSE(a.rangeOk);
}

TEST(Variant, CheckRangeCachesAndCanZeroTheFitness) {
  Goal g("x", 1, 2, 5, 0);
  VariableTable t("x");
  t[0].min = -1;  // the range the check reads
  t[0].max = 1;
  Variant v = Judged("1/x", g.data(), t);
  EXPECT_FALSE(v.CheckRange(false));
  EXPECT_TRUE(v.allDirty);  // still to be computed
  EXPECT_GT(v.GetFitness(), 0.2);

  Variant z = Judged("1/x", g.data(), t);
  EXPECT_FALSE(z.CheckRange(true));
  t[0].value = 12345;
  EXPECT_EQ(z.GetFitness(), 0);  // judged without any evaluation
  EXPECT_EQ(z.GetMainScore(), 0);
  EXPECT_EQ(t[0].value, 12345);

  t[0].min = 1;
  EXPECT_FALSE(z.CheckRange(true));  // cached
  Variant ok = Judged("1/x", g.data(), t);
  EXPECT_TRUE(ok.CheckRange(true));
}

TEST(Variant, CopiesCarryTheCaches) {
  Goal g("x^2", 0, 2, 20, 4);
  VariableTable t("x");
  Variant v = Judged("x*x+0.1", g.data(), t);
  const double f = v.GetFitness();
  t[0].value = 12345;
  Variant copy(v);
  EXPECT_EQ(copy.GetFitness(), f);
  Variant assigned;
  assigned = v;
  EXPECT_EQ(assigned.GetFitness(), f);
  EXPECT_EQ(assigned.GetMainFitness(), v.GetMainFitness());
  EXPECT_EQ(t[0].value, 12345);  // nothing was evaluated
  EXPECT_EQ(copy.Text(), "x*x+0.1");
  std::unique_ptr<Element> clone = v.Clone();
  EXPECT_EQ(dynamic_cast<Variant*>(clone.get()), nullptr);
  EXPECT_NE(dynamic_cast<ElHolder*>(clone.get()), nullptr);
  PendingVariant pending(v, 1500, 77);
  EXPECT_EQ(pending.GetFitness(), f);
  EXPECT_EQ(pending.elapsedMs, 1500u);
  EXPECT_EQ(pending.mutations, 77u);
}

TEST(Variant, ReprocessFollowsTheChangeFlags) {
  Goal g("x", 1, 2, 5, 0);
  VariableTable t("x");
  t[0].min = 1;
  t[0].max = 2;

  // Goal and cancellation with rounding off: recomputed, the tree folded.
  Variant v = Judged("x+2*3", g.data(), t);
  const double before = v.GetFitness();
  v.Reprocess(kChangeGoal | kChangeCancel);
  EXPECT_EQ(v.Text(), "x+6");
  EXPECT_FALSE(v.allDirty);
  EXPECT_FALSE(v.mainDirty);
  EXPECT_NE(v.fitness, before);

  // Fewer places: constants rounded, values recomputed.
  Variant r = Judged("x+0.126", g.data(), t);
  r.GetFitness();
  r.places = 2;
  r.Reprocess(kChangePlaces);
  EXPECT_EQ(r.Text(), "x+0.13");
  EXPECT_FALSE(r.allDirty);
  Variant exact = Judged("x+0.13", g.data(), t);
  EXPECT_EQ(r.fitness, exact.GetFitness());

  // The check switched on: a failing variant is zeroed and judged.
  t[0].min = -1;
  Variant bad = Judged("1/x", g.data(), t);
  EXPECT_GT(bad.GetFitness(), 0);
  bad.Reprocess(kChangeRangeCheck | kChangeRangeCheckOn);
  EXPECT_EQ(bad.fitness, 0);
  EXPECT_TRUE(bad.rangeKnown);
  EXPECT_FALSE(bad.rangeOk);
  EXPECT_FALSE(bad.allDirty);

  // Switched off again: the zeroed variant is judged anew.
  bad.Reprocess(kChangeRangeCheck);
  EXPECT_GT(bad.fitness, 0.2);
  EXPECT_FALSE(bad.allDirty);

  // The weight alone.
  Variant wv = Judged("x", g.data(), t);
  const double f1 = wv.GetFitness();
  wv.weight = 0.5;
  wv.Reprocess(kChangeWeight);
  EXPECT_NEAR(wv.fitness, 0.5 + 0.5 / 1.04, 1e-12);
  EXPECT_NE(wv.fitness, f1);

  // Nothing to do: the caches stay.
  Variant same = Judged("x", g.data(), t);
  same.Reprocess(0);
  EXPECT_TRUE(same.allDirty);
}
