#include "support/CaptureReporter.h"

CaptureReporter::CaptureReporter() : previous_(SetReporter(this)) {}
CaptureReporter::~CaptureReporter() { SetReporter(previous_); }

void CaptureReporter::Log(LogLevel level, const std::string& text, int sysError) {
  std::lock_guard<std::mutex> lock(mutex_);
  messages_.push_back({level, text, sysError});
}

std::string CaptureReporter::Translate(const char* text) const { return translationPrefix + text; }

std::vector<CaptureReporter::Message> CaptureReporter::Messages() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return messages_;
}

std::vector<std::string> CaptureReporter::Texts(LogLevel level) const {
  std::vector<std::string> out;
  for (const Message& m : Messages())
    if (m.level == level) out.push_back(m.text);
  return out;
}
