#include "app/DocumentFrame.h"

#include <fstream>

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/toolbar.h>
#include <wx/wupdlock.h>

#include "app/AppConfig.h"
#include "app/AppSettings.h"
#include "app/SettingsStore.h"
#include "app/TitleText.h"

namespace {

/// The unsaved state that the title showed last: one for the program.
bool titleShowsModified = false;

}  // namespace

DocumentFrame::DocumentFrame() {
  Bind(wxEVT_SIZE, &DocumentFrame::OnSize, this);
  Bind(wxEVT_CLOSE_WINDOW, &DocumentFrame::OnClose, this);
  Bind(wxEVT_MENU, &DocumentFrame::OnNew, this, wxID_NEW);
  Bind(wxEVT_MENU, &DocumentFrame::OnHistoryFile, this, wxID_FILE1, wxID_FILE9);
  Bind(wxEVT_MENU, &DocumentFrame::OnFileCommandNotAvailable, this, wxID_OPEN);
  Bind(wxEVT_MENU, &DocumentFrame::OnFileCommandNotAvailable, this, wxID_SAVE);
  Bind(wxEVT_MENU, &DocumentFrame::OnFileCommandNotAvailable, this, wxID_SAVEAS);
}

DocumentFrame::~DocumentFrame() {
  // The toolkit deletes the attached menu bar; the other one is ours.
  if (docMenuBar_ && GetMenuBar() != docMenuBar_) delete docMenuBar_;
  if (noDocMenuBar_ && GetMenuBar() != noDocMenuBar_) delete noDocMenuBar_;
}

void DocumentFrame::SetDocumentBars(wxMenuBar* menuBar, wxMenu* recent, wxToolBar* toolBar) {
  docMenuBar_ = menuBar;
  docRecent_ = recent;
  docToolBar_ = toolBar;
}

void DocumentFrame::SetupDocument(bool allowNoDocument, bool startWithout,
                                  const wxString& wildcard, const wxString& extension,
                                  wxMenuBar* noDocMenuBar, wxMenu* noDocRecent,
                                  wxToolBar* noDocToolBar) {
  allowNoDocument_ = allowNoDocument;
  wildcard_ = wildcard;
  extension_ = extension;
  noDocMenuBar_ = noDocMenuBar;
  noDocRecent_ = noDocRecent;
  noDocToolBar_ = noDocToolBar;
  saveOnExit_ = false;
  if (wxConfigBase* config = wxConfigBase::Get()) {
    ConfigGroup group(*config, "History");
    history_.Load(*config);
  }
  if (docRecent_) history_.UseMenu(docRecent_);
  if (noDocRecent_) history_.UseMenu(noDocRecent_);
  history_.AddFilesToMenu();
  if (startWithout && allowNoDocument_)
    EnterNoDocumentState();
  else
    NewUntitled();
}

void DocumentFrame::SaveHistory() {
  if (wxConfigBase* config = wxConfigBase::Get()) {
    ConfigGroup group(*config, "History");
    history_.Save(*config);
  }
}

void DocumentFrame::EnterNoDocumentState() {
  if (!allowNoDocument_) return;
  wxWindowUpdateLocker noFlicker(this);
  if (noDocMenuBar_) SetMenuBar(noDocMenuBar_);
  if (noDocToolBar_) {
    if (docToolBar_) docToolBar_->Hide();
    SetToolBar(noDocToolBar_);
    noDocToolBar_->Show();
  }
  ShowNoDocumentView();
  documentState_ = 2;
  UpdateTitle(true);
  if (GetToolBar()) GetToolBar()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
}

void DocumentFrame::EnterDocumentState() {
  if (documentState_ == 2) {
    wxWindowUpdateLocker noFlicker(this);
    ShowDocumentView();
    if (docMenuBar_) SetMenuBar(docMenuBar_);
    if (noDocToolBar_) {
      noDocToolBar_->Hide();
      SetToolBar(docToolBar_);
      if (docToolBar_) docToolBar_->Show();
    }
  }
  documentState_ = 1;
}

void DocumentFrame::NewUntitled() {
  EnterDocumentState();
  ++untitledCounter_;
  untitled_ = true;
  documentName_ = wxString::Format(_("Untitled%d"), untitledCounter_);
  ResetDocument();
  UpdateTitle(true);
}

