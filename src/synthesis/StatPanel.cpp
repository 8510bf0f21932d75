#include "synthesis/StatPanel.h"

#include <wx/html/htmlwin.h>
#include <wx/sizer.h>

#include "expr/HtmlTagHandlers.h"

StatPanel::StatPanel(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE) {
  UseHtmlTagHandlers();
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  html_ = new wxHtmlWindow(this, wxID_ANY, wxDefaultPosition, wxSize(400, 100));
  sizer->Add(html_, 1, wxEXPAND);
  SetSizer(sizer);
  Reset();
}

void StatPanel::Reset() {
  wxString page;
  page << "<html><body><h3>" << _("Statistics") << "</h3></body></html>";
  html_->SetPage(page);
}
