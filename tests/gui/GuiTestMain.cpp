// The GUI tests own the application object and run without a main loop.

#include <cstdlib>

#include <wx/app.h>
#include <wx/image.h>
#include <wx/utils.h>

#include "GuiTest.h"
#include "app/AppConfig.h"
#include "app/Application.h"
#include "app/Locales.h"
#include "app/WxReporter.h"

void Pump(int ms) {
  const wxLongLong end = wxGetLocalTimeMillis() + ms;
  do {
    wxYield();
    wxMilliSleep(2);
  } while (wxGetLocalTimeMillis() < end);
}

LogRecorder::LogRecorder() : previous_(wxLog::SetActiveTarget(this)) {}
LogRecorder::~LogRecorder() { wxLog::SetActiveTarget(previous_); }

std::vector<std::string> LogRecorder::Texts(wxLogLevel level) const {
  std::vector<std::string> out;
  for (const Entry& e : entries)
    if (e.level == level) out.push_back(e.text);
  return out;
}

void LogRecorder::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) {
  entries.push_back({level, msg.utf8_string()});
}

namespace {

/// The program's application class without its start-up: event dispatch in
/// these tests goes through the program's own handler. Exit processing does
/// not save the settings.
class TestApp : public Application {
 public:
  bool OnInit() override { return true; }
  int OnExit() override { return wxApp::OnExit(); }
};

/// Any modal dialog that no test expects fails the running test and is
/// cancelled instead of shown, so that a test never waits for a user.
class UnexpectedDialogHook : public wxModalDialogHook {
 protected:
  int Enter(wxDialog* dialog) override {
    ADD_FAILURE() << "unexpected dialog: " << dialog->GetTitle().utf8_string();
    return wxID_CANCEL;
  }
};

/// Log messages go to the standard error stream, never into a message box.
class StderrLog : public wxLog {
 protected:
  void DoLogTextAtLevel(wxLogLevel, const wxString& msg) override {
    fprintf(stderr, "%s\n", msg.utf8_str().data());
  }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]) == "--gtest_list_tests") return RUN_ALL_TESTS();
  if (!std::getenv("XDG_CONFIG_HOME")) {
    fprintf(stderr, "gui_tests: run me through tests/gui/run-gui.sh (temporary HOME and XDG folders)\n");
    return 2;
  }
  wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                        const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str().data(), line)
        << "toolkit assertion in " << func.utf8_string() << ": " << cond.utf8_string() << " "
        << msg.utf8_string();
  });
  wxApp::SetInstance(new TestApp);
  if (!wxEntryStart(argc, argv)) return 1;
  wxTheApp->CallOnInit();
  delete wxLog::SetActiveTarget(new StderrLog);
  wxInitAllImageHandlers();
  WxReporter reporter;
  SetReporter(&reporter);
  InstallAppConfig();
  Locales::RegionalName() = "C";
  Locales::UiName() = "C";
  Locales::ApplyRegionalNumbers();
  UnexpectedDialogHook hook;
  hook.Register();
  const int result = RUN_ALL_TESTS();
  hook.Unregister();
  SetReporter(nullptr);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
