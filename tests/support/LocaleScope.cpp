#include "support/LocaleScope.h"

LocaleScope::LocaleScope(const std::string& name) : saved_(), savedC_(std::setlocale(LC_ALL, nullptr)) {
  try {
    std::locale::global(std::locale(name));
    active_ = true;
  } catch (const std::exception&) {
    active_ = false;
  }
}

LocaleScope::~LocaleScope() {
  std::locale::global(saved_);
  std::setlocale(LC_ALL, savedC_.c_str());
}
