#include "app/MainFrame.h"

#include <cstdlib>

#include <wx/log.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "app/AboutDialog.h"
#include "app/AppConfig.h"
#include "app/AppSettings.h"
#include "app/CommandIds.h"
#include "app/FrameBars.h"
#include "app/Geometry.h"
#include "app/GetFitness.h"
#include "app/Images.h"
#include "app/NumericLocaleGuard.h"
#include "app/SettingsDialog.h"
#include "app/SettingsStore.h"
#include "common/Log.h"
#include "goal/GoalPanel.h"
#include "plot/PlotCtrl.h"
#include "synthesis/ResultsPanel.h"
#include "synthesis/StatPanel.h"

namespace {

constexpr int kGoalPage = 0;
constexpr int kResultsPage = 1;

wxSize ScreenSize() {
  return wxSize(wxSystemSettings::GetMetric(wxSYS_SCREEN_X),
                wxSystemSettings::GetMetric(wxSYS_SCREEN_Y));
}

double ReadFraction(wxConfigBase& config, const char* key) {
  wxString text;
  if (!config.Read(key, &text)) return -1;
  const wxScopedCharBuffer bytes = text.utf8_str();
  char* end = nullptr;
  const double v = std::strtod(bytes.data(), &end);
  return end != bytes.data() && *end == '\0' ? v : -1;
}

void WriteFraction(wxConfigBase& config, const char* key, double value) {
  config.Write(key, wxString::FromUTF8(Format("%g", value)));
}

}  // namespace

MainFrame::MainFrame(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                     const wxSize& size, long style)
    : variables_("x") {
  checkMark_ = CheckMarkImage();
  noMark_ = wxBitmap(16, 16);
  noMark_.SetMask(new wxMask(noMark_, *wxBLACK));
  wxLog::SetVerbose(GlobalSettings().verbose);
  SetExtraStyle(GetExtraStyle() | wxWS_EX_VALIDATE_RECURSIVELY);
  Create(parent, id, title, pos, size, style, "frame");
  RestoreGeometry();
  BuildLayout();
  SetIcon(AppIcon());

  notebook_->AssignImageList(CreateTabImages());
  for (int i = 0; i < 3; ++i) notebook_->SetPageImage(static_cast<size_t>(i), i);

  // Growing by a pixel makes the sizer lay out again; then the frame takes
  // the sizer's minimum size, which also becomes its minimum.
  const wxSize now = GetSize();
  SetSize(now.x + 1, now.y + 1);
  GetSizer()->SetSizeHints(this);
  RestoreGeometry();

  goal_->SetDocument(&variables_, &running_);
  results_->SetDocument(&variables_);

  const bool showPath = !GlobalSettings().disableFilePath;
  if (showPath != ShowFilePath()) {
    SetShowFilePath(showPath);
    UpdateTitle(true);
  }
  TransferDataToWindow();
  timer_.SetOwner(this);
  removeThreshold_ = 0.0;

  auto* noDocToolBar = new wxToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                     wxTB_HORIZONTAL | wxBORDER_NONE, "toolbar");
  FillNoDocumentToolBar(noDocToolBar);
  noDocToolBar->Hide();
  wxMenu* noDocRecent = nullptr;
  wxMenuBar* noDocMenuBar = CreateNoDocumentMenuBar(&noDocRecent);

  BindCommands();
  SetupDocument(true, false, _("Formulon project files (*.flx)|*.flx"), "flx", noDocMenuBar,
                noDocRecent, noDocToolBar);
}

MainFrame::~MainFrame() { timer_.Stop(); }

void MainFrame::BuildLayout() {
  wxMenu* recent = nullptr;
  wxMenuBar* menuBar = CreateDocumentMenuBar(&recent);
  SetMenuBar(menuBar);

  auto* sizer = new wxBoxSizer(wxVERTICAL);
  SetSizer(sizer);
  notebook_ = new wxNotebook(this, ID_NOTEBOOK, wxDefaultPosition, wxDefaultSize,
                             wxNB_TOP | wxBORDER_NONE, "notebook");
  goal_ = new GoalPanel(notebook_, ID_GOAL_PANEL);
  goal_->SetExtraStyle(goal_->GetExtraStyle() | wxWS_EX_VALIDATE_RECURSIVELY);
  results_ = new ResultsPanel(notebook_, ID_RESULTS_PANEL);
  results_->SetExtraStyle(results_->GetExtraStyle() | wxWS_EX_VALIDATE_RECURSIVELY);
  stat_ = new StatPanel(notebook_, ID_STAT_PANEL);
  notebook_->AddPage(goal_, _("Goal"), true);
  notebook_->AddPage(results_, _("Results"));
  notebook_->AddPage(stat_, _("Statistics"));
  sizer->Add(notebook_, 1, wxEXPAND);

  CreateStatusBar(1, wxSTB_SIZEGRIP | wxBORDER_NONE, ID_STATUSBAR, "statusBar");
  wxToolBar* toolBar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT, ID_TOOLBAR, "toolbar");
  FillDocumentToolBar(toolBar);
  SetDocumentBars(menuBar, recent, toolBar);
}

