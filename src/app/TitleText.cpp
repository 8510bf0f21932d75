#include "app/TitleText.h"

#include <algorithm>

TitlePath SplitTitlePath(const std::string& path, bool windows) {
  TitlePath out;
  out.full = path;
  out.separator = windows ? '\\' : '/';
  std::string rest = path;
  if (windows && rest.size() >= 2 && rest[1] == ':') {
    out.volume = rest.substr(0, 1);
    rest = rest.substr(2);
  }
  auto isSep = [windows](char c) { return c == '/' || (windows && c == '\\'); };
  std::vector<std::string> parts;
  std::string part;
  for (char c : rest) {
    if (isSep(c)) {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  out.fileName = part;
  out.dirs = parts;
  return out;
}

std::string NameTitle(const std::string& appName, const std::string& fileName, bool modified) {
  return appName + " - [" + fileName + (modified ? " *" : "") + "]";
}

std::string PathTitle(const std::string& appName, const TitlePath& path, bool untitled,
                      bool modified, int frameWidth, const TextWidth& width) {
  const std::string head = appName + " - [";
  const std::string closing = modified ? " *]" : "]";
  if (untitled) return head + path.full + closing;

  long avail = static_cast<long>(frameWidth) - kTitleMargin - width(head) - width(closing);
  if (width(path.full) <= avail) return head + path.full + closing;

  const std::string sep(1, path.separator);
  avail -= width(sep + path.fileName);
  std::string prefix = path.volume.empty()
                           ? sep
                           : path.volume + std::string(1, path.volumeSeparator) + sep;
  prefix += "...";
  avail -= width(prefix);
  if (avail < 0) return head + path.fileName + closing;

  std::string title = head + prefix;
  const int n = static_cast<int>(path.dirs.size());
  int k = 0;
  for (int i = n - 1; i >= 0; --i) {
    avail -= width(sep + path.dirs[i]);
    if (avail < 0) break;
    ++k;
  }
  // The outermost folder is never shown: "..." stands for it.
  for (int j = std::max(n - k, 1); j < n; ++j) title += sep + path.dirs[j];
  title += sep + path.fileName;
  return title + closing;
}
