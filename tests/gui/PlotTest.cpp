#include <cmath>
#include <limits>

#include <wx/frame.h>

#include "GuiTest.h"
#include "expr/Compiler.h"
#include "plot/PlotCtrl.h"

namespace {

class PlotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new wxFrame(nullptr, wxID_ANY, "plot", wxDefaultPosition, wxSize(500, 400));
    plot = new PlotCtrl(frame, wxID_ANY);
    frame->Show();
    Pump(20);
  }
  void TearDown() override {
    // The function curves refer to this fixture's variable table; the frame
    // itself goes only at the next idle time.
    plot->RemoveAllCurves();
    frame->Destroy();
    Pump(10);
  }

  std::unique_ptr<PointCurve> Points(std::initializer_list<std::pair<double, double>> list) {
    auto c = std::make_unique<PointCurve>(list.size());
    size_t i = 0;
    for (const auto& p : list) c->SetPoint(i++, p.first, p.second);
    return c;
  }
  std::unique_ptr<FunctionCurve> Function(const char* formula) {
    std::unique_ptr<ElHolder> tree = Compiler().Compile(formula, variables);
    EXPECT_TRUE(tree) << formula;
    return std::make_unique<FunctionCurve>(tree.get(), &variables);
  }
  /// Paints the plot now.
  void Paint() {
    plot->Refresh();
    plot->Update();
    Pump(20);
  }

  VariableTable variables{"x"};
  wxFrame* frame = nullptr;
  PlotCtrl* plot = nullptr;
};

}  // namespace

TEST_F(PlotTest, ViewZoomAroundTheCentreAndShowAll) {
  plot->SetView(PlotRect{2, -4, 8, 6});
  EXPECT_EQ(plot->GetView(), (PlotRect{2, -4, 8, 6}));
  plot->Zoom(2, 0.5);
  EXPECT_EQ(plot->GetView(), (PlotRect{4, -7, 4, 12}));  // centre (6, -1) kept

  plot->AddCurve(Points({{0, 0}, {10, 5}, {4, -5}}));
  plot->ShowAll();
  const PlotRect v = plot->GetView();
  EXPECT_NEAR(v.x, -0.25, 1e-12);
  EXPECT_NEAR(v.width, 10.5, 1e-12);
  EXPECT_NEAR(v.y, -5.25, 1e-12);
  EXPECT_NEAR(v.height, 10.5, 1e-12);
}

TEST_F(PlotTest, ShowAllOfAFunctionIgnoresValuesItDoesNotHave) {
  plot->SetView(PlotRect{0, 0, 4, 1});
  plot->AddCurve(Function("sqrt(x-2)"));  // no value below 2
  plot->ShowAll();
  const PlotRect v = plot->GetView();
  EXPECT_TRUE(std::isfinite(v.y) && std::isfinite(v.height));
  EXPECT_NEAR(v.y, -0.025 * std::sqrt(2.0), 0.05);
  EXPECT_GT(v.height, 1.3);
}

TEST_F(PlotTest, InsertRemoveAndTheCurrentCurve) {
  plot->AddCurve(Points({{0, 0}}));
  plot->AddCurve(Points({{1, 1}}));
  plot->SetCurrentCurve(1);
  auto* inserted = Points({{2, 2}}).release();
  plot->InsertCurve(0, std::unique_ptr<PlotCurve>(inserted));
  ASSERT_EQ(plot->CurveCount(), 3u);
  EXPECT_EQ(plot->Curve(0), inserted);
  EXPECT_EQ(plot->CurrentCurve(), 2);  // still the same curve
  plot->RemoveCurve(0);
  EXPECT_EQ(plot->CurrentCurve(), 1);
  plot->RemoveCurve(7);  // out of range: nothing
  EXPECT_EQ(plot->CurveCount(), 2u);
  plot->RemoveCurve(1);
  EXPECT_EQ(plot->CurrentCurve(), -1);
  plot->SetCurrentCurve(5);
  EXPECT_EQ(plot->CurrentCurve(), -1);
  while (plot->CurveCount() > 0) plot->RemoveCurve(plot->CurveCount() - 1);
  Paint();
}

