#pragma once
// The program's two locales: texts follow the user-interface language, numbers
// the user's regional format.

#include <sstream>
#include <string>

class wxLocale;
class wxString;

namespace Locales {

/// The C library's locale name for the system's default language: the user's
/// regional formats. Set during start-up.
std::string& RegionalName();
/// The C library's locale name of the user-interface language. Set during start-up.
std::string& UiName();

/// The wx language (a wxLanguage value) for the "LangNo" setting on a system
/// whose language is `systemLanguage`: 1 English, 2 Russian, anything else the
/// system language, except that Russian (Ukraine) and Ukrainian give Russian.
int ChooseUiLanguage(int langNo, int systemLanguage);

/// Adds the folder "locale" inside `exeDir` (the executable's folder) to the
/// catalog search and loads the program's catalog "formulon-line" into
/// `locale`; only when that loads, also "formulon-line-wx", the toolkit's texts
/// in the same language. Returns whether the program's catalog loaded.
bool LoadCatalogs(wxLocale& locale, const wxString& exeDir);

/// Makes the regional locale the standard library's global locale and the C
/// library's numeric category, and the UI locale the collation category; the
/// shared number streams get the regional locale too.
void ApplyRegionalNumbers();

/// A standard locale for `name` whose numbers have the locale's decimal
/// separator but no digit grouping: a number written with it can be read back
/// by the C library's conversion, which knows no grouping. Falls back to the
/// classic locale when `name` is unknown.
std::locale NumberLocale(const std::string& name);

/// The shared stream with which number fields write their values.
std::ostringstream& ValidatorStream();
/// The shared stream with which the statistics write their numbers.
std::ostringstream& StatisticsStream();

/// Sets the C library's numeric and time categories to the UI locale for its
/// lifetime (dates with month names in the UI language), then puts numeric and
/// time back to the regional locale and collation to the UI locale.
class UiDateScope {
 public:
  UiDateScope();
  ~UiDateScope();
  UiDateScope(const UiDateScope&) = delete;
  UiDateScope& operator=(const UiDateScope&) = delete;
};

}  // namespace Locales
