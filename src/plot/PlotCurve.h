#pragma once
// The curves a PlotCtrl draws.

#include <memory>
#include <vector>

#include <wx/pen.h>

#include "expr/ElHolder.h"
#include "expr/VariableTable.h"

/// The states in which a curve is drawn: normal, active (the plot's current
/// curve) and selected data.
enum class PenState { Normal = 0, Active = 1, Selected = 2 };

/// A pen that several states, or several curves, may share: a change of its
/// colour shows wherever it is used.
using SharedPen = std::shared_ptr<wxPen>;

/// A solid pen of width 1 with round caps and joins.
SharedPen MakeCurvePen(const wxColour& colour);

/// Base of the two kinds of curves: the pens of the three states.
class PlotCurve {
 public:
  PlotCurve();
  virtual ~PlotCurve() = default;

  void SetPen(PenState state, SharedPen pen) { pens_[static_cast<int>(state)] = std::move(pen); }
  /// Never null: a curve starts with a black pen for every state.
  const SharedPen& Pen(PenState state) const { return pens_[static_cast<int>(state)]; }
  /// Gives the normal and the active state one shared pen.
  void SetNormalAndActivePen(const SharedPen& pen) {
    SetPen(PenState::Normal, pen);
    SetPen(PenState::Active, pen);
  }

 private:
  SharedPen pens_[3];
};

/// A list of (x, y) points joined by straight lines, in their order.
class PointCurve : public PlotCurve {
 public:
  /// `count` points, all (0, 0) until set.
  explicit PointCurve(size_t count) : points_(count) {}
  size_t Count() const { return points_.size(); }
  void SetPoint(size_t i, double x, double y) { points_[i] = {x, y}; }
  double X(size_t i) const { return points_[i].x; }
  double Y(size_t i) const { return points_[i].y; }

 private:
  struct Point {
    double x = 0, y = 0;
  };
  std::vector<Point> points_;
};

/// y = f(x) for a formula: the curve owns a copy of the tree and evaluates it
/// with the first variable of `table` set to x.
class FunctionCurve : public PlotCurve {
 public:
  /// Copies `tree` (null or an empty holder: the curve is 0 everywhere) and
  /// points its variables at `table`, which must outlive the curve.
  FunctionCurve(const ElHolder* tree, VariableTable* table);
  /// The value at x; NaN or an infinity where the formula has none.
  double Value(double x) const;

 private:
  ElHolder tree_;
  VariableTable* table_;
};
