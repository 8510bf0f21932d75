#include "plot/PlotCtrl.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace {

constexpr int kLeftMargin = 56;
constexpr int kBottomMargin = 22;
constexpr int kTopMargin = 8;
constexpr int kRightMargin = 12;

/// A "nice" tick step (1, 2 or 5 times a power of ten) for about `count` ticks.
double TickStep(double span, int count) {
  if (!(span > 0) || !std::isfinite(span)) return 1;
  const double raw = span / std::max(count, 1);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  const double f = raw / power;
  const double nice = f < 1.5 ? 1 : f < 3.5 ? 2 : f < 7.5 ? 5 : 10;
  return nice * power;
}

/// How many ticks k0·step, (k0 + 1)·step, … lie at or below `end`; none when
/// the numbers are too large for the step to tell them apart.
int TickCount(double k0, double end, double step) {
  const double last = std::floor(end / step);
  if (!std::isfinite(k0) || !std::isfinite(last) || last < k0) return 0;
  if (last - k0 > 200 || k0 + 1 == k0) return 0;
  return static_cast<int>(last - k0) + 1;
}

/// A tick value in the user's number format, with no more digits than needed.
wxString TickLabel(double value, double step) {
  if (std::fabs(value) < step * 1e-9) value = 0;
  std::ostringstream s;
  s.imbue(std::locale());
  s.precision(10);
  s << value;
  return wxString::FromUTF8(s.str());
}

/// Clips the segment to the rectangle [x0, x1] × [y0, y1] (Liang–Barsky);
/// false when nothing of it is inside.
bool ClipSegment(double& ax, double& ay, double& bx, double& by, double x0, double y0, double x1,
                 double y1) {
  double t0 = 0, t1 = 1;
  const double dx = bx - ax, dy = by - ay;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const double nax = ax + t0 * dx, nay = ay + t0 * dy;
  bx = ax + t1 * dx;
  by = ay + t1 * dy;
  ax = nax;
  ay = nay;
  return true;
}

/// Maps plane coordinates to window pixels.
struct Mapper {
  wxRect area;
  PlotRect v;
  double Px(double x) const { return area.x + (x - v.x) / v.width * area.width; }
  double Py(double y) const { return area.y + area.height - (y - v.y) / v.height * area.height; }
};

/// Draws a polyline given in pixels, clipped to a band around the area so
/// that far points neither overflow the device's coordinates nor bend lines.
void DrawPolyline(wxDC& dc, const std::vector<std::pair<double, double>>& px, const wxRect& area) {
  const double x0 = area.x - 2, y0 = area.y - 2;
  const double x1 = area.GetRight() + 2, y1 = area.GetBottom() + 2;
  if (px.size() == 1) {
    const double x = px[0].first, y = px[0].second;
    if (x >= x0 && x <= x1 && y >= y0 && y <= y1) dc.DrawPoint(wxRound(x), wxRound(y));
    return;
  }
  std::vector<wxPoint> open;
  auto flush = [&]() {
    if (open.size() >= 2) dc.DrawLines(static_cast<int>(open.size()), open.data());
    open.clear();
  };
  for (size_t i = 1; i < px.size(); ++i) {
    double ax = px[i - 1].first, ay = px[i - 1].second, bx = px[i].first, by = px[i].second;
    // A view far beyond the numbers' precision maps points to infinities.
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by) ||
        !ClipSegment(ax, ay, bx, by, x0, y0, x1, y1)) {
      flush();
      continue;
    }
    const wxPoint a(wxRound(ax), wxRound(ay)), b(wxRound(bx), wxRound(by));
    if (open.empty() || open.back() != a) {
      flush();
      open.push_back(a);
    }
    open.push_back(b);
  }
  flush();
}

}  // namespace

