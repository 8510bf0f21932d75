#include "goal/PointsText.h"

#include <istream>
#include <ostream>

bool ReadPointsText(std::istream& in, std::vector<GoalPoint>& points) {
  points.clear();
  for (;;) {
    double x = 0, y = 0;
    in >> x;
    // The end of the stream completes the file, even when the conversion failed.
    if (in.eof() && !in.bad()) return true;
    if (in.fail()) break;
    in >> y;
    if (in.eof() && !in.fail() && !in.bad()) {
      points.push_back({x, y});
      return true;
    }
    if (in.fail()) break;
    points.push_back({x, y});
  }
  points.clear();
  return false;
}

bool WritePointsText(std::ostream& out, const std::vector<GoalPoint>& points) {
  out.precision(15);
  for (const GoalPoint& p : points) {
    out << p.x << '\t' << p.y << '\n';
    out.flush();
    if (!out) return false;
  }
  return static_cast<bool>(out);
}
