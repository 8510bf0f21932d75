#pragma once
// Binds a text field to a double.

#include <string>

#include <wx/validate.h>

/// Transfers a double between a dialog's variable and a text field (or the
/// label of a static text), and checks the text when the dialog is accepted.
/// Numbers are read with the C library's conversion and written with 14
/// significant digits, both in the user's regional format, so the decimal
/// separator is the user's own.
class DoubleValidator : public wxValidator {
 public:
  /// Binds `value` (owned by the dialog, which outlives the control).
  explicit DoubleValidator(double* value);
  DoubleValidator(const DoubleValidator& other);

  wxObject* Clone() const override { return new DoubleValidator(*this); }
  /// Refuses text that is not a whole number ("%s is wrong number") and, with
  /// the range enabled, a number outside it ("Number must be in range [%s; %s]:")
  /// in a message box owned by `parent`; the bound value then keeps its content.
  bool Validate(wxWindow* parent) override;
  bool TransferToWindow() override;
  /// Stores the number when the whole text is one; fails silently otherwise.
  bool TransferFromWindow() override;

  /// Limits accepted values to [minimum, maximum], both ends included.
  void SetRange(double minimum, double maximum) {
    rangeEnabled = true;
    this->minimum = minimum;
    this->maximum = maximum;
  }

  /// `value` as the validator writes it.
  static wxString FormatValue(double value);
  /// Reads a whole text as a number: leading blanks are skipped, nothing may
  /// follow the number; an empty text reads as 0.
  static bool ParseValue(const wxString& text, double& value);

  bool rangeEnabled = false;
  double minimum = 0;
  double maximum = 0;

 private:
  bool ReadText(wxString& text) const;
  double* value_;
};
