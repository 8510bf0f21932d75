#pragma once
// Keeps numbers in the settings store independent of the user's regional format.

#include <clocale>
#include <string>

/// Sets the C library's numeric category to the classic conventions ("." as
/// decimal separator, no grouping) for its lifetime and restores the previous
/// setting afterwards. Used while the "Settings" and "FrameInfo" groups are read
/// or written, so that a file written under one regional format reads back
/// under any other.
class NumericLocaleGuard {
 public:
  NumericLocaleGuard() {
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    saved_ = current ? current : "C";
    // "en" is how Windows names English conventions; glibc knows no such
    // locale and would leave the regional separator in force, so the
    // classic locale is used, which has exactly these conventions.
    std::setlocale(LC_NUMERIC, "C");
  }
  ~NumericLocaleGuard() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
  NumericLocaleGuard(const NumericLocaleGuard&) = delete;
  NumericLocaleGuard& operator=(const NumericLocaleGuard&) = delete;

 private:
  std::string saved_;
};
