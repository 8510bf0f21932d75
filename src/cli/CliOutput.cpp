#include "cli/CliOutput.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <locale>

void CliReporter::Log(LogLevel level, const std::string& text, int sysError) {
  if (level == LogLevel::Verbose && !verbose) return;
  if (level == LogLevel::Error || level == LogLevel::Warning || level == LogLevel::SysError) {
    ++problems;
    lastProblem = text;
  }
  std::string line = text;
  if (level == LogLevel::SysError && sysError != 0) line += Format(" (error %d: %s)", sysError, std::strerror(sysError));
  std::fprintf(stderr, "%s\n", line.c_str());
}

CliReporter& TheReporter() {
  static CliReporter reporter;
  return reporter;
}

void SetUpLocale() {
  std::setlocale(LC_ALL, "");
  try {
    std::locale::global(std::locale(""));
  } catch (const std::exception&) {
    // The environment names a locale that is not installed: keep "C".
  }
  std::setlocale(LC_NUMERIC, "");
}

bool ParseNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size();
}

bool ParseInt(const std::string& text, long long min, long long max, long long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text.c_str(), &end, 10);
  return end == text.c_str() + text.size() && errno == 0 && value >= min && value <= max;
}

ScopedQuietReporter::ScopedQuietReporter() : previous_(SetReporter(this)) {}
ScopedQuietReporter::~ScopedQuietReporter() { SetReporter(previous_); }
void ScopedQuietReporter::Log(LogLevel, const std::string&, int) {}

nlohmann::json JsonNumber(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  return value;
}

void PrintJson(const nlohmann::json& object) { std::cout << object.dump() << '\n'; }

void ReportFailure(const std::string& message, bool json) {
  if (json)
    PrintJson({{"error", {{"message", message}}}});
  else
    LogError(message);
}