PlotCtrl::PlotCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                   long style)
    : wxWindow(parent, id, pos, size, style | wxFULL_REPAINT_ON_RESIZE, "plot") {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetMinSize(wxSize(120, 80));
  Bind(wxEVT_PAINT, &PlotCtrl::OnPaint, this);
  Bind(wxEVT_SIZE, &PlotCtrl::OnSize, this);
  Bind(wxEVT_MOUSEWHEEL, &PlotCtrl::OnWheel, this);
  Bind(wxEVT_LEFT_DOWN, &PlotCtrl::OnLeftDown, this);
  Bind(wxEVT_LEFT_UP, &PlotCtrl::OnLeftUp, this);
  Bind(wxEVT_MOTION, &PlotCtrl::OnMotion, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &PlotCtrl::OnCaptureLost, this);
}

PlotCtrl::~PlotCtrl() {
  if (HasCapture()) ReleaseMouse();
}

size_t PlotCtrl::AddCurve(std::unique_ptr<PlotCurve> curve) {
  curves_.push_back(std::move(curve));
  return curves_.size() - 1;
}

void PlotCtrl::InsertCurve(size_t index, std::unique_ptr<PlotCurve> curve) {
  index = std::min(index, curves_.size());
  curves_.insert(curves_.begin() + static_cast<long>(index), std::move(curve));
  if (current_ >= static_cast<int>(index)) ++current_;
}

void PlotCtrl::RemoveCurve(size_t index) {
  if (index >= curves_.size()) return;
  curves_.erase(curves_.begin() + static_cast<long>(index));
  if (current_ == static_cast<int>(index))
    current_ = -1;
  else if (current_ > static_cast<int>(index))
    --current_;
}

void PlotCtrl::RemoveAllCurves() {
  curves_.clear();
  current_ = -1;
}

void PlotCtrl::SetCurrentCurve(int index) {
  current_ = index >= 0 && index < static_cast<int>(curves_.size()) ? index : -1;
}

void PlotCtrl::SetView(const PlotRect& view) {
  view_ = view;
  Redraw();
}

void PlotCtrl::Zoom(double fx, double fy) {
  if (!(fx > 0) || !(fy > 0)) return;
  const double cx = view_.x + view_.width / 2, cy = view_.y + view_.height / 2;
  view_.width /= fx;
  view_.height /= fy;
  view_.x = cx - view_.width / 2;
  view_.y = cy - view_.height / 2;
  Redraw();
}

void PlotCtrl::ShowAll() {
  const double inf = std::numeric_limits<double>::infinity();
  double xMin = inf, xMax = -inf, yMin = inf, yMax = -inf;
  for (const auto& c : curves_) {
    if (auto* points = dynamic_cast<PointCurve*>(c.get())) {
      for (size_t i = 0; i < points->Count(); ++i) {
        const double x = points->X(i), y = points->Y(i);
        if (!std::isfinite(x) || !std::isfinite(y)) continue;
        xMin = std::min(xMin, x);
        xMax = std::max(xMax, x);
        yMin = std::min(yMin, y);
        yMax = std::max(yMax, y);
      }
    }
  }
  if (!(xMin <= xMax)) {
    const PlotRect v = DrawnView();
    xMin = v.x;
    xMax = v.x + v.width;
  }
  for (const auto& c : curves_) {
    if (auto* f = dynamic_cast<FunctionCurve*>(c.get())) {
      // Near a pole the values grow without bound; when the extreme values
      // dwarf the rest, the range of the middle 96 % shows the curve's shape
      // instead of one spike.
      const int n = std::max(200, PlotArea().width);
      std::vector<double> values;
      values.reserve(static_cast<size_t>(n) + 1);
      for (int i = 0; i <= n; ++i) {
        const double y = f->Value(xMin + (xMax - xMin) * i / n);
        if (std::isfinite(y)) values.push_back(y);
      }
      if (values.empty()) continue;
      std::sort(values.begin(), values.end());
      const size_t cut = values.size() / 50;
      double low = values.front(), high = values.back();
      const double innerLow = values[cut], innerHigh = values[values.size() - 1 - cut];
      if (high - low > 10 * (innerHigh - innerLow)) {
        low = innerLow;
        high = innerHigh;
      }
      yMin = std::min(yMin, low);
      yMax = std::max(yMax, high);
    }
  }
  if (!(yMin <= yMax)) {
    if (curves_.empty()) return;
    yMin = -1;
    yMax = 1;
  }
  PlotRect v{xMin, yMin, xMax - xMin, yMax - yMin};
  v.x -= v.width * 0.025;
  v.width *= 1.05;
  v.y -= v.height * 0.025;
  v.height *= 1.05;
  SetView(v);
}

