#include "app/SettingsDialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clrpicker.h>
#include <wx/combobox.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/stdpaths.h>
#include <wx/valgen.h>

#include "app/CommandIds.h"
#include "app/FileTypeRegistration.h"
#include "app/Images.h"
#include "app/AppConfig.h"

namespace {

wxColour ToColour(const Rgb& c) { return wxColour(c.r, c.g, c.b); }
Rgb ToRgb(const wxColour& c) { return Rgb{c.Red(), c.Green(), c.Blue()}; }

/// The pickers' order on the page and the settings they edit.
Rgb AppSettings::*const kPickerFields[4] = {
    &AppSettings::pointsColour, &AppSettings::additionalPointsColour,
    &AppSettings::expressionColour, &AppSettings::synthesizedColour};

}  // namespace

SettingsDialog::SettingsDialog(wxWindow* parent, wxWindowID id, const wxString& title,
                               const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style) {
  SetExtraStyle(GetExtraStyle() | wxWS_EX_VALIDATE_RECURSIVELY | wxWS_EX_BLOCK_EVENTS);
  auto* top = new wxBoxSizer(wxVERTICAL);
  notebook_ = new wxNotebook(this, ID_SETTINGS_NOTEBOOK, wxDefaultPosition, wxDefaultSize, 0,
                             "notebook");

  // "General": start-up, logging and the rest.
  auto* general = new wxPanel(notebook_, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                              wxTAB_TRAVERSAL | wxBORDER_NONE);
  auto* generalSizer = new wxBoxSizer(wxVERTICAL);
  auto* groups = new wxBoxSizer(wxHORIZONTAL);
  auto* startup = new wxStaticBoxSizer(wxVERTICAL, general, _("Startup"));
  startup->Add(new wxCheckBox(startup->GetStaticBox(), wxID_ANY, _("&Load Last Project"),
                              wxDefaultPosition, wxDefaultSize, 0, wxGenericValidator(&loadLast_)),
               0, wxALL, 5);
  groups->Add(startup, 1, wxEXPAND | wxRIGHT, 5);
  auto* logging = new wxStaticBoxSizer(wxVERTICAL, general, _("Logging"));
  logging->Add(new wxCheckBox(logging->GetStaticBox(), wxID_ANY, _("Show Verbose Messages"),
                              wxDefaultPosition, wxDefaultSize, 0, wxGenericValidator(&verbose_)),
               0, wxALL, 5);
  groups->Add(logging, 1, wxEXPAND);
  generalSizer->Add(groups, 0, wxEXPAND | wxALL, 5);

  auto* other = new wxStaticBoxSizer(wxVERTICAL, general, _("Other"));
  wxWindow* otherBox = other->GetStaticBox();
  auto* languageRow = new wxBoxSizer(wxHORIZONTAL);
  languageRow->Add(new wxStaticText(otherBox, wxID_ANY, _("Language:")), 0,
                   wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
  wxArrayString languages;
  languages.Add(_("System Default"));
  languages.Add(_("English"));
  languages.Add(_("Russian"));
  language_ = new wxComboBox(otherBox, ID_LANGUAGE_COMBO, wxEmptyString, wxDefaultPosition,
                             wxDefaultSize, languages, wxCB_DROPDOWN,
                             wxGenericValidator(&language_index_));
  languageRow->Add(language_, 1, wxALIGN_CENTER_VERTICAL);
  other->Add(languageRow, 0, wxEXPAND | wxALL, 5);
  other->Add(new wxCheckBox(otherBox, wxID_ANY, _("Memorize Dirs"), wxDefaultPosition,
                            wxDefaultSize, 0, wxGenericValidator(&useLastDirs_)),
             0, wxALL, 5);
  other->Add(new wxCheckBox(otherBox, ID_DISABLE_PATH_CHECK,
                            _("Disable File Path Showing At Window Title"),
                            wxDefaultPosition, wxDefaultSize, 0,
                            wxGenericValidator(&disableFilePath_)),
             0, wxALL, 5);
  auto* autosave = new wxCheckBox(otherBox, ID_AUTOSAVE_CHECK,
                                  _("Autosave Project Every 10 Minutes When Synthesis Running"),
                                  wxDefaultPosition, wxDefaultSize, 0,
                                  wxGenericValidator(&autosave_));
  autosave->SetToolTip(_("Autosave will be done to other project file"));
  other->Add(autosave, 0, wxALL, 5);
  other->Add(new wxButton(otherBox, ID_REGISTER_FILETYPE, _("Register 'flx' File Extension")), 0,
             wxALL, 5);
  generalSizer->Add(other, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);
  general->SetSizer(generalSizer);
  notebook_->AddPage(general, _("General"));

  // "Colours": the four plot curves.
  auto* colours = new wxPanel(notebook_, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                              wxTAB_TRAVERSAL | wxBORDER_NONE);
  auto* coloursSizer = new wxBoxSizer(wxVERTICAL);
  auto* curves = new wxStaticBoxSizer(wxVERTICAL, colours, _("Plot Curve Colors"));
  auto* grid = new wxFlexGridSizer(2, 5, 10);
  grid->AddGrowableCol(1);
  const wxString labels[4] = {_("Points:"), _("Additional Points:"), _("Expression:"),
                              _("Synthesized Function:")};
  for (int i = 0; i < 4; ++i) {
    grid->Add(new wxStaticText(curves->GetStaticBox(), wxID_ANY, labels[i]), 0,
              wxALIGN_CENTER_VERTICAL);
    pickers_[i] = new wxColourPickerCtrl(curves->GetStaticBox(), wxID_ANY, *wxBLACK,
                                         wxDefaultPosition, wxDefaultSize, wxCLRP_DEFAULT_STYLE,
                                         wxDefaultValidator, "colourpicker");
    grid->Add(pickers_[i], 0, wxALIGN_CENTER_VERTICAL);
  }
  curves->Add(grid, 0, wxEXPAND | wxALL, 5);
  coloursSizer->Add(curves, 0, wxEXPAND | wxALL, 5);
  colours->SetSizer(coloursSizer);
  notebook_->AddPage(colours, _("Colours"));

  top->Add(notebook_, 1, wxEXPAND | wxALL, 5);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALIGN_CENTER_VERTICAL);
  buttons->Add(new wxButton(this, wxID_DEFAULT, _("&Default")), 0,
               wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
  top->Add(buttons, 0, wxALIGN_CENTER | wxALL, 5);
  SetSizer(top);
  top->SetSizeHints(this);
  Centre(wxBOTH);
  notebook_->SetFocus();

  Bind(wxEVT_BUTTON, &SettingsDialog::OnDefault, this, wxID_DEFAULT);
  Bind(wxEVT_BUTTON, &SettingsDialog::OnOk, this, wxID_OK);
  Bind(wxEVT_BUTTON, &SettingsDialog::OnRegister, this, ID_REGISTER_FILETYPE);
  LoadControls();
}

void SettingsDialog::SetSettings(const AppSettings& settings) {
  working_ = settings;
  LoadControls();
}

void SettingsDialog::LoadControls() {
  loadLast_ = working_.loadLast;
  verbose_ = working_.verbose;
  // A language number that names no item shows as no selection.
  language_index_ = working_.langNo >= 0 && working_.langNo <= 2 ? working_.langNo : -1;
  useLastDirs_ = working_.useLastDirs;
  disableFilePath_ = working_.disableFilePath;
  autosave_ = working_.autosave;
  TransferDataToWindow();
  for (int i = 0; i < 4; ++i) pickers_[i]->SetColour(ToColour(working_.*kPickerFields[i]));
}

void SettingsDialog::LoadDefaults() {
  working_.SetDefaults();
  LoadControls();
}

void SettingsDialog::OnDefault(wxCommandEvent&) { LoadDefaults(); }

void SettingsDialog::OnOk(wxCommandEvent&) {
  if (Accept()) EndModal(wxID_OK);
}

bool SettingsDialog::Accept() {
  if (!Validate() || !TransferDataFromWindow()) return false;
  working_.loadLast = loadLast_;
  working_.verbose = verbose_;
  // Unchanged "no selection" keeps a stored number that names no item.
  const bool unnamed = working_.langNo < 0 || working_.langNo > 2;
  if (!(unnamed && language_index_ == -1)) working_.langNo = language_index_;
  working_.useLastDirs = useLastDirs_;
  working_.disableFilePath = disableFilePath_;
  working_.autosave = autosave_;
  for (int i = 0; i < 4; ++i) working_.*kPickerFields[i] = ToRgb(pickers_[i]->GetColour());
  return true;
}

void SettingsDialog::OnRegister(wxCommandEvent&) {
  const FileTypePlaces places = FileTypePlaces::FromEnvironment(
      wxStandardPaths::Get().GetExecutablePath().utf8_string(), ProjectFileIconXpm());
  RegisterFileType(true, true, places, nullptr);
}
