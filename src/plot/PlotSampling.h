#pragma once
// Sampling a function for drawing (included by PlotCtrl.h).

#include <cmath>
#include <utility>
#include <vector>

namespace plot_detail {

/// True when f runs continuously from (a, fa) to (b, fb): bisection finds no
/// missing value and no midpoint outside the values at its ends. A pole shows
/// as a midpoint beyond both ends or as a missing value.
template <class F>
bool Continuous(const F& f, double a, double fa, double b, double fb) {
  for (int i = 0; i < 40; ++i) {
    const double m = a + (b - a) / 2;
    if (m <= a || m >= b) return true;  // no more room between the doubles
    const double fm = f(m);
    if (!std::isfinite(fm)) return false;
    const double lo = fa < fb ? fa : fb, hi = fa < fb ? fb : fa;
    if (fm < lo || fm > hi) return false;
    // Follow the half with the larger change: that is where a pole would be.
    if (std::fabs(fm - fa) >= std::fabs(fb - fm)) {
      b = m;
      fb = fm;
    } else {
      a = m;
      fa = fm;
    }
  }
  return true;
}

}  // namespace plot_detail

template <class F>
std::vector<PlotPolyline> SampleFunction(const F& f, double x0, double x1, int samples,
                                         double yLow, double yHigh) {
  std::vector<PlotPolyline> runs;
  if (samples < 1 || !(x1 > x0)) return runs;
  PlotPolyline run;
  bool havePrev = false;
  double px = 0, py = 0;
  const double band = yHigh - yLow;
  for (int i = 0; i <= samples; ++i) {
    const double x = x0 + (x1 - x0) * i / samples;
    const double y = f(x);
    if (!std::isfinite(y)) {
      if (run.size() > 0) runs.push_back(std::move(run));
      run.clear();
      havePrev = false;
      continue;
    }
    if (havePrev) {
      // A step that is large against the visible band may be a pole: look closer.
      const bool large = std::fabs(y - py) > band;
      if (large && !plot_detail::Continuous(f, px, py, x, y)) {
        if (run.size() > 0) runs.push_back(std::move(run));
        run.clear();
      }
    }
    run.emplace_back(x, y);
    px = x;
    py = y;
    havePrev = true;
  }
  if (run.size() > 0) runs.push_back(std::move(run));
  return runs;
}