void MainFrame::BindCommands() {
  Bind(wxEVT_MENU, &MainFrame::OnCloseProject, this, wxID_CLOSE);
  Bind(wxEVT_MENU, &MainFrame::OnExit, this, wxID_EXIT);
  Bind(wxEVT_MENU, &MainFrame::OnZoom, this, ID_ZOOM_IN, ID_ZOOM_ENTIRE);
  Bind(wxEVT_MENU, &MainFrame::OnSortOrFollow, this, ID_SORT_BY_FITNESS);
  Bind(wxEVT_MENU, &MainFrame::OnSortOrFollow, this, ID_SORT_BY_NUMBER);
  Bind(wxEVT_MENU, &MainFrame::OnSortOrFollow, this, ID_FOLLOW_NONE);
  Bind(wxEVT_MENU, &MainFrame::OnSortOrFollow, this, ID_FOLLOW_BEST);
  Bind(wxEVT_MENU, &MainFrame::OnResultsCommand, this, ID_ADD_VARIANT);
  Bind(wxEVT_MENU, &MainFrame::OnResultsCommand, this, ID_REMOVE_SELECTED);
  Bind(wxEVT_MENU, &MainFrame::OnResultsCommand, this, ID_CLEAR_RESULTS);
  Bind(wxEVT_MENU, &MainFrame::OnRemoveBelow, this, ID_REMOVE_BELOW);
  for (int id : {ID_IMPORT_POINTS, ID_EXPORT_POINTS, ID_START, ID_STOP, ID_PARAMETERS})
    Bind(wxEVT_MENU, &MainFrame::OnNotAvailable, this, id);
  Bind(wxEVT_MENU, &MainFrame::OnSettings, this, ID_SETTINGS);
  Bind(wxEVT_MENU, &MainFrame::OnAbout, this, wxID_ABOUT);

  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateDocument, this, wxID_CLOSE);
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateSave, this, wxID_SAVE);
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateDocument, this, wxID_SAVEAS);
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateDocumentIdle, this, ID_IMPORT_POINTS);
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateDocumentIdle, this, ID_EXPORT_POINTS);
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateDocumentIdle, this, ID_PARAMETERS);
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateZoom, this, ID_ZOOM_IN, ID_ZOOM_ENTIRE);
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateStart, this, ID_START);
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateStop, this, ID_STOP);
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateRemoveSelected, this, ID_REMOVE_SELECTED);
  for (int id : {ID_SORT_BY_FITNESS, ID_SORT_BY_NUMBER, ID_FOLLOW_NONE, ID_FOLLOW_BEST})
    Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateMode, this, id);

  Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnCloseWindow, this);
  Bind(wxEVT_SIZE, &MainFrame::OnSizeEvent, this);
  Bind(wxEVT_ACTIVATE, &MainFrame::OnActivate, this);
  Bind(wxEVT_SYS_COLOUR_CHANGED, &MainFrame::OnSysColourChanged, this);
  Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &MainFrame::OnPageChanged, this, ID_NOTEBOOK);
  Bind(wxEVT_TIMER, &MainFrame::OnTimerEvent, this);
}

// ---------------------------------------------------------------------------
// Document operations.

void MainFrame::ResetDocument() {
  running_ = false;
  notebook_->ChangeSelection(kGoalPage);
  modified_ = false;
  statStale_ = false;
  goal_->Reset();
  results_->Reset();
  results_->ClearModified();
  stat_->Reset();
}

bool MainFrame::ReadDocument(std::istream&) {
  wxLogError(_("Project files can't be read by this version of the program."));
  return false;
}

bool MainFrame::WriteDocument(std::ostream&) {
  wxLogError(_("Project files can't be written by this version of the program."));
  return false;
}

void MainFrame::ShowNoDocumentView() {
  ResetDocument();
  GetSizer()->Show(notebook_, false, false);
  Layout();
}

void MainFrame::ShowDocumentView() {
  GetSizer()->Show(notebook_, true, false);
  Layout();
}

bool MainFrame::IsModified() const {
  return goal_->IsModified() || results_->IsModified() || modified_ || running_;
}

PlotCtrl* MainFrame::ZoomTarget() const {
  return notebook_->GetSelection() == kGoalPage ? goal_->Plot() : results_->Plot();
}

// ---------------------------------------------------------------------------
// Geometry.

