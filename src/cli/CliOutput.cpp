#include "cli/CliOutput.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <locale>

#include "cli/CliArgs.h"
#include "expr/Compiler.h"

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

std::unique_ptr<ElHolder> CompileOrReport(const std::string& text, const VariableTable& table, bool json) {
  Compiler compiler;
  std::unique_ptr<ElHolder> tree = compiler.Compile(text, table);
  if (tree) return tree;
  const std::string message = Compiler::ErrorText(compiler.errorCode);
  if (json)
    PrintJson({{"error",
                {{"code", compiler.errorCode}, {"message", message}, {"position", compiler.errorPosition}}}});
  else
    LogWarning(Format(Tr("%s\nExpression: %s\nCharacter Number: %d").c_str(), message.c_str(), text.c_str(),
                      compiler.errorPosition + 1));
  return nullptr;
}

bool IntOption(const CliArgs& args, const char* name, long long min, long long max, int& value, bool json) {
  long long v;
  if (!ParseInt(args.Value(name), min, max, v)) {
    ReportFailure(Format(Tr("Wrong number for %s: %s (a whole number from %lld to %lld)").c_str(), name,
                         args.Value(name).c_str(), min, max),
                  json);
    return false;
  }
  value = static_cast<int>(v);
  return true;
}
