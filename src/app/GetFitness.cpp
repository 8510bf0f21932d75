#include "app/GetFitness.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/CommandIds.h"
#include "app/DoubleValidator.h"

GetFitness::GetFitness(wxWindow* parent, wxWindowID id, const wxString& title,
                       const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style) {
  SetExtraStyle(GetExtraStyle() | wxWS_EX_BLOCK_EVENTS);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(this, wxID_ANY,
                            _("All Results With Fitness Lower Than Specified Will Be Removed")),
           0, wxALL, 10);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, _("Fitness:")), 0,
           wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
  field_ = new wxTextCtrl(this, ID_FITNESS_TEXT, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                          wxTE_RIGHT | wxTE_NOHIDESEL, DoubleValidator(&threshold), "text");
  row->Add(field_, 1, wxALIGN_CENTER_VERTICAL);
  top->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALIGN_CENTER | wxALL, 5);
  SetSizerAndFit(top);
  Centre(wxBOTH);
  field_->SetFocus();
}
