#include "app/DoubleValidator.h"

#include <cstdlib>

#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/Locales.h"

DoubleValidator::DoubleValidator(double* value) : value_(value) {}

DoubleValidator::DoubleValidator(const DoubleValidator& other)
    : wxValidator(),
      rangeEnabled(other.rangeEnabled),
      minimum(other.minimum),
      maximum(other.maximum),
      value_(other.value_) {
  Copy(other);
}

wxString DoubleValidator::FormatValue(double value) {
  std::ostringstream& s = Locales::ValidatorStream();
  s.str(std::string());
  s.clear();
  s.precision(14);
  s << value;
  return wxString::FromUTF8(s.str());
}

bool DoubleValidator::ParseValue(const wxString& text, double& value) {
  const wxScopedCharBuffer bytes = text.utf8_str();
  const char* start = bytes.data();
  char* end = nullptr;
  const double v = std::strtod(start, &end);
  if (*end != '\0') return false;
  value = v;
  return true;
}

bool DoubleValidator::ReadText(wxString& text) const {
  if (auto* field = wxDynamicCast(GetWindow(), wxTextCtrl)) {
    text = field->GetValue();
    return true;
  }
  if (auto* label = wxDynamicCast(GetWindow(), wxStaticText)) {
    text = label->GetLabel();
    return true;
  }
  return false;
}

bool DoubleValidator::Validate(wxWindow* parent) {
  wxString text;
  if (!value_ || !ReadText(text)) return false;
  double v = 0;
  if (!ParseValue(text, v)) {
    wxMessageBox(wxString::Format(_("%s is wrong number"), text), _("Validation conflict"),
                 wxOK | wxICON_EXCLAMATION, parent);
    return false;
  }
  // Written as "not inside" so that a text read as NaN ("nan") is refused too.
  if (rangeEnabled && !(v >= minimum && v <= maximum)) {
    wxMessageBox(wxString::Format(_("Number must be in range [%s; %s]:"), FormatValue(minimum),
                                  FormatValue(maximum)),
                 _("Validation conflict"), wxOK | wxICON_EXCLAMATION, parent);
    return false;
  }
  *value_ = v;
  return true;
}

bool DoubleValidator::TransferToWindow() {
  if (!value_) return false;
  const wxString text = FormatValue(*value_);
  if (auto* field = wxDynamicCast(GetWindow(), wxTextCtrl)) {
    field->SetValue(text);
    return true;
  }
  if (auto* label = wxDynamicCast(GetWindow(), wxStaticText)) {
    label->SetLabel(text);
    return true;
  }
  return false;
}

bool DoubleValidator::TransferFromWindow() {
  wxString text;
  double v = 0;
  if (!value_ || !ReadText(text) || !ParseValue(text, v)) return false;
  *value_ = v;
  return true;
}
