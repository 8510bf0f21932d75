#include "goal/GoalPanel.h"

#include <wx/sizer.h>

#include "app/CommandIds.h"
#include "plot/PlotCtrl.h"

GoalPanel::GoalPanel(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  plot_ = new PlotCtrl(this, ID_GOAL_PLOT, wxDefaultPosition, wxSize(400, 100));
  sizer->Add(plot_, 1, wxEXPAND | wxALL, 5);
  SetSizer(sizer);
  // Room for the goal inputs beside the preview.
  SetMinSize(wxSize(640, 400));
}

void GoalPanel::SetDocument(VariableTable* variables, const bool* running) {
  variables_ = variables;
  running_ = running;
}

void GoalPanel::Reset() {
  plot_->RemoveAllCurves();
  plot_->SetView(PlotRect{-10, -10, 20, 20});
}

void GoalPanel::ApplyCurveColours() { plot_->Redraw(); }
