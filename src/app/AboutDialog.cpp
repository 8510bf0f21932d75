#include "app/AboutDialog.h"

#include <ctime>

#include <wx/html/htmlwin.h>
#include <wx/sizer.h>

#include "app/CommandIds.h"
#include "app/Locales.h"
#include "expr/HtmlTagHandlers.h"

namespace {

/// The moment of the 1.2.577 build, in seconds since 1970-01-01 00:00 UTC.
constexpr std::time_t kBuildTime = 1175022445;

}  // namespace

wxString AboutDialog::VersionText() { return wxString::Format("%d.%d.%d-%s", 1, 2, 577, "Beta"); }

wxString AboutDialog::BuildDateText() {
  Locales::UiDateScope uiDates;
  std::tm local{};
  const std::time_t t = kBuildTime;
  localtime_r(&t, &local);
  char buffer[128];
  const size_t n = std::strftime(buffer, sizeof buffer, "%d&nbsp;%B&nbsp;%Y", &local);
  return wxString(buffer, wxConvLibc, n);
}

wxString AboutDialog::PageText() {
  // The page is built as a wide string, so the charset is the program's own.
  wxString page;
  page << "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
       << "</head><body link=\"#666666\"><noindent>"
       << "<table width=\"100%\" border=\"0\" cellpadding=\"20\" cellspacing=\"0\"><tr>"
       << "<td align=\"center\"><b><font size=\"+3\" face=\"Times New Roman, Times, serif\">"
       << "Formulon&nbsp;Zizi</font></b></td>"
       << "<td align=\"center\"><b>" << _("Version") << "&nbsp;" << VersionText() << "</b>"
       << "<br><br>" << _("Build&nbsp;Date:") << "&nbsp;" << BuildDateText() << "</td>"
       << "</tr></table></noindent></body></html>";
  return page;
}

AboutDialog::AboutDialog(wxWindow* parent, wxWindowID id, const wxString& title,
                         const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style) {
  UseHtmlTagHandlers();
  SetExtraStyle(GetExtraStyle() | wxWS_EX_BLOCK_EVENTS);
  auto* top = new wxBoxSizer(wxVERTICAL);
  html_ = new wxHtmlWindow(this, ID_ABOUT_HTML, wxDefaultPosition, wxSize(150, 100),
                           wxHW_SCROLLBAR_NEVER | wxHW_NO_SELECTION | wxBORDER_RAISED,
                           "htmlWindow");
  html_->SetBorders(0);
  top->Add(html_, 1, wxALIGN_CENTER | wxLEFT | wxRIGHT | wxTOP, 5);
  top->Add(CreateStdDialogButtonSizer(wxOK), 0, wxALIGN_CENTER | wxALL, 5);
  SetSizer(top);

  // The window's borders, counted on both sides, are added to the page's size.
  const wxSize outer = html_->GetSize();
  const wxSize client = html_->GetClientSize();
  const int dw = 2 * (outer.x - client.x);
  const int dh = 2 * (outer.y - client.y);

  html_->SetPage(PageText());
  wxHtmlContainerCell* root = html_->GetInternalRepresentation();
  if (root) {
    if (auto* first = dynamic_cast<wxHtmlContainerCell*>(root->GetFirstChild()))
      first->SetIndent(0, wxHTML_INDENT_ALL, wxHTML_UNITS_PIXELS);
    // Laying the page out narrower and back gives the table its natural width.
    const int w = root->GetWidth();
    root->Layout(w - 20);
    root->Layout(w);
    html_->SetMinSize(wxSize(root->GetWidth() + dw, root->GetHeight() + dh));
  }
  GetSizer()->SetSizeHints(this);
  Centre(wxBOTH);
}
