#include "synthesis/ResultsPanel.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/CommandIds.h"

ResultsPanel::ResultsPanel(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  plot_ = new PlotCtrl(this, ID_RESULTS_PLOT, wxDefaultPosition, wxSize(400, 100));
  sizer->Add(plot_, 1, wxEXPAND | wxALL, 5);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, _("&Expression:")), 0,
           wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
  expression_ = new wxTextCtrl(this, ID_RESULT_EXPRESSION, wxEmptyString, wxDefaultPosition,
                               wxDefaultSize, wxTE_READONLY);
  row->Add(expression_, 1, wxALIGN_CENTER_VERTICAL);
  sizer->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);
  SetSizer(sizer);
  FitView();
}

void ResultsPanel::Reset() {
  plot_->RemoveAllCurves();
  expression_->Clear();
  FitView();
}

void ResultsPanel::SetSortByFitness(bool on) {
  if (sortByFitness_ == on) return;
  sortByFitness_ = on;
  modified_ = true;
}

void ResultsPanel::SetFollowBest(bool on) {
  if (followBest_ == on) return;
  followBest_ = on;
  modified_ = true;
}

void ResultsPanel::FitView() {
  // Without a goal the x range is -10 … 10; without curves the y range too;
  // both with a margin of 2.5 % on each side.
  PlotRect v{-10, -10, 20, 20};
  v.x -= v.width * 0.025;
  v.width *= 1.05;
  v.y -= v.height * 0.025;
  v.height *= 1.05;
  plot_->SetView(v);
  viewRect_ = v;
}

void ResultsPanel::RestoreView() {
  if (plot_->CurveCount() > 0) plot_->SetView(viewRect_);
}

void ResultsPanel::ApplyColours() { plot_->Redraw(); }