TEST_F(PlotTest, OneSharedPenChangesInPlaceForBothStates) {
  auto curve = Points({{0, 0}, {1, 1}});
  SharedPen pen = MakeCurvePen(wxColour(36, 0, 242));
  curve->SetNormalAndActivePen(pen);
  PlotCurve* c = curve.get();
  plot->AddCurve(std::move(curve));
  pen->SetColour(wxColour(255, 128, 0));
  EXPECT_EQ(c->Pen(PenState::Normal)->GetColour(), wxColour(255, 128, 0));
  EXPECT_EQ(c->Pen(PenState::Active)->GetColour(), wxColour(255, 128, 0));
  EXPECT_EQ(c->Pen(PenState::Selected)->GetColour(), *wxBLACK);
  EXPECT_EQ(pen->GetCap(), wxCAP_ROUND);
  EXPECT_EQ(pen->GetJoin(), wxJOIN_ROUND);
  EXPECT_EQ(pen->GetWidth(), 1);
}

TEST_F(PlotTest, FunctionCurveEvaluatesItsOwnCopy) {
  std::unique_ptr<ElHolder> tree = Compiler().Compile("x^2+1", variables);
  FunctionCurve curve(tree.get(), &variables);
  tree.reset();  // the curve keeps its own copy
  EXPECT_EQ(curve.Value(3), 10);
  EXPECT_EQ(variables[0].value, 3);
  FunctionCurve empty(nullptr, &variables);
  EXPECT_EQ(empty.Value(3), 0);
}

TEST(PlotSampling, SplitsAtPolesAndMissingValues) {
  auto runs = SampleFunction([](double x) { return 1 / x; }, -1, 1, 100, -10, 10);
  ASSERT_EQ(runs.size(), 2u);  // x = 0 is a sample: infinite
  EXPECT_LT(runs[0].back().first, 0);
  EXPECT_GT(runs[1].front().first, 0);

  // A pole between two samples.
  runs = SampleFunction([](double x) { return 1 / (x - 0.013); }, -1, 1, 100, -10, 10);
  ASSERT_EQ(runs.size(), 2u);
  for (const auto& run : runs)
    for (size_t i = 1; i < run.size(); ++i)
      EXPECT_FALSE(run[i - 1].first < 0.013 && run[i].first > 0.013);

  runs = SampleFunction([](double x) { return std::tan(x); }, -5, 5, 400, -3, 3);
  EXPECT_EQ(runs.size(), 5u);  // poles at ±π/2 and ±3π/2

  // Steep but continuous: one run.
  runs = SampleFunction([](double x) { return 1000 * x; }, -1, 1, 50, -1, 1);
  EXPECT_EQ(runs.size(), 1u);

  runs = SampleFunction([](double) { return std::nan(""); }, -1, 1, 1000, -1, 1);
  EXPECT_TRUE(runs.empty());
}

TEST_F(PlotTest, DrawsAnyFormulaAndAnyViewWithoutHanging) {
  plot->AddCurve(Function("1/(x-3)"));
  plot->AddCurve(Function("sqrt(-1-x^2)"));  // undefined everywhere
  plot->AddCurve(Function("tan(x)^3"));
  plot->AddCurve(Points({{0, std::nan("")}, {1, 1}, {2, std::numeric_limits<double>::infinity()}}));
  plot->SetCurrentCurve(0);
  const double big = std::numeric_limits<double>::max();
  for (const PlotRect& v : {PlotRect{-10, -10, 20, 20}, PlotRect{1e300, 1e300, 1, 1},
                            PlotRect{0, 0, 0, 0}, PlotRect{-big, -big, big, big},
                            PlotRect{std::nan(""), 0, 1, 1}, PlotRect{0, 0, 1e-300, 1e-300}}) {
    plot->SetView(v);
    Paint();
  }
  SUCCEED();
}
