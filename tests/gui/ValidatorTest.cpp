#include <cmath>
#include <set>

#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "GuiTest.h"
#include "app/DoubleValidator.h"
#include "app/Locales.h"
#include "support/LocaleScope.h"

namespace {

/// A frame with a text field bound to `value`.
class ValidatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new wxFrame(nullptr, wxID_ANY, "validator");
    field = new wxTextCtrl(frame, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, 0,
                           DoubleValidator(&value));
    validator = static_cast<DoubleValidator*>(field->GetValidator());
  }
  void TearDown() override { frame->Destroy(); }

  /// Validates `text`; returns the message shown, or "" when it was accepted.
  std::string Check(const std::string& text) {
    field->SetValue(wxString::FromUTF8(text));
    std::string message, caption;
    bool ok = false;
    if (ExpectsMessage(text)) {
      wxTEST_DIALOG(ok = validator->Validate(frame), ExpectMessage(&message, &caption));
      EXPECT_EQ(caption, "Validation conflict");
    } else {
      ok = validator->Validate(frame);
    }
    EXPECT_EQ(ok, message.empty()) << text;
    return message;
  }
  /// Whether a message is due for `text` is what each table says; the
  /// expectation is registered only for those rows.
  virtual bool ExpectsMessage(const std::string& text) { return failing.count(text) > 0; }

  std::set<std::string> failing;
  wxFrame* frame = nullptr;
  wxTextCtrl* field = nullptr;
  DoubleValidator* validator = nullptr;
  double value = -7;
};

/// Switches the regional number format for a test.
class RegionalScope {
 public:
  explicit RegionalScope(const std::string& name) : scope(name) {
    if (!scope.Active()) return;
    Locales::RegionalName() = name;
    Locales::ApplyRegionalNumbers();
  }
  ~RegionalScope() {
    Locales::RegionalName() = "C";
    Locales::ApplyRegionalNumbers();
  }
  LocaleScope scope;
};

}  // namespace

TEST_F(ValidatorTest, ReadsWholeNumbersOnly) {
  struct Case {
    const char* text;
    const char* message;  // "" when accepted
    double value;         // the bound value afterwards
  };
  const Case cases[] = {
      {"", "", 0},  // nothing read, nothing left
      {"  1.5", "", 1.5},
      {"-2e3", "", -2000},
      {"1.5 ", "1.5  is wrong number", -7},
      {"12abc", "12abc is wrong number", -7},
      {"1,5", "1,5 is wrong number", -7},
  };
  for (const Case& c : cases) failing.insert(c.message[0] ? c.text : "");
  failing.erase("");
  for (const Case& c : cases) {
    value = -7;
    EXPECT_EQ(Check(c.text), c.message) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST_F(ValidatorTest, RangeIsInclusiveAndRefusesNotANumber) {
  validator->SetRange(0, 1);
  failing = {"1.0000001", "-0.5", "nan"};
  EXPECT_EQ(Check("1"), "");
  EXPECT_EQ(value, 1);
  EXPECT_EQ(Check("0"), "");
  EXPECT_EQ(Check("1.0000001"), "Number must be in range [0; 1]:");
  EXPECT_EQ(Check("-0.5"), "Number must be in range [0; 1]:");
  EXPECT_EQ(Check("nan"), "Number must be in range [0; 1]:");
  EXPECT_EQ(value, 0);  // the last accepted value stays
}

TEST_F(ValidatorTest, WritesFourteenSignificantDigitsThatReadBack) {
  struct Case {
    double value;
    const char* text;
  };
  for (const Case& c : {Case{0.1, "0.1"}, Case{1.0 / 3, "0.33333333333333"}, Case{-2.5, "-2.5"},
                        Case{1e20, "1e+20"}}) {
    value = c.value;
    ASSERT_TRUE(validator->TransferToWindow());
    EXPECT_EQ(field->GetValue(), c.text);
  }
  value = 0;
  field->SetValue("bad");
  EXPECT_FALSE(validator->TransferFromWindow());  // silently
  field->SetValue("0.25");
  EXPECT_TRUE(validator->TransferFromWindow());
  EXPECT_EQ(value, 0.25);
}

TEST_F(ValidatorTest, StaticTextLabelsAreValidatedToo) {
  auto* label = new wxStaticText(frame, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, 0);
  label->SetValidator(DoubleValidator(&value));
  value = 4.5;
  ASSERT_TRUE(label->GetValidator()->TransferToWindow());
  EXPECT_EQ(label->GetLabel(), "4.5");
  label->SetLabel("6");
  EXPECT_TRUE(label->GetValidator()->Validate(frame));
  EXPECT_EQ(value, 6);
}

TEST_F(ValidatorTest, CommaDecimalSeparatorOfTheRegionalFormat) {
  RegionalScope german("de_DE.UTF-8");
  REQUIRE_LOCALE(german.scope);
  failing = {"0.5"};
  EXPECT_EQ(Check("0,5"), "");
  EXPECT_EQ(value, 0.5);
  EXPECT_EQ(Check("0.5"), "0.5 is wrong number");
  value = 1234567.25;
  validator->TransferToWindow();
  // No digit grouping: what is shown must read back.
  EXPECT_EQ(field->GetValue(), "1234567,25");
  EXPECT_TRUE(validator->TransferFromWindow());
  EXPECT_EQ(value, 1234567.25);
}

TEST_F(ValidatorTest, GroupingFormatsStillReadBack) {
  RegionalScope american("en_US.UTF-8");
  REQUIRE_LOCALE(american.scope);
  value = 1234567;
  validator->TransferToWindow();
  EXPECT_EQ(field->GetValue(), "1234567");
  EXPECT_TRUE(validator->Validate(frame));
  EXPECT_EQ(value, 1234567);
}
