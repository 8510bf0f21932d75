// An exception that escapes an event handler, caught by the program's
// application class at event dispatch.

#include <stdexcept>

#include <wx/frame.h>
#include <wx/weakref.h>

#include "GuiTest.h"
#include "app/Application.h"

TEST(EventDispatchTest, AnExceptionInAHandlerIsLoggedAndForceClosesTheTopWindow) {
  ASSERT_NE(dynamic_cast<Application*>(wxTheApp), nullptr)
      << "the tests' application must be the program's";
  auto* frame = new wxFrame(nullptr, wxID_ANY, "Top");
  wxWeakRef<wxFrame> alive(frame);
  wxTheApp->SetTopWindow(frame);
  frame->Show();
  int closes = 0;
  bool vetoable = true;
  frame->Bind(wxEVT_CLOSE_WINDOW, [&](wxCloseEvent& event) {
    ++closes;
    vetoable = event.CanVeto();
    event.Skip();  // the default handler destroys the frame
  });
  const int id = wxWindow::NewControlId();
  frame->Bind(wxEVT_MENU, [](wxCommandEvent&) { throw std::runtime_error("boom"); }, id);

  {
    LogRecorder log;
    wxCommandEvent command(wxEVT_MENU, id);
    EXPECT_NO_THROW(frame->GetEventHandler()->ProcessEvent(command));
    EXPECT_EQ(log.Texts(wxLOG_Error), std::vector<std::string>{"boom"});
  }
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(vetoable) << "the top window must be closed with force";
  wxTheApp->ProcessIdle();  // deletes the windows destroyed meanwhile
  EXPECT_FALSE(alive) << "the top window was not destroyed";

  if (alive) {
    alive->Destroy();
    wxTheApp->ProcessIdle();
  }
}
