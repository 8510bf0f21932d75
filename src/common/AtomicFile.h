#pragma once
// Replacing a file so that a crash or a kill at any moment leaves either the
// old or the new content, never an empty or half-written file.

#include <string>

/// Writes `data` to a temporary file in the folder of `path`, flushes it to
/// disk, then renames it over `path` and flushes the folder. The new file keeps
/// the old one's permissions (0644 for a new file). On failure the old file is
/// untouched, the temporary file removed, false returned and `error` (when
/// given) set to the operating system's reason.
bool WriteFileAtomically(const std::string& path, const std::string& data,
                         std::string* error = nullptr);

/// Creates `dir` and its missing parents (mode 0755). True when it exists afterwards.
bool MakeDirs(const std::string& dir);
