#pragma once
// Connects the core's log and translation to the toolkit.

#include "common/Log.h"

/// Hands the core's messages to the toolkit's log (error and warning messages
/// end in a message box, status messages in the status bar) and translates
/// through the toolkit's message catalogs. The toolkit's log accepts messages
/// from worker threads and shows them from the GUI thread.
class WxReporter final : public Reporter {
 public:
  void Log(LogLevel level, const std::string& text, int sysError) override;
  std::string Translate(const char* text) const override;
};
