#include "app/FileTypeRegistration.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "common/AtomicFile.h"
#include "common/Log.h"

extern char** environ;

const char* const kProjectMimeType = "application/x-formulon-project";
const char* const kDesktopEntryName = "formulon-zizi.desktop";

namespace {

const char* const kDefaultGroup = "[Default Applications]";

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

bool ReadFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return !in.bad();
}

std::string DirOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  const auto e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

/// The value of `key` in `group` of a desktop-style key file; false when absent.
bool KeyFileValue(const std::string& text, const std::string& group, const std::string& key,
                  std::string& value) {
  bool inGroup = false;
  for (const std::string& raw : Lines(text)) {
    const std::string line = Trim(raw);
    if (!line.empty() && line[0] == '[') {
      inGroup = line == group;
      continue;
    }
    if (!inGroup) continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos || Trim(line.substr(0, eq)) != key) continue;
    value = Trim(line.substr(eq + 1));
    return true;
  }
  return false;
}

/// mimeapps.list lists several entries separated by ';'; the first is the default.
std::string FirstEntry(const std::string& list) {
  const auto semi = list.find(';');
  return Trim(semi == std::string::npos ? list : list.substr(0, semi));
}

std::string MimePackageText() {
  return std::string(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"") +
         kProjectMimeType +
         "\">\n"
         "    <comment>Formulon project file</comment>\n"
         "    <glob pattern=\"*.flx\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string DesktopEntryText(const std::string& executable) {
  return std::string(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=Formulon Zizi\n"
             "Comment=Finds a formula y = f(x) for a set of goal points\n"
             "Exec=") +
         DesktopExecLine(executable) +
         "\n"
         "Terminal=false\n"
         "Categories=Education;Science;Math;\n"
         "MimeType=" +
         kProjectMimeType + ";\n";
}

/// Sets (value non-empty) or removes (value empty, only when it names
/// `onlyIfValue`) our type's line in the default group of mimeapps.list,
/// keeping every other line as it is.
bool EditMimeApps(const std::string& path, const std::string& value, const std::string& onlyIfValue) {
  std::string text;
  const bool existed = ReadFile(path, text);
  std::vector<std::string> lines = existed ? Lines(text) : std::vector<std::string>();
  const std::string key = kProjectMimeType;
  bool inGroup = false, done = false;
  int groupLine = -1;
  for (size_t i = 0; i < lines.size() && !done; ++i) {
    const std::string line = Trim(lines[i]);
    if (!line.empty() && line[0] == '[') {
      inGroup = line == kDefaultGroup;
      if (inGroup) groupLine = static_cast<int>(i);
      continue;
    }
    if (!inGroup) continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos || Trim(line.substr(0, eq)) != key) continue;
    if (!value.empty()) {
      lines[i] = key + "=" + value + ";";
    } else if (FirstEntry(line.substr(eq + 1)) == onlyIfValue) {
      lines.erase(lines.begin() + static_cast<long>(i));
    } else {
      return true;
    }
    done = true;
  }
  if (!done) {
    if (value.empty()) return true;
    const std::string entry = key + "=" + value + ";";
    if (groupLine < 0) {
      if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back("");
      lines.push_back(kDefaultGroup);
      lines.push_back(entry);
    } else {
      lines.insert(lines.begin() + groupLine + 1, entry);
    }
  }
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return MakeDirs(DirOf(path)) && WriteFileAtomically(path, out);
}

bool IsExecutable(const std::string& name, std::string& found) {
  const std::string path = Env("PATH");
  std::istringstream in(path);
  std::string dir;
  while (std::getline(in, dir, ':')) {
    if (dir.empty()) continue;
    const std::string candidate = dir + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) {
      found = candidate;
      return true;
    }
  }
  return false;
}

/// Runs a database tool quietly and waits for it; a missing tool is no error.
void RunTool(const char* tool, const std::string& arg) {
  std::string path;
  if (!IsExecutable(tool, path)) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char> a0(path.begin(), path.end()), a1(arg.begin(), arg.end());
  a0.push_back('\0');
  a1.push_back('\0');
  char* argv[] = {a0.data(), a1.data(), nullptr};
  pid_t pid;
  if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ) == 0) {
    int status;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}

void UpdateDatabases(const FileTypePlaces& places) {
  RunTool("update-mime-database", places.dataHome + "/mime");
  RunTool("update-desktop-database", places.dataHome + "/applications");
}

bool FileHolds(const std::string& path, const std::string& content) {
  std::string text;
  return ReadFile(path, text) && text == content;
}

void RemoveIfHolds(const std::string& path, const std::string& content) {
  if (FileHolds(path, content)) ::unlink(path.c_str());
}

