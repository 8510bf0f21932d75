#pragma once
// Unfinished variants of stopped workers, handed out again at the next start.

#include <cstdint>
#include <iosfwd>
#include <list>
#include <memory>

#include "common/Mutex.h"
#include "engine/Variant.h"

/// The caller holds `lock` for every operation.
class PendingList {
 public:
  using Entries = std::list<std::unique_ptr<PendingVariant>>;

  PendingList() : readPosition_(entries_.end()), scanPosition_(entries_.end()) {}
  PendingList(const PendingList&) = delete;
  PendingList& operator=(const PendingList&) = delete;

  /// The variant at the read position (it stays in the list) and advances
  /// the position; null at the end.
  PendingVariant* TakeNext();
  /// Inserts before the read position and makes the new entry the read position.
  void InsertAtReadPosition(std::unique_ptr<PendingVariant> pending);
  /// Appends; a read position at the end moves to the new entry.
  void Append(std::unique_ptr<PendingVariant> pending);
  /// The read position back to the first entry.
  void Rewind() { readPosition_ = entries_.begin(); }
  /// Deletes the entries before the read position; the scan position becomes the read position.
  void DiscardTaken();
  /// The variant at the scan position and advances it; null at the end.
  PendingVariant* ScanNext();
  /// Deletes the entry holding `variant`; positions on it move to the next entry.
  void Remove(const PendingVariant* variant);
  void Clear();
  /// Rebinds every entry as for results and runs Reprocess with `flags`.
  template <class Rebind>
  void ReprocessAll(unsigned flags, Rebind rebind) {
    for (auto& p : entries_) {
      rebind(*p);
      p->Reprocess(flags);
    }
  }
  std::size_t Count() const { return entries_.size(); }
  const Entries& All() const { return entries_; }
  /// Entries from the read position to the end.
  std::size_t Remaining() const;

  /// Writes the Pendings section (marker 0x32) with the entries from the read position on.
  bool WriteSection(std::ostream& out) const;
  /// Reads the section into the cleared list; variants are bound to
  /// `variables`. A variant that cannot be read: "Error opening pending variant".
  bool ReadSection(std::istream& in, int fileVersion, VariableTable* variables);

  Mutex lock;

 private:
  Entries entries_;
  Entries::iterator readPosition_;
  Entries::iterator scanPosition_;
};
