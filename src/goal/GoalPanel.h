#pragma once
// The "Goal" page of the main window.

#include <wx/panel.h>

class PlotCtrl;
class VariableTable;

/// The Goal page: the goal definition and its preview plot. For now it holds
/// the preview plot; the goal inputs join it with the goal data.
class GoalPanel : public wxPanel {
 public:
  GoalPanel(wxWindow* parent, wxWindowID id);

  /// The shared variable table and the frame's synthesis-running flag; both
  /// outlive the panel.
  void SetDocument(VariableTable* variables, const bool* running);
  /// A new document: the goal inputs at their defaults, no preview curves.
  void Reset();
  /// True while the goal has changes that are not saved.
  bool IsModified() const { return false; }
  /// Re-pens the preview curves after the settings' colours changed.
  void ApplyCurveColours();

  PlotCtrl* Plot() const { return plot_; }

 private:
  PlotCtrl* plot_;
  VariableTable* variables_ = nullptr;
  const bool* running_ = nullptr;
};
