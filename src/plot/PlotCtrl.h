#pragma once
// A two-dimensional plot of curves: point lists and functions of x.

#include <memory>
#include <vector>

#include <wx/window.h>

#include "plot/PlotCurve.h"

class wxDC;

/// A rectangle of the plane: lower-left corner (x, y), width and height.
struct PlotRect {
  double x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PlotRect& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

/// One connected run of a function's graph, in plane coordinates.
using PlotPolyline = std::vector<std::pair<double, double>>;

/// Samples `f` across [x0, x1] at `samples` + 1 evenly spaced x and splits the
/// graph where it has no value (NaN, infinities) and where it jumps across
/// the band [yLow, yHigh] through a pole rather than continuously, so that
/// no line is drawn across a gap. Bounded work for any formula.
template <class F>
std::vector<PlotPolyline> SampleFunction(const F& f, double x0, double x1, int samples,
                                         double yLow, double yHigh);

/// The plot control. It draws its curves in its view rectangle with axes, tick
/// labels in the user's number format and a light grid; the mouse wheel zooms
/// around the pointer and dragging moves the view. Every operation acts at
/// once and sends no event; the owner calls Redraw after changing curves.
class PlotCtrl : public wxWindow {
 public:
  PlotCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
           const wxSize& size = wxSize(400, 100), long style = 0);
  ~PlotCtrl() override;

  size_t CurveCount() const { return curves_.size(); }
  PlotCurve* Curve(size_t index) const { return curves_[index].get(); }
  /// Adds after the existing curves; returns its index.
  size_t AddCurve(std::unique_ptr<PlotCurve> curve);
  /// Inserts before the curve at `index` (CurveCount() appends); the current
  /// curve stays the same curve.
  void InsertCurve(size_t index, std::unique_ptr<PlotCurve> curve);
  /// Removes the curve at `index`; out of range does nothing. Removing the
  /// current curve leaves no current curve.
  void RemoveCurve(size_t index);
  void RemoveAllCurves();
  /// The curve drawn with its active pen; -1 for none.
  void SetCurrentCurve(int index);
  int CurrentCurve() const { return current_; }

  PlotRect GetView() const { return view_; }
  /// Shows `view`; a width or height that is not above 0 is widened around its
  /// centre when drawing, the stored rectangle stays as given.
  void SetView(const PlotRect& view);
  /// Multiplies the zoom factors: the view's width shrinks by `fx`, its height
  /// by `fy`, around the view's centre.
  void Zoom(double fx, double fy);
  /// A view in which every curve is visible: the extent of the point curves
  /// (or the current x range when there are none) and the finite values of
  /// the function curves there, with a small margin.
  void ShowAll();
  void Redraw();

  /// The rectangle of the window in which curves are drawn (inside the labels).
  wxRect PlotArea() const;

 private:
  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnWheel(wxMouseEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);

  void Draw(wxDC& dc);
  void DrawAxes(wxDC& dc, const wxRect& area, const PlotRect& v);
  void DrawCurve(wxDC& dc, const wxRect& area, const PlotRect& v, size_t index);
  PlotRect DrawnView() const;

  std::vector<std::unique_ptr<PlotCurve>> curves_;
  int current_ = -1;
  PlotRect view_{-10, -10, 20, 20};
  bool dragging_ = false;
  wxPoint dragStart_;
  PlotRect dragView_;
};

#include "plot/PlotSampling.h"
