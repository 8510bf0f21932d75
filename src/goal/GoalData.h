#pragma once
// The goal that formulas are judged against: goal points, additional points
// between them, and the extents the engine needs.

#include <memory>
#include <vector>

#include "expr/ElHolder.h"

struct GoalPoint {
  double x;
  double y;
  bool operator==(const GoalPoint& o) const { return x == o.x && y == o.y; }
};

/// Built from the goal settings (GoalDefinition) and read without locks by the
/// synthesis workers while a run goes on (the goal inputs are locked then).
struct GoalData {
  std::vector<double> x;            ///< goal points, ascending
  std::vector<double> y;
  std::vector<double> additionalX;  ///< (n - 1) * apcf points, interval by interval
  std::vector<double> additionalY;
  double yMax = 0.0;       ///< over y and additionalY
  double yMin = 0.0;
  double xFirst = 0.0;
  double xLast = 0.0;
  double constRange = 0.0;  ///< largest of |xFirst|, |xLast|, |yMax|, |yMin|
  std::unique_ptr<ElHolder> expression;  ///< the compiled expression; null for a points goal

  /// Empties the four arrays and destroys `expression`.
  void Clear();
  /// Computes xFirst, xLast, yMin, yMax and constRange from the points.
  void Finalize();
};

/// Sorts points stably by x and merges runs of equal x into their first point,
/// which takes the first non-zero y of the run. Returns whether points were dropped.
bool SortAndMerge(std::vector<GoalPoint>& points);
