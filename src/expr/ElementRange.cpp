// Interval analysis: every node bounds the values of its subtree while each
// variable runs through [min, max]. The rangecheck passes when both bounds of
// the root are finite.

#include <cmath>
#include <limits>

#include "expr/Element.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kThreeHalfPi = 4.71238898038469;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kThreePi = 9.42477796076938;
constexpr double kFiveHalfPi = 7.853981633974483;
constexpr double kSevenHalfPi = 10.995574287564276;

// The pairwise minimum and maximum keep their operand order: a NaN first
// operand yields the second.
double Min(double p, double q) { return p < q ? p : q; }
double Max(double p, double q) { return p > q ? p : q; }

void Unbounded(double& lower, double& upper) {
  lower = -kInf;
  upper = kInf;
}

void Corners(double a, double b, double c, double d, double& lower, double& upper) {
  lower = Min(Min(a, b), Min(c, d));
  upper = Max(Max(a, b), Max(c, d));
}

bool Finite(double lo, double hi) { return std::isfinite(lo) && std::isfinite(hi); }

// Reduces [lo, hi] to [a, b] with a in [0, 2pi) and b >= a; `wrapped` when the
// interval passes a multiple of 2pi. Returns false when the interval covers a
// whole period: an interval exactly one period wide reduces to a == b and
// would otherwise be taken for a single point.
bool ReducePeriod(double lo, double hi, double& a, double& b, bool& wrapped) {
  if (hi - lo >= kTwoPi) return false;
  a = std::fmod(lo, kTwoPi);
  if (a < 0) a += kTwoPi;
  b = std::fmod(hi, kTwoPi);
  if (b < 0) b += kTwoPi;
  if (a == b && lo != hi) return false;
  wrapped = b < a;
  if (wrapped) b += kTwoPi;
  return true;
}

bool Holds(double a, double b, double point) { return a <= point && point <= b; }

}  // namespace

void ElConst::ValueRange(double& lower, double& upper) const { lower = upper = value; }

void ElVar::ValueRange(double& lower, double& upper) const {
  lower = (*variables)[index].min;
  upper = (*variables)[index].max;
}

void ElNeg::ValueRange(double& lower, double& upper) const {
  double lo, hi;
  child->ValueRange(lo, hi);
  lower = -hi;
  upper = -lo;
}

void ElPlus::ValueRange(double& lower, double& upper) const {
  double lo1, hi1, lo2, hi2;
  left->ValueRange(lo1, hi1);
  right->ValueRange(lo2, hi2);
  lower = lo1 + lo2;
  upper = hi1 + hi2;
}

void ElMinus::ValueRange(double& lower, double& upper) const {
  double lo1, hi1, lo2, hi2;
  left->ValueRange(lo1, hi1);
  right->ValueRange(lo2, hi2);
  lower = lo1 - hi2;
  upper = hi1 - lo2;
}

void ElMult::ValueRange(double& lower, double& upper) const {
  double lo1, hi1, lo2, hi2;
  left->ValueRange(lo1, hi1);
  right->ValueRange(lo2, hi2);
  Corners(lo1 * lo2, lo1 * hi2, hi1 * lo2, hi1 * hi2, lower, upper);
}

void ElDiv::ValueRange(double& lower, double& upper) const {
  double lo1, hi1, lo2, hi2;
  left->ValueRange(lo1, hi1);
  right->ValueRange(lo2, hi2);
  if ((lo2 <= 0 && hi2 >= 0) || !Finite(lo2, hi2)) return Unbounded(lower, upper);
  const double rlo = 1.0 / lo2;
  const double rhi = 1.0 / hi2;
  Corners(lo1 * rlo, lo1 * rhi, hi1 * rlo, hi1 * rhi, lower, upper);
}

