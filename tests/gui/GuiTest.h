#pragma once
// Support for the GUI tests: dialog expectations reported through GoogleTest,
// waiting for the toolkit, and a log that records messages.

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/log.h>
#include <wx/modalhook.h>

/// A dialog hook of the toolkit's testing support whose failures are test failures.
class GtestModalHook;
#define wxTEST_DIALOG_HOOK_CLASS GtestModalHook
#include <wx/testing.h>

class GtestModalHook : public wxTestingModalHook {
 public:
  GtestModalHook(const char* file, int line, const char* func)
      : wxTestingModalHook(file, line, func), file_(file), line_(line) {}

 protected:
  void ReportFailure(const wxString& msg) override {
    ADD_FAILURE_AT(file_, line_) << msg.utf8_string();
  }

 private:
  const char* file_;
  int line_;
};

/// Expects a message box and records its text and caption.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
 public:
  ExpectMessage(std::string* message, std::string* caption = nullptr, int answer = wxID_OK)
      : message_(message), caption_(caption), answer_(answer) {}

 protected:
  int OnInvoked(wxMessageDialog* dlg) const override {
    if (message_) *message_ = dlg->GetMessage().utf8_string();
    if (caption_) *caption_ = dlg->GetTitle().utf8_string();
    return answer_;
  }

 private:
  std::string* message_;
  std::string* caption_;
  int answer_;
};

/// Lets the toolkit process its events for `ms` milliseconds.
void Pump(int ms = 50);

/// Records the toolkit's log messages while it lives.
class LogRecorder : public wxLog {
 public:
  LogRecorder();
  ~LogRecorder() override;
  struct Entry {
    wxLogLevel level;
    std::string text;
  };
  std::vector<Entry> entries;
  std::vector<std::string> Texts(wxLogLevel level) const;

 protected:
  void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

 private:
  wxLog* previous_;
};
