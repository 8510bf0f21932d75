#pragma once
// Switches the standard library's global locale (and with it every C locale
// category) for the life of the object, and restores both afterwards.

#include <clocale>
#include <locale>
#include <string>

class LocaleScope {
 public:
  /// `name` such as "de_DE.UTF-8"; Active() is false when it is not installed.
  explicit LocaleScope(const std::string& name);
  ~LocaleScope();
  LocaleScope(const LocaleScope&) = delete;
  LocaleScope& operator=(const LocaleScope&) = delete;
  bool Active() const { return active_; }

 private:
  std::locale saved_;
  std::string savedC_;
  bool active_ = false;
};

/// Skips the current test when the locale is missing (scripts/install-deps.sh generates it).
#define REQUIRE_LOCALE(scope)                                                              \
  if (!(scope).Active()) GTEST_SKIP() << "locale not installed; run scripts/install-deps.sh"
