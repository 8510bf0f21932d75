#pragma once
// The About box.

#include <wx/dialog.h>

class wxHtmlWindow;

/// Shows the program's name, version and build date on a small HTML page.
class AboutDialog : public wxDialog {
 public:
  AboutDialog(wxWindow* parent, wxWindowID id, const wxString& title,
              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(400, 300),
              long style = wxDEFAULT_DIALOG_STYLE | wxTAB_TRAVERSAL);

  /// "1.2.577-Beta".
  static wxString VersionText();
  /// The build date, "27&nbsp;March&nbsp;2007" in local time with the month in
  /// the user-interface language.
  static wxString BuildDateText();
  /// The whole page.
  static wxString PageText();

  wxHtmlWindow* Html() const { return html_; }

 private:
  wxHtmlWindow* html_;
};
