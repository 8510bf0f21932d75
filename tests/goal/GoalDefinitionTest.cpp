#include <gtest/gtest.h>

#include <cmath>

#include "goal/GoalDefinition.h"
#include "support/CaptureReporter.h"

namespace {

using Points = std::vector<GoalPoint>;
using Values = std::vector<double>;

GoalSettings ExpressionGoal(const char* text, double minX, double maxX, int count, int apcf = 0) {
  GoalSettings s;
  s.expressionSource = true;
  s.expression = text;
  s.minX = minX;
  s.maxX = maxX;
  s.pointsCount = count;
  s.apcf = apcf;
  return s;
}

GoalSettings PointsGoal(int count, int apcf = 0) {
  GoalSettings s;
  s.pointsCount = count;
  s.apcf = apcf;
  return s;
}

}  // namespace

TEST(Goal, ExpressionSourceSamplesGoalAndAdditionalPoints) {
  VariableTable t("x");
  GoalDefinition goal(t);
  goal.settings = ExpressionGoal("x^2", 0, 2, 3, 1);
  const GoalData* g = goal.GetGoal(false);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->x, (Values{0, 1, 2}));
  EXPECT_EQ(g->y, (Values{0, 1, 4}));
  EXPECT_EQ(g->additionalX, (Values{0.5, 1.5}));
  EXPECT_EQ(g->additionalY, (Values{0.25, 2.25}));
  EXPECT_EQ(g->yMin, 0);
  EXPECT_EQ(g->yMax, 4);
  EXPECT_EQ(g->xFirst, 0);
  EXPECT_EQ(g->xLast, 2);
  EXPECT_EQ(g->constRange, 4);
  ASSERT_NE(g->expression, nullptr);
  EXPECT_EQ(g->expression->Text(), "x^2");
  EXPECT_EQ(t[0].min, 0);
  EXPECT_EQ(t[0].max, 2);
  EXPECT_FALSE(goal.RangeWarning());

  // The last x is exactly Max X, whatever the step's rounding.
  goal.settings = ExpressionGoal("x", -1, 0.7, 7);
  goal.InputChanged();
  g = goal.GetGoal(true);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->x.back(), 0.7);
  EXPECT_EQ(g->y.back(), 0.7);
  EXPECT_TRUE(g->additionalX.empty());
  EXPECT_EQ(g->constRange, 1);
}

TEST(Goal, ExpressionFailuresAndTheirReports) {
  const struct {
    GoalSettings settings;
    bool silent;
    LogLevel level;
    const char* message;
    bool shown;  // reported through the log in this use
  } cases[] = {
      {ExpressionGoal("x", 1, 1, 2), true, LogLevel::Warning, "Min X must be lower than Max X", true},
      {ExpressionGoal("x", 2, 1, 2), false, LogLevel::Warning, "Min X must be lower than Max X", true},
      {ExpressionGoal("", 0, 1, 2), true, LogLevel::Warning, "Input Expression must be entered", true},
      {ExpressionGoal("2x", 0, 1, 2), false, LogLevel::Warning,
       "No operation for argument\nExpression: 2x\nCharacter Number: 2", true},
      {ExpressionGoal("2x", 0, 1, 2), true, LogLevel::Warning,
       "No operation for argument\nExpression: 2x\nCharacter Number: 2", false},
      {ExpressionGoal("1/x", -1, 1, 3), false, LogLevel::Error, "Expression is infinite or indefinite at X = 0", true},
      {ExpressionGoal("1/x", -1, 1, 3), true, LogLevel::Error, "Expression is infinite or indefinite at X = 0", false},
      {ExpressionGoal("1/(x-0.5)", 0, 1, 2, 1), false, LogLevel::Error,
       "Expression is infinite or indefinite at X = 0.5", true},
      {ExpressionGoal("x", 0, 1, 2000000000), true, LogLevel::Warning,
       "Too many points: the goal may have at most 10000000 goal and additional points together", true},
      {ExpressionGoal("x", 0, 1, 100000, 100), true, LogLevel::Warning,
       "Too many points: the goal may have at most 10000000 goal and additional points together", true},
  };
  for (const auto& c : cases) {
    VariableTable t("x");
    GoalDefinition goal(t);
    goal.settings = c.settings;
    CaptureReporter log;
    EXPECT_EQ(goal.GetGoal(c.silent), nullptr) << c.message;
    EXPECT_FALSE(goal.goalBuilt);
    EXPECT_EQ(goal.LastFailure().level, c.level) << c.message;
    EXPECT_EQ(goal.LastFailure().message, c.message);
    const auto texts = log.Texts(c.level);
    EXPECT_EQ(texts.size(), c.shown ? 1u : 0u) << c.message;
    EXPECT_EQ(log.Messages().size(), texts.size());
  }
  VariableTable t("x");
  GoalDefinition goal(t);
  goal.settings = ExpressionGoal("x+)", 0, 1, 2);
  EXPECT_EQ(goal.GetGoal(true), nullptr);
  EXPECT_EQ(goal.LastFailure().errorPosition, 2);
}

