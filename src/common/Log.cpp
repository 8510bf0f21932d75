#include "common/Log.h"

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

class StderrReporter final : public Reporter {
 public:
  void Log(LogLevel level, const std::string& text, int sysError) override {
    if (level == LogLevel::Verbose) return;
    std::string line = text;
    if (level == LogLevel::SysError && sysError != 0)
      line += Format(" (error %d: %s)", sysError, std::strerror(sysError));
    std::fprintf(stderr, "%s\n", line.c_str());
  }
};

StderrReporter defaultReporter;
std::atomic<Reporter*> installed{nullptr};

Reporter& Current() {
  Reporter* r = installed.load(std::memory_order_acquire);
  return r ? *r : defaultReporter;
}

void Emit(LogLevel level, const std::string& text, int sysError = 0) {
  Current().Log(level, text, sysError);
}

}  // namespace

Reporter* SetReporter(Reporter* reporter) {
  return installed.exchange(reporter, std::memory_order_acq_rel);
}

std::string Tr(const char* text) { return Current().Translate(text); }

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (n > 0) {
    std::vector<char> buffer(static_cast<size_t>(n) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    out.assign(buffer.data(), static_cast<size_t>(n));
  }
  va_end(args);
  return out;
}

void LogError(const std::string& text) { Emit(LogLevel::Error, text); }
void LogWarning(const std::string& text) { Emit(LogLevel::Warning, text); }
void LogStatus(const std::string& text) { Emit(LogLevel::Status, text); }
void LogVerbose(const std::string& text) { Emit(LogLevel::Verbose, text); }
void LogSysError(const std::string& text) {
  const int err = errno;
  Emit(LogLevel::SysError, text, err);
}
