#pragma once
// The program's main window.

#include <memory>

#include <wx/timer.h>

#include "app/DocumentFrame.h"
#include "expr/VariableTable.h"

class wxBookCtrlEvent;
class wxNotebook;
class GoalPanel;
class PlotCtrl;
class ResultsPanel;
class StatPanel;

/// The one top-level window. It owns everything of the open project and shows
/// it on a notebook with the pages Goal, Results and Statistics; it assembles
/// the menus, tool bars and status bar and wires every command to the
/// operation behind it. The window's geometry is kept across runs as
/// fractions of the screen.
class MainFrame : public DocumentFrame {
 public:
  /// Builds the whole window, restores the saved geometry and starts with a
  /// new untitled project. Not shown yet.
  MainFrame(wxWindow* parent, wxWindowID id, const wxString& title,
            const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(400, 300),
            long style = wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
  ~MainFrame() override;

  void ResetDocument() override;
  bool ReadDocument(std::istream& in) override;
  bool WriteDocument(std::ostream& out) override;
  void ShowNoDocumentView() override;
  void ShowDocumentView() override;
  bool IsModified() const override;

  /// Writes the "FrameInfo" group: maximized state, normal size and, when the
  /// frame is neither maximized nor iconized, the centre as screen fractions.
  void SaveGeometry();
  /// Reads the "FrameInfo" group and applies it; the frame only ever grows.
  void RestoreGeometry();

  bool Running() const { return running_; }
  double RemoveThreshold() const { return removeThreshold_; }

  wxNotebook* Notebook() const { return notebook_; }
  GoalPanel* Goal() const { return goal_; }
  ResultsPanel* Results() const { return results_; }
  StatPanel* Statistics() const { return stat_; }
  VariableTable& Variables() { return variables_; }
  /// The plot that the zoom commands act on: the Goal page's while it is
  /// selected, otherwise the Results page's.
  PlotCtrl* ZoomTarget() const;
  wxSize NormalSize() const { return normalSize_; }
  bool MaximizedField() const { return maximized_; }

 private:
  void BuildLayout();
  void BindCommands();

  // Commands.
  void OnCloseProject(wxCommandEvent& event);
  void OnExit(wxCommandEvent& event);
  void OnZoom(wxCommandEvent& event);
  void OnSortOrFollow(wxCommandEvent& event);
  void OnResultsCommand(wxCommandEvent& event);
  void OnRemoveBelow(wxCommandEvent& event);
  void OnNotAvailable(wxCommandEvent& event);
  void OnSettings(wxCommandEvent& event);
  void OnAbout(wxCommandEvent& event);

  // Enabling rules.
  void OnUpdateDocument(wxUpdateUIEvent& event);
  void OnUpdateSave(wxUpdateUIEvent& event);
  void OnUpdateDocumentIdle(wxUpdateUIEvent& event);
  void OnUpdateZoom(wxUpdateUIEvent& event);
  void OnUpdateStart(wxUpdateUIEvent& event);
  void OnUpdateStop(wxUpdateUIEvent& event);
  void OnUpdateRemoveSelected(wxUpdateUIEvent& event);
  void OnUpdateMode(wxUpdateUIEvent& event);

  // Frame events.
  void OnCloseWindow(wxCloseEvent& event);
  void OnSizeEvent(wxSizeEvent& event);
  void OnActivate(wxActivateEvent& event);
  void OnSysColourChanged(wxSysColourChangedEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);
  void OnTimerEvent(wxTimerEvent& event);

  /// The results commands end by refreshing the page that is shown.
  void AfterResultsCommand();

  wxNotebook* notebook_ = nullptr;
  GoalPanel* goal_ = nullptr;
  ResultsPanel* results_ = nullptr;
  StatPanel* stat_ = nullptr;
  VariableTable variables_;
  wxTimer timer_;
  bool running_ = false;
  bool modified_ = false;
  bool statStale_ = false;
  int guard_ = 0;
  double removeThreshold_ = 0.0;
  wxSize normalSize_;
  bool maximized_ = false;
  wxWindow* focusWindow_ = nullptr;
  wxBitmap checkMark_;
  wxBitmap noMark_;
};