TEST(Goal, RangeWarningDoesNotFailTheGoal) {
  VariableTable t("x");
  GoalDefinition goal(t);
  goal.settings = ExpressionGoal("1/x", -1, 1, 2);
  {
    CaptureReporter log;
    ASSERT_NE(goal.GetGoal(false), nullptr);
    EXPECT_TRUE(goal.RangeWarning());
    EXPECT_EQ(log.Texts(LogLevel::Warning),
              std::vector<std::string>{"Expression may be infinite or indefinite at some points\n(Not always)"});
  }
  goal.InputChanged();
  CaptureReporter log;
  ASSERT_NE(goal.GetGoal(true), nullptr);
  EXPECT_TRUE(goal.RangeWarning());
  EXPECT_TRUE(log.Messages().empty());
}

TEST(Goal, PointsSourceResamplesTheGrid) {
  const struct {
    Points grid;
    int count;
    int apcf;
    Values x, y, additionalX, additionalY;
  } cases[] = {
      {{{0, 0}, {1, 10}, {3, 30}}, 5, 0, {0, 0.5, 1, 2, 3}, {0, 5, 10, 20, 30}, {}, {}},
      {{{0, 0}, {1, 1}, {2, 4}, {3, 9}}, 5, 0, {0, 1, 1.5, 2, 3}, {0, 1, 2.5, 4, 9}, {}, {}},
      {{{0, 0}, {1, 1}, {2, 4}, {3, 9}}, 4, 0, {0, 1, 2, 3}, {0, 1, 4, 9}, {}, {}},
      // Seven grid intervals share nine goal intervals: the two extras go to intervals 1 and 5.
      {{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}}, 10, 0,
       {0, 1, 1.5, 2, 3, 4, 5, 5.5, 6, 7}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {}, {}},
      // Additional points interpolate in the grid interval of their goal interval.
      {{{0, 0}, {2, 2}, {4, 0}}, 3, 1, {0, 2, 4}, {0, 2, 0}, {1, 3}, {1, 1}},
      {{{0, 0}, {2, 2}, {4, 0}}, 5, 1, {0, 1, 2, 3, 4}, {0, 1, 2, 1, 0}, {0.5, 1.5, 2.5, 3.5}, {0.5, 1.5, 1.5, 0.5}},
      // The count is at least the number of grid points.
      {{{0, 1}, {1, 2}, {2, 3}}, 2, 0, {0, 1, 2}, {1, 2, 3}, {}, {}},
      // Unsorted with equal x: sorted, and the first non-zero y of a run wins. The
      // count was clamped to the five points the grid held before merging.
      {{{2, 4}, {0, 0}, {1, 0}, {1, 7}, {1, 9}}, 3, 0, {0, 0.5, 1, 1.5, 2}, {0, 3.5, 7, 5.5, 4}, {}, {}},
  };
  for (const auto& c : cases) {
    VariableTable t("x");
    GoalDefinition goal(t);
    goal.settings = PointsGoal(c.count, c.apcf);
    goal.gridPoints = c.grid;
    const GoalData* g = goal.GetGoal(true);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->x, c.x);
    EXPECT_EQ(g->y, c.y);
    EXPECT_EQ(g->additionalX, c.additionalX);
    EXPECT_EQ(g->additionalY, c.additionalY);
    EXPECT_EQ(t[0].min, goal.gridPoints.front().x);
    EXPECT_EQ(t[0].max, goal.gridPoints.back().x);
    EXPECT_EQ(g->expression, nullptr);
  }
}

