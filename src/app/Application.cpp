#include "app/Application.h"

#include <clocale>
#include <exception>

#include <wx/cmdline.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/toolbar.h>

#include "app/AppConfig.h"
#include "app/AppSettings.h"
#include "app/CommandIds.h"
#include "app/FileTypeRegistration.h"
#include "app/Images.h"
#include "app/Locales.h"
#include "app/MainFrame.h"
#include "app/SettingsStore.h"
#include "app/WxReporter.h"

namespace {

std::string CurrentLocaleName() {
  const char* name = std::setlocale(LC_NUMERIC, nullptr);
  return name ? name : "C";
}

/// Runs pending work: one yield, then idle events until nobody asks for more.
void LetPendingWorkRun(wxWindow* window, bool repeatIdle) {
  wxYield();
  if (repeatIdle) {
    while (wxTheApp->ProcessIdle()) {
    }
  } else {
    wxTheApp->ProcessIdle();
  }
  window->Update();
}

}  // namespace

Application::Application() { SetAppName(kAppName); }

Application::~Application() {
  if (reporter_) SetReporter(nullptr);
}

bool Application::OnInit() {
  try {
    return Start();
  } catch (const std::exception& e) {
    wxLogError("%s", wxString::FromUTF8(e.what()));
    return false;
  }
}

bool Application::Start() {
  reporter_ = std::make_unique<WxReporter>();
  SetReporter(reporter_.get());

  InstallAppConfig();
  AppSettings& settings = GlobalSettings();
  settings.SetDefaults();
  LoadSettings(settings, *wxConfigBase::Get(), wxLocale::GetSystemLanguage());
  wxLog::SetVerbose(settings.verbose);

  SetUpLocales();

  if (!wxApp::OnInit()) return false;  // parses the command line
  if (registerFileType_ || unregisterFileType_) {
    RegisterFileTypeFromCommandLine(registerFileType_);
    return false;
  }

  wxImage::AddHandler(new wxXPMHandler);
  wxImage::AddHandler(new wxPNGHandler);
  wxImage::AddHandler(new wxJPEGHandler);
  wxImage::AddHandler(new wxGIFHandler);

  frame_ = new MainFrame(nullptr, ID_MAIN_FRAME, _("Formulon"), wxDefaultPosition,
                         wxSize(400, 300), wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
  SetTopWindow(frame_);
  if (startMinimized_) {
    frame_->Show();
    frame_->Hide();
    frame_->Iconize(true);
    frame_->Show();
  } else {
    frame_->Show();
  }
  LetPendingWorkRun(frame_, true);
  if (saveOnExit_) frame_->SetSaveOnExit(true);

  if (!fileName_.empty()) {
    if (!frame_->OpenDocument(fileName_, true)) return false;
    if (startSynthesis_) {
      LetPendingWorkRun(frame_, false);
      wxCommandEvent start(wxEVT_MENU, ID_START);
      frame_->GetEventHandler()->ProcessEvent(start);
      LetPendingWorkRun(frame_, true);
    }
  } else if (settings.loadLast) {
    frame_->OpenDocument(wxEmptyString, false);
  }
  if (wxToolBar* bar = frame_->GetToolBar()) bar->Refresh(false);
  return true;
}

void Application::SetUpLocales() {
  {
    wxLocale system;
    system.Init(wxLANGUAGE_DEFAULT, wxLOCALE_LOAD_DEFAULT);
    Locales::RegionalName() = CurrentLocaleName();
  }
  const int language =
      Locales::ChooseUiLanguage(GlobalSettings().langNo, wxLocale::GetSystemLanguage());
  locale_ = std::make_unique<wxLocale>();
  locale_->Init(language, wxLOCALE_LOAD_DEFAULT);
  Locales::LoadCatalogs(*locale_,
                        wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath());
  Locales::UiName() = CurrentLocaleName();
  Locales::ApplyRegionalNumbers();
}

void Application::OnInitCmdLine(wxCmdLineParser& parser) {
  wxApp::OnInitCmdLine(parser);
  parser.AddParam(_("open project file"), wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
  parser.AddSwitch("s", "start", _("start synthesis on opened file"));
  parser.AddSwitch("m", "minimized", _("start minimized"));
  parser.AddSwitch("e", "saveonexit",
                   _("Save without prompt on exit (if file is opened or saved). This option "
                     "changes autosave action. With it the autosave is performed to an opened "
                     "project file."));
  parser.AddSwitch("r", "regfiletype", _("register 'flx' file type and exit"));
  parser.AddSwitch("u", "unregfiletype", _("unregister 'flx' file type and exit"));
}

bool Application::OnCmdLineParsed(wxCmdLineParser& parser) {
  if (!wxApp::OnCmdLineParsed(parser)) return false;
  if (parser.Found("r")) {
    registerFileType_ = true;
    return true;
  }
  if (parser.Found("u")) {
    unregisterFileType_ = true;
    return true;
  }
  if (parser.GetParamCount() > 0) fileName_ = parser.GetParam(0);
  startSynthesis_ = parser.Found("s");
  if (startSynthesis_ && fileName_.empty()) {
    wxMessageOutput::Get()->Printf("%s\n", _("filename must be specified with start"));
    parser.Usage();
    return false;
  }
  startMinimized_ = parser.Found("m");
  saveOnExit_ = parser.Found("e");
  return true;
}

void Application::RegisterFileTypeFromCommandLine(bool reg) {
  const FileTypePlaces places = FileTypePlaces::FromEnvironment(
      wxStandardPaths::Get().GetExecutablePath().utf8_string(), ProjectFileIconXpm());
  RegisterFileType(reg, false, places, [] {
    return wxMessageBox(_("Extension 'flx' is registered to other application executable.\n"
                          "Register 'flx' file type to this 'Formulon Zizi' application?"),
                        kAppName, wxYES_NO | wxICON_QUESTION) == wxYES;
  });
}

int Application::OnRun() {
  try {
    return wxApp::OnRun();
  } catch (const std::exception& e) {
    wxLogError("%s", wxString::FromUTF8(e.what()));
    return -1;
  }
}

int Application::OnExit() {
  try {
    if (wxConfigBase* config = wxConfigBase::Get(false)) SaveSettings(GlobalSettings(), *config);
    return wxApp::OnExit();
  } catch (const std::exception& e) {
    wxLogError("%s", wxString::FromUTF8(e.what()));
    return -1;
  }
}

void Application::CallEventHandler(wxEvtHandler* handler, wxEventFunctor& functor,
                                   wxEvent& event) const {
  try {
    wxApp::CallEventHandler(handler, functor, event);
  } catch (const std::exception& e) {
    wxLogError("%s", wxString::FromUTF8(e.what()));
    if (wxWindow* top = GetTopWindow()) top->Close(true);
  }
}