void MainFrame::SaveGeometry() {
  wxConfigBase* config = wxConfigBase::Get();
  if (!config) return;
  NumericLocaleGuard numbers;
  ConfigGroup group(*config, "FrameInfo");
  const wxSize screen = ScreenSize();
  const wxPoint pos = GetPosition();
  const StoredGeometry g =
      MakeStoredGeometry(normalSize_.x, normalSize_.y, maximized_, IsIconized() || IsMaximized(),
                         pos.x, pos.y, screen.x, screen.y);
  config->Write("Maximized", g.maximized);
  WriteFraction(*config, "WidthF", g.widthF);
  WriteFraction(*config, "HeightF", g.heightF);
  config->Write("HavePostion", g.havePosition);
  if (g.havePosition) {
    WriteFraction(*config, "CenterXF", g.centerXF);
    WriteFraction(*config, "CenterYF", g.centerYF);
  }
}

void MainFrame::RestoreGeometry() {
  wxConfigBase* config = wxConfigBase::Get();
  if (!config) return;
  NumericLocaleGuard numbers;
  ConfigGroup group(*config, "FrameInfo");
  const wxSize screen = ScreenSize();
  const double widthF = ReadFraction(*config, "WidthF");
  const double heightF = ReadFraction(*config, "HeightF");
  const wxSize now = GetSize();
  const wxSize size(RestoredExtent(now.x, widthF, screen.x), RestoredExtent(now.y, heightF, screen.y));
  SetSize(size);
  normalSize_ = size;
  maximized_ = config->ReadBool("Maximized", false);
  if (IsIconized() || IsMaximized()) return;
  const bool havePosition = config->ReadBool("HavePostion", false);
  Centre(wxBOTH);
  if (havePosition) {
    const wxPoint centred = GetPosition();
    const int x = RestoredPosition(ReadFraction(*config, "CenterXF"), size.x, screen.x, centred.x);
    const int y = RestoredPosition(ReadFraction(*config, "CenterYF"), size.y, screen.y, centred.y);
    Move(x, y);
  }
  if (maximized_) Maximize(true);
}

// ---------------------------------------------------------------------------
// Commands.

void MainFrame::OnCloseProject(wxCommandEvent&) { EnterNoDocumentState(); }

void MainFrame::OnExit(wxCommandEvent&) { Close(false); }

void MainFrame::OnZoom(wxCommandEvent& event) {
  PlotCtrl* plot = ZoomTarget();
  switch (event.GetId()) {
    case ID_ZOOM_IN:
      plot->Zoom(1.5, 1.5);
      break;
    case ID_ZOOM_OUT:
      plot->Zoom(0.6666666666666666, 0.6666666666666666);
      break;
    case ID_ZOOM_ENTIRE:
      if (notebook_->GetSelection() == kGoalPage)
        plot->ShowAll();
      else
        results_->RestoreView();
      break;
  }
}

void MainFrame::OnSortOrFollow(wxCommandEvent& event) {
  switch (event.GetId()) {
    case ID_SORT_BY_FITNESS:
    case ID_SORT_BY_NUMBER:
      // Re-sorting may yield to the event loop; it must not nest.
      if (guard_ > 0) return;
      ++guard_;
      results_->SetSortByFitness(event.GetId() == ID_SORT_BY_FITNESS);
      --guard_;
      break;
    case ID_FOLLOW_NONE:
      if (results_->FollowBest()) results_->SetFollowBest(false);
      break;
    case ID_FOLLOW_BEST:
      results_->SetFollowBest(true);
      break;
  }
}

void MainFrame::OnResultsCommand(wxCommandEvent& event) {
  OnNotAvailable(event);
  AfterResultsCommand();
}

void MainFrame::OnRemoveBelow(wxCommandEvent& event) {
  GetFitness dialog(this, ID_GET_FITNESS_DIALOG, _("Remove Results"), wxDefaultPosition,
                    wxSize(400, 300), wxDEFAULT_DIALOG_STYLE | wxTAB_TRAVERSAL);
  dialog.threshold = removeThreshold_;
  if (dialog.ShowModal() != wxID_OK) return;
  removeThreshold_ = dialog.threshold;
  OnNotAvailable(event);
  AfterResultsCommand();
}

void MainFrame::AfterResultsCommand() { statStale_ = true; }

void MainFrame::OnNotAvailable(wxCommandEvent& event) {
  wxString label;
  if (wxMenuBar* bar = GetMenuBar()) label = wxMenuItem::GetLabelText(bar->GetLabel(event.GetId()));
  NotAvailable(label);
}

