#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "GuiTest.h"
#include "app/AppConfig.h"
#include "app/AppSettings.h"
#include "app/CommandIds.h"
#include "app/GetFitness.h"
#include "app/MainFrame.h"
#include "plot/PlotCtrl.h"
#include "synthesis/ResultsPanel.h"

/// Types a threshold into the Remove Results dialog and presses OK, after
/// checking the value it showed.
template <>
class wxExpectModal<GetFitness> : public wxExpectModalBase<GetFitness> {
 public:
  wxExpectModal(const wxString& type, wxString* shown) : type_(type), shown_(shown) {}

 protected:
  int OnInvoked(GetFitness* dlg) const override {
    dlg->TransferDataToWindow();  // as showing the dialog does
    *shown_ = dlg->Field()->GetValue();
    dlg->Field()->SetValue(type_);
    return dlg->Validate() && dlg->TransferDataFromWindow() ? wxID_OK : wxID_CANCEL;
  }

 private:
  wxString type_;
  wxString* shown_;
};

namespace {

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GlobalSettings().SetDefaults();
    frame = new MainFrame(nullptr, ID_MAIN_FRAME, "Formulon");
    frame->Show();
    Pump();
  }
  void TearDown() override {
    frame->Destroy();
    Pump(10);
    wxConfigBase::Get()->DeleteAll();
  }
  void Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    frame->GetEventHandler()->ProcessEvent(event);
  }
  bool Enabled(int id) {
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    return frame->GetMenuBar()->IsEnabled(id);
  }
  MainFrame* frame = nullptr;
};

}  // namespace

