#pragma once
// Installs itself as the core's reporter and records every message.

#include <mutex>
#include <string>
#include <vector>

#include "common/Log.h"

class CaptureReporter final : public Reporter {
 public:
  struct Message {
    LogLevel level;
    std::string text;
    int sysError;
  };
  CaptureReporter();
  ~CaptureReporter() override;
  void Log(LogLevel level, const std::string& text, int sysError) override;
  std::string Translate(const char* text) const override;
  std::vector<Message> Messages() const;
  /// Texts of the messages of one level, in order.
  std::vector<std::string> Texts(LogLevel level) const;

  /// Prefix that Translate puts before every text (empty: no translation).
  std::string translationPrefix;

 private:
  Reporter* previous_;
  mutable std::mutex mutex_;
  std::vector<Message> messages_;
};