TEST(Goal, PointsSourceNeedsTwoGridPoints) {
  VariableTable t("x");
  GoalDefinition goal(t);
  for (bool silent : {false, true}) {
    goal.gridPoints = {{1, 2}, {1, 3}};  // merge to one point
    CaptureReporter log;
    EXPECT_EQ(goal.GetGoal(silent), nullptr);
    EXPECT_TRUE(goal.GridMerged());
    EXPECT_EQ(goal.gridPoints, (Points{{1, 2}}));
    EXPECT_EQ(goal.LastFailure().message, "Points number in grid must be more than one");
    EXPECT_EQ(log.Texts(LogLevel::Warning).size(), silent ? 0u : 1u);
  }
}

TEST(Goal, BuiltOnceUntilAnInputChanges) {
  VariableTable t("x");
  GoalDefinition goal(t);
  goal.settings = ExpressionGoal("x", 0, 1, 2, 3);
  const GoalData* first = goal.GetGoal(true);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(goal.GetGoal(true), first);
  EXPECT_EQ(goal.GetGoal(false), first);
  EXPECT_EQ(goal.BuildCount(), 1);
  goal.settings.pointsCount = 4;
  EXPECT_EQ(goal.GetGoal(true)->x.size(), 2u);  // no change announced
  goal.InputChanged();
  EXPECT_TRUE(goal.goalChanged);
  EXPECT_EQ(goal.GetGoal(true)->x.size(), 4u);
  EXPECT_EQ(goal.BuildCount(), 2);
  goal.Reset();
  EXPECT_FALSE(goal.goalBuilt);
  EXPECT_FALSE(goal.goalChanged);
  EXPECT_EQ(goal.settings, GoalSettings());
  EXPECT_EQ(goal.gridPoints, (Points{{0, 0}}));
  EXPECT_TRUE(goal.Data().x.empty());
}

TEST(Goal, FinalizeTakesExtentsOverBothPointSets) {
  GoalData g;
  g.x = {-3, 1};
  g.y = {2, 1};
  g.additionalX = {-1};
  g.additionalY = {-5};
  g.Finalize();
  EXPECT_EQ(g.xFirst, -3);
  EXPECT_EQ(g.xLast, 1);
  EXPECT_EQ(g.yMin, -5);
  EXPECT_EQ(g.yMax, 2);
  EXPECT_EQ(g.constRange, 5);
}

TEST(Goal, SortAndMerge) {
  const struct {
    Points in, out;
    bool dropped;
  } cases[] = {
      {{}, {}, false},
      {{{5, 1}}, {{5, 1}}, false},
      {{{3, 1}, {1, 2}, {2, 3}}, {{1, 2}, {2, 3}, {3, 1}}, false},
      {{{1, 0}, {1, 0}, {1, 4}, {1, 5}}, {{1, 4}}, true},
      {{{1, 3}, {1, 0}, {0, 2}}, {{0, 2}, {1, 3}}, true},
      {{{1, 0}, {1, 0}}, {{1, 0}}, true},
  };
  for (const auto& c : cases) {
    Points p = c.in;
    EXPECT_EQ(SortAndMerge(p), c.dropped);
    EXPECT_EQ(p, c.out);
  }
}
