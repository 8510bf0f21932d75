#include <cstdlib>
#include <ctime>

#include <wx/frame.h>
#include <wx/html/htmlwin.h>

#include "GuiTest.h"
#include "app/AboutDialog.h"
#include "expr/HtmlTagHandlers.h"

namespace {

class HtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseHtmlTagHandlers();
    frame = new wxFrame(nullptr, wxID_ANY, "html", wxDefaultPosition, wxSize(500, 300));
    html = new wxHtmlWindow(frame, wxID_ANY);
    html->SetBorders(0);
    frame->Show();
  }
  void TearDown() override { frame->Destroy(); }
  wxFrame* frame = nullptr;
  wxHtmlWindow* html = nullptr;
};

/// The x position of the word "t" in the page.
int TableX(wxHtmlCell* cell) {
  for (; cell; cell = cell->GetNext()) {
    if (cell->ConvertToText(nullptr) == "t") return cell->GetAbsPos().x;
    if (auto* c = dynamic_cast<wxHtmlContainerCell*>(cell)) {
      const int x = TableX(c->GetFirstChild());
      if (x >= 0) return x;
    }
  }
  return -1;
}

/// Sets TZ for its lifetime.
class TimeZone {
 public:
  explicit TimeZone(const char* tz) {
    const char* old = std::getenv("TZ");
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv("TZ", tz, 1);
    tzset();
  }
  ~TimeZone() {
    if (had_)
      setenv("TZ", old_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  bool had_;
  std::string old_;
};

}  // namespace

TEST_F(HtmlTest, FormulaMarkupIsNotShown) {
  html->SetPage("<p>a<math>x<mop>*</mop><mpar>(</mpar>x+1<mpar>)</mpar></math>b "
                "<MVAR>hidden</MVAR>c</p>");
  const wxString text = html->ToText();
  EXPECT_EQ(text.Find("hidden"), wxNOT_FOUND);
  EXPECT_EQ(text.Find("x"), wxNOT_FOUND);
  EXPECT_NE(text.Find("a"), wxNOT_FOUND);
  EXPECT_NE(text.Find("c"), wxNOT_FOUND);
}

TEST_F(HtmlTest, NoIndentBlockHoldsItsTableWithoutIndentation) {
  const wxString table = "<table border=0 cellpadding=0 cellspacing=0><tr><td>t</td></tr></table>";
  html->SetPage("<body>before<blockquote>" + table + "</blockquote></body>");
  const int indented = TableX(html->GetInternalRepresentation());
  html->SetPage("<body>before<noindent><blockquote>" + table + "</blockquote></noindent>after</body>");
  const int plain = TableX(html->GetInternalRepresentation());
  ASSERT_GE(indented, 0);
  ASSERT_GE(plain, 0);
  EXPECT_LT(plain, indented);
  EXPECT_NE(html->ToText().Find("after"), wxNOT_FOUND);
}

TEST(About, VersionAndBuildDateInLocalTime) {
  EXPECT_EQ(AboutDialog::VersionText(), "1.2.577-Beta");
  {
    TimeZone utc("UTC0");
    EXPECT_EQ(AboutDialog::BuildDateText(), "27&nbsp;March&nbsp;2007");
  }
  {
    TimeZone ahead("ZZZ-4:30");  // UTC+4:30
    EXPECT_EQ(AboutDialog::BuildDateText(), "27&nbsp;March&nbsp;2007");
  }
  {
    TimeZone ahead("ZZZ-5");  // UTC+5
    EXPECT_EQ(AboutDialog::BuildDateText(), "28&nbsp;March&nbsp;2007");
  }
  const wxString page = AboutDialog::PageText();
  EXPECT_NE(page.Find("<noindent>"), wxNOT_FOUND);
  EXPECT_NE(page.Find("Version&nbsp;1.2.577-Beta"), wxNOT_FOUND);
  EXPECT_NE(page.Find("charset=utf-8"), wxNOT_FOUND);
}

TEST(About, PageShowsWhole) {
  AboutDialog dialog(nullptr, 10075, "About Formulon Zizi");
  wxHtmlContainerCell* root = dialog.Html()->GetInternalRepresentation();
  ASSERT_NE(root, nullptr);
  const wxSize client = dialog.Html()->GetClientSize();
  EXPECT_GE(client.x, root->GetWidth());
  EXPECT_GE(client.y, root->GetHeight());
  EXPECT_EQ(dialog.Html()->GetName(), "htmlWindow");
}
