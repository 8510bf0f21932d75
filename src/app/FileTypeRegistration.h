#pragma once
// Making project files (*.flx) known to the desktop, the freedesktop.org way:
// a shared-mime-info package that names the glob, a desktop entry that opens
// this executable with the file, the project-file icon, and the type's default
// application in mimeapps.list. The steps and messages follow the program's
// file-type registration on Windows, where each file here is a registry key.

#include <functional>
#include <string>

/// Where the registration lives and what it names.
struct FileTypePlaces {
  std::string dataHome;    ///< $XDG_DATA_HOME, by default ~/.local/share
  std::string configHome;  ///< $XDG_CONFIG_HOME, by default ~/.config
  std::string executable;  ///< full path of the program that opens the files
  std::string iconXpm;     ///< text of the project-file icon (an XPM file)

  /// The places of the current user, from the environment.
  static FileTypePlaces FromEnvironment(const std::string& executable, const std::string& iconXpm);

  std::string MimePackagePath() const;  ///< dataHome/mime/packages/formulon-zizi.xml
  std::string DesktopEntryPath() const; ///< dataHome/applications/formulon-zizi.desktop
  std::string IconPath() const;         ///< the icon under dataHome/icons/hicolor
  std::string MimeAppsPath() const;     ///< configHome/mimeapps.list
};

/// The MIME type of project files and the desktop entry's file name.
extern const char* const kProjectMimeType;
extern const char* const kDesktopEntryName;

/// What the desktop knows about project files now.
enum class FileTypeState {
  None,          ///< no default application for the type, or ours only in part
  Ours,          ///< the default is our entry, it runs this executable, the icon is ours
  OwnedByOther,  ///< the default is another entry, or our entry runs another executable
};

FileTypeState ProbeFileType(const FileTypePlaces& places);

/// The desktop entry's Exec value for `executable`: the quoted path and %f.
std::string DesktopExecLine(const std::string& executable);

/// Registers (`reg` true) or removes the registration. Registering over
/// another program's registration asks `askOverride` first unless `force`;
/// it returns true to go on. Each failed step is logged as an error and the
/// following steps still run. Unregistering removes only files whose content
/// is what this executable writes, and never touches another program's
/// registration. The desktop's MIME and desktop databases are updated when
/// their tools are installed; their absence is no error.
void RegisterFileType(bool reg, bool force, const FileTypePlaces& places,
                      const std::function<bool()>& askOverride);
