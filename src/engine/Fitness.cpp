// Fitness: mean closeness to the goal points combined with a small reward for
// short formulas.

#include <cmath>

#include "engine/Variant.h"

namespace {

// 1.04^-k by repeated squaring.
double SizeTerm(int k) {
  double power = 1.0, base = 1.04;
  for (unsigned e = static_cast<unsigned>(k); e > 0; e >>= 1) {
    if (e & 1) power *= base;
    base *= base;
  }
  return 1.0 / power;
}

}  // namespace

double Variant::PointScore(double v, double y, double range) const {
  const double d = std::fabs(v - y);
  // All goal y equal (range 0): the relative score has no scale, so it takes
  // the exponential one: 1 for an exact hit, falling with the distance.
  if (fitnessKind != kFitnessRelative || range == 0) return std::pow(1.5, -d);
  return d <= range ? 1.0 - d / range : range / d - 1.0;
}

void Variant::ComputeFitness(bool all) {
  if (all && mainDirty) {
    ComputeFitness(false);
    mainDirty = false;
  }
  if (!goal || !child) {
    if (all)
      allScore = fitness = 0.0;
    else
      mainScore = mainFitness = 0.0;
    rangeKnown = true;
    rangeOk = false;
    return;
  }
  if (all && nonFinite) {
    allScore = fitness = 0.0;
    return;
  }
  const std::vector<double>& xs = all ? goal->additionalX : goal->x;
  const std::vector<double>& ys = all ? goal->additionalY : goal->y;
  const size_t c = xs.size();
  if (c == 0) {
    if (all) {
      allScore = mainScore;
      fitness = mainFitness;
    } else {
      mainScore = mainFitness = 0.0;
    }
    return;
  }
  const double range = goal->yMax - goal->yMin;
  Variable& var = (*evalVariables)[0];
  double sum = 0.0;
  for (size_t i = 0; i < c; ++i) {
    var.value = xs[i];
    const double v = Evaluate();
    if (!std::isfinite(v)) {
      if (all) {
        mainScore = mainFitness = allScore = fitness = 0.0;
      } else {
        mainScore = mainFitness = 0.0;
        nonFinite = true;
      }
      rangeKnown = true;
      rangeOk = false;
      return;
    }
    sum += PointScore(v, ys[i], range);
  }
  double mean = sum / static_cast<double>(c);
  if (mean < 0) mean = 0;
  const double sizeTerm = SizeTerm(ElementCount());
  if (all) {
    const double n = static_cast<double>(goal->x.size()), m = static_cast<double>(c);
    allScore = (n * mainScore + m * mean) / (n + m);
    fitness = (1 - weight) * allScore + weight * sizeTerm;
  } else {
    mainScore = mean;
    nonFinite = false;
    mainFitness = (1 - weight) * mainScore + weight * sizeTerm;
  }
}

VariantDifferences Variant::Differences() const {
  VariantDifferences d;
  if (!goal || !child) return d;
  Variable& var = (*evalVariables)[0];
  auto add = [&](const std::vector<double>& xs, const std::vector<double>& ys, double& sum) {
    for (size_t i = 0; i < xs.size(); ++i) {
      var.value = xs[i];
      const double diff = std::fabs(Evaluate() - ys[i]);
      if (diff > d.maxDifference) d.maxDifference = diff;
      sum += diff;
    }
  };
  add(goal->x, goal->y, d.mainDifferenceSum);
  double additionalSum = 0.0;
  add(goal->additionalX, goal->additionalY, additionalSum);
  d.allDifferenceSum = d.mainDifferenceSum + additionalSum;
  return d;
}
