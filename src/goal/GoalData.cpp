#include "goal/GoalData.h"

#include <algorithm>
#include <cmath>

void GoalData::Clear() {
  x.clear();
  y.clear();
  additionalX.clear();
  additionalY.clear();
  expression.reset();
}

void GoalData::Finalize() {
  if (x.empty()) return;
  xFirst = x.front();
  xLast = x.back();
  yMin = yMax = y.front();
  for (const std::vector<double>* values : {&y, &additionalY})
    for (double v : *values) {
      if (v < yMin) yMin = v;
      if (v > yMax) yMax = v;
    }
  constRange = std::max(std::max(std::fabs(xLast), std::fabs(xFirst)), std::max(std::fabs(yMax), std::fabs(yMin)));
}

bool SortAndMerge(std::vector<GoalPoint>& points) {
  if (points.size() < 2) return false;
  std::stable_sort(points.begin(), points.end(), [](const GoalPoint& a, const GoalPoint& b) { return a.x < b.x; });
  std::vector<GoalPoint> merged;
  merged.reserve(points.size());
  for (const GoalPoint& p : points) {
    if (!merged.empty() && merged.back().x == p.x) {
      // A zero y gives way to the first non-zero y of the run.
      if (merged.back().y == 0) merged.back().y = p.y;
      continue;
    }
    merged.push_back(p);
  }
  const bool dropped = merged.size() != points.size();
  points.swap(merged);
  return dropped;
}
