#pragma once
// The window title's text: application, project and unsaved state, with a long
// path shortened to the room the window has. Widths come from the caller, so
// the arithmetic is the same whatever font measures them.

#include <functional>
#include <string>
#include <vector>

/// A project path split the way the title shortens it.
struct TitlePath {
  std::string full;                 ///< the whole path as shown when it fits
  std::string volume;               ///< drive name without separator ("C"), empty on Unix
  char volumeSeparator = ':';
  char separator = '/';             ///< the native path separator
  std::vector<std::string> dirs;    ///< folder names, outermost first
  std::string fileName;             ///< name with extension, no folders
};

/// Splits an absolute path with '/' (and, when `windows`, '\\' and a drive
/// letter) into a TitlePath.
TitlePath SplitTitlePath(const std::string& path, bool windows = false);

/// Text width in pixels, measured in the font of the title.
using TextWidth = std::function<int(const std::string&)>;

/// Pixels of the frame's width that the title bar keeps for its buttons and
/// borders; the path shortening leaves them free.
constexpr int kTitleMargin = 106;

/// The title with a path, fitted into a frame `frameWidth` pixels wide:
/// "App - [path]" when the path fits, otherwise the volume, "...", the
/// innermost folders that fit and the file name; only the file name when
/// not even that fits. An untitled project shows its name as it is.
/// " *" before the closing bracket marks unsaved changes.
std::string PathTitle(const std::string& appName, const TitlePath& path, bool untitled,
                      bool modified, int frameWidth, const TextWidth& width);

/// The title without folders: "App - [name.flx *]".
std::string NameTitle(const std::string& appName, const std::string& fileName, bool modified);
