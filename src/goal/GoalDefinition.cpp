#include "goal/GoalDefinition.h"

#include <cmath>

#include "expr/Compiler.h"

GoalDefinition::GoalDefinition(VariableTable& variables) : variables_(variables) {}

const GoalData* GoalDefinition::GetGoal(bool silent) { return MakeGoal(silent) ? &data_ : nullptr; }

void GoalDefinition::Reset() {
  settings = GoalSettings();
  gridPoints.assign(1, GoalPoint{0.0, 0.0});
  data_.Clear();
  goalBuilt = goalChanged = false;
  rangeWarning_ = gridMerged_ = false;
  failure_ = GoalFailure();
}

bool GoalDefinition::Fail(LogLevel level, const std::string& message, bool silent, bool shownWhenSilent,
                          int position) {
  failure_.level = level;
  failure_.message = message;
  failure_.shownWhenSilent = shownWhenSilent;
  failure_.errorPosition = position;
  if (!silent || shownWhenSilent) {
    if (level == LogLevel::Error)
      LogError(message);
    else
      LogWarning(message);
  }
  return false;
}

bool GoalDefinition::MakeGoal(bool silent) {
  if (goalBuilt) return true;
  data_.Clear();
  failure_ = GoalFailure();
  rangeWarning_ = gridMerged_ = false;
  // The points-count control reports its value clamped into its range.
  const int minimum = settings.expressionSource ? 2 : std::max<int>(2, static_cast<int>(gridPoints.size()));
  if (settings.pointsCount < minimum) settings.pointsCount = minimum;
  if (settings.apcf < 0) settings.apcf = 0;
  const bool ok = settings.expressionSource ? BuildFromExpression(silent) : BuildFromPoints(silent);
  if (!ok) return false;
  data_.Finalize();
  goalBuilt = true;
  ++buildCount_;
  return true;
}

bool GoalDefinition::CheckSize(long long goalPoints, bool silent) {
  const long long total = goalPoints + (goalPoints - 1) * settings.apcf;
  if (total <= kMaxPoints) return true;
  return Fail(LogLevel::Warning,
              Format(Tr("Too many points: the goal may have at most %lld goal and additional points together").c_str(),
                     kMaxPoints),
              silent, true);
}

bool GoalDefinition::BuildFromExpression(bool silent) {
  const double minX = settings.minX, maxX = settings.maxX;
  if (!(maxX > minX)) return Fail(LogLevel::Warning, Tr("Min X must be lower than Max X"), silent, true);
  if (settings.expression.empty())
    return Fail(LogLevel::Warning, Tr("Input Expression must be entered"), silent, true);
  Compiler compiler;
  std::unique_ptr<ElHolder> tree = compiler.Compile(settings.expression, variables_);
  if (!tree) {
    return Fail(LogLevel::Warning,
                Format(Tr("%s\nExpression: %s\nCharacter Number: %d").c_str(),
                       Compiler::ErrorText(compiler.errorCode).c_str(), settings.expression.c_str(),
                       compiler.errorPosition + 1),
                silent, false, compiler.errorPosition);
  }
  const int n = settings.pointsCount;
  if (!CheckSize(n, silent)) return false;
  Variable& var = variables_[0];
  var.min = minX;
  var.max = maxX;
  const ElHolder& expr = *tree;
  data_.expression = std::move(tree);

  auto valueAt = [&](double x, double& y) {
    var.value = x;
    y = expr.Evaluate();
    if (std::isfinite(y)) return true;
    return Fail(LogLevel::Error, Format(Tr("Expression is infinite or indefinite at X = %g").c_str(), x), silent,
                false);
  };
  data_.x.resize(n);
  data_.y.resize(n);
  const double step = (maxX - minX) / (n - 1);
  for (int i = 0; i < n; ++i) {
    data_.x[i] = i * step + minX;
    if (!valueAt(data_.x[i], data_.y[i])) return false;
  }
  data_.x[n - 1] = maxX;
  if (!valueAt(maxX, data_.y[n - 1])) return false;

  const int apcf = settings.apcf;
  if (apcf >= 1) {
    data_.additionalX.resize(static_cast<size_t>(n - 1) * apcf);
    data_.additionalY.resize(data_.additionalX.size());
    size_t a = 0;
    for (int j = 0; j + 1 < n; ++j) {
      const double xj = data_.x[j], stepJ = (data_.x[j + 1] - xj) / (apcf + 1);
      for (int k = 1; k <= apcf; ++k, ++a) {
        data_.additionalX[a] = xj + k * stepJ;
        if (!valueAt(data_.additionalX[a], data_.additionalY[a])) return false;
      }
    }
  }
  if (!expr.RangeCheck()) {
    rangeWarning_ = true;
    if (!silent) LogWarning(Tr("Expression may be infinite or indefinite at some points\n(Not always)"));
  }
  return true;
}

namespace {

// Linear interpolation inside grid interval s.
double Interpolate(const std::vector<GoalPoint>& grid, size_t s, double x) {
  const GoalPoint& a = grid[s];
  const GoalPoint& b = grid[s + 1];
  return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
}

}  // namespace

bool GoalDefinition::BuildFromPoints(bool silent) {
  gridMerged_ = SortAndMerge(gridPoints);
  const std::vector<GoalPoint>& grid = gridPoints;
  const int k = static_cast<int>(grid.size());
  if (k < 2) return Fail(LogLevel::Warning, Tr("Points number in grid must be more than one"), silent, false);
  // Merging may have left fewer grid points than the count asks for; never fewer goal points than grid points.
  const int n = std::max(settings.pointsCount, k);
  if (!CheckSize(n, silent)) return false;
  variables_[0].min = grid.front().x;
  variables_[0].max = grid.back().x;

  // The k - 1 grid intervals share the n - 1 goal intervals; the remainder goes
  // one each to grid intervals spread evenly (targets g/2, g/2 + g, ...).
  const int q = (n - 1) / (k - 1);
  const int r = (n - 1) % (k - 1);
  const double g = r > 0 ? static_cast<double>(k - 1) / r : 0.0;
  double target = g / 2;
  int extras = 0;
  data_.x.reserve(n);
  data_.y.reserve(n);
  for (int s = 0; s + 1 < k; ++s) {
    int c = q;
    if (extras < r && s <= target && target <= s + 1) {
      ++c;
      ++extras;
      target += g;
    }
    data_.x.push_back(grid[s].x);
    data_.y.push_back(grid[s].y);
    for (int j = 1; j < c; ++j) {
      const double x = grid[s].x + j * (grid[s + 1].x - grid[s].x) / c;
      data_.x.push_back(x);
      data_.y.push_back(Interpolate(grid, s, x));
    }
  }
  data_.x.push_back(grid.back().x);
  data_.y.push_back(grid.back().y);

  const int apcf = settings.apcf;
  if (apcf >= 1) {
    const size_t goalCount = data_.x.size();
    data_.additionalX.reserve((goalCount - 1) * apcf);
    data_.additionalY.reserve((goalCount - 1) * apcf);
    size_t s = 0;
    for (size_t j = 0; j + 1 < goalCount; ++j) {
      const double xj = data_.x[j];
      while (s + 2 < grid.size() && xj >= grid[s + 1].x) ++s;
      const double step = (data_.x[j + 1] - xj) / (apcf + 1);
      for (int m = 1; m <= apcf; ++m) {
        const double x = xj + m * step;
        data_.additionalX.push_back(x);
        data_.additionalY.push_back(Interpolate(grid, s, x));
      }
    }
  }
  return true;
}
