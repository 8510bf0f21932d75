#pragma once
// The core's reporting and translation interface. The core never talks to a
// window or a terminal itself: it hands every message to the installed
// Reporter. The GUI connects a Reporter to the toolkit's log and message
// catalogs, the command-line tool one that writes to stderr.

#include <string>

/// Log levels of the program. Error messages are collected and shown in a
/// message box by the GUI; Verbose ones are shown only when verbose logging is
/// on; SysError has the operating system's error text appended.
enum class LogLevel { Error, Warning, Status, Verbose, SysError };

/// Receives the core's messages and translates its texts. Implementations must
/// accept calls from any thread (worker threads log too).
class Reporter {
 public:
  virtual ~Reporter() = default;
  /// Shows or records one message. `sysError` is the errno value captured at
  /// the call for LogLevel::SysError and 0 otherwise.
  virtual void Log(LogLevel level, const std::string& text, int sysError) = 0;
  /// Returns the translation of an English text from the program's catalog,
  /// or the text itself when there is none.
  virtual std::string Translate(const char* text) const { return text; }
};

/// Installs the reporter used by every later call; null restores the default
/// one (plain lines on stderr, verbose messages dropped). Returns the previous
/// reporter (null when the default was in place). The caller keeps ownership
/// and must keep the reporter alive while it is installed.
Reporter* SetReporter(Reporter* reporter);

/// Marks a text for extraction into the catalog without translating it here;
/// used for tables that are translated when they are shown.
#define TR_NOOP(text) text

/// Translation through the installed reporter.
std::string Tr(const char* text);

/// printf-style formatting into a std::string (the C library's rules and the
/// current numeric locale category, as %d and %s need none of it).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

void LogError(const std::string& text);
void LogWarning(const std::string& text);
void LogStatus(const std::string& text);
void LogVerbose(const std::string& text);
/// Captures errno at the call and passes it to the reporter.
void LogSysError(const std::string& text);