wxString DocumentFrame::TitleText(int width) const {
  const std::string app = kAppName;
  if (documentState_ != 1) return wxString::FromUTF8(app);
  const bool modified = IsModified();
  if (!showFilePath_)
    return wxString::FromUTF8(
        NameTitle(app, wxFileName(documentName_).GetFullName().utf8_string(), modified));
  const wxFont font = wxSystemSettings::GetFont(wxSYS_SYSTEM_FONT);
  auto measure = [this, &font](const std::string& text) {
    int w = 0, h = 0;
    GetTextExtent(wxString::FromUTF8(text), &w, &h, nullptr, nullptr, &font);
    return w;
  };
  const TitlePath path = SplitTitlePath(documentName_.utf8_string());
  TitlePath shown = path;
  if (untitled_) shown.full = documentName_.utf8_string();
  return wxString::FromUTF8(PathTitle(app, shown, untitled_, modified, width, measure));
}

void DocumentFrame::UpdateTitle(bool force) {
  const bool modified = documentState_ == 1 && IsModified();
  if (!force && modified == titleShowsModified) return;
  SetTitle(TitleText(GetSize().x));
  titleShowsModified = modified;
}

bool DocumentFrame::OpenDocument(const wxString& name, bool fromCommandLine) {
  wxString path = name;
  bool fromHistory = false;
  if (!path.empty()) {
    wxFileName fn(path);
    if (fn.MakeAbsolute()) path = fn.GetFullPath();
  } else if (history_.GetCount() > 0) {
    path = history_.GetHistoryFile(0);
    fromHistory = true;
  }
  untitledCounter_ = 0;
  Update();
  if (!path.empty()) {
    if (ReadFile(path)) return true;
    if (fromHistory) {
      wxLog::FlushActive();
      const int answer = wxMessageBox(
          wxString::Format(_("File \"%s\" wasn't opened\nRemove the file from history?"), path),
          kAppName, wxYES_NO | wxICON_QUESTION, this);
      if (answer == wxYES) history_.RemoveFileFromHistory(0);
    }
  }
  if (allowNoDocument_ && fromCommandLine)
    EnterNoDocumentState();
  else
    NewUntitled();
  return false;
}

bool DocumentFrame::ReadFile(const wxString& path) {
  std::ifstream in(path.utf8_string(), std::ios::binary);
  if (!in) {
    wxLogError(_("Can't open file %s"), path);
    return false;
  }
  return ReadDocument(in);
}

void DocumentFrame::OnClose(wxCloseEvent& event) {
  // The system is shutting down: the settings may not get another chance.
  if (!event.CanVeto()) {
    SaveHistory();
    if (wxConfigBase* config = wxConfigBase::Get()) {
      SaveSettings(GlobalSettings(), *config);
      config->Flush();
    }
  }
  // Asking to save the project comes with the project files; until then a
  // project has nothing on disk that could be lost here.
  SaveHistory();
  Hide();
  ShowNoDocumentView();
  documentState_ = 2;
  Destroy();
}

void DocumentFrame::OnSize(wxSizeEvent& event) {
  if (documentState_ != 0) UpdateTitle(true);
  event.Skip();
}

void DocumentFrame::OnNew(wxCommandEvent&) { NewUntitled(); }

void DocumentFrame::OnHistoryFile(wxCommandEvent& event) {
  const size_t index = static_cast<size_t>(event.GetId() - wxID_FILE1);
  if (index >= history_.GetCount()) return;
  const wxString path = history_.GetHistoryFile(index);
  if (!ReadFile(path)) {
    if (allowNoDocument_)
      EnterNoDocumentState();
    else
      NewUntitled();
  }
}

void DocumentFrame::OnFileCommandNotAvailable(wxCommandEvent& event) {
  wxString label;
  if (wxMenuBar* bar = GetMenuBar())
    label = wxMenuItem::GetLabelText(bar->GetLabel(event.GetId()));
  NotAvailable(label);
}

void DocumentFrame::NotAvailable(const wxString& command) {
  SetStatusText(wxString::Format(_("%s: not available in this version"), command));
}
