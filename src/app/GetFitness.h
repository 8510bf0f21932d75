#pragma once
// Asks for the fitness below which results are removed.

#include <wx/dialog.h>

class wxTextCtrl;

/// The dialog of "Remove All With Fitness Lower Than...": one number field bound
/// to `threshold` (percent, as the Results page shows fitness). The caller sets
/// `threshold` before ShowModal and reads it after wxID_OK.
class GetFitness : public wxDialog {
 public:
  GetFitness(wxWindow* parent, wxWindowID id, const wxString& title,
             const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(400, 300),
             long style = wxDEFAULT_DIALOG_STYLE | wxTAB_TRAVERSAL);

  double threshold = 0;
  wxTextCtrl* Field() const { return field_; }

 private:
  wxTextCtrl* field_;
};
