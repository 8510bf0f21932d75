#include "app/SettingsStore.h"

#include <wx/choicdlg.h>
#include <wx/colour.h>
#include <wx/intl.h>

#include "app/AppConfig.h"
#include "app/NumericLocaleGuard.h"

namespace {

struct ColourKey {
  const char* key;
  Rgb AppSettings::*field;
};

const ColourKey kColourKeys[] = {
    {"ExpressionColour", &AppSettings::expressionColour},
    {"PointsColour", &AppSettings::pointsColour},
    {"AdditionalPointsColour", &AppSettings::additionalPointsColour},
    {"SynthesizedColour", &AppSettings::synthesizedColour},
};

void ReadBool(wxConfigBase& config, const char* key, bool& field) {
  bool value;
  if (config.Read(key, &value)) field = value;
}

}  // namespace

bool AsksLanguage(int lang) {
  switch (lang) {
    case wxLANGUAGE_ABKHAZIAN:
    case wxLANGUAGE_ARMENIAN:
    case wxLANGUAGE_BASHKIR:
    case wxLANGUAGE_BELARUSIAN:
    case wxLANGUAGE_ESTONIAN:
    case wxLANGUAGE_KAZAKH:
    case wxLANGUAGE_KIRGHIZ:
    case wxLANGUAGE_LATVIAN:
    case wxLANGUAGE_MOLDAVIAN:
    case wxLANGUAGE_TAJIK:
    case wxLANGUAGE_TURKMEN:
    case wxLANGUAGE_UZBEK:
    case wxLANGUAGE_UZBEK_CYRILLIC:
    case wxLANGUAGE_UZBEK_LATIN:
      return true;
    default:
      return false;
  }
}

int AskLanguage() {
  wxArrayString choices;
  choices.Add("English");
  choices.Add("Russian");
  wxSingleChoiceDialog dialog(nullptr, _("Please select language:"), kAppName, choices,
                              nullptr, wxDEFAULT_DIALOG_STYLE | wxOK | wxCENTRE);
  dialog.SetSelection(0);
  if (dialog.ShowModal() != wxID_OK) return 0;
  return dialog.GetSelection() == 1 ? 2 : 1;
}

void LoadSettings(AppSettings& settings, wxConfigBase& config, int systemLanguage,
                  const std::function<int()>& askLanguage) {
  NumericLocaleGuard numbers;
  ConfigGroup group(config, "Settings");

  long langNo = -1;
  if (!config.Read("LangNo", &langNo)) langNo = -1;
  if (langNo > 2) langNo = 0;
  if (langNo == -1) langNo = AsksLanguage(systemLanguage) && askLanguage ? askLanguage() : 0;
  settings.langNo = static_cast<int>(langNo);

  ReadBool(config, "ShowSplash", settings.showSplash);
  ReadBool(config, "LoadLast", settings.loadLast);
  ReadBool(config, "UseLastDirs", settings.useLastDirs);
  ReadBool(config, "Verbose", settings.verbose);
  ReadBool(config, "DisableFilePath", settings.disableFilePath);
  ReadBool(config, "Autosave", settings.autosave);

  for (const ColourKey& c : kColourKeys) {
    wxString text;
    if (!config.Read(c.key, &text)) continue;
    wxColour colour;
    if (text.empty() || !colour.Set(text)) continue;
    settings.*c.field = Rgb{colour.Red(), colour.Green(), colour.Blue()};
  }
}

void SaveSettings(const AppSettings& settings, wxConfigBase& config) {
  NumericLocaleGuard numbers;
  ConfigGroup group(config, "Settings");
  config.Write("LangNo", static_cast<long>(settings.langNo));
  config.Write("ShowSplash", settings.showSplash);
  config.Write("LoadLast", settings.loadLast);
  config.Write("UseLastDirs", settings.useLastDirs);
  config.Write("Verbose", settings.verbose);
  config.Write("DisableFilePath", settings.disableFilePath);
  config.Write("Autosave", settings.autosave);
  for (const ColourKey& c : kColourKeys)
    config.Write(c.key, wxString::FromUTF8(ColourText(settings.*c.field)));
}