void MainFrame::OnSettings(wxCommandEvent&) {
  SettingsDialog dialog(this, 10000, _("Formulon Zizi Settings"), wxDefaultPosition,
                        wxSize(400, 300), wxDEFAULT_DIALOG_STYLE);
  AppSettings& settings = GlobalSettings();
  dialog.SetSettings(settings);
  if (dialog.ShowModal() != wxID_OK) return;
  const AppSettings chosen = dialog.Settings();
  if (chosen == settings) return;
  if (chosen.ColoursDiffer(settings)) {
    settings.expressionColour = chosen.expressionColour;
    settings.pointsColour = chosen.pointsColour;
    settings.additionalPointsColour = chosen.additionalPointsColour;
    settings.synthesizedColour = chosen.synthesizedColour;
    goal_->ApplyCurveColours();
    results_->ApplyColours();
  }
  if (chosen.langNo != settings.langNo)
    wxLogWarning(_("You have changed application Language. You need to restart application for "
                   "this change to take effect."));
  settings = chosen;
  wxLog::SetVerbose(settings.verbose);
  if (ShowFilePath() != !settings.disableFilePath) {
    SetShowFilePath(!settings.disableFilePath);
    UpdateTitle(true);
  }
  if (wxConfigBase* config = wxConfigBase::Get()) {
    SaveSettings(settings, *config);
    config->Flush();
  }
}

void MainFrame::OnAbout(wxCommandEvent&) {
  AboutDialog dialog(this, ID_ABOUT_DIALOG, _("About Formulon Zizi"), wxDefaultPosition,
                     wxSize(400, 300), wxDEFAULT_DIALOG_STYLE | wxTAB_TRAVERSAL);
  dialog.ShowModal();
}

// ---------------------------------------------------------------------------
// Enabling rules.

void MainFrame::OnUpdateDocument(wxUpdateUIEvent& event) { event.Enable(DocumentState() == 1); }

void MainFrame::OnUpdateSave(wxUpdateUIEvent& event) {
  event.Enable(DocumentState() == 1);
  UpdateTitle(false);
}

void MainFrame::OnUpdateDocumentIdle(wxUpdateUIEvent& event) {
  event.Enable(DocumentState() == 1 && !running_);
}

void MainFrame::OnUpdateZoom(wxUpdateUIEvent& event) {
  const int page = notebook_->GetSelection();
  event.Enable(page == kResultsPage || (page == kGoalPage && !running_));
}

void MainFrame::OnUpdateStart(wxUpdateUIEvent& event) {
  event.Enable(DocumentState() == 1 && !running_);
}

void MainFrame::OnUpdateStop(wxUpdateUIEvent& event) {
  event.Enable(DocumentState() == 1 && running_);
}

void MainFrame::OnUpdateRemoveSelected(wxUpdateUIEvent& event) {
  event.Enable(notebook_->GetSelection() == kResultsPage);
}

void MainFrame::OnUpdateMode(wxUpdateUIEvent& event) {
  bool active = false;
  switch (event.GetId()) {
    case ID_SORT_BY_FITNESS: active = results_->SortByFitness(); break;
    case ID_SORT_BY_NUMBER: active = !results_->SortByFitness(); break;
    case ID_FOLLOW_NONE: active = !results_->FollowBest(); break;
    case ID_FOLLOW_BEST: active = results_->FollowBest(); break;
  }
  wxMenuBar* bar = DocumentMenuBar();
  wxMenuItem* item = bar ? bar->FindItem(event.GetId()) : nullptr;
  if (!item) return;
  const wxBitmap& wanted = active ? checkMark_ : noMark_;
  // Changing the image rebuilds it in the toolkit: only on a change.
  if (item->GetBitmap().IsSameAs(wanted)) return;
  item->SetBitmap(wanted);
  item->SetupBitmaps(this);
}

// ---------------------------------------------------------------------------
// Frame events.

void MainFrame::OnCloseWindow(wxCloseEvent& event) {
  SaveGeometry();
  event.Skip();
}

void MainFrame::OnSizeEvent(wxSizeEvent& event) {
  if (!IsMaximized() && !IsIconized()) normalSize_ = event.GetSize();
  if (!IsIconized()) maximized_ = IsMaximized();
  event.Skip();
}

void MainFrame::OnActivate(wxActivateEvent& event) {
  if (!event.GetActive()) {
    focusWindow_ = FindFocus();
    if (focusWindow_ && wxGetTopLevelParent(focusWindow_) != this) focusWindow_ = nullptr;
  } else if (focusWindow_) {
    focusWindow_->SetFocus();
  }
}

void MainFrame::OnSysColourChanged(wxSysColourChangedEvent& event) {
  if (GetSizer()) GetSizer()->SetSizeHints(this);
  event.Skip();
}

void MainFrame::OnPageChanged(wxBookCtrlEvent& event) { event.Skip(); }

void MainFrame::OnTimerEvent(wxTimerEvent&) {}