TEST_F(FrameTest, StartsWithAnUntitledProjectAndTheFullBars) {
  EXPECT_EQ(frame->GetTitle(), "Formulon Zizi - [Untitled1]");
  EXPECT_EQ(frame->GetName(), "frame");
  EXPECT_EQ(frame->DocumentState(), 1);
  wxMenuBar* bar = frame->GetMenuBar();
  ASSERT_EQ(bar, frame->DocumentMenuBar());
  const char* menus[] = {"&File", "&View", "&Synthesis", "Res&ults", "&Help"};
  ASSERT_EQ(bar->GetMenuCount(), 5u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(bar->GetMenuLabel(i), menus[i]);
  for (int id : std::initializer_list<int>{wxID_NEW, wxID_OPEN, wxID_CLOSE, wxID_SAVE, wxID_SAVEAS, ID_IMPORT_POINTS,
                 ID_EXPORT_POINTS, ID_RECENT, wxID_EXIT, ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_ENTIRE,
                 ID_START, ID_STOP, ID_PARAMETERS, ID_SETTINGS, ID_SORT_BY_FITNESS,
                 ID_SORT_BY_NUMBER, ID_FOLLOW_NONE, ID_FOLLOW_BEST, ID_ADD_VARIANT,
                 ID_REMOVE_SELECTED, ID_CLEAR_RESULTS, ID_REMOVE_BELOW, wxID_ABOUT})
    EXPECT_NE(bar->FindItem(id), nullptr) << id;
  EXPECT_EQ(bar->FindItem(ID_START)->GetItemLabel(), "&Start\tF5");
  EXPECT_EQ(bar->FindItem(ID_START)->GetHelp(), "Starts the synthesis");
  EXPECT_EQ(bar->FindItem(ID_ZOOM_IN)->GetItemLabel(), "Zoom &In\tCtrl+KP_ADD");

  wxToolBar* tools = frame->GetToolBar();
  ASSERT_EQ(tools, frame->DocumentToolBar());
  EXPECT_EQ(tools->GetId(), ID_TOOLBAR);
  EXPECT_EQ(tools->GetToolsCount(), 12u);  // nine tools and three separators
  EXPECT_EQ(tools->GetToolShortHelp(ID_START), "Synthesis start");
  EXPECT_EQ(tools->GetToolLongHelp(ID_PARAMETERS), "Shows the synthesis parameters");

  ASSERT_EQ(frame->Notebook()->GetPageCount(), 3u);
  EXPECT_EQ(frame->Notebook()->GetPage(0)->GetId(), ID_GOAL_PANEL);
  EXPECT_EQ(frame->Notebook()->GetPage(1)->GetId(), ID_RESULTS_PANEL);
  EXPECT_EQ(frame->Notebook()->GetPage(2)->GetId(), ID_STAT_PANEL);
  EXPECT_EQ(frame->Notebook()->GetPageImage(2), 2);
  EXPECT_EQ(frame->GetStatusBar()->GetId(), ID_STATUSBAR);
}

TEST_F(FrameTest, CloseProjectAndNewSwitchTheStates) {
  Command(wxID_CLOSE);
  EXPECT_EQ(frame->DocumentState(), 2);
  EXPECT_EQ(frame->GetTitle(), "Formulon Zizi");
  wxMenuBar* bar = frame->GetMenuBar();
  ASSERT_EQ(bar, frame->NoDocumentMenuBar());
  ASSERT_EQ(bar->GetMenuCount(), 2u);
  EXPECT_EQ(bar->GetMenuLabel(0), "&File");
  EXPECT_EQ(bar->GetMenuLabel(1), "&Help");
  for (int id : std::initializer_list<int>{wxID_NEW, wxID_OPEN, ID_NODOC_RECENT, wxID_EXIT, wxID_ABOUT})
    EXPECT_NE(bar->FindItem(id), nullptr) << id;
  for (int id : std::initializer_list<int>{wxID_CLOSE, wxID_SAVE, ID_START, ID_ZOOM_IN, ID_SORT_BY_FITNESS, ID_SETTINGS})
    EXPECT_EQ(bar->FindItem(id), nullptr) << id;
  EXPECT_EQ(frame->GetToolBar(), frame->NoDocumentToolBar());
  EXPECT_EQ(frame->NoDocumentToolBar()->GetToolsCount(), 2u);
  EXPECT_FALSE(frame->Notebook()->IsShown());

  Command(wxID_NEW);
  EXPECT_EQ(frame->DocumentState(), 1);
  EXPECT_EQ(frame->GetTitle(), "Formulon Zizi - [Untitled2]");
  EXPECT_EQ(frame->GetMenuBar(), frame->DocumentMenuBar());
  EXPECT_EQ(frame->GetToolBar(), frame->DocumentToolBar());
  EXPECT_TRUE(frame->Notebook()->IsShown());
}

TEST_F(FrameTest, EnablingRulesFollowThePage) {
  struct Case {
    int page;
    bool zoom, removeSelected;
  };
  for (const Case& c : {Case{0, true, false}, Case{1, true, true}, Case{2, false, false}}) {
    frame->Notebook()->SetSelection(static_cast<size_t>(c.page));
    EXPECT_EQ(Enabled(ID_ZOOM_IN), c.zoom) << c.page;
    EXPECT_EQ(Enabled(ID_ZOOM_ENTIRE), c.zoom) << c.page;
    EXPECT_EQ(Enabled(ID_REMOVE_SELECTED), c.removeSelected) << c.page;
    EXPECT_TRUE(Enabled(ID_CLEAR_RESULTS));
    EXPECT_TRUE(Enabled(ID_REMOVE_BELOW));
  }
  // Not running: start, parameters and the points files are there, stop is not.
  EXPECT_TRUE(Enabled(ID_START));
  EXPECT_FALSE(Enabled(ID_STOP));
  EXPECT_TRUE(Enabled(ID_PARAMETERS));
  EXPECT_TRUE(Enabled(ID_IMPORT_POINTS));
  EXPECT_TRUE(Enabled(wxID_SAVE));
}

TEST_F(FrameTest, ZoomCommandsActOnTheSelectedPagesPlot) {
  PlotCtrl* goalPlot = frame->ZoomTarget();
  goalPlot->SetView(PlotRect{-10, -10, 20, 20});
  Command(ID_ZOOM_IN);
  PlotRect v = goalPlot->GetView();
  EXPECT_NEAR(v.width, 20 / 1.5, 1e-12);
  EXPECT_NEAR(v.x + v.width / 2, 0, 1e-12);
  Command(ID_ZOOM_OUT);
  EXPECT_NEAR(goalPlot->GetView().width, 20, 1e-9);

  frame->Notebook()->SetSelection(1);
  PlotCtrl* resultsPlot = frame->ZoomTarget();
  ASSERT_NE(resultsPlot, goalPlot);
  auto points = std::make_unique<PointCurve>(2);
  points->SetPoint(1, 1, 1);
  resultsPlot->AddCurve(std::move(points));
  Command(ID_ZOOM_IN);
  EXPECT_NEAR(resultsPlot->GetView().width, 21 / 1.5, 1e-12);
  Command(ID_ZOOM_ENTIRE);  // back to the last fitted view
  EXPECT_EQ(resultsPlot->GetView(), (PlotRect{-10.5, -10.5, 21, 21}));
}

TEST_F(FrameTest, SortAndFollowModesAreMarkedAndOnlyChangesModify) {
  Command(ID_SORT_BY_FITNESS);  // already the mode
  EXPECT_FALSE(frame->IsModified());
  frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  wxMenuBar* bar = frame->GetMenuBar();
  const wxBitmap fitnessMark = bar->FindItem(ID_SORT_BY_FITNESS)->GetBitmap();
  const wxBitmap numberMark = bar->FindItem(ID_SORT_BY_NUMBER)->GetBitmap();
  EXPECT_FALSE(fitnessMark.IsSameAs(numberMark));

  Command(ID_SORT_BY_NUMBER);
  EXPECT_FALSE(frame->Results()->SortByFitness());
  EXPECT_TRUE(frame->IsModified());
  frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  EXPECT_TRUE(bar->FindItem(ID_SORT_BY_NUMBER)->GetBitmap().IsSameAs(fitnessMark));
  EXPECT_EQ(frame->GetTitle(), "Formulon Zizi - [Untitled1 *]");

  Command(ID_FOLLOW_BEST);
  EXPECT_TRUE(frame->Results()->FollowBest());
  Command(ID_FOLLOW_NONE);
  EXPECT_FALSE(frame->Results()->FollowBest());
}

TEST_F(FrameTest, RemovalThresholdIsRememberedWithinTheRun) {
  EXPECT_EQ(frame->RemoveThreshold(), 0.0);
  wxString shown;
  wxTEST_DIALOG(Command(ID_REMOVE_BELOW), wxExpectModal<GetFitness>("12.5", &shown));
  EXPECT_EQ(shown, "0");
  EXPECT_EQ(frame->RemoveThreshold(), 12.5);
  wxTEST_DIALOG(Command(ID_REMOVE_BELOW), wxExpectModal<GetFitness>("3", &shown));
  EXPECT_EQ(shown, "12.5");
  EXPECT_EQ(frame->RemoveThreshold(), 3.0);
}

TEST_F(FrameTest, GeometrySurvivesARestart) {
  const wxSize size = frame->GetMinSize() + wxSize(57, 33);
  frame->SetSize(size);
  frame->Move(123, 77);
  Pump();
  frame->SaveGeometry();
  frame->Destroy();
  Pump(10);

  frame = new MainFrame(nullptr, ID_MAIN_FRAME, "Formulon");
  EXPECT_EQ(frame->GetSize(), size);
  EXPECT_EQ(frame->GetPosition(), wxPoint(123, 77));
  frame->Show();
  Pump();
}

TEST_F(FrameTest, ASmallerStoredSizeNeverShrinksTheLayout) {
  const wxSize layout = frame->GetMinSize();
  {
    ConfigGroup group(*wxConfigBase::Get(), "FrameInfo");
    wxConfigBase::Get()->Write("WidthF", "0.01");
    wxConfigBase::Get()->Write("HeightF", "0.01");
    wxConfigBase::Get()->Write("HavePostion", true);
    wxConfigBase::Get()->Write("CenterXF", "bad");
  }
  frame->Destroy();
  Pump(10);
  frame = new MainFrame(nullptr, ID_MAIN_FRAME, "Formulon");
  EXPECT_GE(frame->GetSize().x, layout.x);
  EXPECT_GE(frame->GetSize().y, layout.y);
  frame->Show();
}

TEST_F(FrameTest, TitleHidesFoldersWhenSettingsSaySo) {
  GlobalSettings().disableFilePath = true;
  frame->Destroy();
  Pump(10);
  frame = new MainFrame(nullptr, ID_MAIN_FRAME, "Formulon");
  EXPECT_FALSE(frame->ShowFilePath());
  EXPECT_EQ(frame->GetTitle(), "Formulon Zizi - [Untitled1]");
  frame->Show();
}