void PlotCtrl::Redraw() { Refresh(false); }

wxRect PlotCtrl::PlotArea() const {
  const wxSize size = GetClientSize();
  return wxRect(kLeftMargin, kTopMargin, std::max(1, size.x - kLeftMargin - kRightMargin),
                std::max(1, size.y - kTopMargin - kBottomMargin));
}

PlotRect PlotCtrl::DrawnView() const {
  PlotRect v = view_;
  auto widen = [](double& start, double& extent) {
    if (!std::isfinite(start) || !std::isfinite(extent) || !std::isfinite(start + extent)) {
      start = -10;
      extent = 20;
    } else if (!(extent > 0)) {
      const double centre = start + extent / 2;
      const double half = std::max(std::fabs(centre) * 0.1, 1.0);
      start = centre - half;
      extent = 2 * half;
    }
  };
  widen(v.x, v.width);
  widen(v.y, v.height);
  return v;
}

void PlotCtrl::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  Draw(dc);
}

void PlotCtrl::OnSize(wxSizeEvent& event) {
  Refresh(false);
  event.Skip();
}

void PlotCtrl::Draw(wxDC& dc) {
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  const wxRect area = PlotArea();
  const PlotRect v = DrawnView();
  dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
  DrawAxes(dc, area, v);
  dc.SetClippingRegion(area);
  for (size_t i = 0; i < curves_.size(); ++i)
    if (static_cast<int>(i) != current_) DrawCurve(dc, area, v, i);
  if (current_ >= 0) DrawCurve(dc, area, v, static_cast<size_t>(current_));
  dc.DestroyClippingRegion();
  dc.SetPen(wxPen(wxColour(160, 160, 160)));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawRectangle(wxRect(area).Inflate(1));
}

void PlotCtrl::DrawAxes(wxDC& dc, const wxRect& area, const PlotRect& v) {
  const Mapper m{area, v};
  const wxPen grid(wxColour(228, 228, 228));
  const wxPen axis(wxColour(120, 120, 120));
  dc.SetTextForeground(wxColour(60, 60, 60));

  const double xs = TickStep(v.width, std::max(2, area.width / 80));
  const double kx0 = std::ceil(v.x / xs);
  const int nx = TickCount(kx0, v.x + v.width, xs);
  for (int i = 0; i < nx; ++i) {
    const double x = (kx0 + i) * xs;
    const double fx = m.Px(x);
    if (!(fx >= area.x - 1 && fx <= area.GetRight() + 1)) continue;  // lost precision
    const int px = wxRound(fx);
    dc.SetPen(std::fabs(x) < xs * 1e-9 ? axis : grid);
    dc.DrawLine(px, area.y, px, area.GetBottom() + 1);
    const wxString label = TickLabel(x, xs);
    const wxSize ext = dc.GetTextExtent(label);
    dc.DrawText(label, px - ext.x / 2, area.GetBottom() + 4);
  }
  const double ys = TickStep(v.height, std::max(2, area.height / 40));
  const double ky0 = std::ceil(v.y / ys);
  const int ny = TickCount(ky0, v.y + v.height, ys);
  for (int i = 0; i < ny; ++i) {
    const double y = (ky0 + i) * ys;
    const double fy = m.Py(y);
    if (!(fy >= area.y - 1 && fy <= area.GetBottom() + 1)) continue;
    const int py = wxRound(fy);
    dc.SetPen(std::fabs(y) < ys * 1e-9 ? axis : grid);
    dc.DrawLine(area.x, py, area.GetRight() + 1, py);
    const wxString label = TickLabel(y, ys);
    const wxSize ext = dc.GetTextExtent(label);
    dc.DrawText(label, area.x - ext.x - 5, py - ext.y / 2);
  }
}

