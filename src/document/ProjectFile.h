#pragma once
// The project file (.flx): a version word and six sections, little-endian,
// no padding, nothing after the last section.

#include <functional>
#include <iosfwd>
#include <string>

#include "document/Document.h"

/// The version word written: major 1, minor 1. Files up to 1.2 are read.
constexpr std::int32_t kProjectVersion = 0x11;

/// What the synthesis controller adds to a save made while a run goes on.
struct WriteHooks {
  /// Brings the period time of the statistics up to date (called under the locks).
  std::function<void()> updateTime;
  /// Appends the workers' current variants, worker 0 first, to the list of
  /// pending variants being written (called under the three document locks).
  std::function<void(PendingList&)> appendWorkerPendings;
};

/// Writes the whole project. Holds the results-store, pending-list and
/// statistics locks, in this order, while the sections are written; discards
/// the pending variants handed out in this run. Clears the modified flags on
/// success.
bool WriteDocument(std::ostream& out, Document& doc, const WriteHooks& hooks = WriteHooks());

/// Reads a whole project into `doc`, section by section, then revalidates
/// every result and pending variant against the goal rebuilt from the file.
/// Each section reports its own errors; a failed read leaves the document as
/// far as it was read.
bool ReadDocument(std::istream& in, Document& doc);

/// Saves to `path` without ever leaving a half-written project: the file is
/// written to a temporary file in the same folder, flushed to disk and renamed
/// over the target only when complete. Reports "Can't open file %s for
/// writing" or "Error writing file %s"; the previous file is left as it was.
bool SaveProjectFile(const std::string& path, Document& doc, const WriteHooks& hooks = WriteHooks());

/// Reads `path`; reports "Can't open file: %s for reading" or, after the
/// reader's own messages, "Error reading file: %s".
bool LoadProjectFile(const std::string& path, Document& doc);