void Error(const char* format, const char* key) { LogError(Format(Tr(format).c_str(), key)); }

}  // namespace

FileTypePlaces FileTypePlaces::FromEnvironment(const std::string& executable,
                                               const std::string& iconXpm) {
  FileTypePlaces p;
  const std::string home = Env("HOME");
  p.dataHome = Env("XDG_DATA_HOME");
  if (p.dataHome.empty() || p.dataHome[0] != '/') p.dataHome = home + "/.local/share";
  p.configHome = Env("XDG_CONFIG_HOME");
  if (p.configHome.empty() || p.configHome[0] != '/') p.configHome = home + "/.config";
  p.executable = executable;
  p.iconXpm = iconXpm;
  return p;
}

std::string FileTypePlaces::MimePackagePath() const {
  return dataHome + "/mime/packages/formulon-zizi.xml";
}
std::string FileTypePlaces::DesktopEntryPath() const {
  return dataHome + "/applications/" + kDesktopEntryName;
}
std::string FileTypePlaces::IconPath() const {
  return dataHome + "/icons/hicolor/32x32/mimetypes/application-x-formulon-project.xpm";
}
std::string FileTypePlaces::MimeAppsPath() const { return configHome + "/mimeapps.list"; }

std::string DesktopExecLine(const std::string& executable) {
  // Quoted argument of the desktop entry specification, then escaped once
  // more as a key-file string (backslashes doubled); '%' is doubled for the
  // field codes.
  std::string quoted = "\"";
  for (char c : executable) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += "\"";
  std::string out;
  for (char c : quoted) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '%')
      out += "%%";
    else
      out += c;
  }
  return out + " %f";
}

FileTypeState ProbeFileType(const FileTypePlaces& places) {
  std::string apps, value;
  if (!ReadFile(places.MimeAppsPath(), apps) ||
      !KeyFileValue(apps, kDefaultGroup, kProjectMimeType, value))
    return FileTypeState::None;
  if (FirstEntry(value) != kDesktopEntryName) return FileTypeState::OwnedByOther;
  std::string entry, exec;
  if (!ReadFile(places.DesktopEntryPath(), entry) ||
      !KeyFileValue(entry, "[Desktop Entry]", "Exec", exec))
    return FileTypeState::None;
  if (exec != DesktopExecLine(places.executable)) return FileTypeState::OwnedByOther;
  const bool iconOurs = FileHolds(places.IconPath(), places.iconXpm) &&
                        FileHolds(places.MimePackagePath(), MimePackageText()) &&
                        entry == DesktopEntryText(places.executable);
  return iconOurs ? FileTypeState::Ours : FileTypeState::None;
}

void RegisterFileType(bool reg, bool force, const FileTypePlaces& places,
                      const std::function<bool()>& askOverride) {
  const FileTypeState state = ProbeFileType(places);
  if (!reg) {
    if (state == FileTypeState::OwnedByOther) return;
    RemoveIfHolds(places.MimePackagePath(), MimePackageText());
    RemoveIfHolds(places.DesktopEntryPath(), DesktopEntryText(places.executable));
    RemoveIfHolds(places.IconPath(), places.iconXpm);
    EditMimeApps(places.MimeAppsPath(), "", kDesktopEntryName);
    UpdateDatabases(places);
    return;
  }
  if (state == FileTypeState::Ours) return;
  if (state == FileTypeState::OwnedByOther && !force && !(askOverride && askOverride())) return;

  // The type and its glob, then the type's default application.
  if (!MakeDirs(DirOf(places.MimePackagePath())) ||
      !WriteFileAtomically(places.MimePackagePath(), MimePackageText()))
    Error(TR_NOOP("Can't create '%s' registry key"), ".flx");
  EditMimeApps(places.MimeAppsPath(), kDesktopEntryName, "");
  // The application and its open command.
  if (!MakeDirs(DirOf(places.DesktopEntryPath())))
    Error(TR_NOOP("Can't create '%s' registry key"), "Formulon Zizi");
  else if (!WriteFileAtomically(places.DesktopEntryPath(), DesktopEntryText(places.executable)))
    Error(TR_NOOP("Can't set registry value for '%s' key"), "open");
  // The project file's icon.
  if (!MakeDirs(DirOf(places.IconPath())))
    Error(TR_NOOP("Can't create '%s' registry key"), "DefaultIcon");
  else if (!WriteFileAtomically(places.IconPath(), places.iconXpm))
    Error(TR_NOOP("Can't set registry value for '%s' key"), "DefaultIcon");
  UpdateDatabases(places);
}
