#pragma once
// Work counters of the synthesis: per period, in total, and per worker.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <vector>

#include "common/Mutex.h"

/// The counters of one period (36 bytes in the project file).
struct PeriodStats {
  std::uint64_t processed = 0;
  std::uint32_t seconds = 0;
  std::uint32_t improvements = 0;
  std::uint32_t rangecheckErrors = 0;
  std::uint32_t reserved1 = 0;
  std::uint64_t reserved2 = 0;
  std::uint32_t reserved3 = 0;

  PeriodStats& operator+=(const PeriodStats& o);
  bool operator==(const PeriodStats& o) const;
  bool Write(std::ostream& out) const;
  bool Read(std::istream& in);
};

/// One worker's counters of its current round; each record has its own lock.
struct ThreadStats {
  std::uint64_t processed = 0;
  std::uint32_t seconds = 0;
  double fitness = 0.0;  ///< best fitness of the round
  std::uint32_t improvements = 0;
  std::uint32_t rangecheckErrors = 0;
  Mutex lock;

  ThreadStats() = default;
  /// Copies the counters; the copy has a lock of its own.
  ThreadStats(const ThreadStats& o)
      : processed(o.processed), seconds(o.seconds), fitness(o.fitness), improvements(o.improvements),
        rangecheckErrors(o.rangecheckErrors) {}
  void Clear() {
    processed = 0;
    seconds = 0;
    fitness = 0.0;
    improvements = 0;
    rangecheckErrors = 0;
  }
};

class StatData {
 public:
  /// At synthesis start: the current period goes into the total, and
  /// `workers` zeroed thread records are made. Caller holds `lock`.
  void StartPeriod(int workers);
  /// By worker i when it stops or stores a result: adds its processed,
  /// improvements and range-check errors (not its seconds) to the current
  /// period and clears its record. Takes `lock`, then the record's lock;
  /// reports "Can't lock Mutex" as the lock discipline says.
  void AccumulateThread(int i);
  /// For a worker that ended by an error: clears the record without adding it.
  void ClearThread(int i);
  /// At the end of a run: no thread records any more. Caller holds `lock`.
  void RemoveThreads() { threadStats.clear(); }
  /// For a new document: everything zero, no thread records.
  void Reset();

  /// The current period as shown and saved: currentStats plus every thread
  /// record's counts (each taken under its lock). False when a record's lock
  /// could not be taken ("Can't lock Mutex" reported). Caller holds `lock`.
  bool LiveCurrent(PeriodStats& out);

  /// Writes the 73-byte section (marker 0x43) with the live current period.
  /// Caller holds `lock`.
  bool WriteSection(std::ostream& out);
  /// Reads the section; a wrong marker logs "Wrong StatData marker".
  bool ReadSection(std::istream& in, int fileVersion);

  ThreadStats& Thread(int i) { return *threadStats[static_cast<size_t>(i)]; }
  int ThreadCount() const { return static_cast<int>(threadStats.size()); }

  PeriodStats totalStats;
  PeriodStats currentStats;
  Mutex lock;

 private:
  std::vector<std::unique_ptr<ThreadStats>> threadStats;
};
