#include "app/WxReporter.h"

#include <wx/intl.h>
#include <wx/log.h>

void WxReporter::Log(LogLevel level, const std::string& text, int sysError) {
  const wxString message = wxString::FromUTF8(text);
  switch (level) {
    case LogLevel::Error:
      wxLogError("%s", message);
      break;
    case LogLevel::Warning:
      wxLogWarning("%s", message);
      break;
    case LogLevel::Status:
      wxLogStatus("%s", message);
      break;
    case LogLevel::Verbose:
      wxLogVerbose("%s", message);
      break;
    case LogLevel::SysError:
      wxLogSysError(sysError, "%s", message);
      break;
  }
}

std::string WxReporter::Translate(const char* text) const {
  return wxGetTranslation(wxString::FromUTF8(text)).utf8_string();
}