void PlotCtrl::DrawCurve(wxDC& dc, const wxRect& area, const PlotRect& v, size_t index) {
  const Mapper m{area, v};
  const PlotCurve* curve = curves_[index].get();
  const PenState state = static_cast<int>(index) == current_ ? PenState::Active : PenState::Normal;
  dc.SetPen(*curve->Pen(state));
  dc.SetBrush(wxBrush(curve->Pen(state)->GetColour()));

  if (auto* points = dynamic_cast<const PointCurve*>(curve)) {
    std::vector<std::pair<double, double>> px;
    px.reserve(points->Count());
    for (size_t i = 0; i < points->Count(); ++i) {
      if (!std::isfinite(points->X(i)) || !std::isfinite(points->Y(i))) {
        DrawPolyline(dc, px, area);
        px.clear();
        continue;
      }
      px.emplace_back(m.Px(points->X(i)), m.Py(points->Y(i)));
    }
    DrawPolyline(dc, px, area);
    // Marks at the points while they are far enough apart to be told apart.
    if (points->Count() > 0 && points->Count() <= static_cast<size_t>(area.width / 6)) {
      for (size_t i = 0; i < points->Count(); ++i) {
        const double x = m.Px(points->X(i)), y = m.Py(points->Y(i));
        if (x >= area.x - 3 && x <= area.GetRight() + 3 && y >= area.y - 3 &&
            y <= area.GetBottom() + 3)
          dc.DrawRectangle(wxRound(x) - 2, wxRound(y) - 2, 5, 5);
      }
    }
  } else if (auto* f = dynamic_cast<const FunctionCurve*>(curve)) {
    const auto runs = SampleFunction([f](double x) { return f->Value(x); }, v.x, v.x + v.width,
                                     std::max(area.width, 2), v.y, v.y + v.height);
    for (const PlotPolyline& run : runs) {
      std::vector<std::pair<double, double>> px;
      px.reserve(run.size());
      for (const auto& p : run) px.emplace_back(m.Px(p.first), m.Py(p.second));
      DrawPolyline(dc, px, area);
    }
  }
}

void PlotCtrl::OnWheel(wxMouseEvent& event) {
  if (event.GetWheelRotation() == 0) return;
  const PlotRect v = DrawnView();
  const wxRect area = PlotArea();
  const double fx = (event.GetX() - area.x) / static_cast<double>(area.width);
  const double fy = 1 - (event.GetY() - area.y) / static_cast<double>(area.height);
  const double px = v.x + v.width * std::clamp(fx, 0.0, 1.0);
  const double py = v.y + v.height * std::clamp(fy, 0.0, 1.0);
  const double factor = event.GetWheelRotation() > 0 ? 1 / 1.25 : 1.25;
  PlotRect n{0, 0, v.width * factor, v.height * factor};
  n.x = px - (px - v.x) * factor;
  n.y = py - (py - v.y) * factor;
  SetView(n);
}

void PlotCtrl::OnLeftDown(wxMouseEvent& event) {
  dragging_ = true;
  dragStart_ = event.GetPosition();
  dragView_ = DrawnView();
  if (!HasCapture()) CaptureMouse();
  SetFocus();
}

void PlotCtrl::OnLeftUp(wxMouseEvent&) {
  dragging_ = false;
  if (HasCapture()) ReleaseMouse();
}

void PlotCtrl::OnMotion(wxMouseEvent& event) {
  if (!dragging_ || !event.LeftIsDown()) return;
  const wxRect area = PlotArea();
  const wxPoint d = event.GetPosition() - dragStart_;
  PlotRect n = dragView_;
  n.x -= d.x * dragView_.width / area.width;
  n.y += d.y * dragView_.height / area.height;
  SetView(n);
}

void PlotCtrl::OnCaptureLost(wxMouseCaptureLostEvent&) { dragging_ = false; }
