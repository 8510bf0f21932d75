#pragma once
// The Settings dialog.

#include <wx/dialog.h>

#include "app/AppSettings.h"

class wxCheckBox;
class wxColourPickerCtrl;
class wxComboBox;
class wxNotebook;

/// Edits a working copy of the application settings on two pages, "General"
/// and "Colours". "&Default" loads the defaults; OK validates and keeps the
/// controls' values in the working copy. The file-type button registers the
/// project file type at once.
class SettingsDialog : public wxDialog {
 public:
  SettingsDialog(wxWindow* parent, wxWindowID id, const wxString& title,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(400, 300),
                 long style = wxDEFAULT_DIALOG_STYLE);

  /// Sets the working copy and loads the controls from it.
  void SetSettings(const AppSettings& settings);
  const AppSettings& Settings() const { return working_; }
  /// "&Default": the working copy becomes the defaults (language included).
  void LoadDefaults();
  /// OK: validates the controls and takes their values into the working
  /// copy; false leaves the dialog open.
  bool Accept();

  wxNotebook* Notebook() const { return notebook_; }
  wxComboBox* Language() const { return language_; }
  /// The colour pickers: points, additional points, expression, synthesized.
  wxColourPickerCtrl* Picker(int i) const { return pickers_[i]; }

 private:
  void LoadControls();
  void OnDefault(wxCommandEvent& event);
  void OnOk(wxCommandEvent& event);
  void OnRegister(wxCommandEvent& event);

  AppSettings working_;
  // The controls' variables, moved by the validators.
  bool loadLast_ = true;
  bool verbose_ = false;
  int language_index_ = 0;
  bool useLastDirs_ = true;
  bool disableFilePath_ = false;
  bool autosave_ = true;

  wxNotebook* notebook_ = nullptr;
  wxComboBox* language_ = nullptr;
  wxColourPickerCtrl* pickers_[4] = {};
};
