#pragma once
// The configuration store of the window program.

#include <wx/confbase.h>
#include <wx/fileconf.h>

/// The application's name: the configuration root and the base of the title.
extern const char* const kAppName;

/// The toolkit's file-based store whose Flush replaces the file atomically,
/// so that a crash while saving never loses the settings (the toolkit's own
/// flush removes the old file before it renames the new one into place).
class AppConfig : public wxFileConfig {
 public:
  /// Reads `localPath` (the user's file) and the system-wide file of
  /// `appName` as fallback; writes go to `localPath` only.
  AppConfig(const wxString& appName, const wxString& localPath);
  ~AppConfig() override;

  /// Writes the file when its content changed; creates its folder first.
  bool Flush(bool currentOnly = false) override;

  const wxString& LocalPath() const { return localPath_; }

 private:
  wxString localPath_;
};

/// The path of the user's settings file in the XDG layout:
/// $XDG_CONFIG_HOME/Formulon Zizi.conf (by default ~/.config/Formulon Zizi.conf).
wxString SettingsFilePath();

/// Creates the store for "Formulon Zizi" and installs it as the toolkit's
/// global configuration object (which deletes and so flushes it at exit).
AppConfig* InstallAppConfig();

/// Enters a group of the store for its lifetime and restores the previous path.
class ConfigGroup {
 public:
  ConfigGroup(wxConfigBase& config, const wxString& group);
  ~ConfigGroup();
  ConfigGroup(const ConfigGroup&) = delete;
  ConfigGroup& operator=(const ConfigGroup&) = delete;

 private:
  wxConfigBase& config_;
  wxString saved_;
};
