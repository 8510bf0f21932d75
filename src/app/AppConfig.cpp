#include "app/AppConfig.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/stdpaths.h>

#include <fstream>
#include <sstream>

#include "common/AtomicFile.h"

const char* const kAppName = "Formulon Zizi";

AppConfig::AppConfig(const wxString& appName, const wxString& localPath)
    : wxFileConfig(appName, wxEmptyString, localPath, wxEmptyString,
                   wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_GLOBAL_FILE),
      localPath_(localPath) {}

AppConfig::~AppConfig() {
  // The base destructor would flush with the toolkit's own, non-atomic save.
  Flush();
}

bool AppConfig::Flush(bool /*currentOnly*/) {
  wxMemoryOutputStream stream;
  if (!Save(stream)) return false;  // also marks the store clean
  const size_t size = stream.GetLength();
  std::string data(size, '\0');
  if (size > 0) stream.CopyTo(&data[0], size);

  const std::string path = localPath_.utf8_string();
  std::ifstream old(path, std::ios::binary);
  if (old) {
    std::ostringstream s;
    s << old.rdbuf();
    if (s.str() == data) return true;
  } else if (data.empty()) {
    return true;
  }
  const wxString dir = wxFileName(localPath_).GetPath();
  std::string error;
  if (!MakeDirs(dir.utf8_string()) || !WriteFileAtomically(path, data, &error)) {
    wxLogError(_("Can't save settings to '%s': %s"), localPath_, wxString::FromUTF8(error));
    return false;
  }
  return true;
}

wxString SettingsFilePath() {
  wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
  return wxFileConfig::GetLocalFileName(kAppName, wxCONFIG_USE_LOCAL_FILE);
}

AppConfig* InstallAppConfig() {
  auto* config = new AppConfig(kAppName, SettingsFilePath());
  delete wxConfigBase::Set(config);
  return config;
}

ConfigGroup::ConfigGroup(wxConfigBase& config, const wxString& group)
    : config_(config), saved_(config.GetPath()) {
  config_.SetPath("/" + group);
}

ConfigGroup::~ConfigGroup() { config_.SetPath(saved_.empty() ? wxString("/") : saved_); }
