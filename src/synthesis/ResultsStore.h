#pragma once
// The stored results of a document, in storing order, with their ids, period
// marks and the best and average fitness of the current and previous periods.

#include <cstdint>
#include <iosfwd>
#include <memory>

#include "common/Mutex.h"
#include "engine/Variant.h"

/// One stored result; owned by the store.
struct ResultEntry {
  ResultEntry* previous = nullptr;
  ResultEntry* next = nullptr;
  std::uint8_t currentPeriod = 1;  ///< 1: stored in the current period
  std::uint32_t id = 0;            ///< strictly increasing along the list
  std::unique_ptr<Variant> variant;
};

/// The caller holds `lock` for every operation (workers take it before their
/// own variant lock). All entries of earlier periods come before all entries
/// of the current period.
class ResultsStore {
 public:
  ResultsStore() = default;
  ~ResultsStore() { Clear(); }
  ResultsStore(const ResultsStore&) = delete;
  ResultsStore& operator=(const ResultsStore&) = delete;

  /// Stores a new result in constant time (running mean, no walk). When the id
  /// 4294967295 has just been given, warns "Results Id was overrun..." and
  /// renumbers every entry from 1.
  ResultEntry* Append(std::unique_ptr<Variant> variant);
  /// Deletes an entry; true when it held its period's best fitness (the caller
  /// then runs RecomputeBest for that period).
  bool Remove(ResultEntry* entry);
  /// Every entry becomes a previous-period entry (a run starts).
  void StartPeriod();
  /// Recomputes the best fitness and its position of one period.
  void RecomputeBest(bool currentPeriod);
  void RecomputeAverages();
  /// Deletes everything; every figure back to its initial value, nextId 1.
  void Clear();
  /// The first entry not yet taken by the Results page (or null); everything
  /// from it to the tail is new. Marks all as taken.
  ResultEntry* TakeUnshown();

  /// Position and fitness of the document's best result: the current period's
  /// when currentBest >= previousBest, else the previous period's.
  int BestIndex() const { return currentBest >= previousBest ? currentBestIndex : previousBestIndex; }

  ResultEntry* Head() const { return head_; }
  ResultEntry* Tail() const { return tail_; }
  ResultEntry* FirstCurrent() const { return firstCurrent_; }
  std::uint32_t Count() const { return count_; }

  /// Writes the Results section (marker 0x21): the count, each entry's tree,
  /// period mark and id, then nextId.
  bool WriteSection(std::ostream& out) const;
  /// Reads the Results section into the cleared store; every variant is bound
  /// to `variables` with its caches dirty. Refuses ids that do not increase
  /// ("Wrong result Id") and period marks out of order ("Previous period in
  /// current period"). Bests and averages are left to the revalidation.
  bool ReadSection(std::istream& in, int fileVersion, VariableTable* variables);

  Mutex lock;
  double previousAverage = 0.0;
  double previousBest = 0.0;
  double currentAverage = 0.0;
  double currentBest = 0.0;
  std::uint32_t previousCount = 0;
  std::int32_t previousBestIndex = -1;
  std::int32_t currentBestIndex = -1;
  std::uint32_t nextId = 1;

 private:
  void Link(ResultEntry* entry);
  ResultEntry* head_ = nullptr;
  ResultEntry* tail_ = nullptr;
  std::uint32_t count_ = 0;
  ResultEntry* firstCurrent_ = nullptr;
  ResultEntry* firstUnshown_ = nullptr;
};
