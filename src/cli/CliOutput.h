#pragma once
// What the verbs of formulon-cli share: the reporter that connects the core's
// log to stderr, JSON helpers and the user's number format.

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "common/Log.h"

/// Writes the core's messages to stderr, one a line; verbose messages only
/// when enabled. Counts the errors and warnings it has written.
class CliReporter final : public Reporter {
 public:
  void Log(LogLevel level, const std::string& text, int sysError) override;
  bool verbose = false;
  int problems = 0;
  std::string lastProblem;  ///< text of the last error or warning
};

/// The reporter installed by main().
CliReporter& TheReporter();

/// Sets the runtime library's numeric category and the standard library's
/// global locale from the environment, so numbers are read and written in
/// the user's regional format. An unusable environment leaves "C" in force.
void SetUpLocale();

/// Reads a whole argument as a number in the user's regional format.
bool ParseNumber(const std::string& text, double& value);

/// Reads a whole argument as a decimal integer in [min, max].
bool ParseInt(const std::string& text, long long min, long long max, long long& value);

/// While alive, the core's messages are collected here instead of being
/// written (for --json output, which reports failures in its own object).
class ScopedQuietReporter final : public Reporter {
 public:
  ScopedQuietReporter();
  ~ScopedQuietReporter() override;
  void Log(LogLevel level, const std::string& text, int sysError) override;

 private:
  Reporter* previous_;
};

/// A finite number as a JSON number; otherwise "inf", "-inf" or "nan".
nlohmann::json JsonNumber(double value);

class ElHolder;
class VariableTable;
class CliArgs;

/// Compiles a formula; on failure reports it as the program does (the message,
/// the formula and the character number as a warning, or with --json the
/// {"error": {"code", "message", "position"}} object) and returns null.
std::unique_ptr<ElHolder> CompileOrReport(const std::string& text, const VariableTable& table, bool json);

/// Reads the whole-number option `name` in [min, max] into `value`; reports a
/// bad value and returns false.
bool IntOption(const CliArgs& args, const char* name, long long min, long long max, int& value, bool json);

/// Reports a failure: {"error": {"message": ...}} on stdout with --json,
/// otherwise the message as a logged error on stderr.
void ReportFailure(const std::string& message, bool json);

/// Prints a JSON object on stdout (one line).
void PrintJson(const nlohmann::json& object);

/// Exit statuses.
enum ExitStatus { kExitOk = 0, kExitUsage = 1, kExitFailure = 2 };
