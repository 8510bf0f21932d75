// Takes screenshots of the main window on each page and of each dialog, for
// looking at the program's appearance: formulon-screenshots OUTPUT_FOLDER.
// Run it under a virtual display with a temporary HOME (make screenshots).

#include <cmath>
#include <memory>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/crt.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include "app/AboutDialog.h"
#include "app/AppConfig.h"
#include "app/AppSettings.h"
#include "app/CommandIds.h"
#include "app/DoubleValidator.h"
#include "app/GetFitness.h"
#include "app/Locales.h"
#include "app/MainFrame.h"
#include "app/SettingsDialog.h"
#include "app/WxReporter.h"
#include "expr/Compiler.h"
#include "goal/GoalPanel.h"
#include "plot/PlotCtrl.h"
#include "synthesis/ResultsPanel.h"

namespace {

wxString converter;

void Settle(int ms = 300) {
  const wxLongLong end = wxGetLocalTimeMillis() + ms;
  while (wxGetLocalTimeMillis() < end) {
    wxYield();
    wxMilliSleep(10);
  }
}

bool Capture(wxTopLevelWindow* window, const wxString& path) {
  window->Raise();
  window->Update();
  Settle();
  // The X server's picture of the window, found by its title: what a user
  // sees of it, whatever visual the toolkit gave it.
  const wxString dump = path + ".xwd";
  const wxString command = wxString::Format(
      "sh -c \"xwd -silent -name '%s' > '%s' && python3 '%s' '%s' '%s'; rm -f '%s'\"",
      window->GetTitle(), dump, converter, dump, path, dump);
  const bool ok = wxExecute(command, wxEXEC_SYNC) == 0;
  wxPrintf("%s %s\n", ok ? "wrote" : "FAILED", path);
  return ok;
}

/// Shows `dialog` modally, runs `capture` once it is on screen, closes it.
template <class F>
void ShowAndCapture(wxDialog& dialog, F capture) {
  dialog.CallAfter([&dialog, capture] {
    Settle(500);
    capture();
    dialog.EndModal(wxID_CANCEL);
  });
  dialog.ShowModal();
}

/// Adds a function curve and a point curve to a plot, as the pages will.
void ShowSample(PlotCtrl* plot, VariableTable& variables, const char* formula) {
  Compiler compiler;
  if (std::unique_ptr<ElHolder> tree = compiler.Compile(formula, variables)) {
    auto f = std::make_unique<FunctionCurve>(tree.get(), &variables);
    f->SetNormalAndActivePen(MakeCurvePen(wxColour(255, 0, 0)));
    plot->AddCurve(std::move(f));
  }
  auto points = std::make_unique<PointCurve>(9);
  for (int i = 0; i < 9; ++i) points->SetPoint(i, -8 + 2 * i, std::sin((-8 + 2 * i) / 3.0) * 4);
  points->SetNormalAndActivePen(MakeCurvePen(wxColour(36, 0, 242)));
  plot->AddCurve(std::move(points));
  plot->SetCurrentCurve(1);
  plot->ShowAll();
}

class ShotApp : public wxApp {
 public:
  bool OnInit() override {
    if (argc < 3) return false;
    out_ = argv[1];
    converter = argv[2];
    wxFileName::Mkdir(out_, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxInitAllImageHandlers();
    SetReporter(&reporter_);
    InstallAppConfig();
    locale_.Init(wxLANGUAGE_DEFAULT, wxLOCALE_DONT_LOAD_DEFAULT);
    Locales::RegionalName() = setlocale(LC_NUMERIC, nullptr);
    Locales::UiName() = Locales::RegionalName();
    Locales::ApplyRegionalNumbers();
    CallAfter([this] { Run(); });
    return true;
  }

 private:
  void Run() {
    auto* frame = new MainFrame(nullptr, ID_MAIN_FRAME, "Formulon");
    frame->Show();
    Settle(500);
    ShowSample(frame->Goal()->Plot(), frame->Variables(), "sin(x)*x/2+1/(x-3)");
    Capture(frame, out_ + "/main-goal.png");
    frame->Notebook()->SetSelection(1);
    ShowSample(frame->Results()->Plot(), frame->Variables(), "tan(x/2)");
    Capture(frame, out_ + "/main-results.png");
    frame->Notebook()->SetSelection(2);
    Capture(frame, out_ + "/main-statistics.png");
    frame->EnterNoDocumentState();
    Capture(frame, out_ + "/main-no-document.png");
    frame->NewUntitled();

    {
      SettingsDialog dialog(frame, 10000, _("Formulon Zizi Settings"));
      dialog.SetSettings(GlobalSettings());
      ShowAndCapture(dialog, [&] {
        Capture(&dialog, out_ + "/settings-general.png");
        dialog.Notebook()->SetSelection(1);
        Capture(&dialog, out_ + "/settings-colours.png");
      });
    }
    {
      GetFitness dialog(frame, ID_GET_FITNESS_DIALOG, _("Remove Results"));
      dialog.threshold = 12.5;
      dialog.TransferDataToWindow();
      ShowAndCapture(dialog, [&] { Capture(&dialog, out_ + "/remove-results.png"); });
    }
    {
      AboutDialog dialog(frame, ID_ABOUT_DIALOG, _("About Formulon Zizi"));
      ShowAndCapture(dialog, [&] { Capture(&dialog, out_ + "/about.png"); });
    }
    frame->Destroy();
    ExitMainLoop();
  }

  wxString out_;
  WxReporter reporter_;
  wxLocale locale_;
};

}  // namespace

wxIMPLEMENT_APP(ShotApp);