void ElPow::ValueRange(double& lower, double& upper) const {
  double b1, b2, e1, e2;
  left->ValueRange(b1, b2);
  right->ValueRange(e1, e2);
  if (!Finite(e1, e2)) return Unbounded(lower, upper);
  if (b1 < 0) {
    // A negative base needs a single exponent; zero inside the base range is
    // not taken into account for the bounds.
    if (e1 != e2) return Unbounded(lower, upper);
    const double e = e1;
    const double p1 = std::pow(b1, e);
    if (!std::isfinite(p1)) return Unbounded(lower, upper);
    if (b2 >= 0 && e < 0) return Unbounded(lower, upper);
    const double p2 = std::pow(b2, e);
    lower = Min(p1, p2);
    upper = Max(p1, p2);
    return;
  }
  Corners(std::pow(b1, e1), std::pow(b1, e2), std::pow(b2, e1), std::pow(b2, e2), lower, upper);
}

void ElSin::ValueRange(double& lower, double& upper) const {
  double lo, hi, a, b;
  bool wrapped;
  child->ValueRange(lo, hi);
  if (!Finite(lo, hi)) return Unbounded(lower, upper);
  if (!ReducePeriod(lo, hi, a, b, wrapped)) {
    lower = -1;
    upper = 1;
    return;
  }
  const double sa = std::sin(a), sb = std::sin(b);
  upper = (Holds(a, b, kHalfPi) || (wrapped && Holds(a, b, kFiveHalfPi))) ? 1 : Max(sa, sb);
  lower = (Holds(a, b, kThreeHalfPi) || (wrapped && Holds(a, b, kSevenHalfPi))) ? -1 : Min(sa, sb);
}

void ElCos::ValueRange(double& lower, double& upper) const {
  double lo, hi, a, b;
  bool wrapped;
  child->ValueRange(lo, hi);
  if (!Finite(lo, hi)) return Unbounded(lower, upper);
  if (!ReducePeriod(lo, hi, a, b, wrapped)) {
    lower = -1;
    upper = 1;
    return;
  }
  const double ca = std::cos(a), cb = std::cos(b);
  lower = (Holds(a, b, kPi) || (wrapped && Holds(a, b, kThreePi))) ? -1 : Min(ca, cb);
  upper = (a == 0 || (!wrapped && b == 0) || (wrapped && Holds(a, b, kTwoPi))) ? 1 : Max(ca, cb);
}

void ElTan::ValueRange(double& lower, double& upper) const {
  double lo, hi;
  child->ValueRange(lo, hi);
  if (!Finite(lo, hi) || hi - lo >= kPi) return Unbounded(lower, upper);
  const double t1 = std::tan(lo), t2 = std::tan(hi);
  if (t2 < t1) return Unbounded(lower, upper);  // crosses an asymptote
  lower = t1;
  upper = t2;
}

void ElASin::ValueRange(double& lower, double& upper) const {
  double lo, hi;
  child->ValueRange(lo, hi);
  lower = std::asin(lo);
  upper = std::asin(hi);
}

void ElACos::ValueRange(double& lower, double& upper) const {
  double lo, hi;
  child->ValueRange(lo, hi);
  lower = std::acos(hi);
  upper = std::acos(lo);
}

void ElATan::ValueRange(double& lower, double& upper) const {
  double lo, hi;
  child->ValueRange(lo, hi);
  if (!Finite(lo, hi)) return Unbounded(lower, upper);
  lower = std::atan(lo);
  upper = std::atan(hi);
}

void ElSqrt::ValueRange(double& lower, double& upper) const {
  double lo, hi;
  child->ValueRange(lo, hi);
  lower = std::sqrt(lo);
  upper = std::sqrt(hi);
}

void ElExp::ValueRange(double& lower, double& upper) const {
  double lo, hi;
  child->ValueRange(lo, hi);
  if (!Finite(lo, hi)) return Unbounded(lower, upper);
  lower = std::exp(lo);
  upper = std::exp(hi);
}

void ElLog::ValueRange(double& lower, double& upper) const {
  double lo, hi;
  child->ValueRange(lo, hi);
  lower = std::log10(lo);
  upper = std::log10(hi);
}

void ElLn::ValueRange(double& lower, double& upper) const {
  double lo, hi;
  child->ValueRange(lo, hi);
  lower = std::log(lo);
  upper = std::log(hi);
}
