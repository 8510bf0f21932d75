#include "plot/PlotCurve.h"

SharedPen MakeCurvePen(const wxColour& colour) {
  auto pen = std::make_shared<wxPen>(colour, 1, wxPENSTYLE_SOLID);
  pen->SetCap(wxCAP_ROUND);
  pen->SetJoin(wxJOIN_ROUND);
  return pen;
}

PlotCurve::PlotCurve() {
  for (SharedPen& pen : pens_) pen = MakeCurvePen(*wxBLACK);
}

FunctionCurve::FunctionCurve(const ElHolder* tree, VariableTable* table) : table_(table) {
  if (tree && !tree->Empty()) {
    tree_ = *tree;
    tree_.variables = table;
    tree_.RebindVariables();
  }
}

double FunctionCurve::Value(double x) const {
  if (tree_.Empty() || !table_ || table_->size() == 0) return 0.0;
  (*table_)[0].value = x;
  return tree_.Evaluate();
}
