#pragma once
// The "Results" page of the main window.

#include <wx/panel.h>

#include "plot/PlotCtrl.h"

class wxTextCtrl;
class VariableTable;

/// The Results page: the list of workers, pending variants and results, and
/// the details of the selected one with its plot. For now it holds the plot
/// and the expression field with the view and mode operations that the main
/// frame's commands use; the list joins it with the results store.
class ResultsPanel : public wxPanel {
 public:
  ResultsPanel(wxWindow* parent, wxWindowID id);

  void SetDocument(VariableTable* variables) { variables_ = variables; }
  /// A new document: no selection, the plot at the view of no goal.
  void Reset();
  bool IsModified() const { return modified_; }
  void ClearModified() { modified_ = false; }

  /// Results sorted by fitness (true) or by number; a change marks the page modified.
  void SetSortByFitness(bool on);
  bool SortByFitness() const { return sortByFitness_; }
  /// The selection follows the best result.
  void SetFollowBest(bool on);
  bool FollowBest() const { return followBest_; }

  /// Fits the plot's view to what it shows and remembers the view.
  void FitView();
  /// Back to the view of the last FitView.
  void RestoreView();
  /// Re-pens the curves after the settings' colours changed.
  void ApplyColours();

  PlotCtrl* Plot() const { return plot_; }

 private:
  PlotCtrl* plot_;
  wxTextCtrl* expression_;
  VariableTable* variables_ = nullptr;
  PlotRect viewRect_;
  bool sortByFitness_ = true;
  bool followBest_ = false;
  bool modified_ = false;
};
