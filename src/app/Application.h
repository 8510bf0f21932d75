#pragma once
// The window program's application object.

#include <memory>

#include <wx/app.h>
#include <wx/intl.h>

class MainFrame;
class WxReporter;

/// Runs the start-up: the settings store and settings, the languages and
/// number formats, the command line, the file-type options that end the
/// program at once, the main window and the project to open. Saves the
/// settings at exit and reports exceptions that reach it.
class Application : public wxApp {
 public:
  Application();
  ~Application() override;

  bool OnInit() override;
  void OnInitCmdLine(wxCmdLineParser& parser) override;
  bool OnCmdLineParsed(wxCmdLineParser& parser) override;
  int OnRun() override;
  int OnExit() override;
  /// Event dispatch: an exception that escapes a handler is reported and the
  /// main window is closed with force, which ends the program.
  void CallEventHandler(wxEvtHandler* handler, wxEventFunctor& functor,
                        wxEvent& event) const override;

  MainFrame* Frame() const { return frame_; }

 private:
  bool Start();
  void SetUpLocales();
  /// Registers or removes the project file type; asks before taking it over
  /// from another program.
  static void RegisterFileTypeFromCommandLine(bool reg);

  wxString fileName_;
  bool startSynthesis_ = false;
  bool startMinimized_ = false;
  bool saveOnExit_ = false;
  bool registerFileType_ = false;
  bool unregisterFileType_ = false;
  MainFrame* frame_ = nullptr;
  std::unique_ptr<wxLocale> locale_;
  std::unique_ptr<WxReporter> reporter_;
};

wxDECLARE_APP(Application);
