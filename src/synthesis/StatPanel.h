#pragma once
// The "Statistics" page of the main window.

#include <wx/panel.h>

class wxHtmlWindow;

/// The Statistics page: an HTML report of counts, times and fitness. For now
/// it shows the report's frame; the figures join it with the statistics data.
class StatPanel : public wxPanel {
 public:
  StatPanel(wxWindow* parent, wxWindowID id);
  /// A new document: the clock reset and the report rebuilt.
  void Reset();

 private:
  wxHtmlWindow* html_;
};
