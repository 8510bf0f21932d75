#include "app/Locales.h"

#include <clocale>
#include <locale>

#include <wx/filefn.h>
#include <wx/intl.h>

namespace {

/// The regional decimal separator without grouping.
class UngroupedPunct : public std::numpunct<char> {
 public:
  explicit UngroupedPunct(char point) : point_(point) {}

 protected:
  char do_decimal_point() const override { return point_; }
  std::string do_grouping() const override { return ""; }

 private:
  char point_;
};

}  // namespace

namespace Locales {

std::string& RegionalName() {
  static std::string name = "C";
  return name;
}

std::string& UiName() {
  static std::string name = "C";
  return name;
}

int ChooseUiLanguage(int langNo, int systemLanguage) {
  if (langNo == 1) return wxLANGUAGE_ENGLISH;
  if (langNo == 2) return wxLANGUAGE_RUSSIAN;
  if (systemLanguage == wxLANGUAGE_RUSSIAN_UKRAINE || systemLanguage == wxLANGUAGE_UKRAINIAN)
    return wxLANGUAGE_RUSSIAN;
  return wxLANGUAGE_DEFAULT;
}

bool LoadCatalogs(wxLocale& locale, const wxString& exeDir) {
  wxLocale::AddCatalogLookupPathPrefix(exeDir + wxFILE_SEP_PATH + "locale");
  if (!locale.AddCatalog("formulon-line")) return false;
  locale.AddCatalog("formulon-line-wx");
  return true;
}

std::locale NumberLocale(const std::string& name) {
  std::locale base = std::locale::classic();
  try {
    base = std::locale(name);
  } catch (const std::exception&) {
  }
  const char point = std::use_facet<std::numpunct<char>>(base).decimal_point();
  return std::locale(base, new UngroupedPunct(point));
}

std::ostringstream& ValidatorStream() {
  static std::ostringstream stream;
  return stream;
}

std::ostringstream& StatisticsStream() {
  static std::ostringstream stream;
  return stream;
}

void ApplyRegionalNumbers() {
  try {
    std::locale::global(std::locale(RegionalName()));
  } catch (const std::exception&) {
    // The name came from the C library itself; should the C++ library not
    // know it, numbers keep the classic format.
  }
  ValidatorStream().imbue(NumberLocale(RegionalName()));
  StatisticsStream().imbue(NumberLocale(RegionalName()));
  std::setlocale(LC_NUMERIC, RegionalName().c_str());
  std::setlocale(LC_COLLATE, UiName().c_str());
}

UiDateScope::UiDateScope() {
  std::setlocale(LC_NUMERIC, UiName().c_str());
  std::setlocale(LC_TIME, UiName().c_str());
}

UiDateScope::~UiDateScope() {
  std::setlocale(LC_NUMERIC, RegionalName().c_str());
  std::setlocale(LC_TIME, RegionalName().c_str());
  std::setlocale(LC_COLLATE, UiName().c_str());
}

}  // namespace Locales
